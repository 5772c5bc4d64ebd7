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
    // Returns false when the file cannot be opened at all.
    bool open(const std::filesystem::path& path, bool writable);
    // Creates a new file and opens it for writing; false when the file
    // already exists or cannot be created.
    bool createNew(const std::filesystem::path& path);
    // Opens the same file again for reading and writing, in place of the
    // read-only descriptor; false (and unchanged) when that is not permitted.
    bool reopenWritable(const std::filesystem::path& path);
    ~DbfIo();
    DbfIo() = default;
    DbfIo(const DbfIo&) = delete;
    DbfIo& operator=(const DbfIo&) = delete;

    bool isWritable() const { return writable_; }
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
    void sync();
    void truncate(std::uint64_t length);
    // An exclusive advisory lock on the whole file (flock), waiting for it;
    // it belongs to this open file, so it also parts two handles of one
    // process that opened the file separately, and it ends with the
    // process, however that ends. Throws StorageError when the lock cannot
    // be taken.
    void lockExclusive();
    void unlock();
    const std::string& fileName() const { return fileName_; }

private:
    void fail(const std::string& what);
    int fd_ = -1;
    bool writable_ = false;
    bool poisoned_ = false;
    std::string fileName_;
};

// Fault injection for the crash tests: after the given number of further
// writes (over all files) every write fails as an I/O error does. A negative
// number switches it off. With tear set, the failing write first puts down
// its bytes up to the last 512-byte boundary inside it, as a power cut can
// (a disk writes whole sectors; a write within one sector is all or nothing).
void stopWritesAfter(long writes, bool tear = false);

} // namespace qw::storage
