#include "TableLayouts.h"

#include <selection/Pages.h>
#include <storage/ProgramFiles.h>

namespace qw::databuild {

using storage::FieldDef;
using storage::FieldType;

namespace {

FieldDef text(std::string name, std::uint8_t width)
{
    return FieldDef{std::move(name), FieldType::Character, width, 0};
}

FieldDef number(std::string name, std::uint8_t width)
{
    return FieldDef{std::move(name), FieldType::Numeric, width, 0};
}

std::vector<std::string> namesOf(const std::vector<FieldDef>& fields)
{
    std::vector<std::string> names;
    for (const auto& field : fields)
        names.push_back(field.name);
    return names;
}

// Size fields are wide enough for a note after the size ("1719 alt") and for
// the two Target sizes joined by "*".
constexpr std::uint8_t kSizeWidth = 12;
constexpr std::uint8_t kSecondWidth = 5;

// A chart holds at least the records its page reads: up to the last one
// its bands point at.
TableLayout makeChart(ChartKind kind, selection::Page page, std::string source)
{
    const selection::PageInfo& info = selection::pageInfo(page);
    TableLayout layout{std::string(info.chartFile),
                       std::move(source),
                       {},
                       {},
                       static_cast<std::uint32_t>(info.lastValidRecord)};
    for (int column = 1; column <= chartColumns(kind); ++column) {
        layout.fields.push_back(text(sizeField(column), kSizeWidth));
        layout.fields.push_back(text(secondField(kind, column), kSecondWidth));
    }
    layout.requiredFields = namesOf(layout.fields);
    return layout;
}

TableLayout makeSpecs()
{
    TableLayout layout{storage::files::kSpecs, "specs/Specs.csv", {}, {}, 1};
    layout.fields = {text("SHAFTSIZE", 10),  text("KEYSUFFIX", 4),   text("ARROWTYPE", 20),
                     text("LENGTH", 8),      text("OD", 6),          text("ID", 6),
                     text("WALL", 6),        text("GPI", 9),         text("SPINE", 5),
                     text("HMODELS", 8),     text("TMODELS", 8),     number("DEFPTWT", 3),
                     number("DEFNOCKWT", 3), number("DEFVANEWT", 3), number("DEFINSWT", 3)};
    // The size and key suffix fields are this catalogue's way of forming the
    // key; a maker's table may form it otherwise.
    layout.requiredFields = {"ARROWTYPE", "LENGTH",    "OD",      "ID",      "WALL",
                             "GPI",       "SPINE",     "HMODELS", "TMODELS", "DEFPTWT",
                             "DEFNOCKWT", "DEFVANEWT", "DEFINSWT"};
    return layout;
}

TableLayout makeTrajectory()
{
    TableLayout layout{storage::files::kTrajectory, "", {}, {}, kTrajectoryRecords};
    // RATING, DIST and ARROWWT name the combination for readers of the file;
    // the program addresses records by number and reads the other three.
    layout.fields = {text("RATING", 3), text("DIST", 2), text("ARROWWT", 3),
                     text("VEL", 3),    text("LOW", 3),  text("HIGH", 3)};
    layout.requiredFields = {"VEL", "LOW", "HIGH"};
    return layout;
}

TableLayout makeSavedSetups()
{
    TableLayout layout{storage::files::kSavedSetups, "", {}, {}, 0};
    layout.fields = {
        text("NAME", 40),    text("ADDR1", 40), text("ADDR2", 40),
        text("CITY", 30),    text("STATE", 20), text("ZIP", 12),
        text("COUNTRY", 30), text("CCODE", 6),  FieldDef{"COMMENTS", FieldType::Memo, 10, 0},
        text("DATE", 20),    text("BOWWT", 5),  text("ARLEN", 5),
        text("PNTWT", 5),    text("HORT", 1),   text("BOTYP", 1),
        text("WHTYP", 1),    text("RETYP", 1),  text("BOLEN", 1),
        text("ODLEN", 1)};
    layout.requiredFields = namesOf(layout.fields);
    return layout;
}

TableLayout makeShopInfo()
{
    TableLayout layout{storage::files::kShopInfo, "", {}, {}, 0};
    layout.fields = {text("NAME", 50),  text("ADDR1", 50), text("ADDR2", 50),
                     text("CITY", 30),  text("STATE", 20), text("ZIP", 12),
                     text("PHONE", 24), text("FAX", 24),   text("COMMENTS", 100)};
    layout.requiredFields = namesOf(layout.fields);
    return layout;
}

} // namespace

int chartColumns(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Hunting:
        return 16;
    case ChartKind::Target:
        return 14;
    case ChartKind::Youth:
        return 8;
    case ChartKind::Kavel:
        return 6;
    }
    return 0;
}

std::string sizeField(int column)
{
    return "SH" + std::to_string(column) + "SIZE";
}

std::string secondField(ChartKind kind, int column)
{
    const char* suffix = kind == ChartKind::Youth   ? "MODL"
                         : kind == ChartKind::Kavel ? "MODEL"
                                                    : "SPINE";
    return "SH" + std::to_string(column) + suffix;
}

const char* chartName(ChartKind kind)
{
    return chartLayout(kind).fileName.c_str();
}

const TableLayout& chartLayout(ChartKind kind)
{
    static const TableLayout hunting =
        makeChart(ChartKind::Hunting, selection::Page::Hunt, "charts/HUNTCHRT.csv");
    static const TableLayout target =
        makeChart(ChartKind::Target, selection::Page::Targ, "charts/Targchrt.csv");
    static const TableLayout youth =
        makeChart(ChartKind::Youth, selection::Page::Youth, "charts/YouthChrt.csv");
    static const TableLayout kavel =
        makeChart(ChartKind::Kavel, selection::Page::Kavl, "charts/KAVLCHRT.csv");
    switch (kind) {
    case ChartKind::Hunting:
        return hunting;
    case ChartKind::Target:
        return target;
    case ChartKind::Youth:
        return youth;
    case ChartKind::Kavel:
        return kavel;
    }
    return hunting;
}

const TableLayout& specsLayout()
{
    static const TableLayout layout = makeSpecs();
    return layout;
}

const TableLayout& trajectoryLayout()
{
    static const TableLayout layout = makeTrajectory();
    return layout;
}

const TableLayout& savedSetupsLayout()
{
    static const TableLayout layout = makeSavedSetups();
    return layout;
}

const TableLayout& shopInfoLayout()
{
    static const TableLayout layout = makeShopInfo();
    return layout;
}

const std::vector<LegendFile>& legendFiles()
{
    static const std::vector<LegendFile> files = {{"Hunt", "HuntLegend.txt"},
                                                  {"Targ", "TargLegend.txt"},
                                                  {"Youth", "YouthLegend.txt"},
                                                  {"Kavl", "KavlLegend.txt"}};
    return files;
}

} // namespace qw::databuild
