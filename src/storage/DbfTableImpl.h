#pragma once

// The state behind one Table handle. Shared between Table.cpp (records,
// positioning, editing) and DbfIndexing.cpp (opening and rebuilding index
// files), so that a program that never opens an index links no index code.

#include "DbfFile.h"
#include "IndexFile.h"
#include "Table.h"

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qw::storage {

// An open index file. The reader notices by itself when the file has been
// rebuilt (by another handle or program) and reads it again.
struct IdxBuildBuffers;

struct OpenOrder {
    std::unique_ptr<IndexFile> file;
    std::filesystem::path path;
    // Memory of the last rebuild, kept for the next one (made on the first).
    std::shared_ptr<IdxBuildBuffers> buffers;
};

class Table::Impl {
public:
    explicit Impl(std::filesystem::path folder) : folder(std::move(folder)) {}

    std::filesystem::path folder;
    Table* owner = nullptr;
    std::shared_ptr<DbfFile> file;
    OpenMode mode = OpenMode::ReadWrite;

    // Position: recno in 1..count is a record; count + 1 is the blank phantom.
    std::uint32_t recno = 0;
    bool atBof = true;
    bool atEof = true;

    EditState state = EditState::Browse;
    bool modified = false;
    std::uint32_t recnoBeforeInsert = 0;
    std::string record; // the current record, or the edit buffer
    std::uint64_t recordGeneration = ~0ull;
    std::vector<std::optional<std::string>> pendingMemos; // code-page bytes

    // Field names as callers spell them, to their index: a scan asks the
    // same few names again and again.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const
        {
            return std::hash<std::string_view>{}(s);
        }
    };
    mutable std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> nameCache;

    std::vector<std::string> notices; // of the latest open and the writes since
    RecoveryReport report;            // the same, as figures
    void takeFindings();

    std::vector<OpenOrder> orders;   // the last one opened is the controlling order
    std::optional<IndexEntry> entry; // current entry in the controlling order

    // Set by indexOpen; absent when no index code is linked.
    void (*maintainOrders)(Impl&, const std::string& oldRecord, bool inserted) = nullptr;

    const DbfLayout& layout() const { return file->layout(); }
    std::size_t fieldIndexOrThrow(std::string_view name) const;
    void requireOpen() const;
    void loadRecord();
    void setPhantom();
    void positionOn(std::uint32_t n);
    void positionOnEntry(const std::optional<IndexEntry>& found, bool forward);
    IndexFile* controlling();
    std::optional<IndexEntry> currentEntry();
    void checkBrowseMode();
    void requireWritable() const;
    std::string rawField(std::size_t index);

    // Defined with the index code (DbfIndexing.cpp).
    static void maintainOrdersAfterPost(Impl& d, const std::string& oldRecord, bool inserted);
};

// A name that is empty or names a folder is no file: refused with a message
// naming what was given ("<name>: a folder, not <wanted>").
void refuseFolderName(const std::filesystem::path& folder, std::string_view fileName,
                      std::string_view wanted);

} // namespace qw::storage
