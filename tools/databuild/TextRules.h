#pragma once

// The text rules the program applies to table fields besides the core's
// trims and cut at the first blank: the "*" cuts of Target sizes, and which
// texts its number conversions accept.

#include <core/Text.h>

#include <string>
#include <string_view>

namespace qw::databuild {

// A decimal number with "." as separator, blanks around it allowed.
bool isDecimalNumber(std::string_view text);
// A whole number, blanks around it allowed.
bool isWholeNumber(std::string_view text);
// Characters first..last (1-based, inclusive) of text; shorter texts give less.
std::string characters(std::string_view text, std::size_t first, std::size_t last);

} // namespace qw::databuild
