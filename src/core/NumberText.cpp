#include "NumberText.h"

#include "ConversionError.h"
#include "Text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qw {

namespace {

// Digits beyond this many are not kept exactly; FloatToStr-style output
// shows 15 significant digits anyway.
constexpr int kMaxDigits = 30;
constexpr int kShownDigits = 15;
// Decimal digits that a product, times ten, still holds in a WideInteger.
constexpr int kWideDigits = 36;
// A product or an aligned sum below 10^37 fits the 128-bit mantissa.
constexpr int kSafeDigits = 37;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct RealScanner {
    const std::string& text;
    std::size_t pos = 0;
    DecimalNumber number;
    int keptDigits = 0;
    bool negative = false;
    bool sawDigit = false;

    bool atEnd() const { return pos == text.size(); }
    char peek() const { return atEnd() ? '\0' : text[pos]; }

    void sign()
    {
        if (peek() == '+' || peek() == '-')
            negative = text[pos++] == '-';
    }

    void digits(bool fractional)
    {
        while (isDigit(peek())) {
            sawDigit = true;
            const int digit = text[pos++] - '0';
            if (keptDigits >= kMaxDigits) {
                if (!fractional)
                    --number.scale; // a dropped whole digit still counts
                continue;
            }
            if (number.mantissa != 0 || digit != 0)
                ++keptDigits;
            number.mantissa = number.mantissa * 10 + digit;
            if (fractional)
                ++number.scale;
        }
    }

    // Returns false for a malformed exponent.
    bool exponent()
    {
        if (peek() != 'e' && peek() != 'E')
            return true;
        ++pos;
        bool negativeExponent = false;
        if (peek() == '+' || peek() == '-')
            negativeExponent = text[pos++] == '-';
        if (!isDigit(peek()))
            return false;
        int value = 0;
        while (isDigit(peek())) {
            value = value * 10 + (text[pos++] - '0');
            if (value > 1000)
                return false;
        }
        number.scale += negativeExponent ? value : -value;
        return true;
    }
};

// Brings a negative scale (a whole number times a power of ten) to scale 0.
bool normalise(DecimalNumber& number)
{
    if (number.scale >= 0)
        return true;
    if (number.mantissa == 0) {
        number.scale = 0;
        return true;
    }
    if (digitCount(number.mantissa) - number.scale > kWideDigits)
        return false;
    number.mantissa *= powerOfTen(-number.scale);
    number.scale = 0;
    return true;
}

// The bare shaft weight's real path converts as it always has, by
// repeated division (not correctly rounded, which toLongDouble is).
long double dividedOut(const DecimalNumber& number)
{
    long double real = static_cast<long double>(number.mantissa);
    for (int i = 0; i < number.scale; ++i)
        real /= 10;
    return real;
}

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

// Very large weights print in exponent form; the caption is cut at the point.
std::string cutAtPoint(long double real)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15LG", real);
    std::string text(buffer);
    const auto point = text.find('.');
    return point == std::string::npos ? text : text.substr(0, point);
}

} // namespace

int parseWholeNumber(const std::string& text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    if (pos == text.size())
        throw ConversionError::notInteger(text);
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        if (!isDigit(text[pos]))
            throw ConversionError::notInteger(text);
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            throw ConversionError::notInteger(text);
    }
    value = negative ? -value : value;
    if (value > INT_MAX || value < INT_MIN)
        throw ConversionError::notInteger(text);
    return static_cast<int>(value);
}

DecimalNumber parseRealNumber(const std::string& text)
{
    RealScanner scanner{text, 0, {}, 0, false, false};
    scanner.sign();
    scanner.digits(false);
    if (scanner.peek() == '.') {
        ++scanner.pos;
        scanner.digits(true);
    }
    if (!scanner.sawDigit || !scanner.exponent() || !scanner.atEnd())
        throw ConversionError::notFloat(text);
    DecimalNumber number = scanner.number;
    if (!normalise(number))
        throw ConversionError::notFloat(text);
    if (scanner.negative)
        number.mantissa = -number.mantissa;
    return number;
}

DecimalNumber parseRealField(std::string_view fieldText)
{
    return parseRealNumber(trimBlanks(fieldText));
}

std::string bareShaftWeight(const DecimalNumber& grainsPerInch, const DecimalNumber& length)
{
    int scale = grainsPerInch.scale + length.scale;
    // The exact product and the 0.5 at its last place must fit the wide
    // integer: a GPI text of many places ("1e-60") takes the real path too.
    if (digitCount(grainsPerInch.mantissa) + digitCount(length.mantissa) > kWideDigits ||
        scale > kWideDigits)
        return cutAtPoint(dividedOut(grainsPerInch) * dividedOut(length) + 0.5L);
    WideInteger value = grainsPerInch.mantissa * length.mantissa;
    // Add 0.5 exactly: at least one decimal place is needed for it.
    if (scale == 0) {
        value *= 10;
        scale = 1;
    }
    value += 5 * powerOfTen(scale - 1);
    const DecimalNumber shown = roundToShownDigits({value, scale});
    value = shown.mantissa;
    scale = shown.scale;
    const WideInteger whole = value / powerOfTen(scale); // cut toward zero
    if (digitCount(whole) > kShownDigits)
        return cutAtPoint(dividedOut(DecimalNumber{value, scale}));
    if (whole == 0 && value < 0)
        return "-0";
    return (whole < 0 ? "-" : "") + digitsOf(whole);
}

WideInteger powerOfTen(int exponent)
{
    WideInteger value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

int digitCount(WideInteger value)
{
    if (value < 0)
        value = -value;
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

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

} // namespace qw
