#include "JsonText.h"

#include <cstdio>

namespace qw::setupcli {

std::string jsonText(const nlohmann::ordered_json& answer)
{
    return answer.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string terminalText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7F) || c == '\n' || c == '\r' || c == '\t') {
            out.push_back(c);
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        out += escaped;
    }
    return out;
}

} // namespace qw::setupcli
