#include "NumberText.h"

#include "RunError.h"

#include <climits>
#include <cstdio>

namespace qw::selection {

namespace {

// Digits beyond this many are not kept exactly; FloatToStr-style output
// shows 15 significant digits anyway.
constexpr int kMaxDigits = 30;
constexpr int kShownDigits = 15;
// Decimal digits that a product, times ten, still holds in a WideInteger.
constexpr int kWideDigits = 36;

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

// Rounds to the digits FloatToStr shows, half away from zero.
WideInteger roundToShownDigits(WideInteger value, int& scale)
{
    const int excess = digitCount(value) - kShownDigits;
    if (excess <= 0 || scale == 0)
        return value;
    const int drop = excess < scale ? excess : scale;
    const WideInteger divisor = powerOfTen(drop);
    const WideInteger half = divisor / 2;
    value = value < 0 ? -((-value + half) / divisor) : (value + half) / divisor;
    scale -= drop;
    return value;
}

std::string int128ToString(WideInteger value)
{
    if (value == 0)
        return "0";
    const bool negative = value < 0;
    std::string digits;
    while (value != 0) {
        const int digit = static_cast<int>(value % 10);
        digits.insert(digits.begin(), char('0' + (digit < 0 ? -digit : digit)));
        value /= 10;
    }
    return negative ? "-" + digits : digits;
}

long double toLongDouble(const DecimalNumber& number)
{
    long double real = static_cast<long double>(number.mantissa);
    for (int i = 0; i < number.scale; ++i)
        real /= 10;
    return real;
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

bool isBlank(char c)
{
    return c == ' ';
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

template <typename Pred> std::string trimWith(std::string_view text, Pred pred)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && pred(text[first]))
        ++first;
    while (last > first && pred(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
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
        return cutAtPoint(toLongDouble(grainsPerInch) * toLongDouble(length) + 0.5L);
    WideInteger value = grainsPerInch.mantissa * length.mantissa;
    // Add 0.5 exactly: at least one decimal place is needed for it.
    if (scale == 0) {
        value *= 10;
        scale = 1;
    }
    value += 5 * powerOfTen(scale - 1);
    value = roundToShownDigits(value, scale);
    const WideInteger whole = value / powerOfTen(scale); // cut toward zero
    if (digitCount(whole) > kShownDigits)
        return cutAtPoint(toLongDouble(DecimalNumber{value, scale}));
    if (whole == 0 && value < 0)
        return "-0";
    return int128ToString(whole);
}

std::string trimBlanks(std::string_view text)
{
    return trimWith(text, isBlank);
}

std::string trimBlanksAndControls(std::string_view text)
{
    return trimWith(text, isBlankOrControl);
}

std::string upToFirstBlank(std::string_view text)
{
    const auto blank = text.find(' ');
    return std::string(blank == std::string_view::npos ? text : text.substr(0, blank));
}

std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
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

} // namespace qw::selection
