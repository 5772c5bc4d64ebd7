#pragma once

// Builds a standard IDX file in one pass from all its entries (bulk load):
// entries are sorted, packed into evenly filled leaves, and each level above
// holds the last key of every node below it, up to a single root. All leaves
// are at the same depth and siblings are chained left and right.

#include "IndexFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

class StandardIdxWriter {
public:
    StandardIdxWriter(std::string_view expression, std::size_t keyLength);

    // The whole file's bytes for these entries.
    std::string build(std::vector<IndexEntry> entries) const;
    // The same from keys of exactly keyLength bytes laid end to end in
    // keyPool, the i-th for record records[i]: sorted once, and the leaf
    // level written in one pass over them.
    std::string build(const std::string& keyPool, const std::vector<std::uint32_t>& records) const;
    // build() and replace the file at path atomically.
    void write(const std::filesystem::path& path, std::vector<IndexEntry> entries) const;
    void write(const std::filesystem::path& path, const std::string& keyPool,
               const std::vector<std::uint32_t>& records) const;

private:
    // One entry of a level under construction: key bytes and pointer.
    struct LevelItem {
        std::uint64_t head; // the key's first 8 bytes, big-endian, for quick ordering
        std::uint32_t key;  // number of the key in the key pool
        std::uint32_t pointer;
    };
    void checkEntries(std::vector<IndexEntry>& entries) const;
    std::vector<LevelItem> sortedLeafItems(const std::string& keyPool,
                                           const std::vector<std::uint32_t>& records) const;
    void replaceFile(const std::filesystem::path& path, const std::string& bytes) const;
    std::vector<LevelItem> writeLevel(const std::vector<LevelItem>& items,
                                      const std::string& keyPool, bool leaf,
                                      std::string& file) const;
    void writeHeader(std::string& file, std::uint32_t root) const;

    std::string expression_;
    std::size_t keyLength_;
};

} // namespace qw::storage
