#include "DbfIo.h"

#include "StorageError.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qw::storage {
namespace {

std::atomic<long> writesLeft{-1};
constexpr const char* kLinkRefused = "the file is a symbolic link; this program writes only "
                                     "files of the folder itself, never through a link";
std::atomic<bool> tearFailingWrite{false};
constexpr std::uint64_t kSectorSize = 512;

bool takeWriteAllowance()
{
    long left = writesLeft.load();
    while (left >= 0) {
        if (left == 0)
            return false;
        if (writesLeft.compare_exchange_weak(left, left - 1))
            return true;
    }
    return true;
}

} // namespace

void stopWritesAfter(long writes, bool tear)
{
    tearFailingWrite.store(tear);
    writesLeft.store(writes);
}

bool DbfIo::createNew(const std::filesystem::path& path)
{
    fileName_ = path.filename().string();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    writable_ = fd_ >= 0;
    return writable_;
}

int DbfIo::openForWriting(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    link_ = fd < 0 && errno == ELOOP;
    return fd;
}

bool DbfIo::reopenWritable(const std::filesystem::path& path)
{
    if (writable_)
        return true;
    const int fd = openForWriting(path);
    if (fd < 0)
        return false;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    writable_ = true;
    return true;
}

bool DbfIo::open(const std::filesystem::path& path, bool writable)
{
    fileName_ = path.filename().string();
    if (writable) {
        fd_ = openForWriting(path);
        writable_ = fd_ >= 0;
    }
    if (fd_ < 0)
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd_ >= 0;
}

DbfIo::~DbfIo()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::uint64_t DbfIo::size() const
{
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        throw StorageError::badFile(fileName_, std::string("cannot read: ") + std::strerror(errno));
    return static_cast<std::uint64_t>(st.st_size);
}

std::size_t DbfIo::readInto(std::uint64_t offset, char* buffer, std::size_t length) const
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd_, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw StorageError::badFile(fileName_,
                                        std::string("cannot read: ") + std::strerror(errno));
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::pair<std::uint64_t, std::uint64_t> DbfIo::dataFrom(std::uint64_t offset) const
{
    const std::uint64_t end = size();
    if (offset >= end)
        return {end, end};
    const off_t data = ::lseek(fd_, static_cast<off_t>(offset), SEEK_DATA);
    if (data < 0)
        return errno == ENXIO ? std::pair{end, end} : std::pair{offset, end};
    const off_t hole = ::lseek(fd_, data, SEEK_HOLE);
    return {static_cast<std::uint64_t>(data),
            hole < 0 ? end : std::min(end, static_cast<std::uint64_t>(hole))};
}

std::string DbfIo::read(std::uint64_t offset, std::size_t length) const
{
    std::string out(length, '\0');
    out.resize(readInto(offset, out.data(), length));
    return out;
}

void DbfIo::fail(const std::string& what)
{
    poisoned_ = true;
    throw StorageError::badFile(fileName_, what);
}

void DbfIo::write(std::uint64_t offset, std::string_view bytes)
{
    if (!writable_)
        throw StorageError::badFile(fileName_, link_ ? kLinkRefused : "the file is open read-only");
    if (poisoned_)
        throw StorageError::badFile(fileName_,
                                    "an earlier write failed; open the table again to go on");
    if (!takeWriteAllowance()) {
        const std::uint64_t end = offset + bytes.size();
        const std::uint64_t torn = end / kSectorSize * kSectorSize;
        if (tearFailingWrite.load() && torn > offset && torn < end)
            (void)::pwrite(fd_, bytes.data(), static_cast<std::size_t>(torn - offset),
                           static_cast<off_t>(offset));
        fail("write failed: stopped by fault injection");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done,
                                   static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(std::string("write failed: ") + std::strerror(n < 0 ? errno : ENOSPC));
        done += static_cast<std::size_t>(n);
    }
}

std::uint64_t DbfIo::append(std::string_view bytes)
{
    if (!writable_)
        throw StorageError::badFile(fileName_, link_ ? kLinkRefused : "the file is open read-only");
    if (poisoned_)
        throw StorageError::badFile(fileName_,
                                    "an earlier write failed; open the table again to go on");
    const bool allowed = takeWriteAllowance();
    const std::uint64_t start = allowed ? 0 : size();
    const std::uint64_t torn = (start + bytes.size()) / kSectorSize * kSectorSize;
    if (!allowed && !(tearFailingWrite.load() && torn > start && torn < start + bytes.size()))
        fail("write failed: stopped by fault injection");
    if (!allowed) // a torn write puts down what reaches the last whole sector
        bytes = bytes.substr(0, static_cast<std::size_t>(torn - start));
    // The append flag belongs to this open file alone and is dropped again
    // at once, so every other write of this file keeps its explicit offset.
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags | O_APPEND) != 0)
        fail(std::string("write failed: ") + std::strerror(errno));
    ssize_t n;
    do
        n = ::write(fd_, bytes.data(), bytes.size());
    while (n < 0 && errno == EINTR);
    const int writeError = errno;
    const off_t end = ::lseek(fd_, 0, SEEK_CUR);
    ::fcntl(fd_, F_SETFL, flags);
    if (!allowed)
        fail("write failed: stopped by fault injection");
    if (n < 0 || static_cast<std::size_t>(n) != bytes.size() || end < n)
        fail(std::string("write failed: ") + std::strerror(n < 0 ? writeError : ENOSPC));
    return static_cast<std::uint64_t>(end - n);
}

void DbfIo::sync()
{
    if (poisoned_)
        throw StorageError::badFile(fileName_,
                                    "an earlier write failed; open the table again to go on");
    if (::fdatasync(fd_) != 0)
        fail(std::string("flush failed: ") + std::strerror(errno));
}

namespace {

struct flock lockRequest(short type)
{
    struct flock request {};
    request.l_type = type;
    request.l_whence = SEEK_SET;
    request.l_start = static_cast<off_t>(DbfIo::kTableLockOffset);
    request.l_len = 1;
    request.l_pid = 0; // required by open-file-description locks
    return request;
}

} // namespace

void DbfIo::lockExclusive()
{
    struct flock request = lockRequest(F_WRLCK);
    while (::fcntl(fd_, F_OFD_SETLKW, &request) != 0) {
        if (errno != EINTR)
            throw StorageError::badFile(fileName_, std::string("cannot lock the file: ") +
                                                       std::strerror(errno));
        request = lockRequest(F_WRLCK);
    }
}

bool DbfIo::tryLockExclusive()
{
    struct flock request = lockRequest(F_WRLCK);
    if (::fcntl(fd_, F_OFD_SETLK, &request) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    throw StorageError::badFile(fileName_,
                                std::string("cannot lock the file: ") + std::strerror(errno));
}

void DbfIo::unlock()
{
    struct flock request = lockRequest(F_UNLCK);
    ::fcntl(fd_, F_OFD_SETLK, &request);
}

void DbfIo::truncate(std::uint64_t length)
{
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0)
        fail(std::string("cannot truncate: ") + std::strerror(errno));
}

} // namespace qw::storage
