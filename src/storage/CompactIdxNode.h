#pragma once

// Decoding of a compact IDX node. Interior nodes hold fixed-width keys, each
// followed by a big-endian record number and child offset. Leaf nodes hold,
// after a 24-byte header, one small little-endian bit field per key (record
// number, count of leading bytes shared with the previous key, count of
// trailing blanks dropped) and store the remaining key bytes packed from the
// node's end towards its start.

#include "IdxNode.h"

#include <string_view>

namespace qw::storage {

class CompactIdxNode {
public:
    static std::size_t interiorCapacity(std::size_t keyLength);
    // raw: the node's 512 bytes. Throws StorageError::badFile naming fileName.
    static IdxNode decode(const unsigned char* raw, std::size_t keyLength,
                          std::string_view fileName);

private:
    static IdxNode decodeInterior(const unsigned char* raw, std::size_t count,
                                  std::size_t keyLength, std::string_view fileName);
    static IdxNode decodeLeaf(const unsigned char* raw, std::size_t count, std::size_t keyLength,
                              std::string_view fileName);
};

} // namespace qw::storage
