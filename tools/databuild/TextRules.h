#pragma once

// The text rules the program applies to table fields: trimming, the cut at
// the first blank, the "*" cuts of Target sizes, and which texts its number
// conversions accept.

#include <string>
#include <string_view>

namespace qw::databuild {

std::string trim(std::string_view text);
// The text before its first blank (the whole text when it has none).
std::string upToFirstBlank(std::string_view text);

// A decimal number with "." as separator, blanks around it allowed.
bool isDecimalNumber(std::string_view text);
// A whole number, blanks around it allowed.
bool isWholeNumber(std::string_view text);
// Characters first..last (1-based, inclusive) of text; shorter texts give less.
std::string characters(std::string_view text, std::size_t first, std::size_t last);

} // namespace qw::databuild
