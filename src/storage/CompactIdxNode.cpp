#include "CompactIdxNode.h"

#include "IdxFormat.h"
#include "StorageError.h"

namespace qw::storage {

using namespace idx;

namespace {

struct LeafFieldLayout {
    unsigned recordBits = 0;
    unsigned dupBits = 0;
    unsigned trailBits = 0;
    std::size_t infoBytes = 0;
};

LeafFieldLayout readLayout(const unsigned char* raw, std::string_view fileName)
{
    LeafFieldLayout layout{raw[kLeafRecordBitsOffset], raw[kLeafDupBitsOffset],
                           raw[kLeafTrailBitsOffset], raw[kLeafInfoBytesOffset]};
    const bool sizesSane =
        layout.infoBytes >= 1 && layout.infoBytes <= 8 && layout.recordBits >= 1 &&
        layout.recordBits <= 32 && layout.dupBits <= 8 && layout.trailBits <= 8 &&
        layout.recordBits + layout.dupBits + layout.trailBits <= 8 * layout.infoBytes;
    if (!sizesSane)
        throw StorageError::badFile(fileName, "compact leaf node with impossible field sizes");
    return layout;
}

std::uint64_t readLeN(const unsigned char* p, std::size_t bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return value;
}

std::uint64_t mask(unsigned bits)
{
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

} // namespace

std::size_t CompactIdxNode::interiorCapacity(std::size_t keyLength)
{
    return kNodeEntriesSize / (keyLength + kCompactInteriorEntryOverhead);
}

IdxNode CompactIdxNode::decode(const unsigned char* raw, std::size_t keyLength,
                               std::string_view fileName)
{
    const std::uint16_t attributes = readLe16(raw + kNodeAttrOffset);
    const std::size_t count = readLe16(raw + kNodeCountOffset);
    if (attributes > (kAttrRoot | kAttrLeaf))
        throw StorageError::badFile(fileName, "index node with unknown attributes");
    if (attributes & kAttrLeaf)
        return decodeLeaf(raw, count, keyLength, fileName);
    return decodeInterior(raw, count, keyLength, fileName);
}

IdxNode CompactIdxNode::decodeInterior(const unsigned char* raw, std::size_t count,
                                       std::size_t keyLength, std::string_view fileName)
{
    if (count == 0)
        throw StorageError::badFile(fileName, "interior index node without keys");
    if (count > interiorCapacity(keyLength))
        throw StorageError::badFile(fileName, "index node holds more keys than fit in it");
    IdxNode node;
    node.leaf = false;
    node.keyLength = keyLength;
    node.keys.reserve(count * keyLength);
    node.pointers.reserve(count);
    const unsigned char* entry = raw + kNodeEntriesOffset;
    for (std::size_t i = 0; i < count; ++i, entry += keyLength + kCompactInteriorEntryOverhead) {
        node.keys.append(reinterpret_cast<const char*>(entry), keyLength);
        // The record number at entry + keyLength breaks ties between equal
        // keys; the descent here compares keys only, so only the child is kept.
        node.pointers.push_back(readBe32(entry + keyLength + 4));
    }
    return node;
}

IdxNode CompactIdxNode::decodeLeaf(const unsigned char* raw, std::size_t count,
                                   std::size_t keyLength, std::string_view fileName)
{
    const LeafFieldLayout layout = readLayout(raw, fileName);
    const std::size_t infoEnd = kLeafInfoOffset + count * layout.infoBytes;
    if (infoEnd > kNodeSize)
        throw StorageError::badFile(fileName, "index node holds more keys than fit in it");

    IdxNode node;
    node.leaf = true;
    node.keyLength = keyLength;
    node.keys.reserve(count * keyLength);
    node.pointers.reserve(count);
    std::size_t keyDataStart = kNodeSize;
    std::size_t previousStart = 0; // where the previous key begins in node.keys
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t info =
            readLeN(raw + kLeafInfoOffset + i * layout.infoBytes, layout.infoBytes);
        const auto record = static_cast<std::uint32_t>(info & mask(layout.recordBits));
        const std::size_t dup = (info >> layout.recordBits) & mask(layout.dupBits);
        const std::size_t trail =
            (info >> (layout.recordBits + layout.dupBits)) & mask(layout.trailBits);
        if (record == 0)
            throw StorageError::badFile(fileName, "index entry for record number 0");
        if (dup + trail > keyLength || (i == 0 && dup > 0))
            throw StorageError::badFile(fileName, "compact key with impossible byte counts");
        const std::size_t stored = keyLength - dup - trail;
        if (keyDataStart < infoEnd + stored)
            throw StorageError::badFile(fileName, "compact keys overlap their record numbers");
        keyDataStart -= stored;

        const std::size_t keyStart = node.keys.size();
        node.keys.append(node.keys, previousStart, dup);
        node.keys.append(reinterpret_cast<const char*>(raw + keyDataStart), stored);
        node.keys.append(trail, ' ');
        previousStart = keyStart;
        node.pointers.push_back(record);
    }
    return node;
}

} // namespace qw::storage
