#pragma once

// The tools' JSON answers as text. Texts reach the answers from the command
// line, from table files and from messages quoting either, and need not be
// UTF-8; JSON must be. Each byte that is not part of UTF-8 text is written
// as U+FFFD (the replacement character) instead of ending the tool with an
// exception, so that an answer is always written and always parses.

#include <nlohmann/json.hpp>

#include <string>

namespace qw::setupcli {

std::string jsonText(const nlohmann::ordered_json& answer);

// Text for a terminal: a control character (other than a line break or a
// tab) is shown as \xNN, so that a stored escape sequence is never run by
// the terminal.
std::string terminalText(std::string_view text);

} // namespace qw::setupcli
