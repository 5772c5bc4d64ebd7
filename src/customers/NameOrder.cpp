#include "NameOrder.h"

#include "CustomerFields.h"

#include <storage/CodePage.h>
#include <storage/KeyExpression.h>

#include <algorithm>
#include <vector>

namespace qw::customers {

namespace {

constexpr std::string_view kNameField = field::NAME;

std::size_t nameFieldIndex(const storage::Table& table)
{
    const auto& fields = table.fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == kNameField)
            return i;
    throw storage::StorageError("The customer table has no field NAME.\nFile: " +
                                table.filePath().filename().string());
}

} // namespace

std::string nameKeyPrefix(const storage::Table& table, std::string_view text)
{
    const auto& fields = table.fields();
    const std::size_t nameIndex = nameFieldIndex(table);
    const std::string bytes = storage::fromUtf8(text, table.codePageByte());
    // A text longer than the name begins no name; the seek says so.
    if (bytes.size() > fields[nameIndex].length)
        return std::string(text);
    std::vector<std::string> record;
    record.reserve(fields.size());
    for (const auto& field : fields)
        record.emplace_back(field.length, ' ');
    record[nameIndex].replace(0, bytes.size(), bytes);
    const auto key = storage::KeyExpression::parse(table.orderExpression(), fields);
    std::string keyBytes = key.evaluate([&record](std::size_t index) -> std::string_view {
        return index < record.size() ? std::string_view(record[index]) : std::string_view();
    });
    keyBytes.resize(std::min(bytes.size(), keyBytes.size()));
    return storage::toUtf8(keyBytes, table.codePageByte());
}

bool nameOrderCoversTable(storage::Table& table)
{
    const std::uint32_t last = table.recordCount();
    if (last == 0)
        return true;
    table.go(last);
    const std::string key = nameKeyPrefix(table, table.getString(kNameField));
    // Equal keys are in record number order, so the last record is the
    // last of its key's run.
    if (!table.seek(key))
        return false;
    while (!table.eof() && table.recordNumber() != last) {
        table.next();
        if (table.eof() || nameKeyPrefix(table, table.getString(kNameField)) != key)
            return false;
    }
    return !table.eof();
}

bool rebuildNameOrderIfShort(storage::Table& table)
{
    if (nameOrderCoversTable(table))
        return false;
    table.reindex();
    return true;
}

} // namespace qw::customers
