#include "DbfFormat.h"

#include "StorageError.h"

#include <core/Text.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <set>

namespace qw::storage {
namespace {

std::string hexByte(std::uint8_t b)
{
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[b >> 4] + digits[b & 0xF];
}

MemoKind memoKindFor(std::uint8_t version)
{
    switch (version) {
    case 0x83:
        return MemoKind::Dbt3;
    case 0x8B:
    case 0xCB:
        return MemoKind::Dbt4;
    default:
        return MemoKind::Fpt;
    }
}

bool isKnownVersion(std::uint8_t version)
{
    switch (version) {
    case 0x03: // FoxBASE+/dBase III, no memo
    case 0x30: // Visual FoxPro
    case 0x31: // Visual FoxPro with autoincrement
    case 0x32: // Visual FoxPro with varchar
    case 0x83: // dBase III with DBT memo
    case 0x8B: // dBase IV with DBT memo
    case 0xCB:
    case 0xF5: // FoxPro 2.x with FPT memo
    case 0xFB:
        return true;
    default:
        return false;
    }
}

FieldDef parseDescriptor(const char* d)
{
    FieldDef field;
    const std::size_t nameLength = strnlen(d, 11);
    field.name = upperAscii(std::string_view(d, nameLength));
    field.type = static_cast<FieldType>(std::toupper(static_cast<unsigned char>(d[11])));
    field.length = static_cast<std::uint8_t>(d[16]);
    field.decimals = static_cast<std::uint8_t>(d[17]);
    return field;
}

void checkField(const FieldDef& field, std::string_view fileName)
{
    if (field.length == 0)
        throw StorageError::badFile(fileName, "field " + field.name + " has width 0");
    const auto type = static_cast<char>(field.type);
    if (type == 'M' && field.length != 10 && field.length != 4)
        throw StorageError::badFile(fileName, "memo field " + field.name + " has width " +
                                                  std::to_string(field.length));
    if (std::isprint(static_cast<unsigned char>(type)) == 0)
        throw StorageError::badFile(fileName, "field " + field.name + " has an unknown type");
}

} // namespace

bool DbfLayout::hasMemoFields() const
{
    return std::any_of(fields.begin(), fields.end(),
                       [](const FieldDef& f) { return f.type == FieldType::Memo; });
}

int DbfLayout::fieldIndex(std::string_view name) const
{
    const std::string wanted = upperAscii(name);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == wanted)
            return static_cast<int>(i);
    return -1;
}

bool isVisualFoxProVersion(std::uint8_t version)
{
    return version == 0x30 || version == 0x31 || version == 0x32;
}

std::uint32_t readLe32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}

std::uint16_t readLe16(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(u[0] | (u[1] << 8));
}

std::uint32_t readBe32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return (static_cast<std::uint32_t>(u[0]) << 24) | (u[1] << 16) | (u[2] << 8) | u[3];
}

void writeLe32(char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void writeLe16(char* p, std::uint16_t v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

void writeBe32(char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
}

DbfLayout parseDbfHeader(std::string_view bytes, std::uint64_t fileSize, std::string_view fileName)
{
    if (bytes.size() < kDbfHeaderSize)
        throw StorageError::badFile(fileName, "file is too short for a table header");
    DbfLayout layout;
    layout.version = static_cast<std::uint8_t>(bytes[0]);
    if (!isKnownVersion(layout.version))
        throw StorageError::badFile(fileName, "unknown version byte " + hexByte(layout.version));
    layout.headerRecordCount = readLe32(bytes.data() + 4);
    layout.headerLength = readLe16(bytes.data() + 8);
    layout.recordLength = readLe16(bytes.data() + 10);
    layout.codePage = static_cast<std::uint8_t>(bytes[29]);
    if (layout.headerLength > fileSize || layout.headerLength > bytes.size())
        throw StorageError::badFile(fileName, "header length runs past the end of the file");
    if (layout.headerLength < kDbfHeaderSize + kFieldDescriptorSize + 1)
        throw StorageError::badFile(fileName, "header length is too small for one field");

    std::size_t pos = kDbfHeaderSize;
    while (pos < layout.headerLength && bytes[pos] != kDescriptorTerminator) {
        if (pos + kFieldDescriptorSize > layout.headerLength)
            throw StorageError::badFile(fileName, "field descriptors run past the header");
        layout.fields.push_back(parseDescriptor(bytes.data() + pos));
        pos += kFieldDescriptorSize;
    }
    if (layout.fields.empty())
        throw StorageError::badFile(fileName, "table has no fields");
    if (layout.fields.size() > 255)
        throw StorageError::badFile(fileName, "table has more than 255 fields");
    const std::size_t needed =
        pos + 1 + (isVisualFoxProVersion(layout.version) ? kVfpBacklinkSize : 0);
    if (pos >= layout.headerLength || needed > layout.headerLength)
        throw StorageError::badFile(fileName, "header length does not match the field count");

    std::set<std::string> names;
    std::uint32_t offset = 1; // the deletion flag comes first
    for (const FieldDef& field : layout.fields) {
        checkField(field, fileName);
        if (!names.insert(field.name).second)
            throw StorageError::badFile(fileName, "field " + field.name + " appears twice");
        layout.offsets.push_back(
            static_cast<std::uint16_t>(std::min<std::uint32_t>(offset, 0xFFFF)));
        offset += field.length;
    }
    if (offset != layout.recordLength)
        throw StorageError::badFile(fileName, "field widths do not add up to the record length");
    if (layout.hasMemoFields())
        layout.memoKind = memoKindFor(layout.version);
    return layout;
}

void checkNewFields(const std::vector<FieldDef>& fields)
{
    if (fields.empty())
        throw StorageError("A table needs at least one field");
    if (fields.size() > 255)
        throw StorageError("A table holds at most 255 fields");
    std::set<std::string> names;
    std::uint32_t recordLength = 1;
    for (const FieldDef& field : fields) {
        const std::string name = upperAscii(field.name);
        if (name.empty() || name.size() > 10)
            throw StorageError("Field name '" + field.name + "' must have 1 to 10 characters");
        const bool nameOk = std::all_of(name.begin(), name.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
        });
        if (!nameOk || std::isalpha(static_cast<unsigned char>(name[0])) == 0)
            throw StorageError("Field name '" + field.name + "' is not valid");
        if (!names.insert(name).second)
            throw StorageError("Field name '" + field.name + "' appears twice");
        switch (field.type) {
        case FieldType::Character:
        case FieldType::Numeric:
        case FieldType::Float:
            if (field.length == 0)
                throw StorageError("Field " + name + " needs a width");
            if (field.type != FieldType::Character &&
                (field.length > 20 || field.decimals >= field.length))
                throw StorageError("Field " + name + " has an invalid width or decimals");
            break;
        case FieldType::Date:
        case FieldType::Logical:
        case FieldType::Memo:
            break;
        default:
            throw StorageError("Field " + name + " has a type that cannot be created");
        }
        recordLength += field.length == 0 ? 8 : field.length;
    }
    if (recordLength > 4000)
        throw StorageError("Record is too long");
}

DbfLayout makeLayout(const std::vector<FieldDef>& fields, std::uint8_t codePage)
{
    checkNewFields(fields);
    DbfLayout layout;
    layout.codePage = codePage;
    std::uint32_t offset = 1;
    for (FieldDef field : fields) {
        field.name = upperAscii(field.name);
        // Fixed widths of the fixed-width types; whatever the caller gave.
        if (field.type == FieldType::Date)
            field.length = 8;
        if (field.type == FieldType::Logical)
            field.length = 1;
        if (field.type == FieldType::Memo)
            field.length = 10;
        if (field.type != FieldType::Numeric && field.type != FieldType::Float)
            field.decimals = 0;
        layout.offsets.push_back(static_cast<std::uint16_t>(offset));
        offset += field.length;
        layout.fields.push_back(field);
    }
    layout.recordLength = static_cast<std::uint16_t>(offset);
    layout.headerLength =
        static_cast<std::uint16_t>(kDbfHeaderSize + kFieldDescriptorSize * fields.size() + 1);
    layout.version = layout.hasMemoFields() ? 0xF5 : 0x03;
    layout.memoKind = layout.hasMemoFields() ? MemoKind::Fpt : MemoKind::None;
    return layout;
}

std::string encodeDateAndCount(std::uint32_t recordCount)
{
    std::string out(7, '\0');
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    out[0] = static_cast<char>(local.tm_year % 256); // years since 1900
    out[1] = static_cast<char>(local.tm_mon + 1);
    out[2] = static_cast<char>(local.tm_mday);
    writeLe32(out.data() + 3, recordCount);
    return out;
}

std::string encodeDbfHeader(const DbfLayout& layout)
{
    std::string header(layout.headerLength, '\0');
    header[0] = static_cast<char>(layout.version);
    const std::string dateAndCount = encodeDateAndCount(0);
    std::memcpy(header.data() + 1, dateAndCount.data(), dateAndCount.size());
    writeLe16(header.data() + 8, layout.headerLength);
    writeLe16(header.data() + 10, layout.recordLength);
    header[29] = static_cast<char>(layout.codePage);
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        char* d = header.data() + kDbfHeaderSize + i * kFieldDescriptorSize;
        const FieldDef& field = layout.fields[i];
        std::memcpy(d, field.name.data(), field.name.size());
        d[11] = static_cast<char>(field.type);
        writeLe32(d + 12, layout.offsets[i]);
        d[16] = static_cast<char>(field.length);
        d[17] = static_cast<char>(field.decimals);
    }
    header[kDbfHeaderSize + layout.fields.size() * kFieldDescriptorSize] = kDescriptorTerminator;
    return header;
}

} // namespace qw::storage
