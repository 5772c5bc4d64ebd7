// Reading an order against its table: whether an index file still holds
// what the table holds, and an order built in memory where the file does
// not and cannot be rewritten. Nothing here writes a file.

#include "DbfTableImpl.h"
#include "KeyExpression.h"
#include "MemoryIndex.h"

#include <algorithm>
#include <optional>

namespace qw::storage {
namespace {

// Every record's key under the expression, by record number (entry n - 1
// is record n).
std::vector<IndexEntry> keysByRecord(const DbfFile& file, const KeyExpression& key)
{
    std::vector<IndexEntry> entries;
    entries.reserve(file.recordCount());
    const DbfLayout& layout = file.layout();
    std::string record;
    const KeyExpression::FieldReader reader = [&layout, &record](std::size_t index) {
        if (index >= layout.fields.size())
            return std::string_view();
        return std::string_view(record).substr(layout.offsets[index], layout.fields[index].length);
    };
    for (std::uint32_t n = 1; n <= file.recordCount(); ++n) {
        file.readRecord(n, record);
        entries.push_back(IndexEntry{key.evaluate(reader), n});
    }
    return entries;
}

// The same in index order.
std::vector<IndexEntry> tableKeys(const DbfFile& file, const KeyExpression& key)
{
    std::vector<IndexEntry> entries = keysByRecord(file, key);
    std::sort(entries.begin(), entries.end(), indexOrderLess);
    return entries;
}

} // namespace

bool Table::isReadOnly() const
{
    impl_->requireOpen();
    return impl_->mode == OpenMode::ReadOnly || !impl_->file->isWritable();
}

bool Table::orderHoldsTable()
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    IndexFile* order = impl_->controlling();
    if (!order)
        throw StorageError("No index is open.\nFile: " + impl_->file->fileName());
    impl_->file->refreshRecordCount();
    const KeyExpression key = KeyExpression::parse(order->expression(), impl_->layout().fields);
    if (key.keyLength() != order->keyLength())
        return false;
    // The order holds the table exactly when its entries come in index
    // order, each names a record once under that record's key, and there
    // is one per record: then they are the table's keys sorted, with no
    // sort needed to see it.
    const std::vector<IndexEntry> byRecord = keysByRecord(*impl_->file, key);
    std::vector<bool> seen(byRecord.size(), false);
    std::optional<IndexEntry> before;
    std::size_t at = 0;
    // The walk is bounded by what the table holds: an index with more
    // entries (or a loop the reader did not catch) differs after that.
    for (auto entry = order->first(); entry; entry = order->next(*entry), ++at) {
        const std::uint32_t n = entry->recordNumber;
        if (at >= byRecord.size() || n == 0 || n > byRecord.size() || seen[n - 1] ||
            entry->key != byRecord[n - 1].key || (before && !indexOrderLess(*before, *entry)))
            return false;
        seen[n - 1] = true;
        before = *entry;
    }
    impl_->entry.reset();
    return at == byRecord.size();
}

void Table::indexOpenInMemory(std::string_view idxFileName, std::string_view keyExpression)
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    refuseFolderName(impl_->folder, idxFileName, "an index file");
    std::filesystem::path path = findFile(impl_->folder, idxFileName);
    if (path.empty())
        path = impl_->folder / std::filesystem::path(idxFileName);
    impl_->file->refreshRecordCount();
    const KeyExpression key = KeyExpression::parse(keyExpression, impl_->layout().fields);
    OpenOrder order;
    order.path = path;
    order.file =
        std::make_unique<MemoryIndex>(path, key.text(), static_cast<std::uint16_t>(key.keyLength()),
                                      tableKeys(*impl_->file, key));
    std::erase_if(impl_->orders, [&](const OpenOrder& o) { return o.path == path; });
    impl_->orders.push_back(std::move(order));
    impl_->maintainOrders = &Impl::maintainOrdersAfterPost;
    goTop();
}

} // namespace qw::storage
