#pragma once

#include <cstdint>
#include <string>

namespace qw::storage {

enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Float = 'F',
    Date = 'D',
    Logical = 'L',
    Memo = 'M',
};

struct FieldDef {
    std::string name; // upper case, at most 10 characters
    FieldType type = FieldType::Character;
    std::uint8_t length = 0;   // width in the record, in bytes
    std::uint8_t decimals = 0; // N and F only
};

} // namespace qw::storage
