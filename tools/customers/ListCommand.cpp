// list [--json]: every customer in name order, each field as stored with
// its trailing blanks removed.

#include "CommandSupport.h"

#include <customers/CustomerFields.h>
#include <customers/CustomerRecords.h>
#include <customers/NameOrder.h>
#include <customers/SavedSetups.h>
#include <storage/ProgramFiles.h>
#include <storage/StorageError.h>
#include <storage/Table.h>

#include <iostream>

namespace qw::customers_cli {
namespace {

using Record = std::vector<std::pair<std::string, std::string>>;

// Every customer in name order through Saved.idx, checked against the table
// first (a stale, damaged or missing index is rebuilt, or in a read-only
// folder read in memory). Blank records are no customers and are left out;
// a memo that cannot be read is left out of its record, which is named in
// a notice.
std::vector<Record> recordsInNameOrder(const std::filesystem::path& folder, RecordingSink& notices)
{
    storage::Table table(folder);
    table.open(storage::files::kSavedSetups);
    for (const std::string& notice : table.notices())
        notices.information(notice, 0);
    customers::requireCustomerFields(table);
    for (const std::string& notice : customers::openNameOrder(table).notices)
        notices.information(notice, 0);
    std::vector<Record> records;
    for (table.goTop(); !table.eof(); table.next()) {
        if (customers::isBlankCustomer(table))
            continue;
        customers::CustomerFieldTexts texts = customers::readCustomerFields(table);
        for (const auto& [field, reason] : texts.unreadable)
            notices.information(customers::unreadableNotice(table.recordNumber(),
                                                            texts[customers::field::NAME], field,
                                                            reason),
                                0);
        records.push_back(std::move(texts.fields));
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
            std::cout << name << ": " << terminalText(shown) << "\n";
        }
    }
}

} // namespace

int runList(CommandContext& context)
{
    takeDataFolder(context);
    const bool json = takeFlag(context.arguments, "--json");
    refuseLeftovers(context.arguments);
    RecordingSink sink;
    std::vector<Record> records;
    try {
        records = recordsInNameOrder(context.dataFolder, sink);
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
        std::cout << jsonText(answer) << "\n";
    } else {
        printText(records);
        // Notices are not customers: they go where errors go.
        for (const auto& message : sink.messages)
            std::cerr << message.text << "\n";
    }
    return exitStatus(sink);
}

} // namespace qw::customers_cli
