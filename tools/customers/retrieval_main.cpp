// A front end for the reading commands alone, until they join the full
// quiverwise-customers: [--data DIR] find|recall PREFIX [--json].

#include "RetrievalCommands.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::filesystem::path programFolder(const char* argv0)
{
    std::error_code error;
    const auto self = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argv0).parent_path() : self.parent_path();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::filesystem::path dataFolder = programFolder(argv[0]);
    if (args.size() >= 2 && args[0] == "--data") {
        dataFolder = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || (args[0] != "find" && args[0] != "recall")) {
        std::cerr << "usage: quiverwise-customers [--data DIR] find|recall PREFIX [--json]\n";
        return 2;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    namespace cli = qw::customers::cli;
    return command == "find" ? cli::runFind(dataFolder, args, std::cout, std::cerr)
                             : cli::runRecall(dataFolder, args, std::cout, std::cerr);
}
