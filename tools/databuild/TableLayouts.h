#pragma once

// The record layouts of every table the program reads or writes, declared
// once: the build creates the tables from them and the check verifies a
// data folder against the fields the program relies on (a maker's own table
// may add fields and choose other widths, but must keep those).

#include "storage/FieldDef.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw::databuild {

struct TableLayout {
    std::string fileName;                    // as the program names it
    std::string sourceName;                  // CSV under data/, empty when not compiled from one
    std::vector<storage::FieldDef> fields;   // as this build creates the table
    std::vector<std::string> requiredFields; // what the program reads
    std::uint32_t minimumRecords = 0;
};

enum class ChartKind { Hunting, Target, Youth, Kavel };

const TableLayout& chartLayout(ChartKind kind);
const TableLayout& specsLayout();
const TableLayout& trajectoryLayout();
const TableLayout& savedSetupsLayout();
const TableLayout& shopInfoLayout();

// Columns per chart and the name of each column's second field.
int chartColumns(ChartKind kind);
std::string sizeField(int column);
std::string secondField(ChartKind kind, int column); // spine or model code field
const char* chartName(ChartKind kind);               // the chart's file name
inline constexpr ChartKind kAllCharts[] = {ChartKind::Hunting, ChartKind::Target, ChartKind::Youth,
                                           ChartKind::Kavel};

inline constexpr std::size_t kInvalidSelectionMaxLength = 150;
inline constexpr std::uint32_t kTrajectoryRecords = 245;

struct LegendFile {
    std::string pageKey;     // data/legends/<pageKey>.txt
    std::string installName; // in the program's folder
};
const std::vector<LegendFile>& legendFiles();

} // namespace qw::databuild
