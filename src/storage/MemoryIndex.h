#pragma once

// An order held in memory: the entries of a single-order index, sorted by
// key and then record number, with nothing on disk behind them. A reader
// that finds the index file stale or missing and may not rewrite it (a
// read-only folder, a full disk) browses and seeks through one of these,
// built from the table itself.

#include "IndexFile.h"

#include <vector>

namespace qw::storage {

class MemoryIndex : public IndexFile {
public:
    // entries in any order; keys are padded with blanks to keyLength.
    MemoryIndex(std::filesystem::path path, std::string expression, std::uint16_t keyLength,
                std::vector<IndexEntry> entries);

    const std::filesystem::path& path() const override { return path_; }
    const std::string& expression() const override { return expression_; }
    const std::string& forExpression() const override { return forExpression_; }
    std::uint16_t keyLength() const override { return keyLength_; }
    bool isCompact() const override { return false; }
    bool isUnique() const override { return false; }

    std::optional<IndexEntry> first() const override;
    std::optional<IndexEntry> last() const override;
    std::optional<IndexEntry> next(const IndexEntry& from) const override;
    std::optional<IndexEntry> previous(const IndexEntry& from) const override;
    std::optional<IndexEntry> seekPrefix(std::string_view prefix) const override;
    std::optional<IndexEntry> findRecord(std::uint32_t recordNumber) const override;

private:
    std::filesystem::path path_;
    std::string expression_;
    std::string forExpression_;
    std::uint16_t keyLength_;
    std::vector<IndexEntry> entries_;
};

// Entries in index order: by key bytes (unsigned), then record number.
bool indexOrderLess(const IndexEntry& a, const IndexEntry& b);

} // namespace qw::storage
