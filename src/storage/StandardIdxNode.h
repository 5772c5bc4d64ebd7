#pragma once

// Decoding of a standard IDX node: fixed-width keys, each followed by a
// big-endian record number (leaf) or child node offset (interior).

#include "IdxNode.h"

#include <string_view>

namespace qw::storage {

class StandardIdxNode {
public:
    // Most entries a node holds for a key length.
    static std::size_t capacity(std::size_t keyLength);
    // raw: the node's 512 bytes. Throws StorageError::badFile naming fileName.
    static IdxNode decode(const unsigned char* raw, std::size_t keyLength,
                          std::string_view fileName);
};

} // namespace qw::storage
