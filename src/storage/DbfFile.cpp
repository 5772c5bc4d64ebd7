#include "DbfFile.h"

#include "DbfJournal.h"
#include "StorageError.h"

#include <core/Text.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <unistd.h>

namespace qw::storage {
namespace {

constexpr std::size_t kCacheBytes = 64 * 1024;
constexpr std::size_t kCountBytes = 1024 * 1024;
constexpr std::size_t kMaxHeaderBytes = 65535;
// Places tried for a new record while another program keeps filling them.
constexpr int kMostPlacings = 16;

std::mutex registryMutex;
std::map<std::string, std::weak_ptr<DbfFile>>& registry()
{
    static std::map<std::string, std::weak_ptr<DbfFile>> files;
    return files;
}

std::filesystem::path memoPathFor(const std::filesystem::path& table, MemoKind kind)
{
    std::filesystem::path stem = table.filename();
    stem.replace_extension(kind == MemoKind::Fpt ? ".fpt" : ".dbt");
    return findFileIgnoringCase(table.parent_path(), stem.string());
}

void syncFolder(const std::filesystem::path& folder)
{
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool isBlankByte(char c)
{
    return c == ' ' || c == '\0';
}

// A decimal block number, right- or left-aligned in blanks (NULs from some
// writers); blanks inside the digits make it no number at all ("1 2" is not
// block 12).
std::uint32_t parseMemoBlock(std::string_view fieldBytes, const std::string& fileName,
                             std::string_view field)
{
    if (fieldBytes.size() == 4) // Visual FoxPro; blanks are written by some tools for "none"
        return fieldBytes == "    " ? 0 : readLe32(fieldBytes.data());
    const auto first = std::find_if_not(fieldBytes.begin(), fieldBytes.end(), isBlankByte);
    const auto last = std::find_if_not(fieldBytes.rbegin(), fieldBytes.rend(), isBlankByte).base();
    if (first >= last)
        return 0;
    const std::string_view digits(&*first, static_cast<std::size_t>(last - first));
    const std::string what = "memo field" + (field.empty() ? "" : " " + std::string(field)) +
                             " holds \"" + std::string(digits) + "\"";
    std::uint64_t block = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            throw StorageError::badFile(fileName, what + ", which is no memo block number");
        block = block * 10 + static_cast<std::uint64_t>(c - '0');
        if (block > 0xFFFFFFFFull)
            throw StorageError::badFile(fileName, what + ": the memo block number is too large");
    }
    return static_cast<std::uint32_t>(block);
}

} // namespace

std::filesystem::path findFileIgnoringCase(const std::filesystem::path& folder,
                                           std::string_view fileName)
{
    std::error_code ec;
    const std::filesystem::path direct = folder / std::filesystem::path(fileName);
    if (std::filesystem::is_regular_file(direct, ec))
        return direct;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (equalsIgnoringCase(entry.path().filename().string(), fileName) &&
            entry.is_regular_file(ec))
            return entry.path();
    }
    return {};
}

std::shared_ptr<DbfFile> DbfFile::acquire(const std::filesystem::path& path, bool writable,
                                          std::vector<std::string>* notices)
{
    std::error_code ec;
    std::string key = std::filesystem::canonical(path, ec).string();
    if (key.empty())
        key = path.string();
    std::shared_ptr<DbfFile> shared;
    {
        std::lock_guard lock(registryMutex);
        shared = registry()[key].lock();
    }
    if (shared) {
        if (writable && !shared->isWritable())
            shared->reopenWritable();
        if (notices)
            shared->moveNotices(*notices);
        return shared;
    }
    // Loaded outside the lock: a file that fails to load is destroyed here,
    // and the destructor takes the lock itself.
    std::shared_ptr<DbfFile> file(new DbfFile());
    file->load(path, writable);
    if (notices)
        file->moveNotices(*notices);
    std::lock_guard lock(registryMutex);
    auto& slot = registry()[key];
    if (auto earlier = slot.lock())
        return earlier; // another thread was quicker
    slot = file;
    return file;
}

DbfFile::~DbfFile()
{
    std::lock_guard lock(registryMutex);
    for (auto it = registry().begin(); it != registry().end();) {
        if (it->second.expired())
            it = registry().erase(it);
        else
            ++it;
    }
}

void DbfFile::load(const std::filesystem::path& path, bool writable)
{
    path_ = path;
    if (!io_.open(path, writable))
        throw StorageError::badFile(fileName(), "file cannot be opened");
    const std::uint64_t size = io_.size();
    const std::string head = io_.read(0, kMaxHeaderBytes);
    layout_ = parseDbfHeader(head, size, fileName());
    header_ = head.substr(0, layout_.headerLength);
    if (layout_.memoKind != MemoKind::None)
        openMemo(writable);
    if (io_.isWritable()) {
        // The count is settled and a journal written back under the lock, as
        // every other write is.
        const WriteLock lock(*this);
        recoverJournal();
    } else {
        settleCount(false);
        recoverJournal();
    }
    noteStrayBytes();
}

// A handle wants to write a file that read-only handles opened first: the
// same object is reopened for writing, so that every handle keeps reading
// what the others write, and a pending journal is settled now.
void DbfFile::reopenWritable()
{
    if (!io_.reopenWritable(path_))
        return; // not permitted: the table stays read-only for every handle
    if (memo_)
        openMemo(true);
    cacheFirst_ = 0;
    ++generation_;
    const WriteLock lock(*this);
    recoverJournal();
}

std::string DbfFile::recordOnDisk(std::uint32_t n) const
{
    return io_.read(layout_.headerLength + static_cast<std::uint64_t>(n - 1) * layout_.recordLength,
                    layout_.recordLength);
}

void DbfFile::recoverJournal()
{
    overlayRecord_ = 0;
    overlay_.clear();
    const std::filesystem::path journal = journalPathFor(path_);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(journal, ec)))
        return;
    DbfIo in;
    const bool readable = std::filesystem::is_regular_file(journal, ec) && in.open(journal, false);
    // One byte more than any journal holds tells an oversized file apart.
    const std::string bytes = readable ? in.read(0, maxJournalSize() + 1) : std::string();
    const JournalVerdict verdict =
        readable ? judgeJournal(bytes, header_, recordCount_,
                                [this](std::uint32_t n) { return recordOnDisk(n); })
                 : JournalVerdict{false, 0, {}, "it is not a file that can be read"};
    if (!verdict.applies) {
        refuseJournal(journal, verdict.reason);
        return;
    }
    if (!io_.isWritable()) {
        overlayRecord_ = verdict.recordNumber;
        overlay_ = verdict.after;
        return;
    }
    io_.write(layout_.headerLength +
                  static_cast<std::uint64_t>(verdict.recordNumber - 1) * layout_.recordLength,
              verdict.after);
    io_.sync();
    std::filesystem::remove(journal, ec);
    syncFolder(path_.parent_path());
}

// A journal that does not apply is never written into the table. A writable
// open moves it out of the way (it would block every later edit) under a
// name of its own; a read-only open leaves it where it is.
void DbfFile::refuseJournal(const std::filesystem::path& journal, const std::string& reason)
{
    const std::string journalName = journal.filename().string();
    std::string notice = fileName() + ": the leftover journal " + journalName +
                         " was not applied: " + reason + ". The table is unchanged";
    if (!io_.isWritable()) {
        notices_.push_back(notice + "; the journal was left in place, and the table is read as "
                                    "it is.");
        return;
    }
    std::string error;
    const std::filesystem::path aside = moveJournalAside(journal, error);
    if (aside.empty()) {
        notices_.push_back(notice + "; the journal could not be moved aside (" + error +
                           "), so the table cannot be edited until " + journalName +
                           " is removed.");
        return;
    }
    syncFolder(path_.parent_path());
    notices_.push_back(notice + "; the journal was moved aside as " + aside.filename().string() +
                       ".");
}

void DbfFile::openMemo(bool writable)
{
    std::filesystem::path memoPath = memoPathFor(path_, layout_.memoKind);
    if (memoPath.empty() && layout_.memoKind == MemoKind::Fpt)
        // Some writers mark a dBase memo table with a FoxPro version byte.
        if (auto dbt = memoPathFor(path_, MemoKind::Dbt3); !dbt.empty()) {
            layout_.memoKind = MemoKind::Dbt3;
            memoPath = dbt;
        }
    if (memoPath.empty())
        throw StorageError::badFile(fileName(), "its memo file is missing");
    memo_ = std::make_unique<MemoFile>(memoPath, layout_.memoKind, writable);
}

void DbfFile::create(const std::filesystem::path& path, const DbfLayout& layout)
{
    const std::string name = path.filename().string();
    const std::string header = encodeDbfHeader(layout) + std::string(1, kEndOfFile);
    if (layout.memoKind == MemoKind::Fpt) {
        std::filesystem::path memoPath = path;
        const std::string ext = path.extension().string();
        const bool upperExt = !ext.empty() && std::isupper(static_cast<unsigned char>(ext.back()));
        memoPath.replace_extension(upperExt ? ".FPT" : ".fpt");
        if (!findFileIgnoringCase(path.parent_path(), memoPath.filename().string()).empty())
            std::filesystem::remove(
                findFileIgnoringCase(path.parent_path(), memoPath.filename().string()));
        MemoFile::createFpt(memoPath);
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw StorageError::badFile(name, "cannot create the table file");
    const bool ok =
        ::write(fd, header.data(), header.size()) == static_cast<ssize_t>(header.size());
    ::fsync(fd);
    ::close(fd);
    if (!ok)
        throw StorageError::badFile(name, "cannot write the table file");
}

// Read-ahead only pays for sequential reading; a positioned read (a seek, a
// go) fetches just its record.
void DbfFile::fillCache(std::uint32_t n) const
{
    const std::size_t perRecord = layout_.recordLength;
    const bool sequential = n == lastRead_ + 1;
    const std::size_t wanted = sequential ? std::max<std::size_t>(1, kCacheBytes / perRecord) : 1;
    fillCacheFrom(n,
                  static_cast<std::uint32_t>(std::min<std::size_t>(wanted, recordCount_ - n + 1)));
}

void DbfFile::fillCacheFrom(std::uint32_t n, std::uint32_t records) const
{
    const std::size_t perRecord = layout_.recordLength;
    cache_.resize(static_cast<std::size_t>(records) * perRecord);
    const std::size_t got = io_.readInto(slotOffset(n), cache_.data(), cache_.size());
    cacheFirst_ = n;
    cacheRecords_ = static_cast<std::uint32_t>(got / perRecord);
    if (cacheRecords_ == 0) {
        cacheFirst_ = 0;
        throw StorageError::badFile(fileName(), "record " + std::to_string(n) +
                                                    " lies past the end of the file");
    }
}

void DbfFile::readRecord(std::uint32_t n, std::string& out) const
{
    out.assign(recordView(n));
}

std::string_view DbfFile::recordView(std::uint32_t n) const
{
    if (n == 0 || n > recordCount_)
        throw StorageError::badFile(fileName(), "record " + std::to_string(n) + " does not exist");
    if (cacheFirst_ == 0 || n < cacheFirst_ || n >= cacheFirst_ + cacheRecords_)
        fillCache(n);
    lastRead_ = n;
    if (n == overlayRecord_)
        return overlay_;
    const std::size_t at = static_cast<std::size_t>(n - cacheFirst_) * layout_.recordLength;
    return std::string_view(cache_).substr(at, layout_.recordLength);
}

std::uint32_t DbfFile::countDeleted() const
{
    const std::uint64_t length = layout_.recordLength;
    const std::uint64_t first = layout_.headerLength;
    const std::uint64_t end = first + recordCount_ * length;
    const std::uint64_t perRead = std::max<std::uint64_t>(1, kCountBytes / length);
    std::uint32_t deleted = 0;
    std::string chunk;
    for (std::uint64_t at = first; at < end;) {
        const auto [data, dataEnd] = io_.dataFrom(at);
        if (data >= end)
            break;
        // The records whose deletion flag lies in this stretch of data.
        std::uint64_t record = (data - first + length - 1) / length;
        const std::uint64_t stop = (std::min(dataEnd, end) - first + length - 1) / length;
        for (; record < stop; record += perRead) {
            const std::uint64_t count = std::min(perRead, stop - record);
            chunk = io_.read(first + record * length, static_cast<std::size_t>(count * length));
            for (std::size_t flag = 0; flag < chunk.size(); flag += length)
                deleted += chunk[flag] == kRecordDeleted ? 1 : 0;
        }
        at = std::max(dataEnd, first + stop * length);
    }
    if (overlayRecord_ != 0) {
        const std::string flag = io_.read(first + (overlayRecord_ - 1) * length, 1);
        deleted -= flag.size() == 1 && flag[0] == kRecordDeleted ? 1 : 0;
        deleted += overlay_[0] == kRecordDeleted ? 1 : 0;
    }
    return deleted;
}

std::string DbfFile::readMemo(std::string_view fieldBytes, std::string_view field) const
{
    if (!memo_)
        return {};
    return memo_->read(parseMemoBlock(fieldBytes, fileName(), field));
}

std::string DbfFile::writeMemo(std::string_view bytes, std::size_t fieldLength)
{
    if (!memo_)
        throw StorageError::badFile(fileName(), "the table has no memo file");
    const WriteLock lock(*this);
    std::uint32_t block = 0;
    guarded([&] { block = memo_->append(bytes, durable_); });
    ++generation_;
    if (fieldLength == 4) {
        std::string binary(4, '\0');
        writeLe32(binary.data(), block);
        return binary;
    }
    if (block == 0)
        return std::string(fieldLength, ' ');
    std::string digits = std::to_string(block);
    return std::string(fieldLength - std::min(fieldLength, digits.size()), ' ') + digits;
}

void DbfFile::requireHealthy() const
{
    if (poisoned_)
        throw StorageError::badFile(fileName(),
                                    "an earlier write failed; open the table again to go on");
}

// Runs a write step; any failure in it poisons the file object, the memo
// file included, so that no later write can build on a half-done one.
template <typename Step> void DbfFile::guarded(Step step)
{
    requireHealthy();
    try {
        step();
    } catch (...) {
        poisoned_ = true;
        throw;
    }
}

void DbfFile::flush()
{
    if (durable_)
        io_.sync();
}

std::uint32_t DbfFile::appendRecord(std::string_view record)
{
    const WriteLock lock(*this);
    for (int attempt = 0;; ++attempt) {
        // Once more just before the record goes down: a program that takes
        // no lock may have put a record in our place while the memos were
        // written. Should one arrive even as ours is about to, it is taken
        // into the table and ours goes after it.
        settleCount(true);
        const std::uint64_t offset = slotOffset(recordCount_ + 1);
        ++generation_;
        cacheFirst_ = 0;
        bool placed = false;
        guarded([&] {
            if (!rescueBeforeAppend(offset))
                return;
            io_.write(offset, record);
            // The end-of-file mark goes at the very end of the file, and only
            // where the file ends with our record: written past the record
            // regardless, it could land on the deletion flag of a record
            // another program has just put there, and hide all that follows
            // from every reader that stops at the mark.
            if (io_.size() == offset + layout_.recordLength)
                io_.append(std::string(1, kEndOfFile));
            flush();
            placed = true;
        });
        if (placed)
            break;
        if (attempt == kMostPlacings)
            throw StorageError::badFile(fileName(), "another program keeps adding records in the "
                                                    "place of the new one; it was not saved");
    }
    const std::uint32_t ours = ++recordCount_;
    // Whole records another program put after ours meanwhile are counted
    // too, and a count it wrote meanwhile is never lowered.
    const std::uint64_t size = io_.size();
    const std::uint32_t count = recordCount_ + wholeRecordsAfter(recordCount_, size);
    recordCount_ = writeCount(count, true);
    // Whatever lies past the new record stays: it may be another program's
    // record, and cutting the file there would destroy it.
    return ours;
}

std::uint64_t DbfFile::slotOffset(std::uint32_t n) const
{
    return layout_.headerLength + static_cast<std::uint64_t>(n - 1) * layout_.recordLength;
}

namespace {

bool isBlankSlotByte(char c)
{
    return c == '\0' || c == kEndOfFile;
}

} // namespace

// The bytes that the new record will cover, when they hold anything but
// blanks, go to a rescue file of their own first; false, and nothing done,
// when they are a whole record (another program's, just written).
bool DbfFile::rescueBeforeAppend(std::uint64_t offset)
{
    const std::string there = io_.read(offset, layout_.recordLength);
    if (std::all_of(there.begin(), there.end(), isBlankSlotByte))
        return true;
    if (there.size() == layout_.recordLength &&
        (there[0] == kRecordLive || there[0] == kRecordDeleted))
        return false;
    for (int n = 1;; ++n) {
        std::filesystem::path target = path_;
        target += ".rescued-" + std::to_string(n);
        DbfIo rescue;
        if (!rescue.createNew(target)) {
            if (errno == EEXIST && n < 100000)
                continue;
            throw StorageError::badFile(
                fileName(), "cannot keep the bytes after record " + std::to_string(recordCount_) +
                                " in " + target.filename().string() + ": " + std::strerror(errno));
        }
        rescue.write(0, there);
        rescue.sync();
        syncFolder(path_.parent_path());
        const std::string name = target.filename().string();
        notices_.push_back(fileName() + ": " + std::to_string(there.size()) +
                           " bytes after record " + std::to_string(recordCount_) +
                           " that were no whole record were copied to " + name +
                           " before the new record was written in their place.");
        report_.rescueFiles.push_back(name);
        return true;
    }
}

// Tells of bytes after the last record that are no whole record (once for
// each place they begin at), so that a reader knows the table may end in
// something it does not show.
void DbfFile::noteStrayBytes()
{
    const std::uint64_t end = slotOffset(recordCount_ + 1);
    const std::uint64_t size = io_.size();
    if (size <= end || end == strayAt_)
        return;
    const std::string there = io_.read(end, layout_.recordLength + 1u);
    if (std::all_of(there.begin(), there.end(), isBlankSlotByte))
        return;
    strayAt_ = end;
    report_.strayBytes = size - end;
    notices_.push_back(
        fileName() + ": after record " + std::to_string(recordCount_) + " the file holds " +
        std::to_string(size - end) +
        " more bytes that are no whole record (a cut-off record or damage). They are not shown "
        "as a customer and are left as they are; before a save writes there, they are copied "
        "to a rescue file beside the table.");
}

void DbfFile::takeFindings(std::vector<std::string>& notices, RecoveryReport& report)
{
    moveNotices(notices);
    report.adoptedRecords += report_.adoptedRecords;
    report.strayBytes = std::max(report.strayBytes, report_.strayBytes);
    report.rescueFiles.insert(report.rescueFiles.end(), report_.rescueFiles.begin(),
                              report_.rescueFiles.end());
    report_ = RecoveryReport{};
}

void DbfFile::moveNotices(std::vector<std::string>& notices)
{
    notices.insert(notices.end(), notices_.begin(), notices_.end());
    notices_.clear();
}

DbfFile::WriteLock::WriteLock(DbfFile& file) : file_(file)
{
    if (file_.lockDepth_++ > 0)
        return;
    try {
        file_.io_.lockExclusive();
    } catch (...) {
        --file_.lockDepth_;
        throw;
    }
    try {
        file_.refreshRecordCount();
    } catch (...) {
        --file_.lockDepth_;
        file_.io_.unlock();
        throw;
    }
}

DbfFile::WriteLock::~WriteLock()
{
    if (--file_.lockDepth_ == 0)
        file_.io_.unlock();
}

void DbfFile::refreshRecordCount()
{
    settleCount(lockDepth_ > 0 && io_.isWritable());
}

// Whole slots after the first `count` whose deletion flag says they hold a
// record, up to the first that does not; a hole ends them unread.
std::uint32_t DbfFile::wholeRecordsAfter(std::uint32_t count, std::uint64_t size) const
{
    const std::uint64_t length = layout_.recordLength;
    const std::uint64_t whole = (size - layout_.headerLength) / length;
    const std::uint64_t perRead = std::max<std::uint64_t>(1, kCountBytes / length);
    std::uint64_t found = 0;
    std::string chunk;
    for (std::uint64_t slot = count; slot < whole && slot < 0xFFFFFFFFull;) {
        const std::uint64_t at = layout_.headerLength + slot * length;
        if (io_.dataFrom(at).first != at)
            break; // a hole holds no record
        const std::uint64_t records = std::min(perRead, whole - slot);
        chunk = io_.read(at, static_cast<std::size_t>(records * length));
        for (std::size_t flag = 0; flag < chunk.size(); flag += length, ++slot, ++found)
            if (chunk[flag] != kRecordLive && chunk[flag] != kRecordDeleted)
                return static_cast<std::uint32_t>(found);
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(found, 0xFFFFFFFFull - count));
}

void DbfFile::settleCount(bool repair)
{
    const std::string head = io_.read(0, 8);
    if (head.size() < 8)
        throw StorageError::badFile(fileName(), "its header can no longer be read");
    const std::uint32_t headerCount = readLe32(head.data() + 4);
    const std::uint64_t size = io_.size();
    if (layout_.recordLength == 0 || size < layout_.headerLength)
        return;
    const std::uint64_t wholeRecords = (size - layout_.headerLength) / layout_.recordLength;
    const auto counted =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(headerCount, wholeRecords));
    const std::uint32_t adopted = counted < wholeRecords ? wholeRecordsAfter(counted, size) : 0;
    const std::uint32_t count = std::max(recordCount_, counted + adopted);
    if (count > recordCount_) {
        header_.replace(1, 7, head.substr(1, 7));
        layout_.headerRecordCount = headerCount;
        recordCount_ = count;
        cacheFirst_ = 0;
        ++generation_;
    }
    if (adopted == 0 || headerCount >= count)
        return;
    std::string notice = fileName() + ": the header counted " + std::to_string(headerCount) +
                         (headerCount == 1 ? " record" : " records") + ", but " +
                         (adopted == 1 ? "record " + std::to_string(counted + 1) + " follows"
                                       : "records " + std::to_string(counted + 1) + " to " +
                                             std::to_string(counted + adopted) + " follow") +
                         " whole in the file; ";
    report_.adoptedRecords += adopted;
    if (!repair) {
        notices_.push_back(notice + "they are read as part of the table, and the file is left "
                                    "as it is.");
        return;
    }
    writeCount(count, false);
    notices_.push_back(notice + "they were taken into the table, and its header now counts " +
                       std::to_string(count) + " records.");
}

// A program that takes no lock writes its record, then its count. Should
// its count land between our reading the count on disk and our writing
// ours, ours would put it back; its record, already whole in the file, then
// shows past the count we wrote, and the count is raised over it at once,
// so that the next program to open the table never writes in its place.
std::uint32_t DbfFile::writeCount(std::uint32_t count, bool dated)
{
    for (int pass = 0;; ++pass) {
        const std::string now = io_.read(4, 4);
        const std::uint32_t target = std::max(count, now.size() == 4 ? readLe32(now.data()) : 0);
        std::string bytes = dated ? encodeDateAndCount(target) : std::string(4, '\0');
        if (!dated)
            writeLe32(bytes.data(), target);
        const std::uint64_t at = dated ? 1 : 4;
        guarded([&] {
            io_.write(at, bytes);
            flush();
        });
        header_.replace(at, bytes.size(), bytes);
        layout_.headerRecordCount = target;
        const std::uint32_t behind = wholeRecordsAfter(target, io_.size());
        if (behind == 0 || pass == 3)
            return count;
        count = target + behind;
    }
}

bool DbfFile::holdsRecord(std::uint32_t n) const
{
    if (n == 0 || n > recordCount_)
        return false;
    const char flag = flagOf(n, false);
    return flag == kRecordLive || flag == kRecordDeleted;
}

char DbfFile::flagOf(std::uint32_t n, bool backwards) const
{
    if (n == overlayRecord_)
        return overlay_[0];
    if (cacheFirst_ == 0 || n < cacheFirst_ || n >= cacheFirst_ + cacheRecords_) {
        const std::uint32_t perCache = static_cast<std::uint32_t>(
            std::max<std::size_t>(1, kCacheBytes / layout_.recordLength));
        const std::uint32_t first = backwards && n > perCache ? n - perCache + 1
                                    : backwards               ? 1
                                                              : n;
        fillCacheFrom(first, std::min(perCache, recordCount_ - first + 1));
    }
    return cache_[static_cast<std::size_t>(n - cacheFirst_) * layout_.recordLength];
}

std::uint32_t DbfFile::recordAtOrAfter(std::uint32_t n) const
{
    for (std::uint64_t k = std::max<std::uint32_t>(n, 1); k <= recordCount_;) {
        const char flag = flagOf(static_cast<std::uint32_t>(k), false);
        if (flag == kRecordLive || flag == kRecordDeleted)
            return static_cast<std::uint32_t>(k);
        const std::uint64_t at = slotOffset(static_cast<std::uint32_t>(k));
        const std::uint64_t data = io_.dataFrom(at).first;
        // Over a hole straight to the first slot whose flag lies in data.
        k = data > at
                ? (data - layout_.headerLength + layout_.recordLength - 1) / layout_.recordLength +
                      1
                : k + 1;
    }
    return 0;
}

std::uint32_t DbfFile::recordAtOrBefore(std::uint32_t n) const
{
    std::uint64_t k = std::min(n, recordCount_);
    while (k >= 1) {
        const char flag = flagOf(static_cast<std::uint32_t>(k), true);
        if (flag == kRecordLive || flag == kRecordDeleted)
            return static_cast<std::uint32_t>(k);
        if (flag != '\0') {
            --k;
            continue;
        }
        // Back over a hole: the last stretch of data before this slot ends
        // where the slots to look at end.
        const std::uint64_t at = slotOffset(static_cast<std::uint32_t>(k));
        std::uint64_t lastEnd = 0;
        for (std::uint64_t from = layout_.headerLength; from <= at;) {
            const auto [data, dataEnd] = io_.dataFrom(from);
            if (data > at || data >= dataEnd)
                break;
            lastEnd = std::min(dataEnd, at + 1);
            from = dataEnd;
        }
        if (lastEnd <= layout_.headerLength)
            return 0;
        k = std::min<std::uint64_t>(
            k - 1, (lastEnd - 1 - layout_.headerLength) / layout_.recordLength + 1);
    }
    return 0;
}

void DbfFile::rewriteRecord(std::uint32_t n, std::string_view record)
{
    const WriteLock lock(*this);
    if (n == 0 || n > recordCount_)
        throw StorageError::badFile(fileName(), "record " + std::to_string(n) + " does not exist");
    ++generation_;
    cacheFirst_ = 0;
    const std::filesystem::path journalPath = journalPathFor(path_);
    guarded([&] {
        {
            DbfIo journal;
            if (!journal.createNew(journalPath))
                throw StorageError::badFile(fileName(), "cannot create its journal file " +
                                                            journalPath.filename().string() + ": " +
                                                            std::strerror(errno));
            journal.write(0, encodeJournal(header_, n, recordOnDisk(n), record));
            if (durable_) {
                journal.sync();
                syncFolder(path_.parent_path()); // so that the journal's name survives too
            }
        }
        io_.write(layout_.headerLength + static_cast<std::uint64_t>(n - 1) * layout_.recordLength,
                  record);
        flush();
        std::error_code ec;
        std::filesystem::remove(journalPath, ec);
    });
}

} // namespace qw::storage
