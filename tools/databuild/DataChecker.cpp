#include "DataChecker.h"

#include "TextRules.h"

#include "core/Text.h"
#include "storage/CodePage.h"
#include "storage/IndexFile.h"
#include "storage/ProgramFiles.h"
#include "storage/StorageError.h"
#include "storage/Table.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace qw::databuild {

namespace fs = std::filesystem;
using storage::OpenMode;
using storage::StorageError;
using storage::Table;

struct DataChecker::SpecsLookup {
    std::unique_ptr<Table> table;
    std::unique_ptr<storage::IndexFile> index;

    // Seeks as the program does, then makes sure the entry reached carries
    // exactly this key and not a longer one that merely begins with it.
    bool find(const std::string& key)
    {
        if (key.empty() || !table->seek(key))
            return false;
        const auto entry = index->seekPrefix(storage::fromUtf8(key, table->codePageByte()));
        if (!entry)
            return false;
        std::string stored = entry->key;
        while (!stored.empty() && (stored.back() == ' ' || stored.back() == '\0'))
            stored.pop_back();
        return storage::toUtf8(stored, table->codePageByte()) == key;
    }
};

namespace {

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string recordPlace(const std::string& file, std::uint32_t record)
{
    return file + " record " + std::to_string(record);
}

// Why a grains-per-inch text fails where it is read, or empty when it is fine.
std::string gpiProblem(const std::string& gpi, bool twoNumbers)
{
    if (!twoNumbers)
        return isDecimalNumber(gpi) ? "" : "is not one number";
    const std::string first = trimBlanks(characters(gpi, 1, 4));
    const std::string second = trimBlanks(characters(gpi, 6, 9));
    if (!isDecimalNumber(first) || !isDecimalNumber(second))
        return "does not hold two numbers in characters 1-4 and 6-9";
    return "";
}

} // namespace

DataChecker::DataChecker(fs::path folder) : folder_(std::move(folder)) {}

DataChecker::~DataChecker() = default;

void DataChecker::defect(const std::string& text)
{
    if (seen_.insert(text).second)
        defects_.push_back(text);
}

std::vector<std::string> DataChecker::run()
{
    defects_.clear();
    seen_.clear();
    if (!fs::is_directory(folder_)) {
        defect(folder_.string() + ": not a folder");
        return defects_;
    }
    try {
        auto specs = openSpecs();
        for (ChartKind kind : kAllCharts)
            checkChart(kind, specs.get());
        checkTrajectory();
        checkInvalidSelection();
        checkLegends();
        checkCustomerTables();
    } catch (const StorageError& error) {
        defect(std::string("storage error: ") + error.what());
    }
    return defects_;
}

std::unique_ptr<Table> DataChecker::openTable(const TableLayout& layout, bool& complete)
{
    complete = false;
    if (storage::findFile(folder_, layout.fileName).empty()) {
        defect(layout.fileName + ": missing");
        return nullptr;
    }
    auto table = std::make_unique<Table>(folder_);
    try {
        table->open(layout.fileName, OpenMode::ReadOnly);
    } catch (const StorageError& error) {
        defect(layout.fileName + ": cannot be opened: " + error.what());
        return nullptr;
    }
    complete = true;
    for (const std::string& field : layout.requiredFields) {
        if (!table->hasField(field)) {
            defect(layout.fileName + ": field " + field + " missing");
            complete = false;
        }
    }
    if (table->recordCount() < layout.minimumRecords)
        defect(layout.fileName + ": " + std::to_string(table->recordCount()) +
               " records, at least " + std::to_string(layout.minimumRecords) + " needed");
    return table;
}

std::unique_ptr<DataChecker::SpecsLookup> DataChecker::openSpecs()
{
    bool complete = false;
    auto table = openTable(specsLayout(), complete);
    if (!table)
        return nullptr;
    if (complete)
        checkSpecsRecords(*table);
    const fs::path indexPath = storage::findFile(folder_, storage::files::kSpecsIndex);
    if (indexPath.empty()) {
        defect(std::string(storage::files::kSpecsIndex) + ": missing");
        return nullptr;
    }
    auto lookup = std::make_unique<SpecsLookup>();
    try {
        table->indexOpen(storage::files::kSpecsIndex);
        lookup->index = storage::IndexFile::open(indexPath);
    } catch (const StorageError& error) {
        defect(std::string(storage::files::kSpecsIndex) + ": cannot be opened: " + error.what());
        return nullptr;
    }
    checkIndexKeys(*lookup->index);
    if (!complete)
        return nullptr; // lookups would read fields that are not there
    lookup->table = std::move(table);
    return lookup;
}

void DataChecker::checkSpecsRecords(Table& table)
{
    const bool keyed = table.hasField("SHAFTSIZE") && table.hasField("KEYSUFFIX");
    for (std::uint32_t record = 1; record <= table.recordCount(); ++record) {
        table.go(record);
        std::string place = recordPlace(specsLayout().fileName, record);
        if (keyed)
            place += " (" + trimBlanks(table.getString("SHAFTSIZE")) +
                     trimBlanks(table.getString("KEYSUFFIX")) + ")";
        for (const char* field : {"DEFPTWT", "DEFNOCKWT", "DEFVANEWT", "DEFINSWT"}) {
            const std::string value = table.getString(field);
            if (!isDecimalNumber(value))
                defect(place + ": " + field + " " + quoted(trimBlanks(value)) + " is not a number");
        }
        // The specifications window takes the second number for a model
        // text naming family 52 second.
        for (const char* field : {"HMODELS", "TMODELS"}) {
            const std::string models = table.getString(field);
            const std::string gpi = table.getString("GPI");
            if (characters(models, 3, 5) == ",52" &&
                !isDecimalNumber(trimBlanks(characters(gpi, 6, 9))))
                defect(place + ": GPI " + quoted(trimBlanks(gpi)) +
                       " has no second number in characters 6-9 for " + field + " " +
                       quoted(trimBlanks(models)));
        }
    }
}

void DataChecker::checkIndexKeys(const storage::IndexFile& index)
{
    std::optional<storage::IndexEntry> previous;
    for (auto entry = index.first(); entry; entry = index.next(*entry)) {
        if (previous && previous->key == entry->key)
            defect(std::string(storage::files::kSpecsIndex) + ": key " +
                   quoted(trimBlanks(entry->key)) + " on records " +
                   std::to_string(previous->recordNumber) + " and " +
                   std::to_string(entry->recordNumber) + "; a seek finds only one");
        previous = entry;
    }
}

void DataChecker::checkChart(ChartKind kind, SpecsLookup* specs)
{
    bool complete = false;
    auto chart = openTable(chartLayout(kind), complete);
    if (!chart || !complete || !specs)
        return;
    const std::uint32_t last = std::min(ChartRules::lastRecord(kind), chart->recordCount());
    for (std::uint32_t record = ChartRules::firstRecord(kind); record <= last; ++record) {
        chart->go(record);
        const auto read = [&chart](std::string_view field) { return chart->getString(field); };
        for (const ChartLookup& lookup : ChartRules::lookups(kind, record, read))
            checkChartCell(kind, record, lookup, *specs);
    }
}

void DataChecker::checkChartCell(ChartKind kind, std::uint32_t record, const ChartLookup& lookup,
                                 SpecsLookup& specs)
{
    const std::string place =
        recordPlace(chartName(kind), record) + " column " + std::to_string(lookup.column);
    if (!specs.find(lookup.key)) {
        defect(place + ": specification key " + quoted(lookup.key) + " not found in " +
               std::string(storage::files::kSpecsIndex));
        return;
    }
    const std::string model = trimBlanks(specs.table->getString(lookup.modelField));
    const std::string gpi = specs.table->getString("GPI");
    const bool twoNumbers = !lookup.twoModelText.empty() && model == lookup.twoModelText;
    const std::string problem = gpiProblem(gpi, twoNumbers);
    if (!problem.empty())
        defect(place + " (" + lookup.situation + ", row " + std::to_string(lookup.row) + "): GPI " +
               quoted(trimBlanks(gpi)) + " of key " + quoted(lookup.key) + " (" +
               lookup.modelField + " " + quoted(model) + ") " + problem);
}

void DataChecker::checkTrajectory()
{
    const TableLayout& layout = trajectoryLayout();
    bool complete = false;
    auto table = openTable(layout, complete);
    if (!table || !complete)
        return;
    if (table->recordCount() > kTrajectoryRecords)
        defect(layout.fileName + ": " + std::to_string(table->recordCount()) + " records, " +
               std::to_string(kTrajectoryRecords) + " expected");
    const std::uint32_t last = std::min(kTrajectoryRecords, table->recordCount());
    for (std::uint32_t record = 1; record <= last; ++record) {
        table->go(record);
        const std::string place = recordPlace(layout.fileName, record);
        bool numbers = true;
        for (const char* field : {"VEL", "LOW", "HIGH"}) {
            const std::string value = table->getString(field);
            if (!isWholeNumber(value)) {
                defect(place + ": " + field + " " + quoted(trimBlanks(value)) +
                       " is not a whole number");
                numbers = false;
            }
        }
        if (numbers && table->getInteger("LOW") > table->getInteger("HIGH"))
            defect(place + ": LOW " + trimBlanks(table->getString("LOW")) + " is beyond HIGH " +
                   trimBlanks(table->getString("HIGH")));
    }
}

void DataChecker::checkInvalidSelection()
{
    const fs::path path = storage::findFile(folder_, storage::files::kInvalidSelection);
    const std::string name(storage::files::kInvalidSelection);
    if (path.empty()) {
        defect(name + ": missing");
        return;
    }
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (trimBlanks(line).empty()) {
        defect(name + ": first line is empty");
        return;
    }
    if (line.size() > kInvalidSelectionMaxLength)
        defect(name + ": first line has " + std::to_string(line.size()) + " characters; only " +
               std::to_string(kInvalidSelectionMaxLength) + " are shown");
}

void DataChecker::checkLegends()
{
    for (const LegendFile& legend : legendFiles()) {
        const fs::path path = storage::findFile(folder_, legend.installName);
        if (path.empty())
            defect(legend.installName + ": missing");
        else if (fs::file_size(path) == 0)
            defect(legend.installName + ": empty");
    }
}

void DataChecker::checkCustomerTables()
{
    bool complete = false;
    auto saved = openTable(savedSetupsLayout(), complete);
    if (saved) {
        if (storage::findFile(folder_, storage::files::kSavedIndex).empty()) {
            defect(std::string(storage::files::kSavedIndex) + ": missing");
        } else {
            try {
                saved->indexOpen(storage::files::kSavedIndex);
            } catch (const StorageError& error) {
                defect(std::string(storage::files::kSavedIndex) +
                       ": cannot be opened: " + error.what());
            }
        }
    }
    openTable(shopInfoLayout(), complete);
}

} // namespace qw::databuild
