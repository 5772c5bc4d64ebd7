#include "Startup.h"

#include "AppConfig.h"
#include "TArrowSel.h"
#include "TSplashV.h"

#include <QApplication>

namespace qw::app {

StartupResult startUp(const std::filesystem::path& dataFolder, selection::MessageSink* messages,
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

int runProgram(QApplication& application, const std::filesystem::path& dataFolder)
{
    StartupResult started = startUp(dataFolder);
    if (!started.mainWindow)
        return 1;
    started.mainWindow->show();
    return application.exec();
}

} // namespace qw::app
