#pragma once

// The memo file beside a table: FoxPro's FPT (read and written) and the
// dBase III / IV DBT (read only). A memo is addressed by its block number,
// which the table's memo field holds.
//
// FPT layout: a 512-byte header whose first four bytes (big-endian) give the
// next free block and whose bytes 6-7 (big-endian) give the block size; each
// memo starts on a block with an 8-byte header (type, length, big-endian)
// followed by its bytes.
//
// A new memo is written past both the header's next free block and the end
// of the file (whichever lies further), and the header moves only after the
// memo bytes are on disk, so a memo that no record references yet can never
// be overwritten or half-visible; an abandoned memo is just unused space.
// Memos are appended only while the table's lock is held (DbfFile.h).

#include "DbfFormat.h"
#include "DbfIo.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qw::storage {

class MemoFile {
public:
    // Throws StorageError::badFile naming the file when its header cannot be trusted.
    MemoFile(const std::filesystem::path& path, MemoKind kind, bool writable);

    // Raw bytes of the memo at a block; 0 is the empty memo.
    std::string read(std::uint32_t block) const;
    // Appends a memo and returns its block. durable: flush before the header
    // moves. Called with the table's lock held.
    std::uint32_t append(std::string_view bytes, bool durable);

    static void createFpt(const std::filesystem::path& path);
    static constexpr std::uint16_t kDefaultBlockSize = 64;
    static constexpr std::uint32_t kHeaderSize = 512;

private:
    std::string readDbt3(std::uint64_t offset) const;
    std::string readSized(std::uint64_t offset, std::size_t headerSize, std::uint64_t length,
                          std::uint32_t block) const;
    // Bytes at offset, through a read-ahead window (memos of a scan lie in
    // order); may return fewer bytes at the end of the file.
    std::string_view readCached(std::uint64_t offset, std::size_t length) const;
    std::uint64_t fileSize() const;

    DbfIo io_;
    MemoKind kind_;
    mutable std::string window_;
    mutable std::uint64_t windowStart_ = 0;
    mutable std::uint64_t knownSize_ = 0;
    std::uint32_t blockSize_ = 512;
};

} // namespace qw::storage
