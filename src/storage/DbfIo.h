#pragma once

// One open file of a table (the DBF or its memo file), read with pread and
// written with pwrite at explicit offsets. Every write passes one counter so
// that the crash tests can stop the writer before its N-th write; a failed
// write poisons the file object, and nothing more is written through it
// until the table is opened again.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace qw::storage {

class DbfIo {
public:
    // Opens for reading and, when writable is set and permitted, writing.
    // Returns false when the file cannot be opened at all. A file is never
    // written through a symbolic link: a link in its place is opened for
    // reading only (isLink), and a write to it is refused with StorageError
    // naming the file, so that no write can land in a file outside the folder.
    bool open(const std::filesystem::path& path, bool writable);
    // Creates a new file (never through a link, never over an existing
    // name) and opens it for writing; false when that cannot be done.
    bool createNew(const std::filesystem::path& path);
    // Opens the same file again for reading and writing, in place of the
    // read-only descriptor; false (and unchanged) when that is not
    // permitted. A link is refused as open() refuses it.
    bool reopenWritable(const std::filesystem::path& path);
    ~DbfIo();
    DbfIo() = default;
    DbfIo(const DbfIo&) = delete;
    DbfIo& operator=(const DbfIo&) = delete;

    bool isWritable() const { return writable_; }
    // Writing was wanted but refused because the file is a symbolic link.
    bool isLink() const { return link_; }
    std::uint64_t size() const;
    // Reads up to length bytes at offset; returns what the file holds there.
    std::string read(std::uint64_t offset, std::size_t length) const;
    std::size_t readInto(std::uint64_t offset, char* buffer, std::size_t length) const;
    // The first stretch of the file at or after offset that holds data, as
    // [begin, end): holes of a sparse file are skipped. {size, size} when
    // only holes follow. Where the file system cannot tell, all is data.
    std::pair<std::uint64_t, std::uint64_t> dataFrom(std::uint64_t offset) const;
    // Throws StorageError (and poisons the object) on any failure.
    void write(std::uint64_t offset, std::string_view bytes);
    // Writes bytes at the end of the file as it stands at the moment of the
    // write (O_APPEND), so that they can never land on bytes another
    // program put down after this one looked at the size; returns the
    // offset at which they begin. Fails as write() does.
    std::uint64_t append(std::string_view bytes);
    void sync();
    void truncate(std::uint64_t length);
    // The table lock: an exclusive open-file-description byte-range lock
    // (fcntl F_OFD_SETLKW) on the one byte at kTableLockOffset, waiting for
    // it. It belongs to this open file, so it also parts two handles of one
    // process that opened the file separately; it ends with the process,
    // however that ends; and as a POSIX byte-range lock it is passed on to
    // NFS and SMB servers, so the counters of a shop that share a folder
    // exclude each other. Throws StorageError when it cannot be taken.
    void lockExclusive();
    // Takes the same lock without waiting; false when another holds it.
    bool tryLockExclusive();
    void unlock();
    // The locked byte lies far past any data a table or memo file can hold
    // (a DBF tops out below 2^48 bytes), so no reader of the data is ever
    // held up by it, and far above the 32-bit offsets at which xBase
    // programs place their record and file locks, so it never collides
    // with another program's lock.
    static constexpr std::uint64_t kTableLockOffset = std::uint64_t(1) << 62;
    const std::string& fileName() const { return fileName_; }

private:
    void fail(const std::string& what);
    int openForWriting(const std::filesystem::path& path);
    int fd_ = -1;
    bool writable_ = false;
    bool poisoned_ = false;
    bool link_ = false;
    std::string fileName_;
};

// Fault injection for the crash tests: after the given number of further
// writes (over all files) every write fails as an I/O error does. A negative
// number switches it off. With tear set, the failing write first puts down
// its bytes up to the last 512-byte boundary inside it, as a power cut can
// (a disk writes whole sectors; a write within one sector is all or nothing).
void stopWritesAfter(long writes, bool tear = false);

} // namespace qw::storage
