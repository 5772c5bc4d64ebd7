#pragma once

// The row rules of the four pages, declared once: how a chart record's
// columns become the rows of a page's grid, which rows may hold a carbon
// shaft or two models in one cell, the Target list cases that rearrange
// that chart's fourteen columns into thirteen rows, and the weight classes
// by which the Hunting page shades its first four rows.

#include "Page.h"
#include "Recommendation.h"
#include "RunSummary.h"

#include <storage/Table.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qw::selection {

struct RowRule {
    bool sizeUpToFirstBlank = false;   // else the trimmed size text
    bool carbonAllowed = false;        // a spine of "caw" is a carbon shaft
    std::string_view twoModelCode;     // the model caption that holds two models ("": none)
    bool weightCellForCarbon = false;  // the weight cell opens the carbon panel
    bool emptySizeStaysEnabled = false;
};
RowRule rowRule(Page page, int row);
// The Specs.DBF field of the model caption: HMODELS or TMODELS.
std::string_view modelsField(Page page);

// One chart column as a row reads it: trimmed texts, the size prepared by
// the row's rule; present is false for a column without a shaft.
struct ChartColumn {
    bool present = false;
    std::string size;
    std::string code; // spine or model code
};

std::vector<ChartColumn> huntingColumns(const storage::Table& chart);
std::vector<ChartColumn> youthColumns(const storage::Table& chart);
std::vector<ChartColumn> kavelColumns(const storage::Table& chart);

// The Target shaft list: entries 1 to 13 from chart columns by the first
// case that matches the bow, the short-arrow flag and the record.
enum class StarCut { None, Compound, Recurve };
struct TargetListCase {
    char name;         // 'A' to 'F'
    int firstColumn;   // column of entry 1 ...
    int skippedColumn; // ... except this column, passed over (0: none)
    int entries;       // entries filled; the rest stay empty
    int starCutEntries; // entries 1..n take the cut
    StarCut cut;
};
bool targetShortArrow(int length, int record);
// Cases A to F in order.
const std::array<TargetListCase, 6>& targetListCases();
// The chart column of list entry (1-based) in the case.
int targetColumnOfEntry(const TargetListCase& listCase, int entry);
const TargetListCase& targetListCase(bool compound, bool shortArrow, int record);
// A size "<compound>*<recurve>" cut for the bow (the whole text without a "*").
std::string starCut(const std::string& size, StarCut cut);
std::vector<ChartColumn> targetColumns(const storage::Table& chart, bool compound, int length,
                                       int record);

// Hunting rows 1 to 4 for a chart record on the chart.
std::array<RowShade, 4> huntingShades(ChartNumber record);

} // namespace qw::selection
