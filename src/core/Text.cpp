#include "Text.h"

#include <algorithm>

namespace qw {

namespace {

bool isBlank(char c)
{
    return c == ' ';
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

bool isPadding(char c)
{
    return c == ' ' || c == '\0';
}

template <typename Pred> std::string_view trimStart(std::string_view text, Pred pred)
{
    while (!text.empty() && pred(text.front()))
        text.remove_prefix(1);
    return text;
}

template <typename Pred> std::string_view trimEnd(std::string_view text, Pred pred)
{
    while (!text.empty() && pred(text.back()))
        text.remove_suffix(1);
    return text;
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string trimBlanks(std::string_view text)
{
    return std::string(trimStart(trimEnd(text, isBlank), isBlank));
}

std::string trimBlanksAndControls(std::string_view text)
{
    return std::string(trimStart(trimEnd(text, isBlankOrControl), isBlankOrControl));
}

std::string_view trimLeadingBlanks(std::string_view text)
{
    return trimStart(text, isBlank);
}

std::string_view trimTrailingBlanks(std::string_view text)
{
    return trimEnd(text, isBlank);
}

std::string_view trimFieldEnd(std::string_view text)
{
    return trimEnd(text, isPadding);
}

std::string_view trimField(std::string_view text)
{
    return trimStart(trimEnd(text, isPadding), isBlank);
}

std::string upToFirstBlank(std::string_view text)
{
    return std::string(text.substr(0, text.find(' ')));
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return upper(x) == upper(y); });
}

std::string upperAscii(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upper);
    return result;
}

std::string lowerAscii(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

} // namespace qw
