#include "StandardIdxWriter.h"

#include "ChangeCheck.h"
#include "IdxFormat.h"
#include "StandardIdxNode.h"
#include "StorageError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace qw::storage {

using namespace idx;

namespace {

std::string fileNameOf(const std::filesystem::path& path)
{
    return path.filename().string();
}

StorageError writeError(const std::filesystem::path& path, int error)
{
    return StorageError("Cannot write index file " + fileNameOf(path) + ": " +
                        std::strerror(error));
}

// All of bytes at offset in the file.
void writeAll(int fd, const std::string& bytes, std::uint64_t offset,
              const std::filesystem::path& path)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw writeError(path, put < 0 ? errno : ENOSPC);
        done += std::size_t(put);
    }
}

// The first eight key bytes as one number that orders like the bytes.
std::uint64_t keyHead(std::string_view key)
{
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = (head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return head;
}

// Makes the rename itself durable, so that after a crash the folder names
// the new index rather than the old one, which lacks the latest records.
void syncFolder(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

StandardIdxWriter::StandardIdxWriter(std::string_view expression, std::size_t keyLength)
    : expression_(expression), keyLength_(keyLength)
{
    const bool printable = std::all_of(expression_.begin(), expression_.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
    });
    if (expression_.empty() || expression_.size() >= kExpressionAreaSize || !printable)
        throw StorageError("The index key expression \"" + expression_ +
                           "\" cannot be stored in an index file");
    if (keyLength_ == 0 || keyLength_ > kMaxWrittenKeyLength)
        throw StorageError("The index key expression \"" + expression_ + "\" gives keys of " +
                           std::to_string(keyLength_) + " characters; an index key holds 1 to " +
                           std::to_string(kMaxWrittenKeyLength));
}

void StandardIdxWriter::checkEntries(std::vector<IndexEntry>& entries) const
{
    for (IndexEntry& entry : entries) {
        if (entry.key.size() > keyLength_)
            throw StorageError("Index key longer than " + std::to_string(keyLength_) +
                               " characters for record " + std::to_string(entry.recordNumber));
        if (entry.recordNumber == 0)
            throw StorageError("Index entry for record number 0");
        entry.key.resize(keyLength_, ' ');
    }
}

// Where the built file goes: all into memory, or through a buffer that is
// written out whenever it holds enough nodes.
class StandardIdxWriter::Output {
public:
    Output(std::string& buffer, int fd, const std::filesystem::path& path)
        : buffer_(buffer), fd_(fd), path_(path)
    {
        buffer_.clear();
    }
    std::uint64_t size() const { return written_ + buffer_.size(); }
    void put(const unsigned char* bytes, std::size_t count)
    {
        buffer_.append(reinterpret_cast<const char*>(bytes), count);
        if (fd_ >= 0 && buffer_.size() >= kFlushBytes)
            flush();
    }
    void flush()
    {
        if (fd_ < 0 || buffer_.empty())
            return;
        writeAll(fd_, buffer_, written_, path_);
        written_ += buffer_.size();
        buffer_.clear();
    }
    // The header over the space kept for it at the start.
    void placeHeader(const std::string& header)
    {
        if (fd_ < 0) {
            buffer_.replace(0, header.size(), header);
            return;
        }
        flush();
        writeAll(fd_, header, 0, path_);
    }

private:
    static constexpr std::size_t kFlushBytes = 256 * 1024;
    std::string& buffer_;
    int fd_;
    const std::filesystem::path& path_;
    std::uint64_t written_ = 0;
};

void StandardIdxWriter::checkPool(const IdxBuildBuffers& buffers) const
{
    if (buffers.records.size() > 0xFFFFFFF0u / 8)
        throw StorageError("Too many records for an index file");
    if (buffers.keyPool.size() != buffers.records.size() * keyLength_ ||
        std::find(buffers.records.begin(), buffers.records.end(), 0u) != buffers.records.end())
        throw StorageError("Index entries that do not fit their keys");
}

void StandardIdxWriter::sortLeafItems(IdxBuildBuffers& buffers) const
{
    // Keys stay in one pool so that sorting compares contiguous memory and
    // moves only small items.
    const std::string& keyPool = buffers.keyPool;
    std::vector<LevelItem>& items = buffers.items;
    items.clear();
    items.reserve(buffers.records.size());
    for (std::size_t i = 0; i < buffers.records.size(); ++i) {
        items.push_back({keyHead(std::string_view(keyPool).substr(i * keyLength_, keyLength_)),
                         static_cast<std::uint32_t>(i), buffers.records[i]});
    }
    // By the keys' first eight bytes in a stable radix sort, a pass per byte
    // from the last; passes where every key has the same byte are left out.
    std::vector<LevelItem>& spare = buffers.parents;
    spare.resize(items.size());
    std::array<std::array<std::size_t, 256>, 8> counts{};
    for (const LevelItem& item : items)
        for (std::size_t b = 0; b < 8; ++b)
            ++counts[b][(item.head >> (8 * b)) & 0xFF];
    for (std::size_t b = 0; b < 8; ++b) {
        auto& count = counts[b];
        if (std::find(count.begin(), count.end(), items.size()) != count.end())
            continue;
        std::size_t at = 0;
        for (std::size_t& c : count)
            at += std::exchange(c, at);
        for (const LevelItem& item : items)
            spare[count[(item.head >> (8 * b)) & 0xFF]++] = item;
        items.swap(spare);
    }
    // Runs of equal heads by the rest of the key, then by record (entries
    // given directly need not come in record order).
    const char* pool = keyPool.data();
    const std::size_t length = keyLength_;
    const std::size_t rest = length > 8 ? length - 8 : 0;
    const auto byKey = [pool, length, rest](const LevelItem& a, const LevelItem& b) {
        const int order = std::memcmp(pool + std::size_t(a.key) * length + (length - rest),
                                      pool + std::size_t(b.key) * length + (length - rest), rest);
        return order != 0 ? order < 0 : a.pointer < b.pointer;
    };
    for (auto run = items.begin(); run != items.end();) {
        const auto end = std::find_if(run + 1, items.end(), [&](const LevelItem& item) {
            return item.head != run->head;
        });
        if (end - run > 1)
            std::sort(run, end, byKey);
        run = end;
    }
}

void StandardIdxWriter::writeLevel(const std::vector<LevelItem>& items, const std::string& keyPool,
                                   bool leaf, Output& out, std::vector<LevelItem>& parents) const
{
    const std::size_t capacity = StandardIdxNode::capacity(keyLength_);
    const std::size_t nodeCount =
        std::max<std::size_t>(1, (items.size() + capacity - 1) / capacity);
    // Spread the entries evenly rather than leaving a nearly empty last node.
    const std::size_t base = items.size() / nodeCount;
    const std::size_t extra = items.size() % nodeCount;
    const std::uint16_t attributes =
        static_cast<std::uint16_t>((leaf ? kAttrLeaf : 0) | (nodeCount == 1 ? kAttrRoot : 0));

    const std::uint64_t firstOffset = out.size();
    if (firstOffset + nodeCount * kNodeSize > 0xFFFFFFFFu)
        throw StorageError("Index file would exceed 4 GB");
    parents.clear();
    parents.reserve(nodeCount);
    std::size_t next = 0;
    unsigned char raw[kNodeSize];
    for (std::size_t n = 0; n < nodeCount; ++n) {
        const auto offset = static_cast<std::uint32_t>(firstOffset + n * kNodeSize);
        std::memset(raw, 0, sizeof raw);
        const std::size_t count = base + (n < extra ? 1 : 0);
        writeLe16(raw + kNodeAttrOffset, attributes);
        writeLe16(raw + kNodeCountOffset, static_cast<std::uint16_t>(count));
        writeLe32(raw + kNodeLeftOffset, n == 0 ? kNoNode : offset - std::uint32_t(kNodeSize));
        writeLe32(raw + kNodeRightOffset,
                  n + 1 == nodeCount ? kNoNode : offset + std::uint32_t(kNodeSize));
        unsigned char* entry = raw + kNodeEntriesOffset;
        for (std::size_t i = 0; i < count; ++i, ++next, entry += keyLength_ + 4) {
            std::memcpy(entry, keyPool.data() + std::size_t(items[next].key) * keyLength_,
                        keyLength_);
            writeBe32(entry + keyLength_, items[next].pointer);
        }
        out.put(raw, sizeof raw);
        // A parent entry carries the last (greatest) key of its child.
        const std::uint32_t lastKey = count > 0 ? items[next - 1].key : 0;
        parents.push_back({0, lastKey, offset});
    }
}

std::string StandardIdxWriter::header(std::uint32_t root, std::uint64_t fileSize) const
{
    std::string bytes(kStandardHeaderSize, '\0');
    auto* raw = reinterpret_cast<unsigned char*>(bytes.data());
    writeLe32(raw + kRootOffset, root);
    writeLe32(raw + kFreeListOffset, kNoNode);
    writeLe32(raw + kEndOfFileOffset, std::uint32_t(fileSize));
    writeLe16(raw + kKeyLengthOffset, static_cast<std::uint16_t>(keyLength_));
    raw[kOptionsOffset] = 0;
    raw[kSignatureOffset] = 0;
    std::memcpy(raw + kStandardKeyExprOffset, expression_.data(), expression_.size());
    return bytes;
}

void StandardIdxWriter::emit(IdxBuildBuffers& buffers, Output& out) const
{
    sortLeafItems(buffers);
    const unsigned char blank[kStandardHeaderSize] = {};
    out.put(blank, sizeof blank);
    writeLevel(buffers.items, buffers.keyPool, true, out, buffers.parents);
    // Each level holds the last key of every node of the level below.
    while (buffers.parents.size() > 1) {
        buffers.items.swap(buffers.parents);
        writeLevel(buffers.items, buffers.keyPool, false, out, buffers.parents);
    }
    out.placeHeader(header(buffers.parents.front().pointer, out.size()));
}

namespace {

IdxBuildBuffers buffersFor(std::vector<IndexEntry>& entries, std::size_t keyLength)
{
    IdxBuildBuffers buffers;
    buffers.keyPool.reserve(entries.size() * keyLength);
    buffers.records.reserve(entries.size());
    for (const IndexEntry& entry : entries) {
        buffers.keyPool += entry.key;
        buffers.records.push_back(entry.recordNumber);
    }
    entries.clear();
    return buffers;
}

} // namespace

std::string StandardIdxWriter::build(std::vector<IndexEntry> entries) const
{
    checkEntries(entries);
    IdxBuildBuffers buffers = buffersFor(entries, keyLength_);
    checkPool(buffers);
    const std::filesystem::path inMemory;
    Output out(buffers.out, -1, inMemory);
    emit(buffers, out);
    return std::move(buffers.out);
}

void StandardIdxWriter::write(const std::filesystem::path& path,
                              std::vector<IndexEntry> entries) const
{
    checkEntries(entries);
    IdxBuildBuffers buffers = buffersFor(entries, keyLength_);
    write(path, buffers);
}

void StandardIdxWriter::write(const std::filesystem::path& path, IdxBuildBuffers& buffers) const
{
    checkPool(buffers); // before a temporary is made
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw writeError(path, errno);
    try {
        Output out(buffers.out, fd, path);
        emit(buffers, out);
        out.flush();
        // The new index must be on disk before it replaces the old one, or a
        // crash could leave a renamed but empty file.
        if (::fchmod(fd, 0644) != 0 || ::fdatasync(fd) != 0)
            throw writeError(path, errno);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (::close(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw writeError(path, error);
    }
    syncFolder(path);
    // Only now, with the new file in place, may other handles look again.
    ChangeCheck::noteWrite();
}

} // namespace qw::storage
