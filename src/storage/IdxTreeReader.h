#pragma once

// Reads a standard or compact IDX file through its B-tree.
//
// Invariants the reader keeps:
// - Nothing in the file is trusted: every node offset is checked to be a
//   512-aligned node inside the file before it is read, every node is checked
//   as it is decoded, paths deeper than a B-tree can be are refused, and no
//   operation visits more leaves than the file has nodes. A hostile file thus
//   ends in StorageError::badFile, never in a hang or a read outside it.
// - Each node must be reached from one parent entry only, and every leaf at
//   the same depth: a node met a second way means a loop or a lattice, which
//   a walk could otherwise repeat without end.
// - Sibling pointers are not followed: the order is walked through the
//   parents, so a broken sibling chain cannot mislead or trap the reader.
// - The index may be rewritten (by a reindex through another handle) at any
//   time. Every operation first compares the file on disk (inode, size,
//   modification and change times) with the one open and, when it differs,
//   reopens it and drops every cached node, so no stale node is served.
// - The caches make even const operations write; one reader serves one
//   thread (the program has only the user-interface thread).

#include "ChangeCheck.h"
#include "IdxNode.h"
#include "IndexFile.h"

#include <sys/stat.h>

#include <unordered_map>
#include <utility>

namespace qw::storage {

class IdxTreeReader : public IndexFile {
public:
    explicit IdxTreeReader(std::filesystem::path path);
    ~IdxTreeReader() override;
    IdxTreeReader(const IdxTreeReader&) = delete;
    IdxTreeReader& operator=(const IdxTreeReader&) = delete;

    const std::filesystem::path& path() const override { return path_; }
    const std::string& expression() const override;
    const std::string& forExpression() const override;
    std::uint16_t keyLength() const override;
    bool isCompact() const override;
    bool isUnique() const override;

    std::optional<IndexEntry> first() const override;
    std::optional<IndexEntry> last() const override;
    std::optional<IndexEntry> next(const IndexEntry& from) const override;
    std::optional<IndexEntry> previous(const IndexEntry& from) const override;
    std::optional<IndexEntry> seekPrefix(std::string_view prefix) const override;
    std::optional<IndexEntry> findRecord(std::uint32_t recordNumber) const override;

private:
    struct Header {
        bool compact = false;
        std::uint32_t root = 0;
        std::uint16_t keyLength = 0;
        std::uint8_t options = 0;
        std::string expression;
        std::string forExpression;
    };
    struct FileIdentity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const FileIdentity& other) const;
    };
    // A position: the node offsets and entry indexes from the root to a leaf.
    using Cursor = std::vector<std::pair<std::uint32_t, std::size_t>>;
    // Where a node was first reached from: its parent's offset and entry.
    struct Placement {
        std::uint32_t parent;
        std::size_t slot;
    };
    // Bounds the leaves one operation may visit.
    struct Budget {
        std::size_t leavesLeft;
    };

    std::string fileName() const;
    void openFile() const;
    void refresh() const;
    Header readHeader(int fd, off_t fileSize) const;
    Header readCheckedHeader(int fd, off_t fileSize) const;
    bool isTableFile(int fd, off_t fileSize) const;
    Header readStandardHeader(const unsigned char* raw) const;
    Header readCompactHeader(int fd) const;
    void checkKeyLength(std::size_t keyLength, std::size_t maximum) const;
    std::string readExpression(const unsigned char* text, std::size_t area) const;
    void requireExpression(const Header& header) const;

    const IdxNode& node(std::uint32_t offset) const;
    Budget newBudget() const;
    void enterNode(Cursor& cursor, std::uint32_t offset, std::size_t index, Budget& budget) const;
    void descendToEdge(Cursor& cursor, bool leftmost, Budget& budget) const;
    bool advance(Cursor& cursor, Budget& budget) const;
    bool retreat(Cursor& cursor, Budget& budget) const;
    // Moves a cursor whose leaf index is one past the end onto a real entry.
    bool settleForward(Cursor& cursor, Budget& budget) const;
    Cursor lowerBound(std::string_view target, Budget& budget) const;
    // The entry itself (exact) or, failing that, the first entry after it.
    std::pair<Cursor, bool> locate(const IndexEntry& entry, Budget& budget) const;
    IndexEntry entryAt(const Cursor& cursor) const;
    std::optional<IndexEntry> remember(const Cursor& cursor, bool valid) const;

    std::filesystem::path path_;
    mutable int fd_ = -1;
    // A small index (a specification index, say) is read whole when opened:
    // the recommendation opens it afresh on every run and seeks it up to
    // sixteen times, and one read costs less than a read per node.
    mutable std::string image_;
    mutable FileIdentity identity_;
    mutable ChangeCheck changeCheck_;
    mutable Header header_;
    mutable std::unordered_map<std::uint32_t, IdxNode> nodes_;
    mutable std::unordered_map<std::uint32_t, Placement> placements_;
    mutable std::optional<std::size_t> leafDepth_;
    // The cursor of the last entry handed out, so that walking the order with
    // next()/previous() does not search the tree at every step.
    mutable Cursor lastCursor_;
    mutable std::optional<IndexEntry> lastEntry_;
};

} // namespace qw::storage
