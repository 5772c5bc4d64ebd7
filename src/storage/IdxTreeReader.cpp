#include "IdxTreeReader.h"

#include "CompactIdxNode.h"
#include "DbfFormat.h"
#include "IdxFormat.h"
#include "StandardIdxNode.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace qw::storage {

using namespace idx;

namespace {

constexpr std::size_t kWholeFileReadLimit = 64 * 1024;

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool readFully(int fd, unsigned char* buffer, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done, offset + off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += std::size_t(got);
    }
    return true;
}

bool startsWith(std::string_view key, std::string_view prefix)
{
    return key.size() >= prefix.size() && key.compare(0, prefix.size(), prefix) == 0;
}

// Index of the first key not less than target, comparing each key's first
// target.size() bytes only: a key that begins with target counts as equal.
std::size_t firstNotLess(const IdxNode& node, std::string_view target)
{
    std::size_t low = 0;
    std::size_t high = node.count();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (node.key(middle).substr(0, target.size()) < target)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace

bool IdxTreeReader::FileIdentity::operator==(const FileIdentity& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

IdxTreeReader::IdxTreeReader(std::filesystem::path path) : path_(std::move(path))
{
    try {
        openFile();
    } catch (...) {
        // No destructor runs for an object whose constructor throws.
        if (fd_ >= 0)
            ::close(fd_);
        throw;
    }
}

IdxTreeReader::~IdxTreeReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::string IdxTreeReader::fileName() const
{
    return path_.filename().string();
}

void IdxTreeReader::openFile() const
{
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw StorageError::indexNotFound(path_.string());
        throw StorageError::badFile(fileName(), std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw StorageError::badFile(fileName(), "not a regular file");
    }
    Header header;
    try {
        header = readHeader(fd, status.st_size);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    identity_ = {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
    changeCheck_.markChecked();
    image_.clear();
    if (status.st_size <= off_t(kWholeFileReadLimit)) {
        image_.resize(std::size_t(status.st_size));
        if (!readFully(fd_, reinterpret_cast<unsigned char*>(image_.data()), image_.size(), 0))
            image_.clear(); // read node by node instead
    }
    header_ = std::move(header);
    nodes_.clear();
    placements_.clear();
    leafDepth_.reset();
    lastCursor_.clear();
    lastEntry_.reset();
    node(header_.root); // refuse a file whose root cannot be read now, not at first use
}

void IdxTreeReader::refresh() const
{
    if (!changeCheck_.due())
        return;
    struct stat status {};
    // A file removed since opening stays readable through the open handle.
    if (::stat(path_.c_str(), &status) != 0)
        return;
    const FileIdentity now{status.st_dev, status.st_ino, status.st_size, status.st_mtim,
                           status.st_ctim};
    if (now == identity_)
        return;
    openFile();
}

// A header that cannot be trusted is refused; when the file is a table
// given in place of an index, the message says so rather than naming
// whichever header value happened to fail.
IdxTreeReader::Header IdxTreeReader::readHeader(int fd, off_t fileSize) const
{
    try {
        return readCheckedHeader(fd, fileSize);
    } catch (const StorageError&) {
        if (isTableFile(fd, fileSize))
            throw StorageError::badFile(fileName(), "a table (DBF) file, not an index file");
        throw;
    }
}

bool IdxTreeReader::isTableFile(int fd, off_t fileSize) const
{
    std::string head(std::size_t(std::min<off_t>(fileSize, 65535)), '\0');
    if (!readFully(fd, reinterpret_cast<unsigned char*>(head.data()), head.size(), 0))
        return false;
    try {
        parseDbfHeader(head, std::uint64_t(fileSize), fileName());
        return true;
    } catch (const StorageError&) {
        return false;
    }
}

IdxTreeReader::Header IdxTreeReader::readCheckedHeader(int fd, off_t fileSize) const
{
    std::array<unsigned char, kStandardHeaderSize> raw{};
    if (fileSize < off_t(kStandardHeaderSize) || !readFully(fd, raw.data(), raw.size(), 0))
        throw StorageError::badFile(fileName(), "file too short for an index header");
    // Every index, compound ones too, starts with the pointer to its root
    // node: arbitrary bytes fail here before any other header value is read.
    const std::uint32_t root = readLe32(raw.data() + kRootOffset);
    if (root % kNodeSize != 0 || root < kStandardHeaderSize ||
        off_t(root) + off_t(kNodeSize) > fileSize)
        throw StorageError::badFile(fileName(), "not an index file, or a damaged one: the root "
                                                "node pointer in its header (" +
                                                    std::to_string(root) +
                                                    ") leads to no node inside the file");
    const std::uint8_t options = raw[kOptionsOffset];
    if (options & kOptionCompound)
        throw StorageError::badFile(fileName(), "a compound index, not a single-order index");
    if (options & kOptionCompact) {
        if (fileSize < off_t(kCompactHeaderSize))
            throw StorageError::badFile(fileName(), "file too short for an index header");
        return readCompactHeader(fd);
    }
    return readStandardHeader(raw.data());
}

IdxTreeReader::Header IdxTreeReader::readStandardHeader(const unsigned char* raw) const
{
    Header header;
    header.root = readLe32(raw + kRootOffset);
    header.keyLength = readLe16(raw + kKeyLengthOffset);
    header.options = raw[kOptionsOffset];
    checkKeyLength(header.keyLength, kMaxStandardKeyLength);
    header.expression = readExpression(raw + kStandardKeyExprOffset, kExpressionAreaSize);
    header.forExpression = readExpression(raw + kStandardForExprOffset, kExpressionAreaSize);
    requireExpression(header);
    return header;
}

IdxTreeReader::Header IdxTreeReader::readCompactHeader(int fd) const
{
    std::array<unsigned char, kCompactHeaderSize> raw{};
    if (!readFully(fd, raw.data(), raw.size(), 0))
        throw StorageError::badFile(fileName(), "file too short for an index header");
    Header header;
    header.compact = true;
    header.root = readLe32(raw.data() + kRootOffset);
    header.keyLength = readLe16(raw.data() + kKeyLengthOffset);
    header.options = raw[kOptionsOffset];
    checkKeyLength(header.keyLength, kMaxCompactKeyLength);
    if (readLe16(raw.data() + kCompactDescendingOffset) != 0)
        throw StorageError::badFile(fileName(), "descending index order is not supported");
    // The pool holds the key expression, NUL-terminated, then the FOR expression.
    const unsigned char* pool = raw.data() + kCompactPoolOffset;
    header.expression = readExpression(pool, kCompactPoolSize);
    const std::size_t forStart = std::min(
        kCompactPoolSize, ::strnlen(reinterpret_cast<const char*>(pool), kCompactPoolSize) + 1);
    if (header.options & kOptionHasFor)
        header.forExpression = readExpression(pool + forStart, kCompactPoolSize - forStart);
    requireExpression(header);
    return header;
}

void IdxTreeReader::checkKeyLength(std::size_t keyLength, std::size_t maximum) const
{
    if (keyLength == 0 || keyLength > maximum)
        throw StorageError::badFile(fileName(),
                                    "impossible key length " + std::to_string(keyLength));
}

std::string IdxTreeReader::readExpression(const unsigned char* text, std::size_t area) const
{
    std::string expression(reinterpret_cast<const char*>(text),
                           ::strnlen(reinterpret_cast<const char*>(text), area));
    for (const unsigned char c : expression) {
        if (c < 0x20 || c == 0x7F)
            throw StorageError::badFile(fileName(), "unreadable key expression text");
    }
    const auto end = expression.find_last_not_of(' ');
    expression.erase(end == std::string::npos ? 0 : end + 1);
    return expression;
}

void IdxTreeReader::requireExpression(const Header& header) const
{
    if (header.expression.empty())
        throw StorageError::badFile(fileName(), "index header without a key expression");
}

const std::string& IdxTreeReader::expression() const
{
    refresh();
    return header_.expression;
}

const std::string& IdxTreeReader::forExpression() const
{
    refresh();
    return header_.forExpression;
}

std::uint16_t IdxTreeReader::keyLength() const
{
    refresh();
    return header_.keyLength;
}

bool IdxTreeReader::isCompact() const
{
    refresh();
    return header_.compact;
}

bool IdxTreeReader::isUnique() const
{
    refresh();
    return (header_.options & kOptionUnique) != 0;
}

const IdxNode& IdxTreeReader::node(std::uint32_t offset) const
{
    if (const auto found = nodes_.find(offset); found != nodes_.end())
        return found->second;
    const std::size_t headerSize = header_.compact ? kCompactHeaderSize : kStandardHeaderSize;
    if (offset % kNodeSize != 0 || offset < headerSize ||
        off_t(offset) + off_t(kNodeSize) > identity_.size)
        throw StorageError::badFile(fileName(), "node pointer " + std::to_string(offset) +
                                                    " outside the index nodes");
    std::array<unsigned char, kNodeSize> raw{};
    if (!image_.empty())
        std::memcpy(raw.data(), image_.data() + offset, raw.size());
    else if (!readFully(fd_, raw.data(), raw.size(), off_t(offset)))
        throw StorageError::badFile(fileName(), "index file ends inside a node");
    IdxNode decoded = header_.compact
                          ? CompactIdxNode::decode(raw.data(), header_.keyLength, fileName())
                          : StandardIdxNode::decode(raw.data(), header_.keyLength, fileName());
    return nodes_.emplace(offset, std::move(decoded)).first->second;
}

IdxTreeReader::Budget IdxTreeReader::newBudget() const
{
    return Budget{std::size_t(identity_.size) / kNodeSize + 1};
}

void IdxTreeReader::enterNode(Cursor& cursor, std::uint32_t offset, std::size_t index,
                              Budget& budget) const
{
    if (cursor.size() >= kMaxTreeDepth)
        throw StorageError::badFile(fileName(), "index B-tree loops back on itself");
    const Placement here = cursor.empty() ? Placement{kNoNode, 0}
                                          : Placement{cursor.back().first, cursor.back().second};
    const auto [placed, first] = placements_.emplace(offset, here);
    if (!first && (placed->second.parent != here.parent || placed->second.slot != here.slot))
        throw StorageError::badFile(fileName(), "index B-tree node reached from two places");
    if (node(offset).leaf) {
        if (!leafDepth_)
            leafDepth_ = cursor.size();
        if (*leafDepth_ != cursor.size())
            throw StorageError::badFile(fileName(), "index leaves at different depths");
        if (budget.leavesLeft == 0)
            throw StorageError::badFile(fileName(), "index B-tree loops back on itself");
        --budget.leavesLeft;
    }
    cursor.emplace_back(offset, index);
}

void IdxTreeReader::descendToEdge(Cursor& cursor, bool leftmost, Budget& budget) const
{
    for (;;) {
        const IdxNode& current = node(cursor.back().first);
        if (current.leaf)
            return;
        const std::uint32_t childOffset = current.pointers[cursor.back().second];
        const IdxNode& child = node(childOffset);
        const std::size_t index = leftmost || child.count() == 0 ? 0 : child.count() - 1;
        enterNode(cursor, childOffset, index, budget);
    }
}

bool IdxTreeReader::settleForward(Cursor& cursor, Budget& budget) const
{
    if (cursor.empty())
        return false;
    if (cursor.back().second < node(cursor.back().first).count())
        return true;
    // Past the end of this leaf (or an empty leaf): the next leaf's first entry.
    for (;;) {
        cursor.pop_back();
        while (!cursor.empty() && cursor.back().second + 1 >= node(cursor.back().first).count())
            cursor.pop_back();
        if (cursor.empty())
            return false;
        ++cursor.back().second;
        descendToEdge(cursor, true, budget);
        if (node(cursor.back().first).count() > 0)
            return true;
    }
}

bool IdxTreeReader::advance(Cursor& cursor, Budget& budget) const
{
    if (cursor.empty())
        return false;
    ++cursor.back().second;
    return settleForward(cursor, budget);
}

bool IdxTreeReader::retreat(Cursor& cursor, Budget& budget) const
{
    if (cursor.empty())
        return false;
    if (cursor.back().second > 0) {
        --cursor.back().second;
        return true;
    }
    for (;;) {
        cursor.pop_back();
        while (!cursor.empty() && cursor.back().second == 0)
            cursor.pop_back();
        if (cursor.empty())
            return false;
        --cursor.back().second;
        descendToEdge(cursor, false, budget);
        if (node(cursor.back().first).count() > 0)
            return true;
    }
}

IdxTreeReader::Cursor IdxTreeReader::lowerBound(std::string_view target, Budget& budget) const
{
    Cursor cursor;
    std::uint32_t offset = header_.root;
    for (;;) {
        const IdxNode& current = node(offset);
        std::size_t index = firstNotLess(current, target);
        if (current.leaf) {
            enterNode(cursor, offset, index, budget);
            return cursor;
        }
        // Interior keys are the last key of their child: a target above them
        // all can only lie further right, which settleForward reaches.
        index = std::min(index, current.count() - 1);
        enterNode(cursor, offset, index, budget);
        offset = current.pointers[index];
    }
}

std::pair<IdxTreeReader::Cursor, bool> IdxTreeReader::locate(const IndexEntry& entry,
                                                             Budget& budget) const
{
    std::string key = entry.key.substr(0, header_.keyLength);
    key.resize(header_.keyLength, ' ');
    Cursor cursor = lowerBound(key, budget);
    if (!settleForward(cursor, budget))
        return {Cursor{}, false};
    // Equal keys are ordered by record number in the files written here;
    // other writers may not, so the whole run of equal keys is searched.
    std::optional<Cursor> firstAfter;
    for (;;) {
        const IdxNode& leaf = node(cursor.back().first);
        const std::size_t index = cursor.back().second;
        if (leaf.key(index) != key)
            break;
        if (leaf.pointers[index] == entry.recordNumber)
            return {cursor, true};
        if (leaf.pointers[index] > entry.recordNumber && !firstAfter)
            firstAfter = cursor;
        if (!advance(cursor, budget))
            break;
    }
    if (firstAfter)
        return {*firstAfter, false};
    return {cursor, false};
}

IndexEntry IdxTreeReader::entryAt(const Cursor& cursor) const
{
    const IdxNode& leaf = node(cursor.back().first);
    const std::size_t index = cursor.back().second;
    return IndexEntry{std::string(leaf.key(index)), leaf.pointers[index]};
}

std::optional<IndexEntry> IdxTreeReader::remember(const Cursor& cursor, bool valid) const
{
    if (!valid) {
        lastEntry_.reset();
        return std::nullopt;
    }
    lastCursor_ = cursor;
    lastEntry_ = entryAt(cursor);
    return lastEntry_;
}

std::optional<IndexEntry> IdxTreeReader::first() const
{
    refresh();
    Budget budget = newBudget();
    Cursor cursor;
    enterNode(cursor, header_.root, 0, budget);
    descendToEdge(cursor, true, budget);
    return remember(cursor, settleForward(cursor, budget));
}

std::optional<IndexEntry> IdxTreeReader::last() const
{
    refresh();
    Budget budget = newBudget();
    Cursor cursor;
    const IdxNode& root = node(header_.root);
    enterNode(cursor, header_.root, root.count() == 0 ? 0 : root.count() - 1, budget);
    descendToEdge(cursor, false, budget);
    const bool valid = node(cursor.back().first).count() > 0 || retreat(cursor, budget);
    return remember(cursor, valid);
}

std::optional<IndexEntry> IdxTreeReader::next(const IndexEntry& from) const
{
    refresh();
    Budget budget = newBudget();
    if (lastEntry_ && lastEntry_->recordNumber == from.recordNumber &&
        lastEntry_->key == from.key) {
        Cursor cursor = lastCursor_;
        return remember(cursor, advance(cursor, budget));
    }
    auto [cursor, exact] = locate(from, budget);
    if (cursor.empty())
        return remember(cursor, false);
    return remember(cursor, !exact || advance(cursor, budget));
}

std::optional<IndexEntry> IdxTreeReader::previous(const IndexEntry& from) const
{
    refresh();
    Budget budget = newBudget();
    if (lastEntry_ && lastEntry_->recordNumber == from.recordNumber &&
        lastEntry_->key == from.key) {
        Cursor cursor = lastCursor_;
        return remember(cursor, retreat(cursor, budget));
    }
    auto [cursor, exact] = locate(from, budget);
    if (cursor.empty()) // nothing at or after from: the last entry comes before it
        return last();
    (void)exact;
    return remember(cursor, retreat(cursor, budget));
}

std::optional<IndexEntry> IdxTreeReader::seekPrefix(std::string_view prefix) const
{
    refresh();
    if (prefix.size() > header_.keyLength) {
        // Keys are blank-padded, so only blanks may stand past their end.
        if (prefix.find_first_not_of(' ', header_.keyLength) != std::string_view::npos)
            return remember({}, false);
        prefix = prefix.substr(0, header_.keyLength);
    }
    Budget budget = newBudget();
    Cursor cursor = lowerBound(prefix, budget);
    if (!settleForward(cursor, budget))
        return remember(cursor, false);
    const IdxNode& leaf = node(cursor.back().first);
    return remember(cursor, startsWith(leaf.key(cursor.back().second), prefix));
}

std::optional<IndexEntry> IdxTreeReader::findRecord(std::uint32_t recordNumber) const
{
    refresh();
    Budget budget = newBudget();
    Cursor cursor;
    enterNode(cursor, header_.root, 0, budget);
    descendToEdge(cursor, true, budget);
    for (bool valid = settleForward(cursor, budget); valid; valid = advance(cursor, budget)) {
        const IdxNode& leaf = node(cursor.back().first);
        if (leaf.pointers[cursor.back().second] == recordNumber)
            return remember(cursor, true);
    }
    return remember(cursor, false);
}

} // namespace qw::storage
