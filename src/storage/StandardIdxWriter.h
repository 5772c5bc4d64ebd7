#pragma once

// Builds a standard IDX file in one pass from all its entries (bulk load):
// entries are sorted, packed into evenly filled leaves, and each level above
// holds the last key of every node below it, up to a single root. All leaves
// are at the same depth and siblings are chained left and right.

#include "IndexFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

// The memory a rebuild works in: the keys, their records, the sort order and
// the output buffer. Whoever rebuilds the same index again and again (a
// table handle after every save) keeps one, so that each rebuild reuses
// memory the last one already touched instead of faulting in fresh pages.
struct IdxBuildBuffers {
    struct SortItem {
        std::uint64_t head; // the key's first 8 bytes, big-endian, for quick ordering
        std::uint32_t key;  // number of the key in the key pool
        std::uint32_t pointer;
    };
    std::string keyPool;
    std::vector<std::uint32_t> records;
    std::vector<SortItem> items;
    std::vector<SortItem> parents;
    std::string out;
};

class StandardIdxWriter {
public:
    StandardIdxWriter(std::string_view expression, std::size_t keyLength);

    // The whole file's bytes for these entries.
    std::string build(std::vector<IndexEntry> entries) const;
    // build() and replace the file at path atomically.
    void write(const std::filesystem::path& path, std::vector<IndexEntry> entries) const;
    // The same from keys of exactly keyLength bytes laid end to end in
    // buffers.keyPool, the i-th for record buffers.records[i]: sorted once,
    // and each level written in one pass, to the file a buffer at a time.
    // The buffers keep their memory for the next rebuild.
    void write(const std::filesystem::path& path, IdxBuildBuffers& buffers) const;

private:
    using LevelItem = IdxBuildBuffers::SortItem;
    class Output;
    void checkEntries(std::vector<IndexEntry>& entries) const;
    void checkPool(const IdxBuildBuffers& buffers) const;
    void sortLeafItems(IdxBuildBuffers& buffers) const;
    // Header, then the levels from the leaves up; the header's bytes last.
    // The buffers have passed checkPool.
    void emit(IdxBuildBuffers& buffers, Output& out) const;
    void writeLevel(const std::vector<LevelItem>& items, const std::string& keyPool, bool leaf,
                    Output& out, std::vector<LevelItem>& parents) const;
    std::string header(std::uint32_t root, std::uint64_t fileSize) const;

    std::string expression_;
    std::size_t keyLength_;
};

} // namespace qw::storage
