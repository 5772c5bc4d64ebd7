#pragma once

// The commands of quiverwise-customers. Each lives in a source file of its
// own and is listed once in the command table of main.cpp.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace qw::customers_cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitMessage = 1; // a message ended the command
inline constexpr int kExitUsage = 2;   // a bad command line

// Thrown by a command for a bad command line; main prints it with the usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CommandContext {
    std::filesystem::path dataFolder;   // --data, or the data folder the program would use
    std::vector<std::string> arguments; // what follows the command's name
};

using CommandFunction = int (*)(CommandContext&);

int runList(CommandContext& context);   // ListCommand.cpp
int runAdd(CommandContext& context);    // AddCommand.cpp
int runExport(CommandContext& context); // ExportCommand.cpp

} // namespace qw::customers_cli
