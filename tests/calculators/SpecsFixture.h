#pragma once

// A small Specs.DBF with the shipped layout and index expression in a
// temporary folder, for cases that need their own GPI texts and default
// weights, and the main window's hand-off after a size-cell click.

#include <selection/MainFormDesign.h>
#include <storage/Table.h>

#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

namespace fixtures {

// Defaults are text, so that a case can make one that is no number.
struct SpecRecord {
    std::string size, suffix, gpi, point = "100", nock = "10", vane = "18", insert = "13";
};

class SpecsFolder {
public:
    std::filesystem::path folder() const { return dir_.path().toStdString(); }

    void write(const std::vector<SpecRecord>& records) const
    {
        // Every field is text: its name and width, in the shipped order.
        const std::pair<const char*, std::uint8_t> layout[] = {
            {"SHAFTSIZE", 10}, {"KEYSUFFIX", 4}, {"ARROWTYPE", 20}, {"LENGTH", 8},
            {"OD", 6},         {"ID", 6},        {"WALL", 6},       {"GPI", 9},
            {"SPINE", 5},      {"HMODELS", 8},   {"TMODELS", 8},    {"DEFPTWT", 5},
            {"DEFNOCKWT", 5},  {"DEFVANEWT", 5}, {"DEFINSWT", 5}};
        std::vector<qw::storage::FieldDef> fields;
        for (const auto& [name, width] : layout)
            fields.push_back({name, qw::storage::FieldType::Character, width});
        std::filesystem::remove(folder() / "Specs.DBF");
        qw::storage::createTable(folder(), "Specs.DBF", fields);
        qw::storage::Table table(folder());
        table.open("Specs.DBF");
        for (const SpecRecord& r : records) {
            const std::string values[] = {r.size,   r.suffix, "Aluminum", "31 in", "0.297",
                                          "0.273",  "0.012",  r.gpi,      "0.789", r.suffix,
                                          r.suffix, r.point,  r.nock,     r.vane,  r.insert};
            table.appendBlank();
            for (std::size_t i = 0; i < std::size(layout); ++i)
                table.setField(layout[i].first, values[i]);
            table.post();
        }
        table.close();
        qw::storage::createIndex(folder(), "Specs.DBF", "specs.idx", "TRIM(SHAFTSIZE)+KEYSUFFIX");
    }

private:
    QTemporaryDir dir_;
};

// The main window's state after a click on a size cell whose hand-off key
// is `key` (its first four characters the size). A specifications model
// reads it for as long as it lives, so it must outlive the model.
inline qw::FormState clicked(const std::string& key, const std::string& page,
                             const std::string& models, const std::string& length = "30",
                             const std::string& point = "100", const std::string& bowWeight = "60")
{
    qw::FormState main = qw::selection::mainFormDesign();
    main["TmpLbl"].text = key;
    main["TmpLbl2"].text = page;
    main["SpcLbl"].text = key.substr(0, 4);
    main["Mods"].text = models;
    main["ArrowLengthSpin"].text = length;
    main["YouthArrowLenSpin"].text = "25";
    main["PointWtSpin"].text = point;
    main["BowWeightSpin"].text = bowWeight;
    main["YouthBowWtSpin"].text = "30";
    return main;
}

} // namespace fixtures
