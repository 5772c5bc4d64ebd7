#pragma once

// Verifies a data folder as the program needs it and names every defect:
// files present, required fields present, record counts, every chart cell's
// specification key found in specs.idx by seek (and found exactly: a prefix
// seek for a missing key would land on a longer one), grains-per-inch texts
// convertible where the page converts them, default weights numeric, the
// trajectory table complete, and the shop's own tables in place.

#include "ChartRules.h"
#include "TableLayouts.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qw::storage {
class Table;
class IndexFile;
} // namespace qw::storage

namespace qw::databuild {

class DataChecker {
public:
    explicit DataChecker(std::filesystem::path folder);
    ~DataChecker();

    // One line per defect; empty when the folder is complete.
    std::vector<std::string> run();

private:
    struct SpecsLookup;

    std::unique_ptr<storage::Table> openTable(const TableLayout& layout, bool& complete);
    std::unique_ptr<SpecsLookup> openSpecs();
    void checkChart(ChartKind kind, SpecsLookup* specs);
    void checkChartCell(ChartKind kind, std::uint32_t record, const ChartLookup& lookup,
                        SpecsLookup& specs);
    void checkSpecsRecords(storage::Table& table);
    void checkIndexKeys(const storage::IndexFile& index);
    void checkTrajectory();
    void checkInvalidSelection();
    void checkLegends();
    void checkCustomerTables();
    void defect(const std::string& text);

    std::filesystem::path folder_;
    std::vector<std::string> defects_;
    std::set<std::string> seen_;
};

} // namespace qw::databuild
