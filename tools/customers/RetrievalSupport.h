#pragma once

// What find and recall share: their command line, the opening of the
// retrieval model as Get Setup does it, and the record and summary as JSON.

#include <core/RecordingSink.h>
#include <customers/CustomerRetrieval.h>

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qw::customers::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitMessage = 1;
inline constexpr int kExitUsage = 2;

struct PrefixArguments {
    std::string prefix;
    bool json = false;
};

// PREFIX [--json]; nullopt (after writing the reason to err) for anything else.
std::optional<PrefixArguments>
parsePrefixArguments(const char* command, const std::vector<std::string>& args, std::ostream& err);

// Get Setup and Search: false when a message ended it (an empty table,
// a storage error, "Name not found", a conversion message).
bool openAndSearch(CustomerRetrieval& retrieval, RecordingSink& messages,
                   const std::string& prefix);

nlohmann::ordered_json recordJson(const CustomerRetrieval& retrieval);
nlohmann::ordered_json summaryJson(const SetupWords& words);
void writeRecordText(const CustomerRetrieval& retrieval, std::ostream& out);

} // namespace qw::customers::cli
