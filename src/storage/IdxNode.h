#pragma once

// One B-tree node of an IDX file, decoded into a form both file kinds share:
// keys laid end to end (keyLength bytes each), and per key either a record
// number (leaf) or the file offset of a child node (interior).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

struct IdxNode {
    bool leaf = true;
    std::size_t keyLength = 0;
    std::string keys;
    std::vector<std::uint32_t> pointers;

    std::size_t count() const { return pointers.size(); }
    std::string_view key(std::size_t i) const
    {
        return std::string_view(keys).substr(i * keyLength, keyLength);
    }
};

} // namespace qw::storage
