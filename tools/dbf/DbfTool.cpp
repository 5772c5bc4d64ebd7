#include "DbfTool.h"

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

namespace qw::tools {
namespace {

using namespace qw::storage;

constexpr const char* kUsage = "usage: quiverwise-dbf [--data DIR] info FILE\n"
                               "       quiverwise-dbf [--data DIR] dump FILE [--index IDXFILE]\n"
                               "       quiverwise-dbf [--data DIR] seek FILE IDXFILE KEY\n"
                               "A FILE or IDXFILE not given with its folder is taken in DIR when\n"
                               "--data is given, else in the current folder.\n";

std::string hex(unsigned value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

// Opened read-only: inspecting a table changes no file. What the open
// found and left alone (a journal that does not belong to the table) goes
// to err.
void openTable(Table& table, const std::filesystem::path& file, std::ostream& err)
{
    table.open(file.filename().string(), OpenMode::ReadOnly);
    for (const std::string& notice : table.notices())
        err << notice << "\n";
}

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// An index beside the table is named bare; one elsewhere by its full path.
std::string indexName(const std::filesystem::path& table, const std::filesystem::path& index)
{
    if (folderOf(index) == folderOf(table))
        return index.filename().string();
    return std::filesystem::absolute(index).string();
}

int info(const std::filesystem::path& file, std::ostream& out, std::ostream& err)
{
    Table table(folderOf(file));
    openTable(table, file, err);
    out << "File: " << table.filePath().filename().string() << "\n"
        << "Version: " << hex(table.versionByte()) << "\n"
        << "Code page: " << hex(table.codePageByte()) << "\n"
        << "Header length: " << table.headerLength() << "\n"
        << "Record length: " << table.recordLength() << "\n"
        << "Records: " << table.recordCount() << "\n";
    if (table.headerRecordCount() != table.recordCount())
        out << "Records in header: " << table.headerRecordCount() << "\n";
    out << "Deleted: " << table.deletedCount() << "\n"
        << "Fields: " << table.fields().size() << "\n";
    for (const FieldDef& field : table.fields())
        out << "  " << field.name << " " << static_cast<char>(field.type) << " "
            << static_cast<int>(field.length) << " " << static_cast<int>(field.decimals) << "\n";
    return 0;
}

// The record named for a message: its number, and its NAME where it has one.
std::string recordName(const Table& table, std::uint32_t recordNumber)
{
    std::string name = "Record " + std::to_string(recordNumber);
    if (table.hasField("NAME")) {
        std::string text = table.getString("NAME");
        text.erase(text.find_last_not_of(' ') + 1);
        name += " (" + text + ")";
    }
    return name;
}

// A memo that cannot be read is left out of its row, named on err, and the
// dump goes on with the rest.
void dumpRow(const Table& table, std::ostream& out, std::ostream& err)
{
    std::vector<UnreadableField> unreadable;
    out << table.recordAsDelimitedText(&unreadable) << "\r\n";
    for (const UnreadableField& memo : unreadable)
        err << recordName(table, memo.recordNumber) << ": its " << memo.field
            << " cannot be read and is left out.\n"
            << memo.reason << "\n";
}

void dumpFrom(Table& table, std::ostream& out, std::ostream& err)
{
    for (; !table.eof(); table.next())
        if (!table.isDeleted())
            dumpRow(table, out, err);
}

int dump(const std::filesystem::path& file, const std::string* index, std::ostream& out,
         std::ostream& err)
{
    Table table(folderOf(file));
    openTable(table, file, err);
    if (index)
        table.indexOpen(indexName(file, *index));
    table.goTop();
    dumpFrom(table, out, err);
    return 0;
}

int seek(const std::filesystem::path& file, const std::filesystem::path& index,
         const std::string& key, std::ostream& out, std::ostream& err)
{
    Table table(folderOf(file));
    openTable(table, file, err);
    table.indexOpen(indexName(file, index));
    if (!table.seek(key)) {
        out << "not found: " << key << "\n";
        return 1;
    }
    out << table.recordNumber() << ": ";
    dumpRow(table, out, err);
    return 0;
}

int usage(std::ostream& err)
{
    err << kUsage;
    return 2;
}

} // namespace

int runDbfTool(const std::vector<std::string>& given, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> args = given;
    if (args.size() >= 2 && args[0] == "--data") {
        const std::filesystem::path folder = args[1];
        args.erase(args.begin(), args.begin() + 2);
        // The file names of each command; a seek's key is left as it is.
        for (std::size_t i = 1; i < args.size(); ++i) {
            const bool fileName = i == 1 || (args[0] == "dump" && i == 3) ||
                                  (args[0] == "seek" && i == 2);
            if (fileName && std::filesystem::path(args[i]).is_relative())
                args[i] = (folder / args[i]).string();
        }
    }
    try {
        if (args.size() == 2 && args[0] == "info")
            return info(args[1], out, err);
        if (args.size() == 2 && args[0] == "dump")
            return dump(args[1], nullptr, out, err);
        if (args.size() == 4 && args[0] == "dump" && args[2] == "--index")
            return dump(args[1], &args[3], out, err);
        if (args.size() == 4 && args[0] == "seek")
            return seek(args[1], args[2], args[3], out, err);
        return usage(err);
    } catch (const StorageError& e) {
        err << e.what() << "\n";
        return 2;
    }
}

} // namespace qw::tools
