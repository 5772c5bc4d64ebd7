#pragma once

// Small chart and specification tables on disk for the engine's tests,
// written through the table storage. Every chart record r names its shafts
// "<r>-<n>" (column n) with spine "S", and the specification table holds a
// record for each of those keys, so a grid row tells which record it came
// from. Cases put their own columns and specification records on top.

#include <core/RecordingSink.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fixtures {

struct Column {
    std::string size;
    std::string code; // spine (hunting, target) or model code (youth, Kavel)
};

struct Spec {
    std::string key;
    std::string spine;
    std::string models; // HMODELS and TMODELS alike
    std::string gpi;
};

struct ChartShape {
    const char* file;
    int columns;
    const char* codeField; // "SPINE", "MODL", "MODEL"
    int records;
};

inline const ChartShape kHunt{"HUNTCHRT.DBF", 16, "SPINE", 22};
inline const ChartShape kTarg{"Targchrt.dbf", 14, "SPINE", 21};
inline const ChartShape kYouth{"YouthChrt.dbf", 8, "MODL", 12};
inline const ChartShape kKavl{"KAVLCHRT.DBF", 6, "MODEL", 21};

inline std::string shaftName(int record, int column)
{
    return std::to_string(record) + "-" + std::to_string(column);
}

// Appends character records to a table that createTable made, in one
// write: posting record by record syncs the file each time, which makes a
// fixture of several hundred records take seconds.
inline void appendRecords(const std::filesystem::path& file,
                          const std::vector<qw::storage::FieldDef>& fields,
                          const std::vector<std::vector<std::string>>& rows)
{
    std::fstream dbf(file, std::ios::in | std::ios::out | std::ios::binary);
    QVERIFY(dbf.good());
    unsigned char header[12];
    dbf.read(reinterpret_cast<char*>(header), sizeof header);
    const std::size_t headerLength = header[8] | (header[9] << 8);
    const std::size_t recordLength = header[10] | (header[11] << 8);
    std::string records;
    for (const auto& row : rows) {
        std::string record = " ";
        for (std::size_t i = 0; i < fields.size(); ++i) {
            std::string value = row.at(i);
            value.resize(fields[i].length, ' ');
            record += value;
        }
        QCOMPARE(record.size(), recordLength);
        records += record;
    }
    records += '\x1a';
    dbf.seekp(static_cast<std::streamoff>(headerLength));
    dbf.write(records.data(), static_cast<std::streamsize>(records.size()));
    const std::uint32_t count = static_cast<std::uint32_t>(rows.size());
    const char countBytes[4] = {char(count & 0xFF), char((count >> 8) & 0xFF),
                                char((count >> 16) & 0xFF), char((count >> 24) & 0xFF)};
    dbf.seekp(4);
    dbf.write(countBytes, 4);
}

class Catalogue {
public:
    Catalogue()
    {
        QVERIFY(dir_.isValid());
        for (const ChartShape* shape : {&kHunt, &kTarg, &kYouth, &kKavl})
            charts_[shape->file] = defaultChart(*shape);
    }

    std::filesystem::path folder() const { return dir_.path().toStdString(); }

    // Column n (1-based) of record r (1-based) of a chart.
    void setColumn(const ChartShape& shape, int record, int column, Column value)
    {
        charts_[shape.file].at(record - 1).at(column - 1) = std::move(value);
    }
    void addSpec(Spec spec) { extraSpecs_.push_back(std::move(spec)); }
    void setInvalidSelectionText(std::string text) { invalidText_ = std::move(text); }
    void withoutInvalidSelectionText() { invalidText_.reset(); }

    // Writes every table and invsel.txt; call once the cases are set up.
    void write()
    {
        for (const ChartShape* shape : {&kHunt, &kTarg, &kYouth, &kKavl})
            writeChart(*shape);
        writeSpecs();
        if (invalidText_) {
            std::ofstream file(folder() / "invsel.txt", std::ios::binary);
            file << *invalidText_ << "\r\nsecond line is never shown\r\n";
        }
    }

private:
    using Chart = std::vector<std::vector<Column>>;

    static Chart defaultChart(const ChartShape& shape)
    {
        Chart chart(shape.records, std::vector<Column>(shape.columns));
        for (int r = 1; r <= shape.records; ++r)
            for (int n = 1; n <= shape.columns; ++n)
                chart[r - 1][n - 1] = {shaftName(r, n), "S"};
        return chart;
    }

    void writeChart(const ChartShape& shape)
    {
        std::vector<qw::storage::FieldDef> fields;
        for (int n = 1; n <= shape.columns; ++n) {
            fields.push_back(
                {"SH" + std::to_string(n) + "SIZE", qw::storage::FieldType::Character, 12, 0});
            fields.push_back({"SH" + std::to_string(n) + shape.codeField,
                              qw::storage::FieldType::Character, 6, 0});
        }
        qw::storage::createTable(folder(), shape.file, fields);
        std::vector<std::vector<std::string>> rows;
        for (const auto& record : charts_[shape.file]) {
            rows.emplace_back();
            for (const Column& column : record) {
                rows.back().push_back(column.size);
                rows.back().push_back(column.code);
            }
        }
        appendRecords(folder() / shape.file, fields, rows);
    }

    void writeSpecs()
    {
        std::map<std::string, Spec> specs;
        for (const auto& [file, chart] : charts_)
            for (std::size_t r = 0; r < chart.size(); ++r)
                for (std::size_t n = 0; n < chart[r].size(); ++n) {
                    const Column& column = chart[r][n];
                    const std::string key = column.size + column.code;
                    specs[key] = {key, "." + std::to_string(n + 1) + "00",
                                  "M" + std::to_string(r + 1), "9.20"};
                }
        for (const Spec& spec : extraSpecs_)
            specs[spec.key] = spec;
        // A spine of "<absent>" leaves the record out: a shaft the chart names
        // but the specification table lacks.
        const std::vector<qw::storage::FieldDef> fields = {
            {"SPECKEY", qw::storage::FieldType::Character, 20, 0},
            {"SPINE", qw::storage::FieldType::Character, 8, 0},
            {"HMODELS", qw::storage::FieldType::Character, 10, 0},
            {"TMODELS", qw::storage::FieldType::Character, 10, 0},
            {"GPI", qw::storage::FieldType::Character, 10, 0}};
        qw::storage::createTable(folder(), "Specs.DBF", fields);
        std::vector<std::vector<std::string>> rows;
        for (const auto& [key, spec] : specs)
            if (spec.spine != "<absent>")
                rows.push_back({spec.key, spec.spine, spec.models, spec.models, spec.gpi});
        appendRecords(folder() / "Specs.DBF", fields, rows);
        qw::storage::createIndex(folder(), "Specs.DBF", "specs.idx", "SPECKEY");
    }

    QTemporaryDir dir_;
    std::map<std::string, Chart> charts_;
    std::vector<Spec> extraSpecs_;
    std::optional<std::string> invalidText_ = std::string("This selection is outside the chart.");
};

// The page as the model hands it on (ShownPage) against the cells the
// painter wrote, row by row: the four captions (an empty row shows none),
// whether they are drawn, the size and weight cells' enabled states and
// the row's ground.
inline void compareShownWithCells(const qw::selection::SelectionModel& model,
                                  qw::selection::Page page)
{
    using namespace qw;
    using namespace qw::selection;
    const ShownPage shown = model.shownPage(page);
    QCOMPARE(int(shown.rows.size()), pageInfo(page).rows);
    QCOMPARE(int(shown.cells.size()), pageInfo(page).rows);
    const auto line = [&](int row, const std::array<std::string, 4>& texts, bool captionsShown,
                          bool sizeEnabled, bool weightEnabled, Rgb fill) {
        std::string text = std::string(pageInfo(page).key) + " row " + std::to_string(row);
        for (const std::string& caption : texts)
            text += " |" + caption;
        text += captionsShown ? " shown" : " hidden";
        text += sizeEnabled ? " size on" : " size off";
        text += weightEnabled ? " weight on" : " weight off";
        return QString::fromStdString(text) + QString(" fill %1").arg(fill, 6, 16, QChar('0'));
    };
    for (int row = 1; row <= pageInfo(page).rows; ++row) {
        const RecommendedRow& value = shown.rows[std::size_t(row - 1)];
        const RowCells& cells = shown.cells[std::size_t(row - 1)];
        const bool empty = value.kind == RecommendedRow::Kind::Empty;
        const auto cell = [&](CellKind kind) -> const ControlState& {
            return model.form()[cellName(page, kind, row)];
        };
        const ControlState& size = cell(CellKind::Size);
        const QString handedOn =
            line(row,
                 empty ? std::array<std::string, 4>{}
                       : std::array{value.size, value.spine, value.model, value.weight},
                 cells.captionsShown, cells.sizeEnabled, cells.weightEnabled, cells.fill);
        QCOMPARE(handedOn,
                 line(row,
                      {size.text, cell(CellKind::Spine).text, cell(CellKind::Model).text,
                       cell(CellKind::Weight).text},
                      size.showCaption, size.enabled, cell(CellKind::Weight).enabled, size.fill));
    }
}

// Records every message box in order.
using RecordingSink = qw::RecordingSink;

// A fresh catalogue for each test function (call resetEngine() from init()):
// the test sets up its cases, then start() writes the tables and opens the
// engine on them.
class EngineTest : public QObject {
protected:
    void resetEngine()
    {
        model_.reset();
        catalogue_.emplace();
        sink_.messages.clear();
    }
    qw::selection::SelectionModel& start()
    {
        catalogue_->write();
        model_.emplace(catalogue_->folder(), sink_);
        return *model_;
    }

    std::optional<Catalogue> catalogue_;
    RecordingSink sink_;
    std::optional<qw::selection::SelectionModel> model_;
};

} // namespace fixtures
