#pragma once

// The command line of quiverwise-select.

#include <selection/SelectionModel.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qw::select {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SelectOptions {
    std::optional<std::filesystem::path> dataFolder;
    selection::Page page = selection::Page::Hunt;
    std::vector<std::pair<std::string, std::string>> entryTexts; // entry name, text
    std::vector<std::pair<std::string, int>> itemIndices;        // radio group, index
    bool json = false;
    bool help = false;
};

// Throws UsageError for an unknown option, a missing value, an unknown page,
// or an index that is not a whole number or not an item of its group.
SelectOptions parseSelectOptions(const std::vector<std::string>& arguments);

std::string selectUsage();

} // namespace qw::select
