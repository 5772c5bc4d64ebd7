#pragma once

// What the commands of quiverwise-customers share: taking options out of
// the argument list, and reporting the messages a command's classes sent.

#include "Commands.h"

#include <JsonText.h>
#include <core/RecordingSink.h>

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::customers_cli {

using Json = nlohmann::ordered_json;
using setupcli::jsonText;
using setupcli::terminalText;

// Removes a flag wherever it stands; true when it was given.
bool takeFlag(std::vector<std::string>& arguments, std::string_view flag);
// Removes an option and its value wherever they stand (the last one given
// wins); UsageError when the value is missing.
std::optional<std::string> takeValue(std::vector<std::string>& arguments, std::string_view option);
// --data given after the command's name.
void takeDataFolder(CommandContext& context);
// UsageError naming the first argument left over.
void refuseLeftovers(const std::vector<std::string>& arguments);

// Prints the messages: information to the output, errors to the error
// stream (as text), or as a "messages" array of the JSON answer.
void printMessages(const RecordingSink& sink);
Json messagesJson(const RecordingSink& sink);

// Exit status for a command whose classes sent these messages.
int exitStatus(const RecordingSink& sink);

} // namespace qw::customers_cli
