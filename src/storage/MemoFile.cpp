#include "MemoFile.h"

#include "StorageError.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace qw::storage {
namespace {

// A dBase III memo ends at its first 0x1A; one is never read past this size.
constexpr std::uint64_t kMaxDbt3Memo = 16 * 1024 * 1024;
constexpr std::size_t kWindowBytes = 32 * 1024;
// How far past the end of the file a memo header's next free block is followed.
constexpr std::uint64_t kMostBytesPastEnd = 16 * 1024 * 1024;
// Appends tried before giving up on a memo file that others keep growing.
constexpr int kMostAppendAttempts = 16;

} // namespace

MemoFile::MemoFile(const std::filesystem::path& path, MemoKind kind, bool writable) : kind_(kind)
{
    const std::string name = path.filename().string();
    if (!io_.open(path, writable && kind == MemoKind::Fpt))
        throw StorageError::badFile(name, "memo file cannot be opened");
    const std::string header = io_.read(0, kHeaderSize);
    if (kind == MemoKind::Fpt) {
        if (header.size() < kHeaderSize)
            throw StorageError::badFile(name, "memo file is too short for its header");
        blockSize_ =
            (static_cast<unsigned char>(header[6]) << 8) | static_cast<unsigned char>(header[7]);
        if (blockSize_ == 0)
            throw StorageError::badFile(name, "memo block size is 0");
    } else if (kind == MemoKind::Dbt4) {
        if (header.size() < 24)
            throw StorageError::badFile(name, "memo file is too short for its header");
        blockSize_ = readLe16(header.data() + 20);
        if (blockSize_ == 0)
            blockSize_ = 512;
    } else {
        blockSize_ = 512;
    }
}

std::string MemoFile::read(std::uint32_t block) const
{
    if (block == 0)
        return {};
    const std::uint64_t offset = static_cast<std::uint64_t>(block) * blockSize_;
    knownSize_ = offset + 8 > fileSize() ? 0 : knownSize_; // may have grown meanwhile
    const std::uint64_t fileSize = this->fileSize();
    // dBase III memos have no block header: their text ends at 0x1A.
    const std::uint64_t blockHeader = kind_ == MemoKind::Dbt3 ? 1 : 8;
    const std::uint64_t firstMemo = kind_ == MemoKind::Fpt ? kHeaderSize : blockSize_;
    if (offset < firstMemo)
        throw StorageError::badFile(
            io_.fileName(), "memo block " + std::to_string(block) +
                                " lies inside the memo file's header (memos start at block " +
                                std::to_string((firstMemo + blockSize_ - 1) / blockSize_) + ")");
    if (offset + blockHeader > fileSize)
        throw StorageError::badFile(io_.fileName(), "memo block " + std::to_string(block) +
                                                        " is past the end of the file");
    if (kind_ == MemoKind::Dbt3)
        return readDbt3(offset);
    const std::string head(readCached(offset, 8));
    if (kind_ == MemoKind::Fpt)
        return readSized(offset, 8, readBe32(head.data() + 4), block);
    // dBase IV: FF FF 08 00, then the length including these eight bytes.
    const std::uint32_t total = readLe32(head.data() + 4);
    if (static_cast<unsigned char>(head[0]) != 0xFF || total < 8)
        return readDbt3(offset);
    return readSized(offset, 8, total - 8, block);
}

std::string MemoFile::readSized(std::uint64_t offset, std::size_t headerSize, std::uint64_t length,
                                std::uint32_t block) const
{
    if (offset + headerSize + length > fileSize())
        knownSize_ = 0; // ask again: another process may have appended
    if (offset + headerSize + length > fileSize())
        throw StorageError::badFile(io_.fileName(), "memo at block " + std::to_string(block) +
                                                        " runs past the end of the file");
    return std::string(readCached(offset + headerSize, static_cast<std::size_t>(length)));
}

std::string MemoFile::readDbt3(std::uint64_t offset) const
{
    std::string text;
    const std::uint64_t end = std::min(fileSize(), offset + kMaxDbt3Memo);
    for (std::uint64_t pos = offset; pos < end; pos += blockSize_) {
        const std::string chunk =
            io_.read(pos, static_cast<std::size_t>(std::min<std::uint64_t>(blockSize_, end - pos)));
        const auto stop = chunk.find(kEndOfFile);
        if (stop != std::string::npos)
            return text + chunk.substr(0, stop);
        text += chunk;
    }
    return text;
}

std::uint64_t MemoFile::fileSize() const
{
    if (knownSize_ == 0)
        knownSize_ = io_.size();
    return knownSize_;
}

std::string_view MemoFile::readCached(std::uint64_t offset, std::size_t length) const
{
    if (offset < windowStart_ || offset + length > windowStart_ + window_.size()) {
        window_ = io_.read(offset, std::max(length, kWindowBytes));
        windowStart_ = offset;
    }
    const std::size_t at = static_cast<std::size_t>(offset - windowStart_);
    return std::string_view(window_).substr(at, std::min(length, window_.size() - at));
}

std::uint32_t MemoFile::append(std::string_view bytes, bool durable)
{
    if (kind_ != MemoKind::Fpt)
        throw StorageError::badFile(io_.fileName(), "memos are written to FPT memo files only");
    if (bytes.empty())
        return 0;
    // A new memo goes where no memo can be yet: past the block the header
    // names as next free, and past the end of the file. Either alone can
    // be behind: the end, when another program moved the header before
    // writing its memo; the header, when a writer died before moving it or
    // one that takes no lock wrote past it. A header far past the end
    // (a damaged or hostile one could ask for terabytes) only opens a gap
    // and is not followed. The memo is appended to the file as it stands
    // when it is written: had a program that takes no lock put a memo down
    // since the end was measured, ours lands after it rather than over it,
    // is left there unreferenced, and goes down again at the new end.
    const std::uint64_t firstBlock = (kHeaderSize + blockSize_ - 1) / blockSize_;
    const std::uint64_t used = 8 + bytes.size();
    const std::uint64_t blocks = (used + blockSize_ - 1) / blockSize_;
    std::string memo(static_cast<std::size_t>(blocks * blockSize_), '\0');
    writeBe32(memo.data(), 1); // type 1: text
    writeBe32(memo.data() + 4, static_cast<std::uint32_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), memo.begin() + 8);
    window_.clear();
    windowStart_ = 0;
    knownSize_ = 0;
    std::uint64_t block = 0;
    for (int attempt = 0;; ++attempt) {
        const std::uint64_t size = io_.size();
        const std::uint64_t endBlock = (size + blockSize_ - 1) / blockSize_;
        const std::string header = io_.read(0, 4);
        const std::uint64_t headerBlock = header.size() == 4 ? readBe32(header.data()) : 0;
        const bool headerSane = headerBlock <= endBlock + kMostBytesPastEnd / blockSize_;
        block = std::max({firstBlock, endBlock, headerSane ? headerBlock : 0});
        if (block + blocks > 0xFFFFFFFFull)
            throw StorageError::badFile(io_.fileName(), "memo file is full");
        const std::size_t gap = static_cast<std::size_t>(block * blockSize_ - size);
        if (io_.append(std::string(gap, '\0') + memo) == size)
            break;
        if (attempt == kMostAppendAttempts)
            throw StorageError::badFile(io_.fileName(),
                                        "another program keeps writing the memo file; "
                                        "the comments were not saved");
    }
    if (durable)
        io_.sync();
    std::string newHeader(4, '\0');
    writeBe32(newHeader.data(), static_cast<std::uint32_t>(block + blocks));
    io_.write(0, newHeader);
    if (durable)
        io_.sync();
    return static_cast<std::uint32_t>(block);
}

void MemoFile::createFpt(const std::filesystem::path& path)
{
    std::string header(kHeaderSize, '\0');
    writeBe32(header.data(), kHeaderSize / kDefaultBlockSize);
    header[6] = static_cast<char>(kDefaultBlockSize >> 8);
    header[7] = static_cast<char>(kDefaultBlockSize & 0xFF);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw StorageError::badFile(path.filename().string(), "cannot create the memo file");
    const bool ok =
        ::write(fd, header.data(), header.size()) == static_cast<ssize_t>(header.size());
    ::fsync(fd);
    ::close(fd);
    if (!ok)
        throw StorageError::badFile(path.filename().string(), "cannot write the memo file");
}

} // namespace qw::storage
