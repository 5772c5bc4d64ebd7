#include "SetupOptions.h"

#include <selection/MainFormDesign.h>
#include <storage/DataFolder.h>

#include <charconv>
#include <map>

namespace qw::setupcli {

namespace {

using selection::SetupEntry;
using selection::SetupGroup;

const std::map<std::string, SetupEntry, std::less<>>& entryOptions()
{
    static const std::map<std::string, SetupEntry, std::less<>> options = {
        {"--bow-weight", SetupEntry::BowWeight},
        {"--arrow-length", SetupEntry::ArrowLength},
        {"--point-weight", SetupEntry::PointWeight},
        {"--youth-bow-weight", SetupEntry::YouthBowWeight},
        {"--youth-arrow-length", SetupEntry::YouthArrowLength},
    };
    return options;
}

const std::map<std::string, SetupGroup, std::less<>>& indexOptions()
{
    static const std::map<std::string, SetupGroup, std::less<>> options = {
        {"--bow-type", SetupGroup::BowType},     {"--targ-bow-type", SetupGroup::TargBowType},
        {"--hunt-cam", SetupGroup::HuntCamType}, {"--wheel", SetupGroup::WheelType},
        {"--release", SetupGroup::ReleaseType},  {"--overdraw", SetupGroup::OverDraw},
        {"--brace", SetupGroup::BraceHt},
    };
    return options;
}

selection::Page parsePage(const std::string& text)
{
    static const std::map<std::string, selection::Page, std::less<>> pages = {
        {"hunt", selection::Page::Hunt},
        {"targ", selection::Page::Targ},
        {"youth", selection::Page::Youth},
        {"kavl", selection::Page::Kavl},
    };
    const auto it = pages.find(text);
    if (it == pages.end())
        throw UsageError("unknown page '" + text + "' (hunt, targ, youth or kavl)");
    return it->second;
}

// The window offers only the group's own items, so an index past them
// describes no setup the window could show.
void checkItemIndex(const std::string& option, SetupGroup group, int index)
{
    const std::vector<std::string>& items = selection::setupGroupItems(group);
    if (index >= 0 && index < static_cast<int>(items.size()))
        return;
    std::string choices;
    for (std::size_t i = 0; i < items.size(); ++i)
        choices += (i == 0 ? "" : ", ") + std::to_string(i) + " " + items[i];
    throw UsageError(option + " " + std::to_string(index) + " is not an item of the group (" +
                     choices + ")");
}

} // namespace

bool parseSetupOption(const std::vector<std::string>& arguments, std::size_t& i,
                      SetupOptions& options)
{
    const std::string& option = arguments.at(i);
    const bool setupOption = option == "--data" || option == "--page" ||
                             entryOptions().count(option) || indexOptions().count(option);
    if (!setupOption)
        return false;
    if (i + 1 >= arguments.size())
        throw UsageError(option + " needs a value");
    const std::string& value = arguments[++i];
    if (option == "--data")
        options.dataFolder = value;
    else if (option == "--page")
        options.page = parsePage(value);
    else if (const auto entry = entryOptions().find(option); entry != entryOptions().end())
        options.entryTexts.emplace_back(entry->second, value);
    else {
        const SetupGroup group = indexOptions().find(option)->second;
        const int index = wholeNumberOption(option, value);
        checkItemIndex(option, group, index);
        options.itemIndices.emplace_back(group, index);
    }
    return true;
}

std::string setupUsage()
{
    return "         [--data DIR] [--page hunt|targ|youth|kavl]\n"
           "         [--bow-weight TEXT] [--arrow-length TEXT] [--point-weight TEXT]\n"
           "         [--youth-bow-weight TEXT] [--youth-arrow-length TEXT]\n"
           "         [--bow-type N] [--targ-bow-type N] [--hunt-cam N] [--wheel N]\n"
           "         [--release N] [--overdraw N] [--brace N]\n";
}

void applySetup(selection::SelectionModel& model, const SetupOptions& options)
{
    for (const auto& [entry, text] : options.entryTexts)
        model.setTextQuietly(entry, text);
    for (const auto& [group, index] : options.itemIndices)
        model.setItemIndexQuietly(group, index);
    model.setActivePage(options.page);
}

std::filesystem::path programFolder(const char* argv0)
{
    std::error_code error;
    const auto self = std::filesystem::canonical("/proc/self/exe", error);
    if (!error)
        return self.parent_path();
    return std::filesystem::absolute(argv0).parent_path();
}

std::filesystem::path dataFolder(const std::optional<std::filesystem::path>& given,
                                 const char* argv0)
{
    const auto folder = storage::DataFolder::forProgram(given, programFolder(argv0));
    folder.prepare();
    return folder.path();
}

std::optional<std::filesystem::path> dataOption(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "--data")
            return std::filesystem::path(arguments[i + 1]);
    return std::nullopt;
}

int wholeNumberOption(const std::string& option, const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw UsageError(option + " needs a whole number, not '" + text + "'");
    return value;
}

} // namespace qw::setupcli
