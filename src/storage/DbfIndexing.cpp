// The Table operations that need index code: opening IDX files as orders,
// rebuilding them, and keeping open orders current after a post. They live
// apart from Table.cpp so that a program which never opens an index links
// none of the index code.

#include "DbfTableImpl.h"
#include "KeyExpression.h"
#include "StandardIdxWriter.h"

#include <algorithm>
#include <cctype>

namespace qw::storage {
namespace {

KeyExpression::FieldReader readerFor(const DbfLayout& layout, const std::string& record)
{
    return [&layout, &record](std::size_t index) -> std::string_view {
        if (index >= layout.fields.size())
            return {};
        return std::string_view(record).substr(layout.offsets[index], layout.fields[index].length);
    };
}

// Temporaries of an index rebuild ("<index>.XXXXXX", as mkstemp names them)
// that a killed rebuild left behind. Called under the table lock, which
// every rebuild of a table's open index holds, so none is in use.
void removeStaleTemporaries(const std::filesystem::path& idxPath)
{
    const std::string prefix = idxPath.filename().string() + ".";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(idxPath.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        if (std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            std::filesystem::remove(entry.path(), ec);
    }
}

// The key expression over the table's fields; refused naming both files.
KeyExpression keyFor(const DbfFile& file, const std::filesystem::path& idxPath,
                     std::string_view expression)
{
    try {
        return KeyExpression::parse(expression, file.layout().fields);
    } catch (const StorageError& e) {
        throw StorageError(idxPath.filename().string() + ": the index does not fit table " +
                           file.fileName() + ". " + e.what());
    }
}

// An index fits its table when its key expression can be evaluated over the
// table's fields, gives keys of the index's length, and its entries (if it
// has any) lead to records the table holds. An index of another table, or
// one over a table since replaced by a shorter copy, would otherwise answer
// every seek with "not found" and say nothing of why.
void requireFit(const DbfFile& file, const IndexFile& index)
{
    const KeyExpression key = keyFor(file, index.path(), index.expression());
    const std::string doesNotFit =
        index.path().filename().string() + ": the index does not fit table " + file.fileName();
    if (key.keyLength() != index.keyLength())
        throw StorageError(doesNotFit + ": its keys are " + std::to_string(index.keyLength()) +
                           " characters long, but its key expression \"" + key.text() +
                           "\" gives keys of " + std::to_string(key.keyLength()));
    const std::uint32_t count = file.recordCount();
    std::uint32_t highest = 0;
    for (auto entry = index.first(); entry; entry = index.next(*entry)) {
        if (entry->recordNumber >= 1 && entry->recordNumber <= count)
            return;
        highest = std::max(highest, entry->recordNumber);
    }
    if (highest != 0)
        throw StorageError(doesNotFit + ": its entries lead to records up to " +
                           std::to_string(highest) + ", but the table holds " +
                           std::to_string(count) + (count == 1 ? " record" : " records"));
}

// Keys straight from the records' bytes into one pool, sorted once, and
// each level written in one pass; only slots that hold a record are keyed,
// so the work and the memory follow what the file really holds.
void buildIndex(const DbfFile& file, const std::filesystem::path& idxPath,
                std::string_view expression, IdxBuildBuffers& buffers)
{
    const KeyExpression key = keyFor(file, idxPath, expression);
    std::string& keyPool = buffers.keyPool;
    std::vector<std::uint32_t>& records = buffers.records;
    keyPool.clear();
    records.clear();
    // Room for the keys of every slot, up to a bound: a sparse file's count
    // may promise far more records than it holds.
    const std::size_t expected = std::min<std::size_t>(file.recordCount(), 1u << 20);
    keyPool.reserve(expected * key.keyLength());
    records.reserve(expected);
    const auto& offsets = file.layout().offsets;
    file.forEachRecord([&](std::uint32_t n, std::string_view record) {
        key.appendKey(record, offsets, keyPool);
        records.push_back(n);
    });
    StandardIdxWriter(key.text(), key.keyLength()).write(idxPath, buffers);
}

void rebuildOrder(const DbfFile& file, OpenOrder& order)
{
    removeStaleTemporaries(order.path);
    const std::string expression = order.file->expression();
    if (!order.buffers)
        order.buffers = std::make_shared<IdxBuildBuffers>();
    buildIndex(file, order.path, expression, *order.buffers);
    order.file = IndexFile::open(order.path);
}

} // namespace

// After a post: an order whose key for the record changed (or gained a
// record) is rebuilt, so that navigation and seeks see the record at once.
void Table::Impl::maintainOrdersAfterPost(Impl& d, const std::string& oldRecord, bool inserted)
{
    for (OpenOrder& order : d.orders) {
        if (!inserted) {
            const KeyExpression key =
                KeyExpression::parse(order.file->expression(), d.layout().fields);
            if (key.evaluate(readerFor(d.layout(), oldRecord)) ==
                key.evaluate(readerFor(d.layout(), d.record)))
                continue;
        }
        withMemoryCheck(d.file->fileName(), "rebuild " + order.path.filename().string(),
                        [&] { rebuildOrder(*d.file, order); });
    }
    d.entry.reset();
}

void Table::indexOpen(std::string_view idxFileName)
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    refuseFolderName(impl_->folder, idxFileName, "an index file");
    const std::filesystem::path path = findFile(impl_->folder, idxFileName);
    if (path.empty())
        throw StorageError::indexNotFound((impl_->folder / idxFileName).string());
    OpenOrder order;
    order.path = path;
    withMemoryCheck(path.filename().string(), "read the index", [&] {
        order.file = IndexFile::open(path);
        requireFit(*impl_->file, *order.file);
    });
    std::erase_if(impl_->orders, [&](const OpenOrder& o) { return o.path == path; });
    impl_->orders.push_back(std::move(order));
    impl_->maintainOrders = &Impl::maintainOrdersAfterPost;
    goTop();
}

void Table::reindex()
{
    impl_->requireOpen();
    impl_->requireWritable();
    impl_->checkBrowseMode();
    // Locked as an append is, and over the count read again under the lock:
    // the rebuilt index covers what another process appended, and no append
    // lands between the scan and the new file.
    {
        const DbfFile::WriteLock lock(*impl_->file);
        for (OpenOrder& order : impl_->orders)
            withMemoryCheck(impl_->file->fileName(), "rebuild " + order.path.filename().string(),
                            [&] { rebuildOrder(*impl_->file, order); });
    }
    impl_->entry.reset();
    impl_->takeFindings();
}

void createIndex(const std::filesystem::path& folder, std::string_view tableFileName,
                 std::string_view idxFileName, std::string_view keyExpression)
{
    const std::filesystem::path tablePath = findFile(folder, tableFileName);
    if (tablePath.empty())
        throw StorageError::tableNotFound((folder / tableFileName).string());
    const auto file = DbfFile::acquire(tablePath, false); // only read
    std::filesystem::path idxPath = findFile(folder, idxFileName);
    if (idxPath.empty())
        idxPath = folder / std::filesystem::path(idxFileName);
    IdxBuildBuffers buffers;
    buildIndex(*file, idxPath, keyExpression, buffers);
}

} // namespace qw::storage
