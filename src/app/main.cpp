#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Every table is opened by bare name in the program's own folder.
    const std::filesystem::path programFolder =
        QCoreApplication::applicationDirPath().toStdString();
    return qw::app::runProgram(application, programFolder);
}
