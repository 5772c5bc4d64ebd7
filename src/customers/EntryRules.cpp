#include "EntryRules.h"

#include "CustomerFields.h"

#include <core/ConversionError.h>
#include <core/NumberText.h>
#include <storage/CodePage.h>

#include <algorithm>
#include <array>
#include <cstdio>

namespace qw::customers {

namespace {

struct FieldWords {
    std::string_view field;
    std::string_view words;
};
constexpr std::array<FieldWords, 12> kFieldWords = {{
    {field::NAME, "name"},
    {field::ADDR1, "first address line"},
    {field::ADDR2, "second address line"},
    {field::CITY, "city"},
    {field::STATE, "state"},
    {field::ZIP, "postal code"},
    {field::COUNTRY, "country"},
    {field::CCODE, "country code"},
    {field::COMMENTS, "comments"},
    {field::BOWWT, "bow weight"},
    {field::ARLEN, "arrow length"},
    {field::PNTWT, "point weight"},
}};

// The length of the UTF-8 sequence at text[at], 0 when it is not one.
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    return length;
}

std::string byteText(unsigned char byte)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

// What in text the code page cannot hold, each once, in order.
std::vector<std::string> unstorableLetters(std::string_view text, std::uint8_t codePage,
                                           bool& notUtf8)
{
    std::vector<std::string> letters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text, at);
        if (length == 0) {
            notUtf8 = true;
            ++at;
            continue;
        }
        const std::string_view letter = text.substr(at, length);
        at += length;
        if (length == 1 || storage::fromUtf8(letter, codePage) != "?")
            continue;
        if (std::find(letters.begin(), letters.end(), letter) == letters.end())
            letters.emplace_back(letter);
    }
    return letters;
}

std::string joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

// The first control character that a field of its kind may not hold.
std::optional<unsigned char> forbiddenControl(std::string_view field, std::string_view text)
{
    const bool comments = field == field::COMMENTS;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            continue;
        if (comments && (byte == '\r' || byte == '\n' || byte == '\t'))
            continue;
        return byte;
    }
    return std::nullopt;
}

std::string controlName(unsigned char byte)
{
    switch (byte) {
    case '\n':
    case '\r':
        return "a line break";
    case '\t':
        return "a tab";
    default:
        return "the control character " + byteText(byte);
    }
}

const storage::FieldDef* fieldOf(const storage::Table& table, std::string_view name)
{
    for (const storage::FieldDef& def : table.fields())
        if (def.name == name)
            return &def;
    return nullptr;
}

} // namespace

std::string_view detailWords(std::string_view field)
{
    for (const FieldWords& words : kFieldWords)
        if (words.field == field)
            return words.words;
    return field;
}

std::optional<std::string> detailRefusal(const storage::Table& table, std::string_view field,
                                         std::string_view text)
{
    const std::string words(detailWords(field));
    const std::string subject =
        "The " + words + (field == field::COMMENTS ? "" : " \"" + std::string(text) + "\"");
    bool notUtf8 = false;
    const std::vector<std::string> letters = unstorableLetters(text, table.codePageByte(), notUtf8);
    if (notUtf8)
        return "The " + words + " holds bytes that are not text (UTF-8) and cannot be stored.";
    if (!letters.empty())
        return subject +
               " cannot be stored: the customer table keeps the letters of Windows-1252 "
               "only, without " +
               joined(letters) + ".";
    if (const auto control = forbiddenControl(field, text))
        return "The " + words + " cannot hold " + controlName(*control) + ".";
    const storage::FieldDef* def = fieldOf(table, field);
    if (def && def->type != storage::FieldType::Memo) {
        const std::size_t length = storage::fromUtf8(text, table.codePageByte()).size();
        if (length > def->length)
            return subject + " is " + std::to_string(length) +
                   " characters long; the customer table keeps " + std::to_string(def->length) +
                   " at most.";
    }
    return std::nullopt;
}

std::optional<std::string> setupRefusal(const storage::Table& table,
                                        const std::vector<FieldText>& setupFields)
{
    for (const FieldText& value : setupFields) {
        if (value.field != field::BOWWT && value.field != field::ARLEN &&
            value.field != field::PNTWT)
            continue;
        try {
            parseWholeNumber(value.text);
        } catch (const ConversionError& error) {
            return std::string(error.what());
        }
        const storage::FieldDef* def = fieldOf(table, value.field);
        if (def && value.text.size() > def->length)
            return "The " + std::string(detailWords(value.field)) + " '" + value.text +
                   "' is longer than the customer table keeps (" + std::to_string(def->length) +
                   " characters).";
    }
    return std::nullopt;
}

std::string commentsWithCrLf(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' || text[i] == '\r')
            out += "\r\n";
        else
            out.push_back(text[i]);
    }
    return out;
}

} // namespace qw::customers
