#include "Startup.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // --data DIR: the folder of the tables, for counters sharing one.
    std::optional<std::filesystem::path> dataOption;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("--data"))
            dataOption = arguments[i + 1].toStdString();
    const std::filesystem::path programFolder =
        QCoreApplication::applicationDirPath().toStdString();
    return qw::app::runProgram(application, dataOption, programFolder);
}
