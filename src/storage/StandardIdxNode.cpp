#include "StandardIdxNode.h"

#include "IdxFormat.h"
#include "StorageError.h"

namespace qw::storage {

using namespace idx;

std::size_t StandardIdxNode::capacity(std::size_t keyLength)
{
    return kNodeEntriesSize / (keyLength + kStandardEntryOverhead);
}

IdxNode StandardIdxNode::decode(const unsigned char* raw, std::size_t keyLength,
                                std::string_view fileName)
{
    const std::uint16_t attributes = readLe16(raw + kNodeAttrOffset);
    const std::size_t count = readLe16(raw + kNodeCountOffset);
    if (attributes > (kAttrRoot | kAttrLeaf))
        throw StorageError::badFile(fileName, "index node with unknown attributes");
    if (count > capacity(keyLength))
        throw StorageError::badFile(fileName, "index node holds more keys than fit in it");

    IdxNode node;
    node.leaf = (attributes & kAttrLeaf) != 0;
    node.keyLength = keyLength;
    if (!node.leaf && count == 0)
        throw StorageError::badFile(fileName, "interior index node without keys");
    node.keys.reserve(count * keyLength);
    node.pointers.reserve(count);
    const unsigned char* entry = raw + kNodeEntriesOffset;
    for (std::size_t i = 0; i < count; ++i, entry += keyLength + kStandardEntryOverhead) {
        node.keys.append(reinterpret_cast<const char*>(entry), keyLength);
        const std::uint32_t pointer = readBe32(entry + keyLength);
        if (node.leaf && pointer == 0)
            throw StorageError::badFile(fileName, "index entry for record number 0");
        node.pointers.push_back(pointer);
    }
    return node;
}

} // namespace qw::storage
