#pragma once

// Number texts and exact decimal sums for the calculators. Weights are
// added in decimal, so that 30 x 9.1 + 10 + 100 + 18 + 13 is 414 and not
// 413.99999; texts of binary results are written as the program has always
// written them: 15 significant digits, "." as the decimal point, exponent
// form only for very large or very small values.

#include <selection/NumberText.h>

#include <optional>
#include <string>

namespace qw::calculators {

using selection::DecimalNumber;

DecimalNumber decimal(long long whole);
// a + b and a x b, exactly; nullopt when the result needs more digits than
// the exact form holds (only absurd field texts get there).
std::optional<DecimalNumber> addExact(const DecimalNumber& a, const DecimalNumber& b);
std::optional<DecimalNumber> multiplyExact(const DecimalNumber& a, const DecimalNumber& b);
int compare(const DecimalNumber& a, const DecimalNumber& b);
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

} // namespace qw::calculators
