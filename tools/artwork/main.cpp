// quiverwise-artwork --out <data folder> [--source <data folder>]
//
// Draws the program's pictures into <data folder>/artwork and
// <data folder>/help. The model guides are drawn from the catalogue sources
// of the --source folder, which defaults to the --out folder. Run it when the artwork changes and commit what it
// writes. It never opens a window, so it runs on the offscreen platform
// unless told otherwise.
#include "ArtworkWriter.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const qsizetype outIndex = arguments.indexOf(QStringLiteral("--out"));
    if (outIndex < 0 || outIndex + 1 >= arguments.size()) {
        std::fprintf(stderr,
                     "usage: quiverwise-artwork --out <data folder> [--source <data folder>]\n");
        return 2;
    }
    QString source = arguments.at(outIndex + 1);
    if (const qsizetype sourceIndex = arguments.indexOf(QStringLiteral("--source"));
        sourceIndex >= 0) {
        if (sourceIndex + 1 >= arguments.size()) {
            std::fprintf(stderr, "quiverwise-artwork: --source needs a folder\n");
            return 2;
        }
        source = arguments.at(sourceIndex + 1);
    }
    try {
        const qw::artwork::ArtworkWriter writer(arguments.at(outIndex + 1), source);
        const int written = writer.writeAll();
        std::printf("%d pictures written\n", written);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quiverwise-artwork: %s\n", error.what());
        return 1;
    }
}
