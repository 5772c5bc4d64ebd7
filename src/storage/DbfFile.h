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
//            3. the journal file "<table>-journal", created new (never over
//               another one): the table's header, record number, the record
//               before and after the edit, checksum (DbfJournal.h), flush
//            4. the record bytes in place, flush
//            5. the journal removed.
//            An edit overwrites bytes that readers rely on, and a power cut
//            can tear a write at a sector boundary; the journal holds the
//            whole new image until the overwrite is on disk. Opening a table
//            for writing with a journal that was written for it writes the
//            new image again; a journal that is damaged, or was written for
//            another table, another state of it or another record, is never
//            applied: it is moved aside as "<table>-journal.rejected-<n>" and
//            the open reports it in a notice.
// A read-only open writes nothing, ever: the files are opened read-only, a
// journal that applies is read through in memory, and one that does not is
// left where it is (and reported).
// Invariants between steps: the header count never covers a record whose
// bytes are not all on disk; no record refers to a memo block that is not
// wholly on disk; nothing already referenced is ever overwritten except the
// edited record itself.
// Two processes on one table: an append (memo, record and count) and an
// index rebuild run while the process holds an exclusive lock on the table
// file (WriteLock). Under the lock the count is read again from the header,
// so an append lands after the records another process added, and a rebuild
// covers them. A killed holder loses the lock with its life, and what it left
// is one of the states above.
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
#include <vector>

namespace qw::storage {

class DbfFile {
public:
    // The shared object for a path; opened writable when any handle wants it
    // (a read-only object already open is reopened for writing then).
    // Notices about the open (a leftover journal refused) are added to notices.
    static std::shared_ptr<DbfFile> acquire(const std::filesystem::path& path, bool writable,
                                            std::vector<std::string>* notices = nullptr);

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

    // Holds the table file's exclusive lock for its lifetime and re-reads
    // the record count once the lock is held. Holds nest within a process.
    class WriteLock {
    public:
        explicit WriteLock(DbfFile& file);
        ~WriteLock();
        WriteLock(const WriteLock&) = delete;
        WriteLock& operator=(const WriteLock&) = delete;

    private:
        DbfFile& file_;
    };
    // Reads the record count from the header on disk again, so that records
    // another process appended are seen (the count never shrinks).
    void refreshRecordCount();

    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;
    ~DbfFile();

private:
    DbfFile() = default;
    void load(const std::filesystem::path& path, bool writable, std::vector<std::string>& notices);
    void reopenWritable(std::vector<std::string>& notices);
    void openMemo(bool writable);
    void flush();
    void fillCache(std::uint32_t n) const;
    std::string recordOnDisk(std::uint32_t n) const;
    void recoverJournal(std::vector<std::string>& notices);
    void refuseJournal(const std::filesystem::path& journal, const std::string& reason,
                       std::vector<std::string>& notices);
    void requireHealthy() const;
    template <typename Step> void guarded(Step step);

    std::filesystem::path path_;
    DbfIo io_;
    DbfLayout layout_;
    std::string header_; // the header bytes as on disk, for the journal
    std::unique_ptr<MemoFile> memo_;
    std::uint32_t recordCount_ = 0;
    std::uint64_t generation_ = 0;
    bool durable_ = true;
    bool poisoned_ = false; // a write failed: no more writes until reopened
    int lockDepth_ = 0;     // nested WriteLocks of this process

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
