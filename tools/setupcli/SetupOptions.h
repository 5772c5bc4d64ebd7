#pragma once

// The main window's setup on a command line: the data folder, the page, the
// five entries as texts and the seven choice groups as item indices. Tools
// that start from the main window's state parse these alike and apply them
// alike.

#include <core/RecordingSink.h>
#include <selection/SelectionModel.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qw::setupcli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SetupOptions {
    std::optional<std::filesystem::path> dataFolder;
    selection::Page page = selection::Page::Hunt;
    std::vector<std::pair<selection::SetupEntry, std::string>> entryTexts;
    std::vector<std::pair<selection::SetupGroup, int>> itemIndices;
};

// When arguments[i] is a setup option, takes it and its value into options,
// leaves i on the value and returns true. Throws UsageError for a missing
// value, an unknown page, an index that is not a whole number, or an index
// that is not an item of its group (the window cannot select one).
bool parseSetupOption(const std::vector<std::string>& arguments, std::size_t& i,
                      SetupOptions& options);

// The usage lines of the setup options.
std::string setupUsage();

// The value of option as a whole number; UsageError names the option and
// the text otherwise.
int wholeNumberOption(const std::string& option, const std::string& text);

// Sets the inputs and the page without running anything; the caller runs.
void applySetup(selection::SelectionModel& model, const SetupOptions& options);

// The folder of the running program.
std::filesystem::path programFolder(const char* argv0);

// The data folder the tool works in: --data DIR when given, else as the
// program decides (storage/DataFolder.h), made up to date with the supplied
// tables first. Throws StorageError when it cannot be made.
std::filesystem::path dataFolder(const std::optional<std::filesystem::path>& given,
                                 const char* argv0);

// The value of the first "--data DIR" among arguments, if any.
std::optional<std::filesystem::path> dataOption(const std::vector<std::string>& arguments);

// Records the messages a run would have shown.
using qw::RecordingSink;

} // namespace qw::setupcli
