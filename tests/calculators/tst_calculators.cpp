// The calculators' models without windows: the specifications window's
// lookup and weights (on the shipped tables and on small tables of their
// own), kinetic energy and FOC, and the trajectory reference.

#include <selection/RecordingSink.h>
#include <calculators/KineticEnergyModel.h>
#include <calculators/SpecsModel.h>
#include <calculators/TrajectoryModel.h>

#include "SpecsFixture.h"
#include <selection/MainFormDesign.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <string>
#include <vector>

using namespace qw;
using calculators::WeightInput;

namespace {

using selection::RecordingSink;

// Each message as "i:" (information) or "e:" (error) followed by its text.
std::vector<std::string> tagged(const RecordingSink& sink)
{
    std::vector<std::string> all;
    for (const auto& message : sink.messages)
        all.push_back((message.error ? "e:" : "i:") + message.text);
    return all;
}

const std::filesystem::path kProgramDir = QW_PROGRAM_DIR;

} // namespace

class CalculatorsTest : public QObject {
    Q_OBJECT

private:
    fixtures::SpecsFolder specsFolder_;
    std::filesystem::path folder() const { return specsFolder_.folder(); }
    void writeSpecs(const std::vector<fixtures::SpecRecord>& records)
    {
        specsFolder_.write(records);
    }
    using SpecRecord = fixtures::SpecRecord;
    static selection::FormState clicked(const std::string& key, const std::string& page,
                                        const std::string& models, const std::string& length = "30",
                                        const std::string& point = "100")
    {
        return fixtures::clicked(key, page, models, length, point);
    }

private slots:
    void specsWeights_data()
    {
        QTest::addColumn<QString>("gpi");
        QTest::addColumn<QString>("models");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("shaftWeight");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("pointShown");
        QTest::addColumn<QString>("message");
        // 285.6 + 0.5 rounds up; 426.6 is cut.
        QTest::newRow("426/286") << "9.52"
                                 << "52"
                                 << "Targ"
                                 << "30"
                                 << "286 Gr."
                                 << "426 Gr."
                                 << "100"
                                 << "";
        // Sums that are whole in decimal are not cut a grain low: 339 + 141
        // is 480, though 37.5 x 9.04 is 338.99999999999994 in binary.
        QTest::newRow("exact decimal") << "9.04"
                                       << "52"
                                       << "Targ"
                                       << "37.5"
                                       << "339 Gr."
                                       << "480 Gr."
                                       << "100"
                                       << "";
        QTest::newRow("273 + 141") << "9.1"
                                   << "52"
                                   << "Targ"
                                   << "30"
                                   << "273 Gr."
                                   << "414 Gr."
                                   << "100"
                                   << "";
        QTest::newRow("second GPI for ,52") << "7.20 7.63"
                                            << "QK,52"
                                            << "Targ"
                                            << "30"
                                            << "229 Gr."
                                            << "369 Gr."
                                            << "100"
                                            << "";
        QTest::newRow("whole GPI for 52") << "7.20 7.63"
                                          << "52"
                                          << "Targ"
                                          << "30"
                                          << ""
                                          << ""
                                          << "100"
                                          << "e:'7.20 7.63' is not a valid floating point value";
        QTest::newRow("anything else in 3-5")
            << "7.20 7.63"
            << "QK.52"
            << "Targ"
            << "30"
            << ""
            << ""
            << "100"
            << "e:'7.20 7.63' is not a valid floating point value";
        QTest::newRow("blank second GPI") << "7.20"
                                          << "QK,52"
                                          << "Targ"
                                          << "30"
                                          << ""
                                          << ""
                                          << "100"
                                          << "e:'' is not a valid floating point value";
        // Hunting: the main window's point weight; Youth: the youth length.
        QTest::newRow("hunting point") << "9.52"
                                       << "52"
                                       << "Hunt"
                                       << "30"
                                       << "286 Gr."
                                       << "541 Gr."
                                       << "215"
                                       << "";
        QTest::newRow("youth length") << "9.52"
                                      << "52"
                                      << "Youth"
                                      << "30"
                                      << "238 Gr."
                                      << "379 Gr."
                                      << "100"
                                      << "";
        QTest::newRow("length in range") << "9.52"
                                         << "52"
                                         << "Kavl"
                                         << "12"
                                         << "143 Gr."
                                         << "283 Gr."
                                         << "100"
                                         << "";
    }
    void specsWeights()
    {
        QFETCH(QString, gpi);
        QFETCH(QString, models);
        writeSpecs({{"1912", "52", gpi.toStdString()}});
        RecordingSink sink;
        QFETCH(QString, page);
        QFETCH(QString, length);
        const auto main = clicked("191252", page.toStdString(), models.toStdString(),
                                  length.toStdString(), "215");
        calculators::SpecsModel specs(folder(), main, sink);
        QFETCH(QString, shaftWeight);
        QFETCH(QString, total);
        QFETCH(QString, pointShown);
        QFETCH(QString, message);
        QVERIFY(specs.found());
        QCOMPARE(specs.form()["Label21"].text, shaftWeight.toStdString());
        QCOMPARE(specs.form()["Label9"].text, total.toStdString());
        QCOMPARE(specs.form()["FSpinEdit3"].text, pointShown.toStdString());
        QCOMPARE(specs.form()["GpiText"].text, gpi.toStdString());
        QCOMPARE(tagged(sink), message.isEmpty()
                                    ? std::vector<std::string>{}
                                    : std::vector<std::string>{message.toStdString()});
    }

    // A key the table does not hold exactly shows nothing of the shaft the
    // seek stopped beside, and says so without a message box.
    void specsNotFound_data()
    {
        QTest::addColumn<QString>("handOff");
        QTest::addColumn<QString>("key");
        QTest::newRow("prefix of a longer key") << "19125"
                                                << "19125";
        QTest::newRow("absent") << "999952"
                                << "999952";
        QTest::newRow("empty, as at start-up") << ""
                                               << "";
        QTest::newRow("note cut with the suffix") << "1912 alt52"
                                                  << "1912";
    }
    void specsNotFound()
    {
        writeSpecs({{"1912", "52", "9.52"}, {"2013", "52", "9.88"}});
        QFETCH(QString, handOff);
        QFETCH(QString, key);
        RecordingSink sink;
        const auto main = clicked(handOff.toStdString(), "Targ", "52");
        calculators::SpecsModel specs(folder(), main, sink);
        QCOMPARE(specs.key(), key.toStdString());
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

    void specsKeyCut_data()
    {
        QTest::addColumn<QString>("handOff");
        QTest::addColumn<QString>("key");
        QTest::newRow("no blank") << "211752"
                                  << "211752";
        QTest::newRow("note and suffix") << "1719 alt52"
                                         << "1719";
        QTest::newRow("more than 14 after the blank") << "12 abcdefghijklmnXY"
                                                      << "12XY";
    }
    void specsKeyCut()
    {
        QFETCH(QString, handOff);
        QFETCH(QString, key);
        QCOMPARE(calculators::SpecsModel::cutKey(handOff.toStdString()), key.toStdString());
    }

    // Each input recomputes both weights from the record already found;
    // a text outside the range waits for the end of editing, then clamps.
    void specsInputChanges()
    {
        writeSpecs({{"1912", "52", "9.52"}});
        RecordingSink sink;
        const auto main = clicked("191252", "Targ", "52");
        calculators::SpecsModel specs(folder(), main, sink);
        const auto& form = specs.form();
        QCOMPARE(form["FSpinEdit1"].text, std::string("30.0"));
        specs.typeInput(WeightInput::Point, "125");
        QCOMPARE(form["Label9"].text, std::string("451 Gr."));
        specs.stepInput(WeightInput::Length, +1);
        QCOMPARE(form["FSpinEdit1"].text, std::string("30.25"));
        QCOMPARE(form["Label21"].text, std::string("288 Gr.")); // 287.98 + 0.5
        QCOMPARE(form["Label9"].text, std::string("453 Gr."));  // 453.98
        specs.typeInput(WeightInput::Fletching, "400");
        QCOMPARE(form["Label9"].text, std::string("453 Gr."));
        specs.finishInput(WeightInput::Fletching);
        QCOMPARE(form["FSpinEdit4"].text, std::string("100"));
        QCOMPARE(form["Label9"].text, std::string("535 Gr."));
        specs.typeInput(WeightInput::Nock, "x");
        specs.finishInput(WeightInput::Nock);
        QCOMPARE(form["FSpinEdit2"].text, std::string("10"));
        for (int i = 0; i < 200; ++i)
            specs.stepInput(WeightInput::Length, -1);
        QCOMPARE(form["FSpinEdit1"].text, std::string("15.0"));
        QVERIFY(sink.messages.empty());
        specs.close();
        QVERIFY(!specs.isTableOpen());
    }

    void specsBadDefault()
    {
        SpecRecord record{"1912", "52", "9.52"};
        record.nock = "ten";
        writeSpecs({record});
        RecordingSink sink;
        calculators::SpecsModel specs(folder(), clicked("191252", "Targ", "52"), sink);
        QCOMPARE(tagged(sink),
                 std::vector<std::string>{"e:'ten' is not a valid floating point value"});
        QCOMPARE(specs.form()["Label9"].text, std::string());
        QCOMPARE(specs.form()["ArrowTypeText"].text, std::string("Aluminum"));
    }

    // On the shipped tables, the window's shaft weight for a clicked row is
    // the bare shaft weight that the grid shows for it.
    void specsAgreeWithGrid()
    {
        RecordingSink sink;
        selection::SelectionModel main(kProgramDir, sink);
        main.findRec();
        int checked = 0;
        for (selection::Page page : selection::kAllPages) {
            main.changePage(page);
            for (int row = 1; row <= 4; ++row) {
                const auto cell = selection::cellName(page, selection::CellKind::Weight, row);
                const std::string weight = main.form()[cell].text;
                if (!main.sizeCellClick(page, row) || weight.find(',') != std::string::npos)
                    continue;
                calculators::SpecsModel specs(kProgramDir, main.form(), sink);
                QVERIFY(specs.found());
                QCOMPARE(specs.form()["Label21"].text, weight + " Gr.");
                ++checked;
            }
        }
        QVERIFY(checked >= 8);
        QVERIFY(sink.messages.empty());
    }

    void kineticEnergy_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("velocity");
        QTest::addColumn<QString>("energy");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QString>("momentum");
        QTest::newRow("defaults") << "400"
                                  << "200"
                                  << "35.54" << 35 << "MediumImg"
                                  << "0.36";
        QTest::newRow("24.99") << "315"
                               << "189"
                               << "24.99" << 24 << "SmallImg"
                               << "0.26";
        QTest::newRow("25.00") << "385"
                               << "171"
                               << "25.00" << 25 << "MediumImg"
                               << "0.29";
        QTest::newRow("40.99") << "305"
                               << "246"
                               << "40.99" << 40 << "MediumImg"
                               << "0.33";
        QTest::newRow("64.99") << "443"
                               << "257"
                               << "64.99" << 64 << "BigImg"
                               << "0.51";
        QTest::newRow("65.00") << "323"
                               << "301"
                               << "65.00" << 65 << "ToughImg"
                               << "0.43";
        QTest::newRow("100.00") << "484"
                                << "305"
                                << "100.00" << 100 << "ToughImg"
                                << "0.66";
        QTest::newRow("bar clamp") << "412"
                                   << "333"
                                   << "101.47" << 100 << "ToughImg"
                                   << "0.61";
        QTest::newRow("200.99") << "380"
                                << "488"
                                << "200.99" << 100 << "ToughImg"
                                << "0.82";
        QTest::newRow("201.00") << "424"
                                << "462"
                                << "201.00" << 100 << "Tanks"
                                << "0.87";
    }
    void kineticEnergy()
    {
        QFETCH(QString, weight);
        QFETCH(QString, velocity);
        const auto result =
            calculators::kineticEnergy(weight.toStdString(), velocity.toStdString());
        QTEST(QString::fromStdString(result.energy), "energy");
        QTEST(result.bar, "bar");
        QTEST(QString::fromStdString(result.pictures), "pictures");
        QTEST(QString::fromStdString(result.momentum), "momentum");
    }

    // Velocity is read first; a message leaves every result as it was.
    void energyMessages_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("velocity");
        QTest::addColumn<QString>("message");
        const QString zero = "i:Zero is invalid, please enter a whole number.";
        QTest::newRow("both zero") << "0"
                                   << "0" << zero;
        QTest::newRow("zero velocity, bad weight") << "abc"
                                                   << "0" << zero;
        QTest::newRow("negative weight") << "-5"
                                         << "200" << zero;
        QTest::newRow("bad velocity") << "0"
                                      << "2x"
                                      << "e:'2x' is not a valid integer value";
        QTest::newRow("empty weight") << ""
                                      << "200"
                                      << "e:'' is not a valid integer value";
    }
    void energyMessages()
    {
        QFETCH(QString, weight);
        QFETCH(QString, velocity);
        QFETCH(QString, message);
        RecordingSink sink;
        calculators::KineticEnergyModel model(sink);
        model.changeText("GrainWt", weight.toStdString());
        model.changeText("Velocity", velocity.toStdString());
        model.calculateEnergy();
        QCOMPARE(tagged(sink), std::vector<std::string>{message.toStdString()});
        QCOMPARE(model.form()["Label6"].text, std::string("35.54"));
        QCOMPARE(model.barPosition(), 35);
        QVERIFY(!model.animating());
        QCOMPARE(model.focus(), std::string("GrainWt"));
    }

    void frontOfCentre_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("12.4999990") << "25.6"
                                    << "16.0"
                                    << "12.4%"
                                    << "";
        QTest::newRow("defaults") << "30.0"
                                  << "15.0"
                                  << "0%"
                                  << "";
        QTest::newRow("3.3") << "30"
                             << "16"
                             << "3.3%"
                             << "";
        QTest::newRow("negative") << "30"
                                  << "14"
                                  << "-3.3%"
                                  << "";
        QTest::newRow("zero length") << "0"
                                     << "15"
                                     << ""
                                     << "e:Floating point division by zero";
        QTest::newRow("both zero") << "0"
                                   << "0"
                                   << ""
                                   << "e:Invalid floating point operation";
        QTest::newRow("not a number") << "30"
                                      << "1 5"
                                      << ""
                                      << "e:'1 5' is not a valid floating point value";
    }
    void frontOfCentre()
    {
        QFETCH(QString, length);
        QFETCH(QString, balance);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        RecordingSink sink;
        calculators::KineticEnergyModel model(sink);
        model.changeText("FSpinLenEdit", length.toStdString());
        model.changeText("FSpinBalEdit", balance.toStdString());
        model.calculateFoc();
        QCOMPARE(model.form()["Label9"].text, shown.toStdString());
        QCOMPARE(tagged(sink), message.isEmpty()
                                    ? std::vector<std::string>{}
                                    : std::vector<std::string>{message.toStdString()});
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

    // The record of a setting holds that very combination.
    void trajectoryRecords_data()
    {
        QTest::addColumn<int>("velocity");
        QTest::addColumn<int>("weight");
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("record");
        QTest::newRow("first") << 180 << 350 << 20 << 1;
        QTest::newRow("defaults") << 240 << 450 << 40 << 88;
        QTest::newRow("last") << 300 << 650 << 60 << 245;
        QTest::newRow("middle") << 200 << 600 << 50 << 184;
    }
    void trajectoryRecords()
    {
        QFETCH(int, velocity);
        QFETCH(int, weight);
        QFETCH(int, distance);
        QFETCH(int, record);
        RecordingSink sink;
        calculators::TrajectoryModel model(kProgramDir, sink);
        model.setSetting({velocity, weight, distance});
        QVERIFY(model.show());
        QCOMPARE(model.record(), std::uint32_t(record));
        storage::Table table(kProgramDir);
        table.open("Newtraj.dbf", storage::OpenMode::ReadOnly);
        table.go(std::uint32_t(record));
        QCOMPARE(table.getInteger("RATING"), long(velocity));
        QCOMPARE(table.getInteger("ARROWWT"), long(weight));
        QCOMPARE(table.getInteger("DIST"), long(distance));
        const auto& form = model.form();
        QCOMPARE(form["HighLabel"].text, std::to_string(table.getInteger("LOW")));
        QCOMPARE(form["LowLabel"].text, std::to_string(table.getInteger("HIGH")));
        QCOMPARE(form["Label8"].text,
                 std::to_string(table.getInteger("HIGH") - table.getInteger("LOW")));
        QCOMPARE(form["Label17"].text, std::to_string(distance));
        QVERIFY(sink.messages.empty());
    }

    void trajectoryLayout_data()
    {
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("nearest");
        QTest::addColumn<int>("extreme");
        QTest::addColumn<QList<int>>("expected"); // near, far, bar width, labels
        QTest::newRow("at the distance") << 40 << 40 << 40 << QList<int>{391, 496, 107, 382, 487};
        QTest::newRow("around") << 40 << 35 << 45 << QList<int>{341, 546, 207, 332, 537};
        QTest::newRow("19 short") << 40 << 21 << 48 << QList<int>{201, 576, 377, 192, 567};
        QTest::newRow("20 short: 191") << 40 << 20 << 48 << QList<int>{191, 576, 387, 182, 567};
        QTest::newRow("held at 191") << 60 << 0 << 70 << QList<int>{191, 596, 407, 182, 587};
    }
    void trajectoryLayout()
    {
        QFETCH(int, distance);
        QFETCH(int, nearest);
        QFETCH(int, extreme);
        QFETCH(QList<int>, expected);
        const auto layout = calculators::trajectoryLayout(distance, nearest, extreme);
        QCOMPARE((QList<int>{layout.nearX, layout.farX, layout.barWidth, layout.nearLabelX,
                             layout.farLabelX}),
                 expected);
        QCOMPARE(layout.barLeft, layout.nearX);
    }

    void trajectoryUnreachable()
    {
        RecordingSink sink;
        calculators::TrajectoryModel model(kProgramDir, sink);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.setSetting({250, 450, 40}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.setSetting({240, 700, 40}));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.setSetting({240, 450, 10}));
        QCOMPARE(model.record(), std::uint32_t(88));
    }
};

QTEST_GUILESS_MAIN(CalculatorsTest)
#include "tst_calculators.moc"
