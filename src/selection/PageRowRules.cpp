#include "PageRowRules.h"

#include "Pages.h"

#include <core/NumberText.h>
#include <core/Text.h>

#include <optional>

namespace qw::selection {

namespace {

std::string field(const storage::Table& chart, const char* kind, int column)
{
    return trimBlanks(chart.getString("SH" + std::to_string(column) + kind));
}

RowRule huntingRule(int row)
{
    RowRule rule;
    rule.sizeUpToFirstBlank = row >= 2 && row <= 6;
    rule.carbonAllowed = row >= 3 && row <= 10;
    rule.twoModelCode = row <= 4 ? "QK,52" : "";
    rule.weightCellForCarbon = row >= 3 && row <= 9;
    return rule;
}

// Entry 1 of case A comes from column 1, entries 2 on from columns 3 on.
constexpr std::array<TargetListCase, 6> kTargetCases = {{
    {'A', 1, 2, 12, 1, StarCut::Compound},
    {'B', 2, 0, 11, 0, StarCut::None},
    {'C', 4, 0, 11, 1, StarCut::Compound},
    {'D', 1, 0, 13, 4, StarCut::Compound},
    {'E', 4, 0, 11, 1, StarCut::Recurve},
    {'F', 1, 0, 13, 4, StarCut::Recurve},
}};
constexpr const TargetListCase& kCaseA = kTargetCases[0];
constexpr const TargetListCase& kCaseB = kTargetCases[1];
constexpr const TargetListCase& kCaseC = kTargetCases[2];
constexpr const TargetListCase& kCaseD = kTargetCases[3];
constexpr const TargetListCase& kCaseE = kTargetCases[4];
constexpr const TargetListCase& kCaseF = kTargetCases[5];

constexpr int kTargetRows = 13;

} // namespace

RowRule rowRule(Page page, int row)
{
    RowRule rule;
    switch (page) {
    case Page::Hunt:
        return huntingRule(row);
    case Page::Targ:
        // Only rows 7 to 13 carry the two-model cell; row 1 is never disabled.
        rule.twoModelCode = row >= 7 ? "Z4,52" : "";
        rule.emptySizeStaysEnabled = row == 1;
        return rule;
    case Page::Youth:
    case Page::Kavl:
        return rule;
    }
    return rule;
}

std::string_view modelsField(Page page)
{
    return page == Page::Targ || page == Page::Youth ? "TMODELS" : "HMODELS";
}

std::vector<ChartColumn> huntingColumns(const storage::Table& chart)
{
    std::vector<ChartColumn> columns;
    for (int column = 1; column <= pageInfo(Page::Hunt).rows; ++column) {
        const std::string size = field(chart, "SIZE", column);
        if (size.empty()) {
            columns.push_back({});
            continue;
        }
        columns.push_back({true,
                           huntingRule(column).sizeUpToFirstBlank ? upToFirstBlank(size) : size,
                           field(chart, "SPINE", column)});
    }
    return columns;
}

std::vector<ChartColumn> youthColumns(const storage::Table& chart)
{
    std::vector<ChartColumn> columns;
    for (int column = 1; column <= pageInfo(Page::Youth).rows; ++column) {
        const std::string size = field(chart, "SIZE", column);
        columns.push_back(size.empty() ? ChartColumn{}
                                       : ChartColumn{true, size, field(chart, "MODL", column)});
    }
    return columns;
}

// A Kavel column is a shaft when it has a model code.
std::vector<ChartColumn> kavelColumns(const storage::Table& chart)
{
    std::vector<ChartColumn> columns;
    for (int column = 1; column <= pageInfo(Page::Kavl).rows; ++column) {
        const std::string model = field(chart, "MODEL", column);
        columns.push_back(model.empty() ? ChartColumn{}
                                        : ChartColumn{true, field(chart, "SIZE", column), model});
    }
    return columns;
}

bool targetShortArrow(int length, int record)
{
    return (length == 23 && record == 8) || (length <= 24 && record == 9) ||
           (length <= 25 && (record == 10 || record == 11)) ||
           (length <= 26 && record >= 12 && record <= 14);
}

const std::array<TargetListCase, 6>& targetListCases()
{
    return kTargetCases;
}

int targetColumnOfEntry(const TargetListCase& listCase, int entry)
{
    const int column = listCase.firstColumn + entry - 1;
    return listCase.skippedColumn != 0 && column >= listCase.skippedColumn ? column + 1 : column;
}

const TargetListCase& targetListCase(bool compound, bool shortArrow, int record)
{
    if (!compound)
        return shortArrow ? kCaseE : kCaseF;
    if (shortArrow)
        return kCaseC;
    if (record == 15)
        return kCaseA;
    if (record == 16)
        return kCaseB;
    return kCaseD;
}

std::string starCut(const std::string& size, StarCut cut)
{
    const auto star = size.find('*');
    if (cut == StarCut::None || star == std::string::npos)
        return size;
    return trimBlanks(cut == StarCut::Compound ? size.substr(0, star) : size.substr(star + 1));
}

std::vector<ChartColumn> targetColumns(const storage::Table& chart, bool compound, int length,
                                       int record)
{
    const TargetListCase& list = targetListCase(compound, targetShortArrow(length, record), record);
    std::vector<ChartColumn> columns(kTargetRows);
    for (int entry = 1; entry <= list.entries && entry <= kTargetRows; ++entry) {
        const int column = targetColumnOfEntry(list, entry);
        const StarCut cut = entry <= list.starCutEntries ? list.cut : StarCut::None;
        const std::string size = starCut(field(chart, "SIZE", column), cut);
        if (!size.empty())
            columns[entry - 1] = {true, size, field(chart, "SPINE", column)};
    }
    return columns;
}

std::array<RowShade, 4> huntingShades(ChartNumber record)
{
    constexpr RowShade none{};
    constexpr RowShade dark{WeightClass::Dark, ShadeEdge::Unchanged};
    constexpr RowShade midSilver{WeightClass::Mid, ShadeEdge::Silver};
    constexpr RowShade darkGrey{WeightClass::Dark, ShadeEdge::Grey};
    constexpr RowShade light{WeightClass::Light, ShadeEdge::Unchanged};
    constexpr RowShade lightGrey{WeightClass::Light, ShadeEdge::Grey};
    std::array<std::optional<RowShade>, 4> shades;
    if (record >= 1 && record <= 6)
        shades = {std::nullopt, dark, std::nullopt, std::nullopt};
    else if (record == 7)
        shades = {dark, std::nullopt, std::nullopt, std::nullopt};
    else if (record == 8)
        shades = {std::nullopt, midSilver, dark, std::nullopt};
    else if (record == 9)
        shades = {std::nullopt, dark, std::nullopt, std::nullopt};
    else if (record == 10)
        shades = {std::nullopt, midSilver, darkGrey, dark};
    else if (record == 11)
        shades = {midSilver, midSilver, darkGrey, dark};
    else if (record == 12)
        shades = {light, midSilver, midSilver, dark};
    else if (record == 13 || record == 14)
        shades = {lightGrey, lightGrey, midSilver, dark};
    else if (record == 15)
        shades = {midSilver, dark, std::nullopt, std::nullopt};
    else if (record >= 16 && record <= 18)
        shades = {midSilver, dark, dark, std::nullopt};
    // Row 1 is light grey with a grey edge unless its record says otherwise.
    std::array<RowShade, 4> rows{RowShade{WeightClass::Light, ShadeEdge::Grey}, none, none, none};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!shades[row])
            continue;
        rows[row].weightClass = shades[row]->weightClass;
        if (shades[row]->edge != ShadeEdge::Unchanged)
            rows[row].edge = shades[row]->edge;
    }
    return rows;
}

} // namespace qw::selection
