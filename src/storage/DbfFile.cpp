#include "DbfFile.h"

#include "DbfJournal.h"
#include "StorageError.h"

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

std::mutex registryMutex;
std::map<std::string, std::weak_ptr<DbfFile>>& registry()
{
    static std::map<std::string, std::weak_ptr<DbfFile>> files;
    return files;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
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
    std::vector<std::string> ignored;
    std::vector<std::string>& said = notices ? *notices : ignored;
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
            shared->reopenWritable(said);
        return shared;
    }
    // Loaded outside the lock: a file that fails to load is destroyed here,
    // and the destructor takes the lock itself.
    std::shared_ptr<DbfFile> file(new DbfFile());
    file->load(path, writable, said);
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

void DbfFile::load(const std::filesystem::path& path, bool writable,
                   std::vector<std::string>& notices)
{
    path_ = path;
    if (!io_.open(path, writable))
        throw StorageError::badFile(fileName(), "file cannot be opened");
    const std::uint64_t size = io_.size();
    const std::string head = io_.read(0, kMaxHeaderBytes);
    layout_ = parseDbfHeader(head, size, fileName());
    header_ = head.substr(0, layout_.headerLength);
    const std::uint64_t wholeRecords =
        layout_.recordLength == 0 ? 0 : (size - layout_.headerLength) / layout_.recordLength;
    recordCount_ = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(layout_.headerRecordCount, wholeRecords));
    if (layout_.memoKind != MemoKind::None)
        openMemo(writable);
    recoverJournal(notices);
}

// A handle wants to write a file that read-only handles opened first: the
// same object is reopened for writing, so that every handle keeps reading
// what the others write, and a pending journal is settled now.
void DbfFile::reopenWritable(std::vector<std::string>& notices)
{
    if (!io_.reopenWritable(path_))
        return; // not permitted: the table stays read-only for every handle
    if (memo_)
        openMemo(true);
    cacheFirst_ = 0;
    ++generation_;
    recoverJournal(notices);
}

std::string DbfFile::recordOnDisk(std::uint32_t n) const
{
    return io_.read(layout_.headerLength + static_cast<std::uint64_t>(n - 1) * layout_.recordLength,
                    layout_.recordLength);
}

void DbfFile::recoverJournal(std::vector<std::string>& notices)
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
        refuseJournal(journal, verdict.reason, notices);
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
void DbfFile::refuseJournal(const std::filesystem::path& journal, const std::string& reason,
                            std::vector<std::string>& notices)
{
    const std::string journalName = journal.filename().string();
    std::string notice = fileName() + ": the leftover journal " + journalName +
                         " was not applied: " + reason + ". The table is unchanged";
    if (!io_.isWritable()) {
        notices.push_back(notice + "; the journal was left in place, and the table is read as "
                                   "it is.");
        return;
    }
    std::string error;
    const std::filesystem::path aside = moveJournalAside(journal, error);
    if (aside.empty()) {
        notices.push_back(notice + "; the journal could not be moved aside (" + error +
                          "), so the table cannot be edited until " + journalName + " is removed.");
        return;
    }
    syncFolder(path_.parent_path());
    notices.push_back(notice + "; the journal was moved aside as " + aside.filename().string() +
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
    const auto records =
        static_cast<std::uint32_t>(std::min<std::size_t>(wanted, recordCount_ - n + 1));
    cache_.resize(static_cast<std::size_t>(records) * perRecord);
    const std::uint64_t offset =
        layout_.headerLength + static_cast<std::uint64_t>(n - 1) * perRecord;
    const std::size_t got = io_.readInto(offset, cache_.data(), cache_.size());
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
    if (n == 0 || n > recordCount_)
        throw StorageError::badFile(fileName(), "record " + std::to_string(n) + " does not exist");
    if (cacheFirst_ == 0 || n < cacheFirst_ || n >= cacheFirst_ + cacheRecords_)
        fillCache(n);
    lastRead_ = n;
    const std::size_t at = static_cast<std::size_t>(n - cacheFirst_) * layout_.recordLength;
    out.assign(cache_, at, layout_.recordLength);
    if (n == overlayRecord_)
        out = overlay_;
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

void DbfFile::appendRecord(std::string_view record)
{
    const std::uint64_t offset =
        layout_.headerLength + static_cast<std::uint64_t>(recordCount_) * layout_.recordLength;
    std::string bytes(record);
    bytes.push_back(kEndOfFile);
    ++generation_;
    cacheFirst_ = 0;
    const std::string dateAndCount = encodeDateAndCount(recordCount_ + 1);
    guarded([&] {
        io_.write(offset, bytes);
        flush();
        io_.write(1, dateAndCount);
        flush();
    });
    header_.replace(1, dateAndCount.size(), dateAndCount);
    ++recordCount_;
    // Leftovers of an interrupted append beyond the new end are cut away.
    const std::uint64_t end = offset + bytes.size();
    if (io_.size() > end)
        guarded([&] { io_.truncate(end); });
}

DbfFile::WriteLock::WriteLock(DbfFile& file) : file_(file)
{
    if (file_.lockDepth_ == 0) {
        file_.io_.lockExclusive();
        try {
            file_.refreshRecordCount();
        } catch (...) {
            file_.io_.unlock();
            throw;
        }
    }
    ++file_.lockDepth_;
}

DbfFile::WriteLock::~WriteLock()
{
    if (--file_.lockDepth_ == 0)
        file_.io_.unlock();
}

void DbfFile::refreshRecordCount()
{
    const std::string head = io_.read(0, 8);
    if (head.size() < 8)
        throw StorageError::badFile(fileName(), "its header can no longer be read");
    const std::uint32_t headerCount = readLe32(head.data() + 4);
    const std::uint64_t size = io_.size();
    const std::uint64_t wholeRecords = layout_.recordLength == 0 || size < layout_.headerLength
                                           ? 0
                                           : (size - layout_.headerLength) / layout_.recordLength;
    const auto count =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(headerCount, wholeRecords));
    if (count <= recordCount_)
        return;
    header_.replace(1, 7, head.substr(1, 7));
    layout_.headerRecordCount = headerCount;
    recordCount_ = count;
    cacheFirst_ = 0;
    ++generation_;
}

void DbfFile::rewriteRecord(std::uint32_t n, std::string_view record)
{
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
