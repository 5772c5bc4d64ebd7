#pragma once

// Numbers from texts and exact decimal sums. Whole numbers are read
// strictly, real numbers with "." whatever the locale. Weights are worked
// out in decimal, so that 9.2 x 29 + 0.5 is 267.3 and not 267.29999, and
// 30 x 9.1 + 10 + 100 + 18 + 13 is 414 and not 413.99999. Texts of binary
// results are written as the program has always written them: 15
// significant digits, "." as the decimal point, exponent form only for very
// large or very small values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qw {

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

DecimalNumber decimal(long long whole);
// a + b and a x b, exactly; nullopt when the result needs more digits than
// the exact form holds (only absurd field texts get there).
std::optional<DecimalNumber> addExact(const DecimalNumber& a, const DecimalNumber& b);
std::optional<DecimalNumber> multiplyExact(const DecimalNumber& a, const DecimalNumber& b);
int compare(const DecimalNumber& a, const DecimalNumber& b);
// Correctly rounded.
long double toLongDouble(const DecimalNumber& value);

// The value written with 15 significant digits and everything from the
// decimal point on removed ("285.6" -> "285", "-0.4" -> "-0").
std::string wholePartText(const DecimalNumber& value);
std::string wholePartText(long double value);

// An input's value as its box shows it: exact, without trailing zeros, but
// with at least minDecimals decimals ("30" -> "30.0" for one).
std::string decimalText(const DecimalNumber& value, int minDecimals);

// A binary value in general number format: up to 15 significant digits,
// trailing zeros dropped, "." as the point; exponent form ("1.5E-7",
// "2E20") when the value is below 0.0001 or has more than 15 whole digits.
std::string generalText(long double value);

// The text cut after the given number of decimals when it has a decimal
// point (nothing is rounded).
std::string cutAfterDecimals(const std::string& text, int decimals);

} // namespace qw
