#include "MemoryIndex.h"

#include <algorithm>

namespace qw::storage {

bool indexOrderLess(const IndexEntry& a, const IndexEntry& b)
{
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.recordNumber < b.recordNumber;
}

MemoryIndex::MemoryIndex(std::filesystem::path path, std::string expression,
                         std::uint16_t keyLength, std::vector<IndexEntry> entries)
    : path_(std::move(path)), expression_(std::move(expression)), keyLength_(keyLength),
      entries_(std::move(entries))
{
    for (IndexEntry& entry : entries_)
        entry.key.resize(keyLength_, ' ');
    std::sort(entries_.begin(), entries_.end(), indexOrderLess);
}

std::optional<IndexEntry> MemoryIndex::first() const
{
    if (entries_.empty())
        return std::nullopt;
    return entries_.front();
}

std::optional<IndexEntry> MemoryIndex::last() const
{
    if (entries_.empty())
        return std::nullopt;
    return entries_.back();
}

std::optional<IndexEntry> MemoryIndex::next(const IndexEntry& from) const
{
    const auto after = std::upper_bound(entries_.begin(), entries_.end(), from, indexOrderLess);
    if (after == entries_.end())
        return std::nullopt;
    return *after;
}

std::optional<IndexEntry> MemoryIndex::previous(const IndexEntry& from) const
{
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), from, indexOrderLess);
    if (at == entries_.begin())
        return std::nullopt;
    return *std::prev(at);
}

std::optional<IndexEntry> MemoryIndex::seekPrefix(std::string_view prefix) const
{
    if (prefix.size() > keyLength_) {
        // Keys are blank-padded, so only blanks may stand past their end.
        if (prefix.find_first_not_of(' ', keyLength_) != std::string_view::npos)
            return std::nullopt;
        prefix = prefix.substr(0, keyLength_);
    }
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), prefix,
                                     [](const IndexEntry& entry, std::string_view wanted) {
                                         return std::string_view(entry.key) < wanted;
                                     });
    if (at == entries_.end() || at->key.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    return *at;
}

std::optional<IndexEntry> MemoryIndex::findRecord(std::uint32_t recordNumber) const
{
    const auto at = std::find_if(entries_.begin(), entries_.end(), [&](const IndexEntry& entry) {
        return entry.recordNumber == recordNumber;
    });
    if (at == entries_.end())
        return std::nullopt;
    return *at;
}

} // namespace qw::storage
