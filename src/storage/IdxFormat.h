#pragma once

// Byte layout of single-order IDX files, shared by the readers, the writer
// and the tests. Header and node header integers are little-endian; the
// pointers that follow each key in standard nodes and in compact interior
// nodes are big-endian ("left-to-right").

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace qw::storage::idx {

inline constexpr std::size_t kNodeSize = 512;
inline constexpr std::uint32_t kNoNode = 0xFFFFFFFFu;

// Header (both kinds share the first 16 bytes).
inline constexpr std::size_t kRootOffset = 0;
inline constexpr std::size_t kFreeListOffset = 4;
inline constexpr std::size_t kEndOfFileOffset = 8;
inline constexpr std::size_t kKeyLengthOffset = 12;
inline constexpr std::size_t kOptionsOffset = 14;
inline constexpr std::size_t kSignatureOffset = 15;

// Standard header: two 220-byte, NUL-terminated expression areas.
inline constexpr std::size_t kStandardHeaderSize = 512;
inline constexpr std::size_t kStandardKeyExprOffset = 16;
inline constexpr std::size_t kStandardForExprOffset = 236;
inline constexpr std::size_t kExpressionAreaSize = 220;

// Compact header: 512 bytes of fields, then a 512-byte expression pool that
// holds the key expression and then the FOR expression.
inline constexpr std::size_t kCompactHeaderSize = 1024;
inline constexpr std::size_t kCompactDescendingOffset = 502;
inline constexpr std::size_t kCompactForPoolLengthOffset = 506;
inline constexpr std::size_t kCompactKeyPoolLengthOffset = 510;
inline constexpr std::size_t kCompactPoolOffset = 512;
inline constexpr std::size_t kCompactPoolSize = 512;

// Index option bits.
inline constexpr std::uint8_t kOptionUnique = 0x01;
inline constexpr std::uint8_t kOptionHasFor = 0x08;
inline constexpr std::uint8_t kOptionCompact = 0x20;
inline constexpr std::uint8_t kOptionCompound = 0x40;

// Node header.
inline constexpr std::uint16_t kAttrRoot = 0x01;
inline constexpr std::uint16_t kAttrLeaf = 0x02;
inline constexpr std::size_t kNodeAttrOffset = 0;
inline constexpr std::size_t kNodeCountOffset = 2;
inline constexpr std::size_t kNodeLeftOffset = 4;
inline constexpr std::size_t kNodeRightOffset = 8;
inline constexpr std::size_t kNodeEntriesOffset = 12;
inline constexpr std::size_t kNodeEntriesSize = kNodeSize - kNodeEntriesOffset; // 500

// Compact leaf ("exterior") node fields.
inline constexpr std::size_t kLeafFreeSpaceOffset = 12;
inline constexpr std::size_t kLeafRecordMaskOffset = 14;
inline constexpr std::size_t kLeafDupMaskOffset = 18;
inline constexpr std::size_t kLeafTrailMaskOffset = 19;
inline constexpr std::size_t kLeafRecordBitsOffset = 20;
inline constexpr std::size_t kLeafDupBitsOffset = 21;
inline constexpr std::size_t kLeafTrailBitsOffset = 22;
inline constexpr std::size_t kLeafInfoBytesOffset = 23;
inline constexpr std::size_t kLeafInfoOffset = 24;

// Key length limits: every node must hold at least two entries, or the tree
// degenerates into a list. A standard entry is key + pointer; a compact
// interior entry is key + record number + child pointer.
inline constexpr std::size_t kStandardEntryOverhead = 4;
inline constexpr std::size_t kCompactInteriorEntryOverhead = 8;
inline constexpr std::size_t kMaxStandardKeyLength = kNodeEntriesSize / 2 - kStandardEntryOverhead;
inline constexpr std::size_t kMaxCompactKeyLength =
    kNodeEntriesSize / 2 - kCompactInteriorEntryOverhead;
// The longest character key this program writes (the xBase limit for an
// index key).
inline constexpr std::size_t kMaxWrittenKeyLength = 240;

// No B-tree of 512-byte nodes over 32-bit record numbers is deeper than this
// with two or more keys per node; a deeper path means a loop.
inline constexpr std::size_t kMaxTreeDepth = 32;

inline std::uint16_t readLe16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t readLe32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint32_t readBe32(const unsigned char* p)
{
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

inline void writeLe16(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

inline void writeLe32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline void writeBe32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * (3 - i)));
}

} // namespace qw::storage::idx
