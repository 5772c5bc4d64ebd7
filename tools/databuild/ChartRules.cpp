#include "ChartRules.h"

#include "TextRules.h"

namespace qw::databuild {

namespace {

enum class StarCut { None, Compound, Recurve };

struct TargetCase {
    const char* name;
    int firstColumn;    // column of entry 1 ...
    int skippedColumn;  // ... except this column, which is passed over (0: none)
    int entries;        // entries filled
    int starCutEntries; // entries 1..n take the cut
    StarCut cut;
};

// Entry 1 of case A comes from column 1, entries 2 on from columns 3 on.
constexpr TargetCase kCaseA{"compound, list case A", 1, 2, 12, 1, StarCut::Compound};
constexpr TargetCase kCaseB{"compound, list case B", 2, 0, 11, 0, StarCut::None};
constexpr TargetCase kCaseC{"compound short arrow, list case C", 4, 0, 11, 1, StarCut::Compound};
constexpr TargetCase kCaseD{"compound, list case D", 1, 0, 13, 4, StarCut::Compound};
constexpr TargetCase kCaseE{"recurve short arrow, list case E", 4, 0, 11, 1, StarCut::Recurve};
constexpr TargetCase kCaseF{"recurve, list case F", 1, 0, 13, 4, StarCut::Recurve};

// Short-arrow records: some arrow length sets the flag for R 8 to 14 only.
bool shortArrowPossible(std::uint32_t record)
{
    return record >= 8 && record <= 14;
}

std::vector<TargetCase> targetCases(std::uint32_t record)
{
    std::vector<TargetCase> cases;
    if (record == 15)
        cases.push_back(kCaseA);
    else if (record == 16)
        cases.push_back(kCaseB);
    else
        cases.push_back(kCaseD);
    if (shortArrowPossible(record)) {
        cases.push_back(kCaseC);
        cases.push_back(kCaseE);
    }
    cases.push_back(kCaseF);
    return cases;
}

std::string applyStarCut(const std::string& size, StarCut cut)
{
    switch (cut) {
    case StarCut::Compound:
        return trim(compoundStarCut(size));
    case StarCut::Recurve:
        return trim(recurveStarCut(size));
    case StarCut::None:
        break;
    }
    return size;
}

int columnOfEntry(const TargetCase& targetCase, int entry)
{
    int column = targetCase.firstColumn + entry - 1;
    if (targetCase.skippedColumn != 0 && column >= targetCase.skippedColumn)
        ++column;
    return column;
}

} // namespace

std::uint32_t ChartRules::firstRecord(ChartKind kind)
{
    return kind == ChartKind::Hunting || kind == ChartKind::Target ? 2 : 1;
}

std::uint32_t ChartRules::lastRecord(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Hunting:
        return 20;
    case ChartKind::Target:
        return 19;
    case ChartKind::Youth:
        return 10;
    case ChartKind::Kavel:
        return 19;
    }
    return 0;
}

std::vector<ChartLookup> ChartRules::lookups(ChartKind kind, std::uint32_t record,
                                             const FieldReader& field)
{
    switch (kind) {
    case ChartKind::Hunting:
        return hunting(field);
    case ChartKind::Target:
        return target(record, field);
    case ChartKind::Youth:
        return youth(field);
    case ChartKind::Kavel:
        return kavel(field);
    }
    return {};
}

std::vector<ChartLookup> ChartRules::hunting(const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (int column = 1; column <= chartColumns(ChartKind::Hunting); ++column) {
        const std::string size = trim(field(sizeField(column)));
        if (size.empty())
            continue;
        const bool cutAtBlank = column >= 2 && column <= 6;
        const std::string shown = cutAtBlank ? upToFirstBlank(size) : size;
        const std::string spine = trim(field(secondField(ChartKind::Hunting, column)));
        if (column >= 3 && column <= 10 && spine == "caw")
            continue; // a carbon entry, shown without a lookup
        found.push_back(
            {column, column, shown + spine, "hunting", "HMODELS", column <= 4 ? "QK,52" : ""});
    }
    return found;
}

std::vector<ChartLookup> ChartRules::target(std::uint32_t record, const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (const TargetCase& targetCase : targetCases(record)) {
        for (int entry = 1; entry <= targetCase.entries; ++entry) {
            const int column = columnOfEntry(targetCase, entry);
            std::string size = trim(field(sizeField(column)));
            if (entry <= targetCase.starCutEntries)
                size = applyStarCut(size, targetCase.cut);
            if (size.empty())
                continue;
            const std::string spine = trim(field(secondField(ChartKind::Target, column)));
            found.push_back({column, entry, size + spine, targetCase.name, "TMODELS",
                             entry >= 7 ? "Z4,52" : ""});
        }
    }
    return found;
}

std::vector<ChartLookup> ChartRules::youth(const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (int column = 1; column <= chartColumns(ChartKind::Youth); ++column) {
        const std::string size = trim(field(sizeField(column)));
        if (size.empty())
            continue;
        const std::string model = trim(field(secondField(ChartKind::Youth, column)));
        found.push_back({column, column, size + model, "youth", "TMODELS", ""});
    }
    return found;
}

std::vector<ChartLookup> ChartRules::kavel(const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (int column = 1; column <= chartColumns(ChartKind::Kavel); ++column) {
        const std::string model = trim(field(secondField(ChartKind::Kavel, column)));
        if (model.empty())
            continue; // a size without a model code is not offered
        const std::string size = trim(field(sizeField(column)));
        found.push_back({column, column, size + model, "Kavel", "HMODELS", ""});
    }
    return found;
}

} // namespace qw::databuild
