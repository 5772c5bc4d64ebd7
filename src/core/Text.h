#pragma once

// Trims and compares of the texts every layer handles: table fields padded
// with blanks (or NULs), typed entries, table and field names. Letters are
// compared and changed in ASCII only, whatever the locale: names in the
// tables are ASCII, and other bytes are Windows-1252 letters that must stay
// as they are.

#include <cstddef>
#include <string>
#include <string_view>

namespace qw {

// Blanks removed at both ends.
std::string trimBlanks(std::string_view text);
// Blanks and control characters removed at both ends.
std::string trimBlanksAndControls(std::string_view text);
std::string_view trimLeadingBlanks(std::string_view text);
std::string_view trimTrailingBlanks(std::string_view text);
// A character field's padding removed: blanks and NULs at the end.
std::string_view trimFieldEnd(std::string_view text);
// The padding removed at the end and blanks at the start (number fields).
std::string_view trimField(std::string_view text);
// The text up to, not including, its first blank (the whole text without one).
std::string upToFirstBlank(std::string_view text);
// Code points of a UTF-8 text.
std::size_t characterCount(std::string_view text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);

} // namespace qw
