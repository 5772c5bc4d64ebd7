#pragma once

// One table file as the whole process sees it. Every Table that opens the
// same file (by canonical path) shares one DbfFile, so a record posted
// through one handle is what every other handle reads on its next read: they
// all read through the same object, whose record cache a write updates.
//
// Write order (each step one write; a crash between any two leaves a table
// that opens as either the old or the new state):
//   append:  1. memo bytes past the memo file's next free block, flush
//            2. memo header's next free block, flush
//            3. record bytes and the end-of-file mark 0x1A past the last
//               counted record, flush
//            4. header date and record count, flush
//   edit:    1-2 as above for a changed memo, then
//            3. the new record image into the journal file "<table>-journal"
//               (record number, image, checksum), flush
//            4. the record bytes in place, flush
//            5. the journal removed.
//            An edit overwrites bytes that readers rely on, and a power cut
//            can tear a write at a sector boundary; the journal holds the
//            whole new image until the overwrite is on disk. Opening a table
//            with a sound journal writes the image again (or, read-only,
//            reads through it); a journal with a bad checksum was never
//            complete, so the record was never touched, and it is dropped.
// Invariants between steps: the header count never covers a record whose
// bytes are not all on disk; no record refers to a memo block that is not
// wholly on disk; nothing already referenced is ever overwritten except the
// edited record itself.
// On open the count is clamped to the whole records the file holds, so a
// trailing partial record or a count written ahead of its record is ignored;
// the next append overwrites the leftovers.

#include "DbfFormat.h"
#include "DbfIo.h"
#include "MemoFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace qw::storage {

class DbfFile {
public:
    // The shared object for a path; opened writable when any handle wants it.
    static std::shared_ptr<DbfFile> acquire(const std::filesystem::path& path, bool writable);

    // Creates the table file (and its FPT when it has memo fields); fails if it exists.
    static void create(const std::filesystem::path& path, const DbfLayout& layout);

    const DbfLayout& layout() const { return layout_; }
    const std::filesystem::path& path() const { return path_; }
    std::string fileName() const { return path_.filename().string(); }
    bool isWritable() const { return io_.isWritable(); }
    std::uint32_t recordCount() const { return recordCount_; }
    // Records marked deleted. Only the data the file really holds is read:
    // the holes of a sparse file hold no marks.
    std::uint32_t countDeleted() const;
    // Bumped by every write, so that readers know their copy is stale.
    std::uint64_t generation() const { return generation_; }

    // Copies record n (1-based, within recordCount) into out (recordLength bytes).
    void readRecord(std::uint32_t n, std::string& out) const;
    // The text of a memo field's raw bytes (code-page bytes); field names the
    // field in messages.
    std::string readMemo(std::string_view fieldBytes, std::string_view field = {}) const;
    // Writes a memo and returns the field bytes that refer to it.
    std::string writeMemo(std::string_view bytes, std::size_t fieldLength);

    void appendRecord(std::string_view record);
    void rewriteRecord(std::uint32_t n, std::string_view record);

    void setDurable(bool durable) { durable_ = durable; }

    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;
    ~DbfFile();

private:
    DbfFile() = default;
    void load(const std::filesystem::path& path, bool writable);
    void openMemo(bool writable);
    void flush();
    void fillCache(std::uint32_t n) const;
    std::filesystem::path journalPath() const;
    void recoverJournal();
    void requireHealthy() const;
    template <typename Step> void guarded(Step step);

    std::filesystem::path path_;
    DbfIo io_;
    DbfLayout layout_;
    std::unique_ptr<MemoFile> memo_;
    std::uint32_t recordCount_ = 0;
    std::uint64_t generation_ = 0;
    bool durable_ = true;
    bool poisoned_ = false; // a write failed: no more writes until reopened

    // Read-ahead of whole records for sequential scans.
    mutable std::string cache_;
    mutable std::uint32_t cacheFirst_ = 0; // first record in cache_ (1-based), 0 = empty
    mutable std::uint32_t cacheRecords_ = 0;
    mutable std::uint32_t lastRead_ = 0;
    // A journalled record image that could not be written back (read-only file).
    std::uint32_t overlayRecord_ = 0;
    std::string overlay_;
};

// Resolves a bare file name in folder, ignoring letter case; empty when absent.
std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder,
                                           std::string_view fileName);

} // namespace qw::storage
