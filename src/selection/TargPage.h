#pragma once

#include "RunContext.h"

#include <array>
#include <string>

namespace qw::selection {

// The Target page's part of a run: chart weight by bow type and wheel,
// the record of Targchrt.dbf, and the shaft list that rearranges the
// chart's fourteen columns into thirteen rows.
class TargPage {
public:
    struct Entry {
        std::string size;
        std::string spine;
    };
    using ShaftList = std::array<Entry, 14>;

    enum class ListCase { A, B, C, D, E, F };
    static bool shortArrow(int length, int record);
    static ListCase listCase(bool compound, bool shortArrowFlag, int record);

    static void run(RunContext& run);

private:
    static void work(RunContext& run);
    static void setControls(RunContext& run);
    static ChartNumber compoundWeight(RunContext& run, int bowWeight, int pointWeight);
    static void setRecurveControls(RunContext& run);
    static ShaftList buildList(const storage::Table& chart, ListCase listCase);
    static void fillRow(RunContext& run, int row, const Entry& entry, const DecimalNumber& length);
};

} // namespace qw::selection
