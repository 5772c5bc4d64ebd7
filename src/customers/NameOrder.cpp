#include "NameOrder.h"

#include "CustomerFields.h"

#include <storage/CodePage.h>
#include <storage/KeyExpression.h>
#include <storage/ProgramFiles.h>

#include <algorithm>
#include <sys/stat.h>
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

std::string tableName(const storage::Table& table)
{
    return table.filePath().filename().string();
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

NameOrderOpening openNameOrder(storage::Table& table)
{
    NameOrderOpening opening;
    std::string unusable; // why the file cannot be used at all
    std::string expression(storage::files::kSavedIndexKey);
    try {
        table.indexOpen(storage::files::kSavedIndex);
        if (table.orderHoldsTable())
            return opening;
        expression = table.orderExpression();
    } catch (const storage::StorageError& e) {
        unusable = e.what();
    }
    table.indexOpenInMemory(storage::files::kSavedIndex, expression);
    if (!table.isReadOnly()) {
        try {
            table.reindex();
            opening.source = NameOrderSource::Rebuilt;
            if (!unusable.empty())
                opening.notices.push_back(unusable + "\nThe name index " +
                                          storage::files::kSavedIndex + " has been rebuilt from " +
                                          tableName(table) + ".");
            return opening;
        } catch (const storage::StorageError& e) {
            // Searched in memory below; the failure is worth telling.
            opening.notices.push_back(std::string("The name index ") + storage::files::kSavedIndex +
                                      " could not be rebuilt.\n" + e.what() +
                                      "\nThe customers are searched in " + tableName(table) +
                                      " itself.");
        }
    } else if (!unusable.empty()) {
        opening.notices.push_back(unusable +
                                  "\nThe folder can only be read: the customers are "
                                  "searched in " +
                                  tableName(table) + " itself.");
    }
    opening.source = NameOrderSource::Memory;
    return opening;
}

FilesStamp::FileState FilesStamp::stateOf(const std::filesystem::path& path)
{
    FileState state;
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return state;
    state.present = true;
    state.device = info.st_dev;
    state.inode = info.st_ino;
    state.size = info.st_size;
    state.modifiedNs = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
    state.changedNs = info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec;
    return state;
}

FilesStamp FilesStamp::of(const storage::Table& table)
{
    FilesStamp stamp;
    const std::filesystem::path dbf = table.filePath();
    std::filesystem::path memo = dbf;
    memo.replace_extension(".fpt");
    for (const std::filesystem::path& path :
         {dbf, storage::findFile(table.dataFolder(), memo.filename().string()),
          storage::findFile(table.dataFolder(), storage::files::kSavedIndex),
          storage::findFile(table.dataFolder(), dbf.filename().string() + "-journal")})
        stamp.files_.push_back(stateOf(path));
    return stamp;
}

} // namespace qw::customers
