#include "Table.h"

#include "CodePage.h"
#include "DbfFieldText.h"
#include "DbfFile.h"
#include "DbfTableImpl.h"
#include "TextExport.h"

#include <core/Text.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace qw::storage {
namespace {

StorageError notOpen()
{
    return StorageError("Table is not open");
}

} // namespace

// ---- Impl -------------------------------------------------------------------

void Table::Impl::requireOpen() const
{
    if (!file)
        throw notOpen();
}

void Table::Impl::requireWritable() const
{
    if (mode == OpenMode::ReadWrite && file->isLink())
        throw StorageError::badFile(file->fileName(),
                                    "the file is a symbolic link; this program writes only files "
                                    "of the folder itself, never through a link");
    if (mode == OpenMode::ReadOnly || !file->isWritable())
        throw StorageError("Table is read-only.\nFile: " + file->fileName());
}

std::size_t Table::Impl::fieldIndexOrThrow(std::string_view name) const
{
    requireOpen();
    if (const auto known = nameCache.find(name); known != nameCache.end())
        return known->second;
    const auto& fields = layout().fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (equalsIgnoringCase(fields[i].name, name)) {
            nameCache.emplace(std::string(name), i);
            return i;
        }
    throw StorageError("Field '" + std::string(name) + "' not found.\nFile: " + file->fileName());
}

void Table::Impl::loadRecord()
{
    if (state != EditState::Browse)
        return; // the edit buffer is the record
    if (atEof || recno == 0 || recno > file->recordCount()) {
        record = blankRecord(layout());
        recordGeneration = ~0ull;
        return;
    }
    if (recordGeneration == file->generation())
        return;
    file->readRecord(recno, record);
    recordGeneration = file->generation();
}

void Table::Impl::setPhantom()
{
    recno = file->recordCount() + 1;
    atEof = true;
    entry.reset();
    recordGeneration = ~0ull;
}

void Table::Impl::positionOn(std::uint32_t n)
{
    recno = n;
    atBof = false;
    atEof = false;
    entry.reset();
    recordGeneration = ~0ull;
}

IndexFile* Table::Impl::controlling()
{
    if (orders.empty())
        return nullptr;
    return orders.back().file.get();
}

std::optional<IndexEntry> Table::Impl::currentEntry()
{
    if (entry && entry->recordNumber == recno)
        return entry;
    return orders.back().file->findRecord(recno);
}

// Entries that point past the records present (a stale or damaged index) are
// stepped over, so that navigation never lands outside the table.
void Table::Impl::positionOnEntry(const std::optional<IndexEntry>& found, bool forward)
{
    IndexFile* order = orders.back().file.get();
    std::optional<IndexEntry> e = found;
    std::uint32_t guard = 0;
    const std::uint32_t count = file->recordCount();
    while (e && (e->recordNumber == 0 || e->recordNumber > count) && guard++ < 1000000)
        e = forward ? order->next(*e) : order->previous(*e);
    if (!e || e->recordNumber == 0 || e->recordNumber > count) {
        setPhantom();
        return;
    }
    positionOn(e->recordNumber);
    entry = e;
}

void Table::Impl::checkBrowseMode()
{
    if (state == EditState::Browse)
        return;
    // Moving away from a changed record stores it; an untouched one is let go.
    if (modified)
        owner->post();
    else
        owner->cancel();
}

std::string Table::Impl::rawField(std::size_t index)
{
    loadRecord();
    if (index < pendingMemos.size() && pendingMemos[index])
        return *pendingMemos[index];
    if (state == EditState::Insert && layout().fields[index].type == FieldType::Memo)
        return {};
    if (atEof && state == EditState::Browse && layout().fields[index].type == FieldType::Memo)
        return {};
    return fieldBytesAsText(*file, record, index);
}

// ---- Table ------------------------------------------------------------------

Table::Table(std::filesystem::path dataFolder)
    : impl_(std::make_unique<Impl>(std::move(dataFolder)))
{
    impl_->owner = this;
}

Table::~Table()
{
    close();
}

const std::filesystem::path& Table::dataFolder() const
{
    return impl_->folder;
}

void Table::open(std::string_view fileName, OpenMode mode)
{
    if (impl_->file)
        return;
    impl_->notices.clear();
    refuseFolderName(impl_->folder, fileName, "a table file");
    const std::filesystem::path path = findFile(impl_->folder, fileName);
    if (path.empty())
        throw StorageError::tableNotFound((impl_->folder / fileName).string());
    impl_->report = RecoveryReport{};
    impl_->file = withMemoryCheck(path.filename().string(), "open the table", [&] {
        return DbfFile::acquire(path, mode == OpenMode::ReadWrite);
    });
    impl_->file->takeFindings(impl_->notices, impl_->report);
    impl_->nameCache.clear();
    impl_->mode = mode;
    impl_->state = EditState::Browse;
    impl_->modified = false;
    goTop();
}

void Table::close()
{
    impl_->orders.clear();
    impl_->entry.reset();
    impl_->pendingMemos.clear();
    impl_->state = EditState::Browse;
    impl_->modified = false;
    impl_->file.reset();
    impl_->recno = 0;
    impl_->atBof = impl_->atEof = true;
}

const std::vector<std::string>& Table::notices() const
{
    return impl_->notices;
}

const RecoveryReport& Table::recovery() const
{
    return impl_->report;
}

void Table::Impl::takeFindings()
{
    if (file)
        file->takeFindings(notices, report);
}

bool Table::isOpen() const
{
    return impl_->file != nullptr;
}

std::filesystem::path Table::filePath() const
{
    return impl_->file ? impl_->file->path() : std::filesystem::path();
}

const std::vector<FieldDef>& Table::fields() const
{
    impl_->requireOpen();
    return impl_->layout().fields;
}

bool Table::hasField(std::string_view name) const
{
    impl_->requireOpen();
    return impl_->layout().fieldIndex(name) >= 0;
}

std::uint8_t Table::versionByte() const
{
    impl_->requireOpen();
    return impl_->layout().version;
}

std::uint8_t Table::codePageByte() const
{
    impl_->requireOpen();
    return impl_->layout().codePage;
}

void Table::indexCloseAll()
{
    impl_->orders.clear();
    impl_->entry.reset();
}

bool Table::hasControllingOrder() const
{
    return !impl_->orders.empty();
}

std::string Table::orderExpression() const
{
    return impl_->orders.empty() ? std::string() : impl_->orders.back().file->expression();
}

void Table::goTop()
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    impl_->atBof = false;
    if (IndexFile* order = impl_->controlling()) {
        impl_->positionOnEntry(order->first(), true);
    } else if (const std::uint32_t first = impl_->file->recordAtOrAfter(1); first != 0) {
        impl_->positionOn(first);
    } else {
        impl_->setPhantom();
    }
    if (impl_->atEof)
        impl_->atBof = true; // an empty table is at both ends
}

void Table::goBottom()
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    impl_->atBof = false;
    if (IndexFile* order = impl_->controlling()) {
        impl_->positionOnEntry(order->last(), false);
    } else if (const std::uint32_t last = impl_->file->recordAtOrBefore(impl_->file->recordCount());
               last != 0) {
        impl_->positionOn(last);
    } else {
        impl_->setPhantom();
    }
    if (impl_->atEof)
        impl_->atBof = true;
}

void Table::next()
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    if (impl_->atEof)
        return;
    impl_->atBof = false;
    if (IndexFile* order = impl_->controlling()) {
        const auto current = impl_->currentEntry();
        impl_->positionOnEntry(current ? order->next(*current) : std::nullopt, true);
    } else if (const std::uint32_t after = impl_->file->recordAtOrAfter(impl_->recno + 1);
               after != 0) {
        impl_->positionOn(after);
    } else {
        impl_->setPhantom();
    }
}

void Table::previous()
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    if (impl_->atEof) {
        // From the phantom record one step back is the last record.
        goBottom();
        return;
    }
    std::optional<IndexEntry> before;
    if (IndexFile* order = impl_->controlling()) {
        const auto current = impl_->currentEntry();
        before = current ? order->previous(*current) : std::nullopt;
        const std::uint32_t count = impl_->file->recordCount();
        while (before && (before->recordNumber == 0 || before->recordNumber > count))
            before = order->previous(*before);
        if (before) {
            impl_->positionOn(before->recordNumber);
            impl_->entry = before;
        }
    } else if (const std::uint32_t before =
                   impl_->recno > 1 ? impl_->file->recordAtOrBefore(impl_->recno - 1) : 0;
               before != 0) {
        impl_->positionOn(before);
        return;
    }
    if (!before)
        impl_->atBof = true; // stays on the first record
}

void Table::go(std::uint32_t recordNumber)
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    impl_->atBof = false;
    if (recordNumber >= 1 && recordNumber <= impl_->file->recordCount())
        impl_->positionOn(recordNumber);
    else
        impl_->setPhantom();
}

std::uint32_t Table::recordNumber() const
{
    impl_->requireOpen();
    if (impl_->state == EditState::Insert || impl_->atEof)
        return impl_->file->recordCount() + 1;
    return impl_->recno;
}

std::uint32_t Table::recordCount() const
{
    impl_->requireOpen();
    return impl_->file->recordCount();
}

bool Table::bof() const
{
    return impl_->atBof;
}

bool Table::eof() const
{
    return impl_->atEof;
}

bool Table::isDeleted() const
{
    impl_->requireOpen();
    impl_->loadRecord();
    return !impl_->record.empty() && impl_->record[0] == kRecordDeleted;
}

bool Table::seek(std::string_view keyPrefix)
{
    impl_->requireOpen();
    impl_->checkBrowseMode();
    IndexFile* order = impl_->controlling();
    if (!order)
        throw StorageError("No index is open: a seek needs a controlling index.\nFile: " +
                           impl_->file->fileName());
    impl_->atBof = false;
    const std::string prefix = fromUtf8(keyPrefix, impl_->layout().codePage);
    // A prefix longer than the key can begin no key.
    const auto found =
        prefix.size() > order->keyLength() ? std::nullopt : order->seekPrefix(prefix);
    impl_->positionOnEntry(found, true);
    if (impl_->atEof)
        return false;
    // Stepping over entries that point past the table may land on a key
    // without the prefix: that is still a miss, and a miss ends at eof.
    if (!impl_->entry || impl_->entry->key.compare(0, prefix.size(), prefix) != 0) {
        impl_->setPhantom();
        return false;
    }
    return true;
}

std::string Table::getString(std::string_view field) const
{
    const std::size_t index = impl_->fieldIndexOrThrow(field);
    const DbfLayout& layout = impl_->layout();
    const FieldDef& def = layout.fields[index];
    if (def.type == FieldType::Character || def.type == FieldType::Numeric) {
        impl_->loadRecord();
        return toUtf8(std::string_view(impl_->record).substr(layout.offsets[index], def.length),
                      layout.codePage);
    }
    return toUtf8(impl_->rawField(index), layout.codePage);
}

long Table::getInteger(std::string_view field) const
{
    const std::string text = getString(field);
    const std::string_view trimmed = trimField(text);
    if (trimmed.empty())
        return 0;
    return std::strtol(std::string(trimmed).c_str(), nullptr, 10);
}

void Table::appendBlank()
{
    impl_->requireOpen();
    impl_->requireWritable();
    impl_->checkBrowseMode();
    impl_->recnoBeforeInsert = impl_->atEof ? 0 : impl_->recno;
    impl_->state = EditState::Insert;
    impl_->modified = false;
    const DbfLayout& layout = impl_->layout();
    impl_->record = blankRecord(layout);
    // Fixed-width non-text types start blank too; memo fields start empty.
    impl_->pendingMemos.assign(layout.fields.size(), std::nullopt);
    impl_->entry.reset();
}

void Table::edit()
{
    impl_->requireOpen();
    if (impl_->state != EditState::Browse)
        return; // already editing: keep the changes made so far
    impl_->requireWritable();
    if (impl_->atEof || impl_->recno == 0 || impl_->recno > impl_->file->recordCount()) {
        // No current record (empty table or the phantom): editing begins a new one.
        appendBlank();
        return;
    }
    impl_->recordGeneration = ~0ull;
    impl_->loadRecord();
    impl_->pendingMemos.assign(impl_->layout().fields.size(), std::nullopt);
    impl_->state = EditState::Edit;
    impl_->modified = false;
}

void Table::setField(std::string_view field, std::string_view text)
{
    const std::size_t index = impl_->fieldIndexOrThrow(field);
    if (impl_->state == EditState::Browse)
        throw StorageError::notEditing();
    const DbfLayout& layout = impl_->layout();
    const FieldDef& def = layout.fields[index];
    if (def.type == FieldType::Memo) {
        impl_->pendingMemos[index] = fromUtf8(text, layout.codePage);
    } else {
        const std::string bytes = encodeFieldText(def, text, layout.codePage);
        impl_->record.replace(layout.offsets[index], def.length, bytes);
    }
    impl_->modified = true;
}

void Table::post()
{
    Impl& d = *impl_;
    d.requireOpen();
    if (d.state == EditState::Browse)
        throw StorageError::notEditing();
    d.requireWritable();
    // The whole post runs under the table's lock: memos, the record (new or
    // edited), the count and the open orders, so that another process's
    // post neither lands between them nor shares a memo block with them.
    const DbfFile::WriteLock lock(*d.file);
    const DbfLayout& layout = d.layout();
    std::string oldRecord;
    if (d.state == EditState::Edit)
        d.file->readRecord(d.recno, oldRecord);
    for (std::size_t i = 0; i < d.pendingMemos.size(); ++i) {
        if (!d.pendingMemos[i])
            continue;
        const FieldDef& def = layout.fields[i];
        if (d.state == EditState::Edit &&
            fieldBytesAsText(*d.file, oldRecord, i) == *d.pendingMemos[i])
            continue; // unchanged memo: keep its block
        d.record.replace(layout.offsets[i], def.length,
                         d.file->writeMemo(*d.pendingMemos[i], def.length));
    }
    const bool inserted = d.state == EditState::Insert;
    if (inserted) {
        d.recno = d.file->appendRecord(d.record);
    } else {
        d.file->rewriteRecord(d.recno, d.record);
    }
    d.state = EditState::Browse;
    d.modified = false;
    d.pendingMemos.clear();
    d.positionOn(d.recno);
    if (!d.orders.empty() && d.maintainOrders)
        d.maintainOrders(d, oldRecord, inserted);
    d.takeFindings();
}

void Table::cancel()
{
    Impl& d = *impl_;
    if (!d.file || d.state == EditState::Browse)
        return;
    const bool wasInsert = d.state == EditState::Insert;
    d.state = EditState::Browse;
    d.modified = false;
    d.pendingMemos.clear();
    d.recordGeneration = ~0ull;
    if (wasInsert) {
        if (d.recnoBeforeInsert != 0)
            d.positionOn(d.recnoBeforeInsert);
        else
            d.setPhantom();
    }
}

EditState Table::state() const
{
    return impl_->state;
}

std::vector<UnreadableField> Table::copyToText(std::string_view fileName, int typeCode)
{
    impl_->requireOpen();
    if (typeCode != kTextTypeDelimited)
        throw StorageError("Text type " + std::to_string(typeCode) + " is not supported");
    std::filesystem::path target = findFile(impl_->folder, fileName);
    if (target.empty())
        target = impl_->folder / std::filesystem::path(fileName);
    std::vector<UnreadableField> unreadable;
    withMemoryCheck(impl_->file->fileName(), "copy it to " + target.filename().string(),
                    [&] { writeDelimitedText(*impl_->file, target, &unreadable); });
    return unreadable;
}

std::string Table::recordAsDelimitedText(std::vector<UnreadableField>* unreadable) const
{
    impl_->requireOpen();
    impl_->loadRecord();
    return delimitedRow(*impl_->file, impl_->record, recordNumber(), unreadable);
}

std::uint16_t Table::headerLength() const
{
    impl_->requireOpen();
    return impl_->layout().headerLength;
}

std::uint16_t Table::recordLength() const
{
    impl_->requireOpen();
    return impl_->layout().recordLength;
}

std::uint32_t Table::headerRecordCount() const
{
    impl_->requireOpen();
    return impl_->layout().headerRecordCount;
}

std::uint32_t Table::deletedCount() const
{
    impl_->requireOpen();
    return impl_->file->countDeleted();
}

void Table::setDurableWrites(bool durable)
{
    impl_->requireOpen();
    impl_->file->setDurable(durable);
}

// ---- free functions -----------------------------------------------------------

void createTable(const std::filesystem::path& folder, std::string_view fileName,
                 const std::vector<FieldDef>& fields, std::uint8_t codePage)
{
    if (!findFile(folder, fileName).empty())
        throw StorageError("Table already exists.\nFile: " + std::string(fileName));
    DbfFile::create(folder / std::filesystem::path(fileName), makeLayout(fields, codePage));
}

void refuseFolderName(const std::filesystem::path& folder, std::string_view fileName,
                      std::string_view wanted)
{
    std::error_code ec;
    if (!fileName.empty() &&
        !std::filesystem::is_directory(folder / std::filesystem::path(fileName), ec))
        return;
    const std::string given = !fileName.empty() ? std::string(fileName)
                              : folder.empty()  ? "."
                                                : folder.string();
    throw StorageError::badFile(given, "a folder, not " + std::string(wanted));
}

std::filesystem::path findFile(const std::filesystem::path& folder, std::string_view fileName)
{
    if (fileName.empty())
        return {};
    return findFileIgnoringCase(folder, fileName);
}

} // namespace qw::storage
