#include "RetrievalSupport.h"

#include <set>

#include <JsonText.h>
#include <customers/SavedSetups.h>

namespace qw::customers::cli {

namespace {

constexpr const char* kNoRecords = "There are no records on file currently, use Save Setup first.";

// The summary labels' captions in the window, and their JSON keys.
struct SummaryItem {
    const char* key;
    const char* caption;
    std::string SetupWords::*word;
};
constexpr SummaryItem kSummary[] = {{"chartFamily", "Chart:", &SetupWords::chartFamily},
                                    {"bowWeight", "Bow Weight:", &SetupWords::bowWeight},
                                    {"arrowLength", "Arrow Length:", &SetupWords::arrowLength},
                                    {"pointWeight", "Point Weight:", &SetupWords::pointWeight},
                                    {"bowType", "Bow Type:", &SetupWords::bowType},
                                    {"wheelType", "Wheel Type:", &SetupWords::wheelType},
                                    {"release", "Release:", &SetupWords::release},
                                    {"braceHeight", "Brace Height:", &SetupWords::braceHeight},
                                    {"overDraw", "Over Draw:", &SetupWords::overDraw}};

} // namespace

std::optional<PrefixArguments>
parsePrefixArguments(const char* command, const std::vector<std::string>& args, std::ostream& err)
{
    PrefixArguments parsed;
    bool havePrefix = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            parsed.json = true;
        } else if (arg.starts_with("--")) {
            err << command << ": unknown option " << arg << "\n";
            return std::nullopt;
        } else if (havePrefix) {
            err << command << ": one name prefix expected, got also \"" << arg << "\"\n";
            return std::nullopt;
        } else {
            parsed.prefix = arg;
            havePrefix = true;
        }
    }
    if (!havePrefix) {
        err << "usage: " << command << " PREFIX [--json]\n";
        return std::nullopt;
    }
    return parsed;
}

bool openAndSearch(CustomerRetrieval& retrieval, RecordingSink& messages, const std::string& prefix)
{
    SavedSetups saved(retrieval.dataFolder());
    try {
        const std::uint32_t count = saved.countSavedSetups();
        // The first opening deals with a leftover journal; what it did is
        // told as the window tells it.
        for (const std::string& notice : saved.takeNotices())
            messages.information(notice, 0);
        if (count == 0) {
            messages.information(kNoRecords, 0);
            return false;
        }
    } catch (const std::exception& failure) {
        messages.error(failure.what());
        return false;
    }
    if (!retrieval.open())
        return false;
    // What showing the first record on opening said is not part of the
    // answer (the search shows its own record): its conversion messages and
    // the notice of a memo it could not read; a table's notice is.
    const std::string firstShown = "Record " + std::to_string(retrieval.recordNumber()) + " (";
    // Nor is a table's notice said twice, once for the count and once more
    // when the window's own opening finds the same.
    std::set<std::string> said;
    std::erase_if(messages.messages, [&](const auto& message) {
        return message.error || message.text.starts_with(firstShown) ||
               !said.insert(message.text).second;
    });
    return retrieval.search(prefix);
}

nlohmann::ordered_json recordJson(const CustomerRetrieval& retrieval)
{
    nlohmann::ordered_json record = nlohmann::ordered_json::object();
    for (const auto& [field, text] : retrieval.currentRecord())
        record[field] = text;
    return record;
}

nlohmann::ordered_json summaryJson(const SetupWords& words)
{
    nlohmann::ordered_json summary = nlohmann::ordered_json::object();
    for (const SummaryItem& item : kSummary)
        summary[item.key] = words.*item.word;
    return summary;
}

void writeRecordText(const CustomerRetrieval& retrieval, std::ostream& out)
{
    for (const auto& [field, text] : retrieval.currentRecord())
        out << field << ": " << setupcli::terminalText(text) << "\n";
    for (const SummaryItem& item : kSummary)
        out << item.caption << " " << retrieval.words().*item.word << "\n";
}

} // namespace qw::customers::cli
