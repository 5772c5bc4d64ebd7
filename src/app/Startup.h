#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QApplication;

namespace qw {
class MessageSink;
}

namespace qw::app {

class TArrowSel;

enum class StartupPhase { SplashShown, WindowsCreated };

struct StartupResult {
    std::unique_ptr<TArrowSel> mainWindow; // null when start-up failed
};

// Start-up up to the event loop: the splash, the main window (its first
// run fills the Hunting grid) and the windows that exist, then the splash
// goes. A failure has already been shown through the window's messages.
// observe, when given, is called at each phase (tests look at the screen).
StartupResult startUp(const std::filesystem::path& dataFolder, MessageSink* messages = nullptr,
                      const std::function<void(StartupPhase)>& observe = {});

// The whole program: the data folder decided and made up to date
// (storage/DataFolder.h; dataOption is --data DIR), start-up, the first-run
// offer of the shop's details, then the main window until it closes.
int runProgram(QApplication& application, const std::optional<std::filesystem::path>& dataOption,
               const std::filesystem::path& programFolder);

} // namespace qw::app
