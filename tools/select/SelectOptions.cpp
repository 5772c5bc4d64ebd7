#include "SelectOptions.h"

namespace qw::select {

SelectOptions parseSelectOptions(const std::vector<std::string>& arguments)
{
    SelectOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--json")
            options.json = true;
        else if (option == "--help" || option == "-h")
            options.help = true;
        else if (!setupcli::parseSetupOption(arguments, i, options))
            throw UsageError("unknown option '" + option + "'");
    }
    return options;
}

std::string selectUsage()
{
    return "usage: quiverwise-select\n" + setupcli::setupUsage() +
           "         [--json]\n"
           "Shows the recommended shafts of one page for the setup given, starting from\n"
           "the main window's state after start-up. Exit status 0, 1 when an error\n"
           "message ended the run, 2 for a bad command line.\n";
}

} // namespace qw::select
