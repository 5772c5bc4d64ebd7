#pragma once

// One table file as the whole process sees it. Every Table that opens the
// same file (by canonical path) shares one DbfFile, so a record posted
// through one handle is what every other handle reads on its next read: they
// all read through the same object, whose record cache a write updates.
//
// The table lock: an exclusive POSIX open-file-description byte-range lock
// (fcntl F_OFD_SETLKW) on exactly one byte of the table file, the byte at
// offset 2^62 (DbfIo::kTableLockOffset), whatever the file's size. Why that
// byte: a byte-range lock is passed on to NFS and SMB servers (flock is not,
// on SMB mounts), so counters sharing the folder over a network exclude each
// other; the byte lies far past any data a table can hold (a DBF tops out
// below 2^48 bytes), so readers, who take no lock, are never held up; and it
// lies far above the 32-bit offsets at which xBase programs lock records and
// files, so it never collides with another program's locks. The lock
// belongs to the open file description: it also parts two handles of one
// process that opened the file separately, and it ends with the process.
//
// Write order. Every write below happens while this process holds the
// table lock (WriteLock), and each step is one write; a crash between any
// two leaves a table that opens as either the old or the new state:
//   taking the lock: the record count is read again from the header; whole
//            records that follow it in the file (their deletion flag ' ' or
//            '*') are taken into the count, and the header's count is
//            written to say so, flush. No record is ever overwritten or cut
//            off because a header's count is behind.
//   append:  0. when the place of the new record holds bytes other than
//               0x00 and 0x1A, a cut-off record or bytes that are no record,
//               they are copied first into "<table>.rescued-<n>", created new
//               (never over an earlier one), flush; a whole record there
//               (another program's, just written) is taken into the count
//               instead, and the new record goes after it
//            1. memo bytes past the memo header's next free block and past
//               the memo file's end, flush
//            2. memo header's next free block, flush
//            3. record bytes past the last counted record, then the
//               end-of-file mark 0x1A appended where the file ends with
//               them, flush; nothing past them is cut off or overwritten
//               (another program may have put a record there)
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
//            new image again (under the lock); a journal that is damaged, or
//            was written for another table, another state of it or another
//            record, is never applied: it is moved aside as
//            "<table>-journal.rejected-<n>" and the open reports it in a
//            notice.
//   index rebuild: the new index file written under a temporary name of its
//            own and renamed over the old one (StandardIdxWriter.h); stale
//            temporaries of that naming are removed first.
// A read-only open writes nothing, ever: the files are opened read-only,
// whole records past the header's count are counted in memory, a journal
// that applies is read through in memory, and one that does not is left
// where it is (and reported).
// Invariants between steps: the header count never covers a record whose
// bytes are not all on disk; no record refers to a memo block that is not
// wholly on disk; nothing already referenced, and no byte that is not blank,
// is ever overwritten except the edited record itself (bytes in the place of
// a new record are in a rescue file first).
// Slots whose deletion flag is neither ' ' nor '*' (the 0x00 of a hole in a
// sparse file, the end-of-file mark) hold no record: readers step over them,
// and only the data the file really holds is read to find the records.
// Two processes on one table: every write runs while the process holds the
// table lock. Under the lock the count is read again from the header, so an
// append lands after the records another process added, an edit's memo after
// the memos another process wrote, and a rebuild covers them all. A killed
// holder loses the lock with its life, and what it left is one of the states
// above. A program that takes no lock can still race with us; our writes
// never make that worse: nothing past our own record is cut off, and a new
// memo never goes where the memo header or the file's end says memos lie.
// Everything that the open and the writes found and dealt with is told: as
// notices (texts for the user) and as a RecoveryReport (takeFindings).

#include "DbfFormat.h"
#include "DbfIo.h"
#include "MemoFile.h"
#include "RecoveryReport.h"

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
    // Notices about the open (a leftover journal refused, records taken into
    // the count, stray bytes at the end) are added to notices, when given;
    // otherwise they wait for takeFindings.
    static std::shared_ptr<DbfFile> acquire(const std::filesystem::path& path, bool writable,
                                            std::vector<std::string>* notices = nullptr);

    // Creates the table file (and its FPT when it has memo fields); fails if it exists.
    static void create(const std::filesystem::path& path, const DbfLayout& layout);

    const DbfLayout& layout() const { return layout_; }
    const std::filesystem::path& path() const { return path_; }
    std::string fileName() const { return path_.filename().string(); }
    bool isWritable() const { return io_.isWritable(); }
    // Opened for reading only because the table file is a symbolic link.
    bool isLink() const { return io_.isLink(); }
    // Record slots up to the count; a slot may hold no record (holdsRecord).
    std::uint32_t recordCount() const { return recordCount_; }
    // Whether slot n (1..recordCount) holds a record: its deletion flag is
    // ' ' or '*'.
    bool holdsRecord(std::uint32_t n) const;
    // The first record at or after slot n, the last at or before it; 0 when
    // there is none. Holes of a sparse file are stepped over without being read.
    std::uint32_t recordAtOrAfter(std::uint32_t n) const;
    std::uint32_t recordAtOrBefore(std::uint32_t n) const;
    // Calls visit(n, recordBytes) for every record in file order, reading
    // ahead in big stretches; slots that hold no record are skipped.
    template <typename Visit> void forEachRecord(Visit visit) const;
    // Records marked deleted. Only the data the file really holds is read:
    // the holes of a sparse file hold no marks.
    std::uint32_t countDeleted() const;
    // Bumped by every write, so that readers know their copy is stale.
    std::uint64_t generation() const { return generation_; }

    // Copies record n (1-based, within recordCount) into out (recordLength bytes).
    void readRecord(std::uint32_t n, std::string& out) const;
    // Record n's bytes in place, valid until the next read of this file.
    std::string_view recordView(std::uint32_t n) const;
    // The text of a memo field's raw bytes (code-page bytes); field names the
    // field in messages.
    std::string readMemo(std::string_view fieldBytes, std::string_view field = {}) const;
    // Writes a memo and returns the field bytes that refer to it.
    std::string writeMemo(std::string_view bytes, std::size_t fieldLength);

    // Appends a record; returns its number.
    std::uint32_t appendRecord(std::string_view record);
    void rewriteRecord(std::uint32_t n, std::string_view record);

    void setDurable(bool durable) { durable_ = durable; }

    // Moves out what the open and the writes since the last take found and
    // dealt with: notices in words, and the same as a report.
    void takeFindings(std::vector<std::string>& notices, RecoveryReport& report);

    // Holds the table lock for its lifetime and settles the record count
    // once the lock is held (see "taking the lock" above). Holds nest
    // within a process. Every write of the table, its memo file and its
    // indexes runs inside one; the writes of this class take one themselves.
    class WriteLock {
    public:
        explicit WriteLock(DbfFile& file);
        ~WriteLock();
        WriteLock(const WriteLock&) = delete;
        WriteLock& operator=(const WriteLock&) = delete;

    private:
        DbfFile& file_;
    };
    // Reads the record count from the header on disk again and takes whole
    // records after it into the count, so that records another process
    // appended are seen (the count never shrinks). The header is corrected
    // only with the lock held.
    void refreshRecordCount();

    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;
    ~DbfFile();

private:
    DbfFile() = default;
    void load(const std::filesystem::path& path, bool writable);
    void reopenWritable();
    void moveNotices(std::vector<std::string>& notices);
    void openMemo(bool writable);
    void flush();
    void fillCache(std::uint32_t n) const;
    void fillCacheFrom(std::uint32_t first, std::uint32_t records) const;
    std::string recordOnDisk(std::uint32_t n) const;
    void recoverJournal();
    void refuseJournal(const std::filesystem::path& journal, const std::string& reason);
    void requireHealthy() const;
    void settleCount(bool repair);
    // Writes the header's count (with today's date when dated), never below
    // the count on disk; returns the records known whole, count and any
    // that another program put after them meanwhile.
    std::uint32_t writeCount(std::uint32_t count, bool dated);
    void noteStrayBytes();
    bool rescueBeforeAppend(std::uint64_t offset);
    std::uint64_t slotOffset(std::uint32_t n) const;
    char flagOf(std::uint32_t n, bool backwards) const;
    std::uint32_t wholeRecordsAfter(std::uint32_t count, std::uint64_t size) const;
    template <typename Step> void guarded(Step step);

    std::filesystem::path path_;
    DbfIo io_;
    DbfLayout layout_;
    std::string header_; // the header bytes as on disk, for the journal
    std::unique_ptr<MemoFile> memo_;
    std::uint32_t recordCount_ = 0;
    std::uint64_t generation_ = 0;
    bool durable_ = true;
    bool poisoned_ = false;            // a write failed: no more writes until reopened
    int lockDepth_ = 0;                // nested WriteLocks of this process
    std::vector<std::string> notices_; // findings not yet taken
    RecoveryReport report_;
    std::uint64_t strayAt_ = 0; // where the stray bytes last told of begin

    // Read-ahead of whole records for sequential scans.
    mutable std::string cache_;
    mutable std::uint32_t cacheFirst_ = 0; // first record in cache_ (1-based), 0 = empty
    mutable std::uint32_t cacheRecords_ = 0;
    mutable std::uint32_t lastRead_ = 0;
    // A journalled record image that could not be written back (read-only file).
    std::uint32_t overlayRecord_ = 0;
    std::string overlay_;
};

template <typename Visit> void DbfFile::forEachRecord(Visit visit) const
{
    // Each record straight from the read-ahead; the view is gone with the
    // next read, so visit keeps what it needs by copying.
    for (std::uint32_t n = recordAtOrAfter(1); n != 0; n = recordAtOrAfter(n + 1))
        visit(n, recordView(n));
}

// Resolves a bare file name in folder, ignoring letter case; empty when absent.
std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder,
                                           std::string_view fileName);

} // namespace qw::storage
