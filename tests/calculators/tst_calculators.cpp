// The calculators' models without windows: the specifications window's
// lookup and weights (on the shipped tables and on small tables of their
// own), kinetic energy and FOC, and the trajectory reference.

#include "SpecsFixture.h"

#include <calculators/KineticEnergyModel.h>
#include <calculators/SpecsModel.h>
#include <calculators/TrajectoryModel.h>
#include <core/RecordingSink.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <QtTest>

#include <string>
#include <vector>

using namespace qw;
using calculators::WeightInput;

namespace {

const std::filesystem::path kTablesDir = QW_TABLES_DIR;

// The messages, each as "i:" (information) or "e:" (error) and its text.
std::vector<std::string> tagged(const RecordingSink& sink)
{
    std::vector<std::string> all;
    for (const auto& message : sink.messages)
        all.push_back((message.error ? "e:" : "i:") + message.text);
    return all;
}

// What `tagged` gives for one expected message, or for none if it is empty.
std::vector<std::string> expected(const std::string& message)
{
    return message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message};
}

// One test row per case, named after it; the test reads kCases[row].
template <typename Case, std::size_t N> void addRows(const Case (&cases)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(cases[i].name) << int(i);
}

const std::string kNotFloat = "e:'7.20 7.63' is not a valid floating point value";

// A 1912/52 shaft clicked with the main window's point weight at 215, its
// bow weight at 60 and the youth bow weight at 30.
const std::string kBelow = " gr/lb: below the 5 gr/lb minimum most bow makers require";
struct WeightCase {
    const char* name;
    std::string gpi, models, page, length, lengthShown, pointShown, shaft, total, perPound, message;
    std::string nock = "10"; // the record's default nock weight
    std::string bow = "60";
};
const WeightCase kWeights[] = {
    // 285.6 + 0.5 rounds up; 426.6 is cut.
    {"426/286", "9.52", "52", "Targ", "30", "30.0", "100", "286 Gr.", "426 Gr.", "7.1 gr/lb", ""},
    // Sums that are whole in decimal are not cut a grain low: 339 + 141
    // is 480, though 37.5 x 9.04 is 338.99999999999994 in binary.
    {"exact decimal", "9.04", "52", "Targ", "37.5", "37.5", "100", "339 Gr.", "480 Gr.",
     "8.0 gr/lb", ""},
    {"273 + 141", "9.1", "52", "Targ", "30", "30.0", "100", "273 Gr.", "414 Gr.", "6.9 gr/lb", ""},
    {"second GPI for ,52", "7.20 7.63", "QK,52", "Targ", "30", "30.0", "100", "229 Gr.", "369 Gr.",
     "6.1 gr/lb", ""},
    {"whole GPI for 52", "7.20 7.63", "52", "Targ", "30", "30.0", "100", "", "", "", kNotFloat},
    {"anything else in 3-5", "7.20 7.63", "QK.52", "Targ", "30", "30.0", "100", "", "", "",
     kNotFloat},
    {"blank second GPI", "7.20", "QK,52", "Targ", "30", "30.0", "100", "", "", "",
     "e:'' is not a valid floating point value"},
    // Hunting: the main window's point weight; Youth: the youth length and
    // the youth bow weight.
    {"hunting point", "9.52", "52", "Hunt", "30", "30.0", "215", "286 Gr.", "541 Gr.", "9.0 gr/lb",
     ""},
    {"youth length", "9.52", "52", "Youth", "30", "25.0", "100", "238 Gr.", "379 Gr.", "12.6 gr/lb",
     ""},
    {"length brought into range", "9.52", "52", "Kavl", "12", "15.0", "100", "143 Gr.", "283 Gr.",
     "4.7" + kBelow, ""},
    {"default weight no number", "9.52", "52", "Targ", "30", "30.0", "100", "", "", "",
     "e:'ten' is not a valid floating point value", "ten"},
    // Grains per pound are cut, and 5.0 exactly is enough.
    {"6.17 cut to 6.1", "9.52", "52", "Targ", "30", "30.0", "100", "286 Gr.", "426 Gr.",
     "6.1 gr/lb", "", "10", "69"},
    {"480 / 96 is 5.0", "9.04", "52", "Targ", "37.5", "37.5", "100", "339 Gr.", "480 Gr.",
     "5.0 gr/lb", "", "10", "96"},
    {"426 / 86 is below", "9.52", "52", "Targ", "30", "30.0", "100", "286 Gr.", "426 Gr.",
     "4.9" + kBelow, "", "10", "86"},
    {"youth ignores the main bow weight", "9.52", "52", "Youth", "30", "25.0", "100", "238 Gr.",
     "379 Gr.", "12.6 gr/lb", "", "10", "abc"},
    {"bow weight not whole", "9.52", "52", "Targ", "30", "30.0", "100", "286 Gr.", "426 Gr.", "",
     "", "10", "60.5"},
    {"bow weight zero", "9.52", "52", "Targ", "30", "30.0", "100", "286 Gr.", "426 Gr.", "", "",
     "10", "0"},
    {"bow weight empty", "9.52", "52", "Targ", "30", "30.0", "100", "286 Gr.", "426 Gr.", "", "",
     "10", ""},
};

// A key the table does not hold exactly, after the hand-off is cut.
struct NotFoundCase {
    const char* name;
    std::string handOff, key;
};
const NotFoundCase kNotFound[] = {
    {"prefix of a longer key", "19125", "19125"},
    {"absent", "999952", "999952"},
    {"empty, as at start-up", "", ""},
    {"note cut with the suffix", "1912 alt52", "1912"},
    {"no more than 14 after the blank", "12 abcdefghijklmnXY", "12XY"}};

// Velocity is read first; a message leaves every result as it was after
// the defaults, the first case.
const std::string kZero = "i:Zero is invalid, please enter a whole number.";
struct EnergyCase {
    const char* name;
    std::string weight, velocity, energy;
    int bar;
    std::string pictures, momentum, message;
};
const EnergyCase kEnergies[] = {
    {"defaults", "400", "200", "35.54", 35, "MediumImg", "0.36", ""},
    {"24.99", "315", "189", "24.99", 24, "SmallImg", "0.26", ""},
    {"25.00", "385", "171", "25.00", 25, "MediumImg", "0.29", ""},
    {"40.99", "305", "246", "40.99", 40, "MediumImg", "0.33", ""},
    {"64.99", "443", "257", "64.99", 64, "BigImg", "0.51", ""},
    {"65.00", "323", "301", "65.00", 65, "ToughImg", "0.43", ""},
    {"100.00", "484", "305", "100.00", 100, "ToughImg", "0.66", ""},
    {"bar clamp", "412", "333", "101.47", 100, "ToughImg", "0.61", ""},
    {"200.99", "380", "488", "200.99", 100, "ToughImg", "0.82", ""},
    {"201.00", "424", "462", "201.00", 100, "Tanks", "0.87", ""},
    {"both zero", "0", "0", "", 0, "", "", kZero},
    {"zero velocity, bad weight", "abc", "0", "", 0, "", "", kZero},
    {"negative weight", "-5", "200", "", 0, "", "", kZero},
    {"bad velocity", "0", "2x", "", 0, "", "", "e:'2x' is not a valid integer value"},
    {"empty weight", "", "200", "", 0, "", "", "e:'' is not a valid integer value"}};

struct FocCase {
    const char* name;
    std::string length, balance, shown, message;
};
const FocCase kFocs[] = {
    {"12.4999990", "25.6", "16.0", "12.4%", ""},
    {"defaults", "30.0", "15.0", "0%", ""},
    {"3.3", "30", "16", "3.3%", ""},
    {"negative", "30", "14", "-3.3%", ""},
    {"zero length", "0", "15", "", "e:Floating point division by zero"},
    {"both zero", "0", "0", "", "e:Invalid floating point operation"},
    {"not a number", "30", "1 5", "", "e:'1 5' is not a valid floating point value"}};

// The record of a setting holds that very combination.
struct RecordCase {
    const char* name;
    int velocity, weight, distance, record;
};
const RecordCase kRecords[] = {{"first", 180, 350, 20, 1},
                               {"defaults", 240, 450, 40, 88},
                               {"last", 300, 650, 60, 245},
                               {"middle", 200, 600, 50, 184}};

struct LayoutCase {
    const char* name;
    int distance, nearest, extreme;
    QList<int> expected; // near, far, bar width, near label, far label
};
const LayoutCase kLayouts[] = {{"at the distance", 40, 40, 40, {391, 496, 107, 382, 487}},
                               {"around", 40, 35, 45, {341, 546, 207, 332, 537}},
                               {"19 short", 40, 21, 48, {201, 576, 377, 192, 567}},
                               {"20 short: 191", 40, 20, 48, {191, 576, 387, 182, 567}},
                               {"held at 191", 60, 0, 70, {191, 596, 407, 182, 587}}};

} // namespace

class CalculatorsTest : public QObject {
    Q_OBJECT

private:
    fixtures::SpecsFolder specs_;

private slots:
    void specsWeights_data() { addRows(kWeights); }
    void specsWeights()
    {
        QFETCH(int, row);
        const WeightCase& c = kWeights[row];
        fixtures::SpecRecord record{"1912", "52", c.gpi};
        record.nock = c.nock;
        specs_.write({record});
        RecordingSink sink;
        const auto main = fixtures::clicked("191252", c.page, c.models, c.length, "215", c.bow);
        calculators::SpecsModel specs(specs_.folder(), selection::shaftSelection(main), sink);
        QVERIFY(specs.found());
        const auto& form = specs.form();
        QCOMPARE(form["GrainsPerPoundLbl"].text, c.perPound);
        const bool below = c.perPound.find(kBelow) != std::string::npos;
        QCOMPARE(specs.perPound().belowMinimum, below);
        QCOMPARE(form["GrainsPerPoundLbl"].font,
                 below ? calculators::kWarningRed : calculators::kCalculatorText);
        QCOMPARE(form["FSpinEdit1"].text, c.lengthShown);
        QCOMPARE(form["FSpinEdit3"].text, c.pointShown);
        QCOMPARE(form["Label21"].text, c.shaft);
        QCOMPARE(form["Label9"].text, c.total);
        QCOMPARE(form["GpiText"].text, c.gpi);
        QCOMPARE(tagged(sink), expected(c.message));
    }

    // Nothing of the shaft the seek stopped beside is shown, and no message
    // box says so.
    void specsNotFound_data() { addRows(kNotFound); }
    void specsNotFound()
    {
        QFETCH(int, row);
        specs_.write({{"1912", "52", "9.52"}, {"2013", "52", "9.88"}});
        RecordingSink sink;
        const auto main = fixtures::clicked(kNotFound[row].handOff, "Targ", "52");
        calculators::SpecsModel specs(specs_.folder(), selection::shaftSelection(main), sink);
        QCOMPARE(specs.key(), kNotFound[row].key);
        QVERIFY(!specs.found());
        QVERIFY(sink.messages.empty());
        const auto& form = specs.form();
        QVERIFY(form["NotFoundLbl"].visible);
        QVERIFY(form["NotFoundLbl"].text.find("not in the specification table") !=
                std::string::npos);
        for (const auto& field : calculators::kSpecFields)
            QCOMPARE(form[field.control].text, std::string());
        for (WeightInput input : calculators::kAllWeightInputs) {
            QCOMPARE(form[calculators::controlName(input)].text, std::string());
            QVERIFY(!form[calculators::controlName(input)].enabled);
        }
        QCOMPARE(form["Label21"].text, std::string());
        QCOMPARE(form["Label9"].text, std::string());
    }

    // Each input recomputes both weights from the record already found;
    // a text outside the range waits for the end of editing, then clamps.
    void specsInputChanges()
    {
        specs_.write({{"1912", "52", "9.52"}});
        RecordingSink sink;
        const auto main = fixtures::clicked("191252", "Targ", "52");
        calculators::SpecsModel specs(specs_.folder(), selection::shaftSelection(main), sink);
        const auto text = [&](const char* control) { return specs.form()[control].text; };
        specs.typeInput(WeightInput::Point, "125");
        QCOMPARE(text("Label9"), "451 Gr.");
        specs.stepInput(WeightInput::Length, +1);
        QCOMPARE(text("FSpinEdit1"), "30.25");
        QCOMPARE(text("Label21"), "288 Gr."); // 287.98 + 0.5
        QCOMPARE(text("Label9"), "453 Gr.");  // 453.98
        specs.typeInput(WeightInput::Fletching, "400");
        QCOMPARE(text("Label9"), "453 Gr.");
        specs.finishInput(WeightInput::Fletching);
        QCOMPARE(text("FSpinEdit4"), "100");
        QCOMPARE(text("Label9"), "535 Gr.");
        specs.typeInput(WeightInput::Nock, "x");
        specs.finishInput(WeightInput::Nock);
        QCOMPARE(text("FSpinEdit2"), "10");
        for (int i = 0; i < 200; ++i)
            specs.stepInput(WeightInput::Length, -1);
        QCOMPARE(text("FSpinEdit1"), "15.0");
        QVERIFY(sink.messages.empty());
        specs.close();
        QVERIFY(!specs.isTableOpen());
    }

    // On the shipped tables, the window's shaft weight for a clicked row is
    // the bare shaft weight that the grid shows for it.
    void specsAgreeWithGrid()
    {
        RecordingSink sink;
        selection::SelectionModel main(kTablesDir, sink);
        main.findRec();
        int checked = 0;
        for (selection::Page page : selection::kAllPages) {
            main.changePage(page);
            for (int row = 1; row <= 4; ++row) {
                const auto cell = selection::cellName(page, selection::CellKind::Weight, row);
                const std::string weight = main.form()[cell].text;
                if (!main.sizeCellClick(page, row) || weight.find(',') != std::string::npos)
                    continue;
                calculators::SpecsModel specs(kTablesDir, selection::shaftSelection(main.form()),
                                              sink);
                QVERIFY(specs.found());
                QCOMPARE(specs.form()["Label21"].text, weight + " Gr.");
                ++checked;
            }
        }
        QVERIFY(checked >= 8);
        QVERIFY(sink.messages.empty());
    }

    void kineticEnergy_data() { addRows(kEnergies); }
    void kineticEnergy()
    {
        QFETCH(int, row);
        const EnergyCase& c = kEnergies[row];
        RecordingSink sink;
        calculators::KineticEnergyModel model(sink);
        model.changeText("GrainWt", c.weight);
        model.changeText("Velocity", c.velocity);
        model.calculateEnergy();
        QCOMPARE(tagged(sink), expected(c.message));
        const EnergyCase& shown = c.message.empty() ? c : kEnergies[0];
        QCOMPARE(model.form()["Label6"].text, shown.energy);
        QCOMPARE(model.barPosition(), shown.bar);
        QCOMPARE(model.pictureSet(), shown.pictures);
        QCOMPARE(model.form()["MomentumLbl"].text, shown.momentum);
        QCOMPARE(model.animating(), c.message.empty());
        QCOMPARE(model.focus(), std::string("GrainWt"));
    }

    void frontOfCentre_data() { addRows(kFocs); }
    void frontOfCentre()
    {
        QFETCH(int, row);
        const FocCase& c = kFocs[row];
        RecordingSink sink;
        calculators::KineticEnergyModel model(sink);
        model.changeText("FSpinLenEdit", c.length);
        model.changeText("FSpinBalEdit", c.balance);
        model.calculateFoc();
        QCOMPARE(model.form()["Label9"].text, c.shown);
        QCOMPARE(tagged(sink), expected(c.message));
    }

    void focSteps()
    {
        RecordingSink sink;
        calculators::KineticEnergyModel model(sink);
        QCOMPARE(model.form()["FSpinLenEdit"].text, std::string("30.0"));
        QCOMPARE(model.form()["FSpinBalEdit"].text, std::string("15.0"));
        model.stepDecimal("FSpinLenEdit", +1);
        model.stepDecimal("FSpinBalEdit", -1);
        QCOMPARE(model.form()["FSpinLenEdit"].text, std::string("30.1"));
        QCOMPARE(model.form()["FSpinBalEdit"].text, std::string("14.75"));
    }

    void trajectoryRecords_data() { addRows(kRecords); }
    void trajectoryRecords()
    {
        QFETCH(int, row);
        const RecordCase& c = kRecords[row];
        RecordingSink sink;
        calculators::TrajectoryModel model(kTablesDir, sink);
        model.setSetting({c.velocity, c.weight, c.distance});
        QVERIFY(model.show());
        QCOMPARE(model.record(), std::uint32_t(c.record));
        storage::Table table(kTablesDir);
        table.open("Newtraj.dbf", storage::OpenMode::ReadOnly);
        table.go(std::uint32_t(c.record));
        QCOMPARE(table.getInteger("RATING"), long(c.velocity));
        QCOMPARE(table.getInteger("ARROWWT"), long(c.weight));
        QCOMPARE(table.getInteger("DIST"), long(c.distance));
        const long low = table.getInteger("LOW"), high = table.getInteger("HIGH");
        const auto& form = model.form();
        QCOMPARE(form["HighLabel"].text, std::to_string(low));
        QCOMPARE(form["LowLabel"].text, std::to_string(high));
        QCOMPARE(form["Label8"].text, std::to_string(high - low));
        QCOMPARE(form["Label17"].text, std::to_string(c.distance));
        // The figures handed on (the calculator tool) are the ones shown.
        const calculators::TrajectoryFigures& figures = model.figures();
        QCOMPARE(QStringList({QString::fromStdString(figures.velocity),
                              QString::fromStdString(figures.nearest),
                              QString::fromStdString(figures.extreme),
                              QString::fromStdString(figures.depth)}),
                 QStringList({QString::fromStdString(form["Label10"].text), QString::number(low),
                              QString::number(high), QString::number(high - low)}));
        QVERIFY(sink.messages.empty());
    }

    void trajectoryLayout_data() { addRows(kLayouts); }
    void trajectoryLayout()
    {
        QFETCH(int, row);
        const LayoutCase& c = kLayouts[row];
        const auto layout = calculators::trajectoryLayout(c.distance, c.nearest, c.extreme);
        QCOMPARE((QList<int>{layout.nearX, layout.farX, layout.barWidth, layout.nearLabelX,
                             layout.farLabelX}),
                 c.expected);
        QCOMPARE(layout.barLeft, layout.nearX);
    }

    void trajectoryUnreachable()
    {
        RecordingSink sink;
        calculators::TrajectoryModel model(kTablesDir, sink);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.setSetting({250, 450, 40}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.setSetting({240, 700, 40}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.setSetting({240, 450, 10}));
        QCOMPARE(model.record(), std::uint32_t(88));
    }
};

QTEST_GUILESS_MAIN(CalculatorsTest)
#include "tst_calculators.moc"
