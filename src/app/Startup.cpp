#include "Startup.h"

#include "AppConfig.h"
#include "TArrowSel.h"
#include "TSplashV.h"

#include "storage/DataFolder.h"
#include "storage/StorageError.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace qw::app {

StartupResult startUp(const std::filesystem::path& dataFolder, MessageSink* messages,
                      const std::function<void(StartupPhase)>& observe)
{
    auto splash = std::make_unique<TSplashV>(kSplashPicture);
    splash->showAndPaint();
    if (observe)
        observe(StartupPhase::SplashShown);

    StartupResult result;
    auto window = std::make_unique<TArrowSel>(dataFolder, messages);
    if (observe)
        observe(StartupPhase::WindowsCreated);
    splash->hide();
    splash.reset();
    if (!window->creationFailed())
        result.mainWindow = std::move(window);
    return result;
}

int runProgram(QApplication& application, const std::optional<std::filesystem::path>& dataOption,
               const std::filesystem::path& programFolder)
{
    const auto folder = storage::DataFolder::forProgram(dataOption, programFolder);
    try {
        folder.prepare();
    } catch (const storage::StorageError& error) {
        QMessageBox::critical(nullptr, kApplicationTitle, QString::fromStdString(error.what()));
        return 1;
    }
    StartupResult started = startUp(folder.path());
    if (!started.mainWindow)
        return 1;
    started.mainWindow->show();
    TArrowSel* window = started.mainWindow.get();
    QTimer::singleShot(0, window, [window] { window->offerShopInformation(); });
    return application.exec();
}

} // namespace qw::app
