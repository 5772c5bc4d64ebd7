#include "CalcNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace qw::calculators {

using selection::digitCount;
using selection::powerOfTen;
using selection::WideInteger;

namespace {

constexpr int kShownDigits = 15;
// A product or an aligned sum below 10^37 fits the 128-bit mantissa.
constexpr int kSafeDigits = 37;


std::string digitsOf(WideInteger value)
{
    if (value < 0)
        value = -value;
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

// Rounds away the digits beyond the fifteen a text shows, half away from zero.
DecimalNumber roundToShownDigits(DecimalNumber value)
{
    const int excess = digitCount(value.mantissa) - kShownDigits;
    if (excess <= 0 || value.scale <= 0)
        return value;
    const int drop = std::min(excess, value.scale);
    const WideInteger divisor = powerOfTen(drop);
    const WideInteger magnitude = value.mantissa < 0 ? -value.mantissa : value.mantissa;
    const WideInteger rounded = (magnitude + divisor / 2) / divisor;
    return {value.mantissa < 0 ? -rounded : rounded, value.scale - drop};
}

// Brings both to the larger scale; false when that would not fit.
bool align(DecimalNumber& a, DecimalNumber& b)
{
    DecimalNumber& lower = a.scale < b.scale ? a : b;
    const int raise = std::abs(a.scale - b.scale);
    if (digitCount(lower.mantissa) + raise > kSafeDigits)
        return false;
    lower.mantissa *= powerOfTen(raise);
    lower.scale += raise;
    return true;
}

} // namespace

DecimalNumber decimal(long long whole)
{
    return {WideInteger(whole), 0};
}

std::optional<DecimalNumber> addExact(const DecimalNumber& a, const DecimalNumber& b)
{
    DecimalNumber x = a;
    DecimalNumber y = b;
    if (!align(x, y) || std::max(digitCount(x.mantissa), digitCount(y.mantissa)) >= kSafeDigits)
        return std::nullopt;
    return DecimalNumber{x.mantissa + y.mantissa, x.scale};
}

std::optional<DecimalNumber> multiplyExact(const DecimalNumber& a, const DecimalNumber& b)
{
    if (digitCount(a.mantissa) + digitCount(b.mantissa) > kSafeDigits)
        return std::nullopt;
    return DecimalNumber{a.mantissa * b.mantissa, a.scale + b.scale};
}

int compare(const DecimalNumber& a, const DecimalNumber& b)
{
    DecimalNumber x = a;
    DecimalNumber y = b;
    if (!align(x, y)) {
        const long double p = toLongDouble(a);
        const long double q = toLongDouble(b);
        return p < q ? -1 : p > q ? 1 : 0;
    }
    return x.mantissa < y.mantissa ? -1 : x.mantissa > y.mantissa ? 1 : 0;
}

long double toLongDouble(const DecimalNumber& value)
{
    // Through the text, so that the conversion is correctly rounded
    // (from_chars, unlike strtold, ignores the locale).
    const std::string text = (value.mantissa < 0 ? "-" : "") + digitsOf(value.mantissa) + "e" +
                             std::to_string(-value.scale);
    long double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

std::string wholePartText(const DecimalNumber& value)
{
    const DecimalNumber shown = roundToShownDigits(value);
    if (shown.scale < 0 || digitCount(shown.mantissa) - shown.scale > kShownDigits)
        return wholePartText(toLongDouble(value));
    const WideInteger whole = shown.mantissa / powerOfTen(shown.scale); // toward zero
    return (shown.mantissa < 0 ? "-" : "") + digitsOf(whole);
}

std::string wholePartText(long double value)
{
    const std::string text = generalText(value);
    return text.substr(0, text.find('.'));
}

std::string decimalText(const DecimalNumber& value, int minDecimals)
{
    WideInteger mantissa = value.mantissa;
    int scale = value.scale;
    while (scale > minDecimals && mantissa % 10 == 0) {
        mantissa /= 10;
        --scale;
    }
    for (; scale < minDecimals; ++scale)
        mantissa *= 10;
    std::string digits = digitsOf(mantissa);
    if (scale > 0) {
        if (int(digits.size()) <= scale)
            digits.insert(0, std::size_t(scale + 1 - int(digits.size())), '0');
        digits.insert(digits.size() - std::size_t(scale), ".");
    }
    return (mantissa < 0 ? "-" : "") + digits;
}

std::string generalText(long double value)
{
    if (value == 0)
        return "0";
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, kShownDigits - 1);
    // d.dddddddddddddde[+-]xx, whatever the locale
    const std::string_view text(buffer, std::size_t(written.ptr - buffer));
    const bool negative = text.front() == '-';
    const std::string_view body = text.substr(negative ? 1 : 0);
    const auto e = body.find('e');
    std::string digits = std::string(1, body[0]) + std::string(body.substr(2, e - 2));
    const int exponent = std::atoi(std::string(body.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string result = negative ? "-" : "";
    if (exponent >= kShownDigits || exponent < -4) {
        result += digits.substr(0, 1);
        if (digits.size() > 1)
            result += "." + digits.substr(1);
        return result + "E" + std::to_string(exponent);
    }
    if (exponent < 0)
        return result + "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    const std::size_t wholeDigits = std::size_t(exponent) + 1;
    if (digits.size() <= wholeDigits)
        return result + digits + std::string(wholeDigits - digits.size(), '0');
    return result + digits.substr(0, wholeDigits) + "." + digits.substr(wholeDigits);
}

std::string cutAfterDecimals(const std::string& text, int decimals)
{
    const auto point = text.find('.');
    if (point == std::string::npos)
        return text;
    return text.substr(0, std::min(text.size(), point + 1 + std::size_t(decimals)));
}

} // namespace qw::calculators
