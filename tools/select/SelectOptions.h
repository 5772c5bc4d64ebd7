#pragma once

// The command line of quiverwise-select: the shared setup options, --json
// and --help.

#include <SetupOptions.h>

#include <string>
#include <vector>

namespace qw::select {

using setupcli::UsageError;

struct SelectOptions : setupcli::SetupOptions {
    bool json = false;
    bool help = false;
};

// Throws UsageError for an unknown option, a missing value, an unknown page,
// or an index that is not a whole number or not an item of its group.
SelectOptions parseSelectOptions(const std::vector<std::string>& arguments);

std::string selectUsage();

} // namespace qw::select
