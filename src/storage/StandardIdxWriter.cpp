#include "StandardIdxWriter.h"

#include "ChangeCheck.h"
#include "IdxFormat.h"
#include "StandardIdxNode.h"
#include "StorageError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>

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

void writeAll(int fd, const std::string& bytes, const std::filesystem::path& path)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
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

std::vector<StandardIdxWriter::LevelItem>
StandardIdxWriter::sortedLeafItems(const std::string& keyPool,
                                   const std::vector<std::uint32_t>& records) const
{
    // Keys stay in one pool so that sorting compares contiguous memory and
    // moves only small items.
    std::vector<LevelItem> items;
    items.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        items.push_back({keyHead(std::string_view(keyPool).substr(i * keyLength_, keyLength_)),
                         static_cast<std::uint32_t>(i), records[i]});
    }
    const char* pool = keyPool.data();
    const std::size_t length = keyLength_;
    std::sort(items.begin(), items.end(), [pool, length](const LevelItem& a, const LevelItem& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const int order = std::memcmp(pool + std::size_t(a.key) * length,
                                      pool + std::size_t(b.key) * length, length);
        return order != 0 ? order < 0 : a.pointer < b.pointer;
    });
    return items;
}

std::vector<StandardIdxWriter::LevelItem>
StandardIdxWriter::writeLevel(const std::vector<LevelItem>& items, const std::string& keyPool,
                              bool leaf, std::string& file) const
{
    const std::size_t capacity = StandardIdxNode::capacity(keyLength_);
    const std::size_t nodeCount =
        std::max<std::size_t>(1, (items.size() + capacity - 1) / capacity);
    // Spread the entries evenly rather than leaving a nearly empty last node.
    const std::size_t base = items.size() / nodeCount;
    const std::size_t extra = items.size() % nodeCount;
    const std::uint16_t attributes =
        static_cast<std::uint16_t>((leaf ? kAttrLeaf : 0) | (nodeCount == 1 ? kAttrRoot : 0));

    const std::size_t firstOffset = file.size();
    file.resize(firstOffset + nodeCount * kNodeSize, '\0');
    std::vector<LevelItem> parents;
    parents.reserve(nodeCount);
    std::size_t next = 0;
    for (std::size_t n = 0; n < nodeCount; ++n) {
        const std::size_t offset = firstOffset + n * kNodeSize;
        auto* raw = reinterpret_cast<unsigned char*>(file.data() + offset);
        const std::size_t count = base + (n < extra ? 1 : 0);
        writeLe16(raw + kNodeAttrOffset, attributes);
        writeLe16(raw + kNodeCountOffset, static_cast<std::uint16_t>(count));
        writeLe32(raw + kNodeLeftOffset, n == 0 ? kNoNode : std::uint32_t(offset - kNodeSize));
        writeLe32(raw + kNodeRightOffset,
                  n + 1 == nodeCount ? kNoNode : std::uint32_t(offset + kNodeSize));
        unsigned char* entry = raw + kNodeEntriesOffset;
        for (std::size_t i = 0; i < count; ++i, ++next, entry += keyLength_ + 4) {
            std::memcpy(entry, keyPool.data() + std::size_t(items[next].key) * keyLength_,
                        keyLength_);
            writeBe32(entry + keyLength_, items[next].pointer);
        }
        // A parent entry carries the last (greatest) key of its child.
        const std::uint32_t lastKey = count > 0 ? items[next - 1].key : 0;
        parents.push_back({0, lastKey, std::uint32_t(offset)});
    }
    return parents;
}

void StandardIdxWriter::writeHeader(std::string& file, std::uint32_t root) const
{
    auto* raw = reinterpret_cast<unsigned char*>(file.data());
    writeLe32(raw + kRootOffset, root);
    writeLe32(raw + kFreeListOffset, kNoNode);
    writeLe32(raw + kEndOfFileOffset, std::uint32_t(file.size()));
    writeLe16(raw + kKeyLengthOffset, static_cast<std::uint16_t>(keyLength_));
    raw[kOptionsOffset] = 0;
    raw[kSignatureOffset] = 0;
    std::memcpy(raw + kStandardKeyExprOffset, expression_.data(), expression_.size());
}

std::string StandardIdxWriter::build(std::vector<IndexEntry> entries) const
{
    checkEntries(entries);
    std::string keyPool;
    keyPool.reserve(entries.size() * keyLength_);
    std::vector<std::uint32_t> records;
    records.reserve(entries.size());
    for (const IndexEntry& entry : entries) {
        keyPool += entry.key;
        records.push_back(entry.recordNumber);
    }
    entries.clear();
    return build(keyPool, records);
}

std::string StandardIdxWriter::build(const std::string& keyPool,
                                     const std::vector<std::uint32_t>& records) const
{
    if (records.size() > 0xFFFFFFF0u / 8)
        throw StorageError("Too many records for an index file");
    if (keyPool.size() != records.size() * keyLength_ ||
        std::find(records.begin(), records.end(), 0u) != records.end())
        throw StorageError("Index entries that do not fit their keys");
    std::vector<LevelItem> level = sortedLeafItems(keyPool, records);

    std::string file(kStandardHeaderSize, '\0');
    // Room for every level at once: each holds a capacity-th of the one below.
    const std::size_t capacity = StandardIdxNode::capacity(keyLength_);
    std::size_t nodes = 0;
    for (std::size_t below = level.size(); below > 1 || nodes == 0;) {
        below = std::max<std::size_t>(1, (below + capacity - 1) / capacity);
        nodes += below;
    }
    file.reserve(kStandardHeaderSize + nodes * kNodeSize);
    level = writeLevel(level, keyPool, true, file);
    while (level.size() > 1)
        level = writeLevel(level, keyPool, false, file);
    if (file.size() > 0xFFFFFFFFu)
        throw StorageError("Index file would exceed 4 GB");
    writeHeader(file, level.front().pointer);
    return file;
}

void StandardIdxWriter::write(const std::filesystem::path& path,
                              std::vector<IndexEntry> entries) const
{
    replaceFile(path, build(std::move(entries)));
}

void StandardIdxWriter::write(const std::filesystem::path& path, const std::string& keyPool,
                              const std::vector<std::uint32_t>& records) const
{
    replaceFile(path, build(keyPool, records));
}

void StandardIdxWriter::replaceFile(const std::filesystem::path& path,
                                    const std::string& bytes) const
{
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw writeError(path, errno);
    try {
        writeAll(fd, bytes, path);
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
