#include "DbfFieldText.h"

#include "CodePage.h"
#include "StorageError.h"

#include <core/Text.h>

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qw::storage {
namespace {

std::string rightAligned(std::string_view text, std::size_t width)
{
    return std::string(width - text.size(), ' ') + std::string(text);
}

bool isPlainNumber(std::string_view text)
{
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        ++pos;
    bool digits = false;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        if (std::isdigit(static_cast<unsigned char>(text[pos])))
            digits = true;
        else if (text[pos] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

std::string encodeNumber(const FieldDef& field, std::string_view text)
{
    text = trimField(text);
    if (text.empty())
        return std::string(field.length, ' ');
    if (!isPlainNumber(text))
        throw StorageError("'" + std::string(text) + "' is not a valid number for field " +
                           field.name);
    std::string formatted;
    if (field.decimals == 0 && text.find('.') == std::string_view::npos) {
        // Whole numbers are kept digit for digit, with no detour through a double.
        formatted = std::string(text.front() == '+' ? text.substr(1) : text);
    } else {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(field.decimals),
                      std::strtod(std::string(text).c_str(), nullptr));
        formatted = buffer;
    }
    if (formatted.size() > field.length)
        throw StorageError("'" + std::string(text) + "' does not fit field " + field.name);
    return rightAligned(formatted, field.length);
}

std::string encodeDate(const FieldDef& field, std::string_view text)
{
    text = trimField(text);
    if (text.empty())
        return std::string(field.length, ' ');
    std::string digits;
    for (const char c : text)
        if (c != '-')
            digits.push_back(c);
    const bool ok = digits.size() == 8 && std::all_of(digits.begin(), digits.end(), [](char c) {
                        return std::isdigit(static_cast<unsigned char>(c));
                    });
    const int month = ok ? std::atoi(digits.substr(4, 2).c_str()) : 0;
    const int day = ok ? std::atoi(digits.substr(6, 2).c_str()) : 0;
    if (!ok || month < 1 || month > 12 || day < 1 || day > 31)
        throw StorageError("'" + std::string(text) + "' is not a valid date (YYYYMMDD) for field " +
                           field.name);
    return digits + std::string(field.length - 8, ' ');
}

std::string encodeLogical(const FieldDef& field, std::string_view text)
{
    text = trimField(text);
    char value = '?';
    if (!text.empty()) {
        switch (std::toupper(static_cast<unsigned char>(text.front()))) {
        case 'T':
        case 'Y':
            value = 'T';
            break;
        case 'F':
        case 'N':
            value = 'F';
            break;
        case '?':
            break;
        default:
            throw StorageError("'" + std::string(text) +
                               "' is not a valid logical value for field " + field.name);
        }
    }
    return std::string(1, value) + std::string(field.length - 1, ' ');
}

std::string decodeBinary(char type, std::string_view bytes)
{
    char buffer[64];
    if (type == 'I' && bytes.size() == 4) {
        std::int32_t v;
        std::memcpy(&v, bytes.data(), 4);
        return std::to_string(v);
    }
    if (type == 'B' && bytes.size() == 8) {
        double v;
        std::memcpy(&v, bytes.data(), 8);
        std::snprintf(buffer, sizeof buffer, "%.15g", v);
        return buffer;
    }
    if (type == 'Y' && bytes.size() == 8) {
        std::int64_t v;
        std::memcpy(&v, bytes.data(), 8);
        const std::uint64_t magnitude =
            v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        std::snprintf(buffer, sizeof buffer, "%s%" PRIu64 ".%04" PRIu64, v < 0 ? "-" : "",
                      magnitude / 10000, magnitude % 10000);
        return buffer;
    }
    return std::string(bytes);
}

} // namespace

namespace {

bool isBinaryField(const FieldDef& field)
{
    switch (static_cast<char>(field.type)) {
    case 'M':
    case 'G':
    case 'P':
        return field.length == 4;
    case 'I':
    case 'B':
    case 'Y':
    case 'T':
    case '0':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string blankRecord(const DbfLayout& layout)
{
    std::string record(layout.recordLength, ' ');
    for (std::size_t i = 0; i < layout.fields.size(); ++i)
        if (isBinaryField(layout.fields[i]))
            record.replace(layout.offsets[i], layout.fields[i].length, layout.fields[i].length,
                           '\0');
    return record;
}

std::string fieldBytesAsText(const DbfFile& file, std::string_view record, std::size_t index)
{
    const DbfLayout& layout = file.layout();
    const FieldDef& field = layout.fields[index];
    const std::string_view bytes = record.substr(layout.offsets[index], field.length);
    switch (static_cast<char>(field.type)) {
    case 'M':
        return file.readMemo(bytes, field.name);
    case 'I':
    case 'B':
    case 'Y':
        return decodeBinary(static_cast<char>(field.type), bytes);
    default:
        return std::string(bytes);
    }
}

std::string encodeFieldText(const FieldDef& field, std::string_view utf8, std::uint8_t codePage)
{
    switch (field.type) {
    case FieldType::Numeric:
    case FieldType::Float:
        return encodeNumber(field, utf8);
    case FieldType::Date:
        return encodeDate(field, utf8);
    case FieldType::Logical:
        return encodeLogical(field, utf8);
    case FieldType::Character: {
        std::string bytes = fromUtf8(utf8, codePage);
        bytes.resize(field.length, ' '); // longer text is cut at the width
        return bytes;
    }
    default:
        throw StorageError("Field " + field.name + " cannot be written");
    }
}

} // namespace qw::storage
