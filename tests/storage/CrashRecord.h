#pragma once

// The self-checking record of the crash tests, shared by the writer helper
// and the test that verifies what the writer left.

#include "storage/Table.h"

#include <string>

inline std::vector<qw::storage::FieldDef> crashFields()
{
    using qw::storage::FieldType;
    return {{"NAME", FieldType::Character, 20, 0},
            {"K", FieldType::Numeric, 7, 0},
            {"V", FieldType::Numeric, 7, 0},
            {"CHK", FieldType::Character, 16, 0},
            {"NOTE", FieldType::Memo, 10, 0}};
}

inline std::string crashName(unsigned long k, long v)
{
    return "R" + std::to_string(k) + "-" + std::to_string(v);
}

inline std::string crashCheck(unsigned long k, long v)
{
    unsigned long h = 1469598103u;
    for (const char c : crashName(k, v))
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return std::to_string(h % 100000000000ul);
}

// Several lines, longer for some records, so that memos span blocks.
inline std::string crashNote(unsigned long k, long v)
{
    std::string note = "note " + crashName(k, v);
    for (unsigned long i = 0; i < (k + static_cast<unsigned long>(v)) % 5; ++i)
        note += "\r\nline " + std::to_string(i) + " of a longer memo text for " + crashName(k, v);
    return note;
}

inline void writeCrashRecord(qw::storage::Table& table, unsigned long k, long v)
{
    table.setField("NAME", crashName(k, v));
    table.setField("K", std::to_string(k));
    table.setField("V", std::to_string(v));
    table.setField("CHK", crashCheck(k, v));
    table.setField("NOTE", crashNote(k, v));
}
