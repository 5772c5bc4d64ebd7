#pragma once

// Which specification lookups a chart record makes, by the page's row rules:
// the cuts applied to size texts, the cells that are skipped (blank sizes,
// Hunting carbon entries, Kavel columns without a model code), the Target
// column rearrangement of list cases A to F, and the grid row each column
// lands in (which decides whether a two-family model text may carry two
// grains-per-inch numbers).

#include "TableLayouts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::databuild {

struct ChartLookup {
    int column = 0;           // chart column the size and spine come from
    int row = 0;              // grid row it is shown in
    std::string key;          // size text followed directly by spine or model code
    std::string situation;    // which bow type or list case produced it, for messages
    std::string modelField;   // HMODELS or TMODELS
    std::string twoModelText; // model text that makes this row show two weights, or empty
};

class ChartRules {
public:
    using FieldReader = std::function<std::string(std::string_view fieldName)>;

    // The record numbers the program reads on this chart.
    static std::uint32_t firstRecord(ChartKind kind);
    static std::uint32_t lastRecord(ChartKind kind);

    // Every lookup the program can make on this record, over every bow type
    // and arrow length that leads to it.
    static std::vector<ChartLookup> lookups(ChartKind kind, std::uint32_t record,
                                            const FieldReader& field);

private:
    static std::vector<ChartLookup> hunting(const FieldReader& field);
    static std::vector<ChartLookup> target(std::uint32_t record, const FieldReader& field);
    static std::vector<ChartLookup> youth(const FieldReader& field);
    static std::vector<ChartLookup> kavel(const FieldReader& field);
};

} // namespace qw::databuild
