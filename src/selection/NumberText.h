#pragma once

// Numbers from texts, the way the engine reads them: whole numbers strictly,
// real numbers with "." whatever the locale, and the bare shaft weight
// worked out in decimal so that 9.2 x 29 + 0.5 is 267.3 and not 267.29999.

#include <cstdint>
#include <string>
#include <string_view>

namespace qw::selection {

// Exact decimal arithmetic needs more than 64 bits for a product of two
// thirty-digit mantissas.
__extension__ typedef __int128 WideInteger;

// An optional sign and decimal digits, nothing else (no blanks).
// Throws ConversionError "'<text>' is not a valid integer value".
int parseWholeNumber(const std::string& text);

// A real number held exactly as mantissa x 10^-scale.
struct DecimalNumber {
    WideInteger mantissa = 0;
    int scale = 0;
};

// An optional sign, digits with at most one ".", an optional exponent.
// Throws ConversionError "'<text>' is not a valid floating point value".
DecimalNumber parseRealNumber(const std::string& text);

// Blanks around the number are allowed here (field texts are padded).
DecimalNumber parseRealField(std::string_view fieldText);

// The caption of a bare shaft weight: the whole part of
// gpi x length + 0.5, cut (not rounded) at its decimal point.
std::string bareShaftWeight(const DecimalNumber& grainsPerInch, const DecimalNumber& length);

// 10^exponent, and the decimal digits of a value's magnitude (1 for 0).
WideInteger powerOfTen(int exponent);
int digitCount(WideInteger value);

std::string trimBlanks(std::string_view text);
// Blanks and control characters removed at both ends.
std::string trimBlanksAndControls(std::string_view text);
// The text up to, not including, its first blank (the whole text without one).
std::string upToFirstBlank(std::string_view text);
// Code points of a UTF-8 text.
std::size_t characterCount(std::string_view text);

} // namespace qw::selection
