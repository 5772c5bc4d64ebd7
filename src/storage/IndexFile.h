#pragma once

// Single-order IDX index files: FoxPro's standard IDX (a B-tree of 512-byte
// nodes with the key expression in its header), read and written; compact
// IDX, read only. Keys are the raw code-page bytes of the key expression's
// value, padded with blanks to the key length, compared byte by byte.

#include "StorageError.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::storage {

struct IndexEntry {
    std::string key;            // raw bytes, keyLength long
    std::uint32_t recordNumber; // 1-based
};

class IndexFile {
public:
    // Reads and checks the header. Throws StorageError::indexNotFound for a
    // missing file, StorageError::badFile for one that cannot be trusted.
    static std::unique_ptr<IndexFile> open(const std::filesystem::path& path);

    // Writes a standard IDX holding entries (any order; sorted here by key,
    // then record number). Keys shorter than keyLength are padded with
    // blanks; a longer key, a key length over 240 or an expression that does
    // not fit the header is refused with a StorageError. The file is written
    // beside the old one and renamed over it, so a crash leaves the old index
    // or the new one, never a mix; open IndexFile objects notice the new file.
    static void writeStandard(const std::filesystem::path& path, std::string_view expression,
                              std::uint16_t keyLength, std::vector<IndexEntry> entries);

    virtual ~IndexFile() = default;
    virtual const std::filesystem::path& path() const = 0;
    virtual const std::string& expression() const = 0;
    // The FOR condition limiting which records have keys; empty for none.
    virtual const std::string& forExpression() const = 0;
    virtual std::uint16_t keyLength() const = 0;
    virtual bool isCompact() const = 0;
    virtual bool isUnique() const = 0;

    // Ordered access. Each returns the entry reached, or nullopt past either end.
    virtual std::optional<IndexEntry> first() const = 0;
    virtual std::optional<IndexEntry> last() const = 0;
    // The entry after / before the one given (identified by key and record
    // number). When that entry is no longer in the file, the neighbours of
    // the place it would hold.
    virtual std::optional<IndexEntry> next(const IndexEntry& from) const = 0;
    virtual std::optional<IndexEntry> previous(const IndexEntry& from) const = 0;
    // The first entry whose key begins with prefix (raw bytes). A prefix
    // longer than the key matches only if the excess is blanks.
    virtual std::optional<IndexEntry> seekPrefix(std::string_view prefix) const = 0;
    // The entry for a record number (linear search), for repositioning.
    virtual std::optional<IndexEntry> findRecord(std::uint32_t recordNumber) const = 0;
};

} // namespace qw::storage
