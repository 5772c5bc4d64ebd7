#pragma once

// A small Specs.DBF with the shipped layout and index expression in a
// temporary folder, for cases that need their own GPI texts and default
// weights, and the main window's hand-off after a size-cell click.

#include <selection/MainFormDesign.h>
#include <storage/Table.h>

#include <QTemporaryDir>

#include <filesystem>
#include <map>
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
        using qw::storage::FieldType;
        std::filesystem::remove(folder() / "Specs.DBF");
        const std::vector<qw::storage::FieldDef> fields = {
            {"SHAFTSIZE", FieldType::Character, 10, 0}, {"KEYSUFFIX", FieldType::Character, 4, 0},
            {"ARROWTYPE", FieldType::Character, 20, 0}, {"LENGTH", FieldType::Character, 8, 0},
            {"OD", FieldType::Character, 6, 0},         {"ID", FieldType::Character, 6, 0},
            {"WALL", FieldType::Character, 6, 0},       {"GPI", FieldType::Character, 9, 0},
            {"SPINE", FieldType::Character, 5, 0},      {"HMODELS", FieldType::Character, 8, 0},
            {"TMODELS", FieldType::Character, 8, 0},    {"DEFPTWT", FieldType::Character, 5, 0},
            {"DEFNOCKWT", FieldType::Character, 5, 0},  {"DEFVANEWT", FieldType::Character, 5, 0},
            {"DEFINSWT", FieldType::Character, 5, 0}};
        qw::storage::createTable(folder(), "Specs.DBF", fields);
        qw::storage::Table table(folder());
        table.open("Specs.DBF");
        for (const SpecRecord& r : records) {
            table.appendBlank();
            const std::map<std::string, std::string> values = {
                {"SHAFTSIZE", r.size}, {"KEYSUFFIX", r.suffix}, {"ARROWTYPE", "Aluminum"},
                {"LENGTH", "31 in"},   {"OD", "0.297"},         {"ID", "0.273"},
                {"WALL", "0.012"},     {"GPI", r.gpi},          {"SPINE", "0.789"},
                {"HMODELS", r.suffix}, {"TMODELS", r.suffix},   {"DEFPTWT", r.point},
                {"DEFNOCKWT", r.nock}, {"DEFVANEWT", r.vane},   {"DEFINSWT", r.insert}};
            for (const auto& [field, value] : values)
                table.setField(field, value);
            table.post();
        }
        table.close();
        qw::storage::createIndex(folder(), "Specs.DBF", "specs.idx", "TRIM(SHAFTSIZE)+KEYSUFFIX");
    }

private:
    QTemporaryDir dir_;
};

// The main window's state after a click on a size cell whose hand-off key
// is `key` (its first four characters the size).
inline qw::selection::FormState clicked(const std::string& key, const std::string& page,
                                        const std::string& models, const std::string& length = "30",
                                        const std::string& point = "100")
{
    qw::selection::FormState main = qw::selection::mainFormDesign();
    main["TmpLbl"].text = key;
    main["TmpLbl2"].text = page;
    main["SpcLbl"].text = key.substr(0, 4);
    main["Mods"].text = models;
    main["ArrowLengthSpin"].text = length;
    main["YouthArrowLenSpin"].text = "25";
    main["PointWtSpin"].text = point;
    return main;
}

} // namespace fixtures
