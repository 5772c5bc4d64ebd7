// list [--json]: every record in name order, each field as stored with its
// trailing blanks removed.

#include "CommandSupport.h"

#include <customers/CustomerFields.h>
#include <customers/SavedSetups.h>
#include <storage/StorageError.h>
#include <storage/Table.h>

#include <iostream>

namespace qw::customers_cli {
namespace {

using Record = std::vector<std::pair<std::string, std::string>>;

std::string trimRight(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

std::vector<Record> recordsInIndexOrder(storage::Table& table)
{
    std::vector<Record> records;
    for (table.goTop(); !table.eof(); table.next()) {
        Record record;
        for (const storage::FieldDef& field : table.fields())
            record.emplace_back(field.name, trimRight(table.getString(field.name)));
        records.push_back(std::move(record));
    }
    return records;
}

// Name order through Saved.idx. An index left short of the table (a crash
// between a save and its rebuild, a record added by another program) is
// rebuilt first, so that no customer is left out.
std::vector<Record> recordsInNameOrder(const std::filesystem::path& folder)
{
    storage::Table table(folder);
    table.open(customers::kSavedSetupsFile);
    table.indexOpen(customers::kSavedIndexFile);
    std::vector<Record> records = recordsInIndexOrder(table);
    if (records.size() < table.recordCount()) {
        table.reindex();
        records = recordsInIndexOrder(table);
    }
    return records;
}

void printText(const std::vector<Record>& records)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0)
            std::cout << "\n";
        for (const auto& [name, value] : records[i]) {
            std::string shown = value;
            // Further memo lines are indented under the first.
            for (std::size_t at = shown.find('\n'); at != std::string::npos;
                 at = shown.find('\n', at + 1))
                shown.insert(at + 1, std::string(name.size() + 2, ' '));
            std::cout << name << ": " << shown << "\n";
        }
    }
}

} // namespace

int runList(CommandContext& context)
{
    takeDataFolder(context);
    const bool json = takeFlag(context.arguments, "--json");
    refuseLeftovers(context.arguments);
    selection::RecordingSink sink;
    std::vector<Record> records;
    try {
        records = recordsInNameOrder(context.dataFolder);
    } catch (const storage::StorageError& e) {
        sink.error(e.what());
    }
    if (json) {
        Json answer = {{"records", Json::array()}};
        for (const Record& record : records) {
            Json object = Json::object();
            for (const auto& [name, value] : record)
                object[name] = value;
            answer["records"].push_back(std::move(object));
        }
        if (!sink.messages.empty())
            answer["messages"] = messagesJson(sink);
        std::cout << answer.dump() << "\n";
    } else {
        printText(records);
        printMessages(sink);
    }
    return exitStatus(sink);
}

} // namespace qw::customers_cli
