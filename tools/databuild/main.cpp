// quiverwise-data: builds the supplied tables into the program's folder, or
// checks a data folder.
//
//   quiverwise-data build OUTDIR [--source DIR]
//   quiverwise-data check DIR
//
// Exit status: 0 done, 1 the build failed or the check found defects,
// 2 wrong usage.

#include "BuildError.h"
#include "CatalogueBuilder.h"
#include "DataChecker.h"
#include <GuardedMain.h>

#include "storage/StorageError.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: quiverwise-data build OUTDIR [--source DIR]\n"
                 "       quiverwise-data check DIR\n";
    return 2;
}

int runBuild(const std::filesystem::path& output, const std::filesystem::path& source)
{
    qw::databuild::CatalogueBuilder builder(source, output);
    try {
        builder.build();
    } catch (const std::exception& error) {
        std::cerr << "quiverwise-data: build failed: " << error.what() << '\n';
        return 1;
    }
    for (const auto& line : builder.log())
        std::cout << line << '\n';
    return 0;
}

int runCheck(const std::filesystem::path& folder)
{
    const auto defects = qw::databuild::DataChecker(folder).run();
    for (const auto& line : defects)
        std::cout << line << '\n';
    if (!defects.empty()) {
        std::cerr << "quiverwise-data: " << defects.size() << " defect(s) in " << folder.string()
                  << '\n';
        return 1;
    }
    std::cout << folder.string() << ": complete\n";
    return 0;
}

} // namespace

static int run(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "check")
        return runCheck(args[1]);
    if (args.size() == 2 && args[0] == "build")
        return runBuild(args[1], QW_DATA_SOURCE_DIR);
    if (args.size() == 4 && args[0] == "build" && args[2] == "--source")
        return runBuild(args[1], args[3]);
    return usage();
}

int main(int argc, char** argv)
{
    return qw::setupcli::guardedMain("quiverwise-data", [&] { return run(argc, argv); });
}
