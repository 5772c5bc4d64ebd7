#include "CommandSupport.h"

#include <algorithm>
#include <iostream>

namespace qw::customers_cli {

bool takeFlag(std::vector<std::string>& arguments, std::string_view flag)
{
    const auto before = arguments.size();
    std::erase(arguments, std::string(flag));
    return arguments.size() != before;
}

std::optional<std::string> takeValue(std::vector<std::string>& arguments, std::string_view option)
{
    std::optional<std::string> value;
    for (std::size_t i = 0; i < arguments.size();) {
        if (arguments[i] != option) {
            ++i;
            continue;
        }
        if (i + 1 >= arguments.size())
            throw UsageError(std::string(option) + " needs a value");
        value = arguments[i + 1];
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                        arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return value;
}

void takeDataFolder(CommandContext& context)
{
    if (auto folder = takeValue(context.arguments, "--data"))
        context.dataFolder = *folder;
}

void refuseLeftovers(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return;
    const std::string& first = arguments.front();
    throw UsageError(first.starts_with("-") ? "unknown option '" + first + "'"
                                            : "unexpected argument '" + first + "'");
}

void printMessages(const RecordingSink& sink)
{
    for (const auto& message : sink.messages)
        (message.error ? std::cerr : std::cout) << message.text << "\n";
}

Json messagesJson(const RecordingSink& sink)
{
    Json messages = Json::array();
    for (const auto& message : sink.messages)
        messages.push_back({{"text", message.text}, {"error", message.error}});
    return messages;
}

int exitStatus(const RecordingSink& sink)
{
    return sink.errorCount() > 0 ? kExitMessage : kExitOk;
}

} // namespace qw::customers_cli
