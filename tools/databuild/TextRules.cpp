#include "TextRules.h"

#include <cctype>

namespace qw::databuild {

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t skipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

std::size_t skipSign(std::string_view text, std::size_t at)
{
    return at < text.size() && (text[at] == '+' || text[at] == '-') ? at + 1 : at;
}

} // namespace

bool isDecimalNumber(std::string_view text)
{
    const std::string body = trimBlanks(text);
    std::size_t at = skipSign(body, 0);
    const std::size_t integerStart = at;
    at = skipDigits(body, at);
    std::size_t digits = at - integerStart;
    if (at < body.size() && body[at] == '.') {
        const std::size_t fractionStart = ++at;
        at = skipDigits(body, at);
        digits += at - fractionStart;
    }
    if (digits == 0)
        return false;
    if (at < body.size() && (body[at] == 'e' || body[at] == 'E')) {
        const std::size_t exponentStart = skipSign(body, at + 1);
        at = skipDigits(body, exponentStart);
        if (at == exponentStart)
            return false;
    }
    return at == body.size();
}

bool isWholeNumber(std::string_view text)
{
    const std::string body = trimBlanks(text);
    const std::size_t start = skipSign(body, 0);
    return start < body.size() && skipDigits(body, start) == body.size();
}

std::string characters(std::string_view text, std::size_t first, std::size_t last)
{
    if (first < 1 || first > text.size() || last < first)
        return {};
    return std::string(text.substr(first - 1, last - first + 1));
}

} // namespace qw::databuild
