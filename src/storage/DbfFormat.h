#pragma once

// The on-disk layout of a DBF table: the 32-byte file header, the 32-byte
// field descriptors and the record, declared once and checked before use.

#include "FieldDef.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

enum class MemoKind { None, Fpt, Dbt3, Dbt4 };

struct DbfLayout {
    std::uint8_t version = 0x03;
    std::uint8_t codePage = 0x03;
    std::uint32_t headerRecordCount = 0; // as the header says; never trusted alone
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::vector<FieldDef> fields;
    std::vector<std::uint16_t> offsets; // of each field inside the record
    MemoKind memoKind = MemoKind::None;

    bool hasMemoFields() const;
    // Index of a field by name, letter case ignored; -1 when absent.
    int fieldIndex(std::string_view name) const;
};

inline constexpr std::size_t kDbfHeaderSize = 32;
inline constexpr std::size_t kFieldDescriptorSize = 32;
inline constexpr std::size_t kVfpBacklinkSize = 263;
inline constexpr char kDescriptorTerminator = 0x0D;
inline constexpr char kEndOfFile = 0x1A;
inline constexpr char kRecordLive = ' ';
inline constexpr char kRecordDeleted = '*';

bool isVisualFoxProVersion(std::uint8_t version);

// Parses and checks a header; the bytes are the start of the file (at least
// the whole header when the file is that long). Throws StorageError::badFile
// naming fileName with the reason.
DbfLayout parseDbfHeader(std::string_view bytes, std::uint64_t fileSize, std::string_view fileName);

// Checks a field list for a new table; throws StorageError naming the field.
void checkNewFields(const std::vector<FieldDef>& fields);

// The header and descriptors of a new, empty table.
std::string encodeDbfHeader(const DbfLayout& layout);
// A new layout for the fields (0x03, or 0xF5 with memo fields).
DbfLayout makeLayout(const std::vector<FieldDef>& fields, std::uint8_t codePage);

// Bytes 1..7 of the header: last update date and record count.
std::string encodeDateAndCount(std::uint32_t recordCount);

std::uint32_t readLe32(const char* p);
std::uint16_t readLe16(const char* p);
std::uint32_t readBe32(const char* p);
void writeLe32(char* p, std::uint32_t v);
void writeLe16(char* p, std::uint16_t v);
void writeBe32(char* p, std::uint32_t v);

} // namespace qw::storage
