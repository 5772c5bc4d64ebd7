#include "CatalogueBuilder.h"

#include "BuildError.h"
#include "CsvFile.h"
#include "TextRules.h"
#include "TrajectoryModel.h"

#include "storage/ProgramFiles.h"
#include "storage/Table.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace qw::databuild {

namespace fs = std::filesystem;
using storage::Table;

namespace {

constexpr const char* kStagingFolder = ".quiverwise-data.staging";

const storage::FieldDef* findField(const TableLayout& layout, const std::string& name)
{
    for (const auto& field : layout.fields)
        if (field.name == name)
            return &field;
    return nullptr;
}

// Maps each CSV column to a field of the layout; a "RECNO" column, when
// present, states the record number each line becomes and is checked.
std::vector<const storage::FieldDef*> mapColumns(const CsvFile& csv, const TableLayout& layout,
                                                 std::optional<std::size_t>& recordColumn)
{
    std::vector<const storage::FieldDef*> columns;
    for (std::size_t i = 0; i < csv.header().size(); ++i) {
        const std::string& name = csv.header()[i];
        if (name == "RECNO") {
            recordColumn = i;
            columns.push_back(nullptr);
            continue;
        }
        const auto* field = findField(layout, name);
        if (!field)
            throw BuildError(csv.path().string() + ": column " + name + " is not a field of " +
                             layout.fileName);
        columns.push_back(field);
    }
    return columns;
}

void checkValue(const CsvFile& csv, std::size_t row, const storage::FieldDef& field,
                const std::string& value)
{
    const std::string where =
        csv.path().string() + " line " + std::to_string(csv.lineOf(row)) + ": " + field.name;
    if (value.size() > field.length)
        throw BuildError(where + " \"" + value + "\" is longer than " +
                         std::to_string(field.length) + " characters");
    if (field.type == storage::FieldType::Numeric && !value.empty() && !isDecimalNumber(value))
        throw BuildError(where + " \"" + value + "\" is not a number");
}

void checkRecordNumber(const CsvFile& csv, std::size_t row, const std::string& text)
{
    if (text != std::to_string(row + 1))
        throw BuildError(csv.path().string() + " line " + std::to_string(csv.lineOf(row)) +
                         ": RECNO " + text + " where record " + std::to_string(row + 1) +
                         " follows");
}

// Numbers are stored right-aligned, as xBase writes them.
std::string fieldText(const storage::FieldDef& field, const std::string& value)
{
    if (field.type != storage::FieldType::Numeric || value.empty())
        return value;
    return std::string(field.length - value.size(), ' ') + value;
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A case variant of the name (SPECS.DBF for Specs.DBF) is the same table to
// the program, so it goes; the file of the exact name is left for the rename
// to replace in one step.
void removeCaseVariants(const fs::path& folder, const std::string& fileName)
{
    std::vector<fs::path> variants;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != fileName && sameNameIgnoringCase(name, fileName))
            variants.push_back(entry.path());
    }
    for (const auto& variant : variants)
        fs::remove(variant);
}

void removeExisting(const fs::path& folder, const std::string& fileName)
{
    removeCaseVariants(folder, fileName);
    fs::remove(folder / fileName);
}

void copyFile(const fs::path& from, const fs::path& to)
{
    if (!fs::exists(from))
        throw BuildError(from.string() + ": missing");
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

} // namespace

CatalogueBuilder::CatalogueBuilder(fs::path sourceFolder, fs::path programFolder)
    : source_(std::move(sourceFolder)), program_(std::move(programFolder))
{
}

void CatalogueBuilder::build()
{
    log_.clear();
    fs::create_directories(program_);
    const fs::path staging = program_ / kStagingFolder;
    fs::remove_all(staging);
    fs::create_directories(staging);
    try {
        for (ChartKind kind : kAllCharts)
            fillFromCsv(chartLayout(kind), staging);
        buildSpecs(staging);
        buildTrajectory(staging);
        copyTexts(staging);
        install(staging);
    } catch (...) {
        fs::remove_all(staging);
        throw;
    }
    fs::remove_all(staging);
    ensureSavedSetups();
    ensureShopInfo();
}

void CatalogueBuilder::fillFromCsv(const TableLayout& layout, const fs::path& staging)
{
    const CsvFile csv = CsvFile::read(source_ / layout.sourceName);
    std::optional<std::size_t> recordColumn;
    const auto columns = mapColumns(csv, layout, recordColumn);
    storage::createTable(staging, layout.fileName, layout.fields);
    Table table(staging);
    table.open(layout.fileName);
    for (std::size_t row = 0; row < csv.rows().size(); ++row) {
        const auto& values = csv.rows()[row];
        if (recordColumn)
            checkRecordNumber(csv, row, values[*recordColumn]);
        table.appendBlank();
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!columns[i])
                continue;
            checkValue(csv, row, *columns[i], values[i]);
            if (!values[i].empty())
                table.setField(columns[i]->name, fieldText(*columns[i], values[i]));
        }
        table.post();
    }
    log_.push_back(layout.fileName + ": " + std::to_string(table.recordCount()) + " records from " +
                   layout.sourceName);
    table.close();
}

void CatalogueBuilder::buildSpecs(const fs::path& staging)
{
    fillFromCsv(specsLayout(), staging);
    storage::createIndex(staging, specsLayout().fileName, storage::files::kSpecsIndex,
                         storage::files::kSpecsIndexKey);
    log_.push_back(std::string(storage::files::kSpecsIndex) + ": key " +
                   std::string(storage::files::kSpecsIndexKey));
}

void CatalogueBuilder::buildTrajectory(const fs::path& staging)
{
    const TableLayout& layout = trajectoryLayout();
    storage::createTable(staging, layout.fileName, layout.fields);
    Table table(staging);
    table.open(layout.fileName);
    for (const TrajectoryCase& input : TrajectoryModel::tableCases()) {
        const TrajectoryFigures figures = TrajectoryModel::compute(input);
        table.appendBlank();
        table.setField("RATING", std::to_string(input.ratedVelocity));
        table.setField("DIST", std::to_string(input.distance));
        table.setField("ARROWWT", std::to_string(input.arrowWeight));
        table.setField("VEL", std::to_string(figures.arrowVelocity));
        table.setField("LOW", std::to_string(figures.nearYards));
        table.setField("HIGH", std::to_string(figures.farYards));
        table.post();
    }
    log_.push_back(layout.fileName + ": " + std::to_string(table.recordCount()) +
                   " records computed");
    table.close();
}

void CatalogueBuilder::copyTexts(const fs::path& staging)
{
    copyFile(source_ / storage::files::kInvalidSelection,
             staging / storage::files::kInvalidSelection);
    for (const LegendFile& legend : legendFiles())
        copyFile(source_ / "legends" / (legend.pageKey + ".txt"), staging / legend.installName);
}

void CatalogueBuilder::install(const fs::path& staging)
{
    std::vector<fs::path> staged;
    for (const auto& entry : fs::directory_iterator(staging))
        staged.push_back(entry.path());
    std::sort(staged.begin(), staged.end());
    for (const fs::path& file : staged) {
        const std::string name = file.filename().string();
        removeCaseVariants(program_, name);
        fs::rename(file, program_ / name);
    }
}

void CatalogueBuilder::ensureSavedSetups()
{
    const TableLayout& layout = savedSetupsLayout();
    const fs::path existing = storage::findFile(program_, layout.fileName);
    if (existing.empty()) {
        storage::createTable(program_, layout.fileName, layout.fields);
        // An index left from a removed table describes records that are gone.
        removeExisting(program_, std::string(storage::files::kSavedIndex));
        storage::createIndex(program_, layout.fileName, storage::files::kSavedIndex,
                             storage::files::kSavedIndexKey);
        log_.push_back(layout.fileName + ": created empty, with " +
                       std::string(storage::files::kSavedIndex));
        return;
    }
    log_.push_back(layout.fileName + ": kept (" + existing.filename().string() + ")");
    if (storage::findFile(program_, storage::files::kSavedIndex).empty()) {
        storage::createIndex(program_, existing.filename().string(), storage::files::kSavedIndex,
                             storage::files::kSavedIndexKey);
        log_.push_back(std::string(storage::files::kSavedIndex) + ": rebuilt from the kept table");
    }
}

void CatalogueBuilder::ensureShopInfo()
{
    const TableLayout& layout = shopInfoLayout();
    const fs::path existing = storage::findFile(program_, layout.fileName);
    if (!existing.empty()) {
        log_.push_back(layout.fileName + ": kept (" + existing.filename().string() + ")");
        return;
    }
    storage::createTable(program_, layout.fileName, layout.fields);
    log_.push_back(layout.fileName + ": created empty");
}

} // namespace qw::databuild
