#pragma once

// Conversion between UTF-8 and a table's code page, named by the DBF
// language driver byte (0x03 Windows-1252, 0x01 437, 0x02 850, 0xC8 1250,
// 0xC9 1251, ...; 0 means no marking and is read as Windows-1252).

#include <cstdint>
#include <string>
#include <string_view>

namespace qw::storage {

std::string toUtf8(std::string_view bytes, std::uint8_t codePageByte);
// Characters the code page lacks become '?'.
std::string fromUtf8(std::string_view utf8, std::uint8_t codePageByte);
bool isKnownCodePage(std::uint8_t codePageByte);

} // namespace qw::storage
