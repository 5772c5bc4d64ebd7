#include "ChartRules.h"

#include "TextRules.h"

#include <core/Text.h>
#include <selection/PageRowRules.h>

namespace qw::databuild {

namespace {

using selection::Page;
using selection::TargetListCase;

// Some arrow length on the Target page sets the short-arrow flag at this record.
bool shortArrowPossible(std::uint32_t record)
{
    for (int length = 23; length <= 33; ++length)
        if (selection::targetShortArrow(length, static_cast<int>(record)))
            return true;
    return false;
}

// Every list case the record can be shown by, over both bows and every length.
std::vector<const TargetListCase*> targetCases(std::uint32_t record)
{
    const int number = static_cast<int>(record);
    std::vector<const TargetListCase*> cases = {&selection::targetListCase(true, false, number)};
    if (shortArrowPossible(record)) {
        cases.push_back(&selection::targetListCase(true, true, number));
        cases.push_back(&selection::targetListCase(false, true, number));
    }
    cases.push_back(&selection::targetListCase(false, false, number));
    return cases;
}

// The words a message names the case by.
std::string situationOf(const TargetListCase& listCase)
{
    const std::string letter(1, listCase.name);
    if (listCase.name == 'C')
        return "compound short arrow, list case C";
    if (listCase.name == 'E')
        return "recurve short arrow, list case E";
    return (listCase.cut == selection::StarCut::Recurve ? "recurve" : "compound") +
           std::string(", list case ") + letter;
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
        const std::string size = trimBlanks(field(sizeField(column)));
        if (size.empty())
            continue;
        const selection::RowRule rule = selection::rowRule(Page::Hunt, column);
        const std::string shown = rule.sizeUpToFirstBlank ? upToFirstBlank(size) : size;
        const std::string spine = trimBlanks(field(secondField(ChartKind::Hunting, column)));
        if (rule.carbonAllowed && spine == "caw")
            continue; // a carbon entry, shown without a lookup
        found.push_back(
            {column, column, shown + spine, "hunting", "HMODELS", std::string(rule.twoModelCode)});
    }
    return found;
}

std::vector<ChartLookup> ChartRules::target(std::uint32_t record, const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (const TargetListCase* listCase : targetCases(record)) {
        for (int entry = 1; entry <= listCase->entries; ++entry) {
            const int column = selection::targetColumnOfEntry(*listCase, entry);
            const auto cut =
                entry <= listCase->starCutEntries ? listCase->cut : selection::StarCut::None;
            const std::string size = selection::starCut(trimBlanks(field(sizeField(column))), cut);
            if (size.empty())
                continue;
            const std::string spine = trimBlanks(field(secondField(ChartKind::Target, column)));
            found.push_back({column, entry, size + spine, situationOf(*listCase), "TMODELS",
                             std::string(selection::rowRule(Page::Targ, entry).twoModelCode)});
        }
    }
    return found;
}

std::vector<ChartLookup> ChartRules::youth(const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (int column = 1; column <= chartColumns(ChartKind::Youth); ++column) {
        const std::string size = trimBlanks(field(sizeField(column)));
        if (size.empty())
            continue;
        const std::string model = trimBlanks(field(secondField(ChartKind::Youth, column)));
        found.push_back({column, column, size + model, "youth", "TMODELS", ""});
    }
    return found;
}

std::vector<ChartLookup> ChartRules::kavel(const FieldReader& field)
{
    std::vector<ChartLookup> found;
    for (int column = 1; column <= chartColumns(ChartKind::Kavel); ++column) {
        const std::string model = trimBlanks(field(secondField(ChartKind::Kavel, column)));
        if (model.empty())
            continue; // a size without a model code is not offered
        const std::string size = trimBlanks(field(sizeField(column)));
        found.push_back({column, column, size + model, "Kavel", "HMODELS", ""});
    }
    return found;
}

} // namespace qw::databuild
