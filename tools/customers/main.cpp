// quiverwise-customers: the customer table from the command line, for
// importing a shop's customer list, for support and for scripts. Each
// command runs the classes the windows run and exits 0, 1 when a message
// ended it, or 2 for a bad command line.

#include "CommandSupport.h"
#include "Commands.h"
#include "RetrievalCommands.h"
#include <GuardedMain.h>
#include <SetupOptions.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace qw::customers_cli;

struct Command {
    std::string_view name;
    CommandFunction run;
    std::string_view usage; // what follows "quiverwise-customers [--data DIR]"
};

int find(CommandContext& context)
{
    return qw::customers::cli::runFind(context.dataFolder, context.arguments, std::cout, std::cerr);
}

int recall(CommandContext& context)
{
    return qw::customers::cli::runRecall(context.dataFolder, context.arguments, std::cout,
                                         std::cerr);
}

// One line per command.
constexpr std::array kCommands = {
    Command{"list", runList, "list [--json]"},
    Command{
        "add", runAdd,
        "add --name N --addr1 A --city C --state S [--addr2 A] [--zip Z]\n"
        "      [--country C] [--ccode C] [--comments TEXT] [setup options of quiverwise-select]"},
    Command{"export", runExport, "export [FILE] | export --xlsx FILE"},
    Command{"find", find, "find PREFIX [--json]"},
    Command{"recall", recall, "recall PREFIX [--json]"},
};

std::string usage()
{
    std::string text = "usage:\n";
    for (const Command& command : kCommands)
        text += "  quiverwise-customers [--data DIR] " + std::string(command.usage) + "\n";
    text += "Exit status 0, 1 when a message ended the command, 2 for a bad command line.\n";
    return text;
}

int usageError(const std::string& what)
{
    std::cerr << "quiverwise-customers: " << what << "\n" << usage();
    return kExitUsage;
}

} // namespace

static int run(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // --data may come before the command's name or after it.
    CommandContext context{qw::setupcli::dataFolder(qw::setupcli::dataOption(arguments), argv[0]),
                           {}};
    std::size_t at = 0;
    for (; at < arguments.size() && arguments[at].starts_with("-"); ++at) {
        if (arguments[at] == "--help" || arguments[at] == "-h") {
            std::cout << usage();
            return kExitOk;
        }
        if (arguments[at] != "--data")
            return usageError("unknown option '" + arguments[at] + "'");
        if (++at >= arguments.size())
            return usageError("--data needs a value");
        context.dataFolder = arguments[at];
    }
    if (at >= arguments.size())
        return usageError("no command given");
    const std::string& name = arguments[at];
    for (const Command& command : kCommands) {
        if (command.name != name)
            continue;
        context.arguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                                 arguments.end());
        try {
            return command.run(context);
        } catch (const UsageError& error) {
            return usageError(std::string(command.name) + ": " + error.what());
        }
    }
    return usageError("unknown command '" + name + "'");
}

int main(int argc, char** argv)
{
    return qw::setupcli::guardedMain("quiverwise-customers", [&] { return run(argc, argv); });
}
