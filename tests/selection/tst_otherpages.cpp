// The Target, Youth and Kavel pages of FindRec on small charts written for
// each case, and on every page the setups at and past the chart's limits.

#include "SelectionFixtures.h"

#include <selection/PageRowRules.h>
#include <selection/Pages.h>
#include <selection/Recommendation.h>
#include <selection/RunExplanation.h>
#include <selection/SelectionModel.h>

#include <map>

using namespace qw;
using namespace qw::selection;
using fixtures::Catalogue;
using fixtures::RecordingSink;
using fixtures::shaftName;

namespace {

using Inputs = std::map<std::string, std::string>; // entry texts and radio indices

const std::map<std::string, std::string> kDefaults = {
    {"BowWeightSpin", "60"},  {"ArrowLengthSpin", "30"},   {"PointWtSpin", "100"},
    {"YouthBowWtSpin", "30"}, {"YouthArrowLenSpin", "25"},
};

// Sets the inputs without runs, shows the page and runs once.
void runPage(SelectionModel& model, Page page, const Inputs& inputs)
{
    for (const auto& [name, value] : inputs) {
        if (kDefaults.count(name))
            model.setTextQuietly(name, value);
        else
            model.setItemIndexQuietly(name, std::stoi(value));
    }
    model.setActivePage(page);
    model.findRec();
}

std::string caption(const SelectionModel& model, Page page, CellKind kind, int row)
{
    return model.form()[cellName(page, kind, row)].text;
}

const ControlState& cell(const SelectionModel& model, Page page, CellKind kind, int row)
{
    return model.form()[cellName(page, kind, row)];
}

void verifyEmptyRow(const SelectionModel& model, Page page, int row, bool sizeEnabled)
{
    for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight}) {
        QVERIFY(!cell(model, page, kind, row).showCaption);
        QCOMPARE(cell(model, page, kind, row).text, std::string());
    }
    QCOMPARE(cell(model, page, CellKind::Size, row).enabled, sizeEnabled);
}

// Rows first..last show columns from firstColumn on of the given record.
void verifyColumns(const SelectionModel& model, Page page, int record, int firstRow, int lastRow,
                   int firstColumn)
{
    for (int row = firstRow; row <= lastRow; ++row)
        QCOMPARE(caption(model, page, CellKind::Size, row),
                 shaftName(record, firstColumn + row - firstRow));
}

} // namespace

class TestOtherPages : public fixtures::EngineTest {
    Q_OBJECT

private slots:
    void init() { resetEngine(); }
    void targetChartPosition_data();
    void targetChartPosition();
    void targetLists();
    void targetShortArrowFlag();
    void targetStarCuts();
    void targetTwoModelWeights();
    void targetRecurveControls();
    void youthPage();
    void youthBands();
    void youthErrors();
    void kavlChartPosition_data();
    void kavlChartPosition();
    void kavlRowsAndClick();
    void kavlWithoutEntryGate();
    void outsideEveryBandRecommendsNothing_data();
    void outsideEveryBandRecommendsNothing();
    void offChartSetupShowsTheResetSetupOrNoShafts_data();
    void offChartSetupShowsTheResetSetupOrNoShafts();
    void extremeEntries_data();
    void extremeEntries();
};

void TestOtherPages::targetChartPosition_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("record");
    QTest::newRow("defaults") << Inputs{} << 60 << 8 << 15;
    QTest::newRow("soft cam 40 at 23")
        << Inputs{{"WheelType", "2"}, {"BowWeightSpin", "40"}, {"ArrowLengthSpin", "23"}} << 40 << 2
        << 2;
    QTest::newRow("soft cam 53 at 24")
        << Inputs{{"WheelType", "2"}, {"BowWeightSpin", "53"}, {"ArrowLengthSpin", "24"}} << 53 << 5
        << 6;
    QTest::newRow("medium cam") << Inputs{{"WheelType", "1"}} << 60 << 7 << 14;
    QTest::newRow("brace, point 105, fingers")
        << Inputs{{"BraceHt", "1"}, {"PointWtSpin", "105"}, {"ReleaseType", "1"}, {"OverDraw", "3"}}
        << 73 << 11 << 18;
    QTest::newRow("point 155 adds 9")
        << Inputs{{"PointWtSpin", "155"}, {"BowWeightSpin", "40"}} << 49 << 6 << 13;
    QTest::newRow("overdraw 2 at 50")
        << Inputs{{"BowWeightSpin", "50"}, {"OverDraw", "2"}} << 53 << 7 << 14;
    QTest::newRow("recurve ignores the rest") << Inputs{{"TargBowType", "1"},
                                                        {"BraceHt", "1"},
                                                        {"PointWtSpin", "160"},
                                                        {"ReleaseType", "1"},
                                                        {"BowWeightSpin", "23"}}
                                              << 23 << 1 << 8;
}

// The engine alone, on the setup as a value.
void TestOtherPages::targetChartPosition()
{
    QFETCH(Inputs, inputs);
    SetupInputs setup = start().setup();
    for (const auto& [name, value] : inputs)
        for (SetupEntry entry : kAllSetupEntries)
            if (controlName(entry) == name)
                setup.text(entry) = value;
    for (const auto& [name, value] : inputs)
        for (SetupGroup group : kAllSetupGroups)
            if (controlName(group) == name)
                setup.item(group) = std::stoi(value);
    ChartTables tables(catalogue_->folder());
    const Recommendation result = recommend(setup, Page::Targ, tables);
    QVERIFY(!result.summary.failed);
    QFETCH(int, weight);
    QFETCH(int, record);
    QCOMPARE(*result.summary.chartWeight, weight);
    QTEST(*result.summary.band, "band");
    QCOMPARE(*result.summary.record, record);
    QVERIFY(result.summary.valid);
    QCOMPARE(result.rows.size(), std::size_t(13));
    QCOMPARE(result.compoundBow, !inputs.count("TargBowType"));
}

void TestOtherPages::targetLists()
{
    SelectionModel& model = start();
    runPage(model, Page::Targ, {});
    QCOMPARE(caption(model, Page::Targ, CellKind::Size, 1), shaftName(15, 1));
    verifyColumns(model, Page::Targ, 15, 2, 12, 3); // column 2 left out
    verifyEmptyRow(model, Page::Targ, 13, false);
    for (int row = 1; row <= 12; ++row)
        QCOMPARE(model.form()[targetSpineLabelName(row)].text, std::string("S"));
    QCOMPARE(caption(model, Page::Targ, CellKind::Model, 2), std::string("M15"));
    QCOMPARE(caption(model, Page::Targ, CellKind::Weight, 2), std::string("276"));
    QVERIFY(!model.form()["HuntCamType"].visible);
    QVERIFY(!model.form()["BowType"].visible);
    QVERIFY(model.form()["TargBowType"].visible);
    QVERIFY(model.form()["WheelType"].visible);
    QCOMPARE(model.form()["TPrintBtn"].font, kTargOrange);
    // 31 inches: record 16 lists from column 2, leaving rows 12 and 13 empty.
    runPage(model, Page::Targ, {{"ArrowLengthSpin", "31"}});
    QCOMPARE(*model.lastRun().record, 16);
    verifyColumns(model, Page::Targ, 16, 1, 11, 2);
    verifyEmptyRow(model, Page::Targ, 12, false);
    verifyEmptyRow(model, Page::Targ, 13, false);
}

void TestOtherPages::targetShortArrowFlag()
{
    QVERIFY(targetShortArrow(23, 8));
    QVERIFY(!targetShortArrow(24, 8));
    QVERIFY(targetShortArrow(24, 9));
    QVERIFY(targetShortArrow(25, 11));
    QVERIFY(!targetShortArrow(26, 11));
    QVERIFY(targetShortArrow(26, 14));
    QVERIFY(!targetShortArrow(26, 15));

    SelectionModel& model = start();
    // 60 lb hard cam is band 8: 25 inches give record 10 and a short arrow.
    runPage(model, Page::Targ, {{"ArrowLengthSpin", "25"}});
    QCOMPARE(*model.lastRun().record, 10);
    verifyColumns(model, Page::Targ, 10, 1, 11, 4);
    verifyEmptyRow(model, Page::Targ, 12, false);
    // 55 lb is band 7: 26 inches give record 10 without the flag.
    runPage(model, Page::Targ, {{"ArrowLengthSpin", "26"}, {"BowWeightSpin", "55"}});
    QCOMPARE(*model.lastRun().record, 10);
    verifyColumns(model, Page::Targ, 10, 1, 13, 1);
}

void TestOtherPages::targetStarCuts()
{
    for (int record : {10, 15}) {
        catalogue_->setColumn(fixtures::kTarg, record, 1, {"2212*2312", "S"});
        catalogue_->setColumn(fixtures::kTarg, record, 4, {"2213 * 2313", "S"});
    }
    catalogue_->setColumn(fixtures::kTarg, 15, 5, {"2214*2314", "S"});
    for (const char* key : {"2212S", "2312S", "2213S", "2313S"})
        catalogue_->addSpec({key, "0.400", "STAR", "9.20"});
    SelectionModel& model = start();
    auto size = [&](int row) { return caption(model, Page::Targ, CellKind::Size, row); };

    runPage(model, Page::Targ, {}); // case A: compound cut on entry 1 only
    QCOMPARE(size(1), std::string("2212"));
    QCOMPARE(size(3), std::string("2213 * 2313"));
    runPage(model, Page::Targ, {{"TargBowType", "1"}}); // case F, record 15
    QCOMPARE(*model.lastRun().record, 15);
    QCOMPARE(size(1), std::string("2312"));
    QCOMPARE(size(4), std::string("2313"));
    QCOMPARE(size(5), std::string("2214*2314")); // column 5: a star means nothing
    QCOMPARE(caption(model, Page::Targ, CellKind::Model, 4), std::string("STAR"));
    runPage(model, Page::Targ, {{"ArrowLengthSpin", "25"}}); // case E, record 10
    QCOMPARE(size(1), std::string("2313"));
    runPage(model, Page::Targ, {{"TargBowType", "0"}}); // case C, record 10
    QCOMPARE(size(1), std::string("2213"));
    runPage(model, Page::Targ, {{"ArrowLengthSpin", "24"}}); // record 9 at 24 inches: short, case C
    QCOMPARE(size(1), shaftName(9, 4));
    runPage(model, Page::Targ, {{"ArrowLengthSpin", "27"}, {"BowWeightSpin", "46"}}); // D, 10
    QCOMPARE(*model.lastRun().record, 10);
    QCOMPARE(size(1), std::string("2212"));
    QCOMPARE(size(4), std::string("2213"));
    QVERIFY(model.sizeCellClick(Page::Targ, 4));
    QCOMPARE(model.form()["TmpLbl"].text, std::string("2213S"));
    QCOMPARE(model.form()["Mods"].text, std::string("STAR"));
}

void TestOtherPages::targetTwoModelWeights()
{
    catalogue_->setColumn(fixtures::kTarg, 15, 8, {"2114", "Z"}); // case A: row 7
    catalogue_->addSpec({"2114Z", "0.600", "Z4,52", "8.91 9.46"});
    SelectionModel& model = start();
    runPage(model, Page::Targ, {});
    QVERIFY(sink_.messages.empty());
    QCOMPARE(caption(model, Page::Targ, CellKind::Weight, 7), std::string("267,284"));
    // Case D puts column 8 in row 8 and column 4's "Z4,52" in row 4, where
    // only one weight is shown: the run stops there.
    Catalogue second;
    second.setColumn(fixtures::kTarg, 14, 4, {"2114", "Z"});
    second.addSpec({"2114Z", "0.600", "Z4,52", "8.91 9.46"});
    second.write();
    RecordingSink secondSink;
    SelectionModel failing(second.folder(), secondSink);
    runPage(failing, Page::Targ, {{"WheelType", "1"}});
    QCOMPARE(secondSink.messages.size(), std::size_t(1));
    QCOMPARE(secondSink.messages[0].text,
             std::string("'8.91 9.46' is not a valid floating point value"));
    QCOMPARE(caption(failing, Page::Targ, CellKind::Model, 4), std::string("Z4,52"));
}

void TestOtherPages::targetRecurveControls()
{
    SelectionModel& model = start();
    runPage(model, Page::Targ, {{"TargBowType", "1"}});
    for (const char* name : {"BraceHt", "WheelType", "ReleaseType", "OverDraw", "UpDown4"})
        QVERIFY(!model.form()[name].enabled);
    QCOMPARE(model.form()["PointWtSpin"].font, rgb(128, 128, 128));
    runPage(model, Page::Targ, {{"TargBowType", "0"}});
    for (const char* name : {"BraceHt", "WheelType", "ReleaseType", "OverDraw", "UpDown4"})
        QVERIFY(model.form()[name].enabled);
    QCOMPARE(model.form()["PointWtSpin"].font, kBlack);
}

void TestOtherPages::youthPage()
{
    catalogue_->setColumn(fixtures::kYouth, 8, 5, {"", "Y"});
    catalogue_->setColumn(fixtures::kYouth, 8, 2, {"1413", "Y"});
    catalogue_->addSpec({"1413Y", "1.100", "YT", "5.55"});
    SelectionModel& model = start();
    model.findRec();
    model.changePage(Page::Youth);
    QVERIFY(sink_.messages.empty());
    QCOMPARE(model.form()["TmpLbl2"].text, std::string("Youth"));
    QCOMPARE(*model.lastRun().band, 4);
    QCOMPARE(*model.lastRun().record, 8);
    QCOMPARE(caption(model, Page::Youth, CellKind::Size, 1), shaftName(8, 1));
    // 5.55 x 25 + 0.5 = 139.25
    QCOMPARE(caption(model, Page::Youth, CellKind::Weight, 2), std::string("139"));
    QCOMPARE(caption(model, Page::Youth, CellKind::Model, 2), std::string("YT"));
    verifyEmptyRow(model, Page::Youth, 5, false);
    for (const char* hidden :
         {"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2", "WheelType"})
        QVERIFY(!model.form()[hidden].visible);
    for (const char* shown :
         {"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5", "HuntCamType"})
        QVERIFY(model.form()[shown].visible);
    for (const char* disabled :
         {"PointWtSpin", "UpDown4", "ReleaseType", "OverDraw", "BraceHt", "HuntCamType", "BowType"})
        QVERIFY(!model.form()[disabled].enabled);
    QVERIFY(model.form()["BowType"].visible); // the last bow-type group stays, disabled
    QVERIFY(model.sizeCellClick(Page::Youth, 2));
    QCOMPARE(model.form()["TmpLbl"].text, std::string("1413Y"));

    // Back on the Hunting page the adult entries return.
    model.changePage(Page::Hunt);
    QVERIFY(model.form()["BowWeightSpin"].visible);
    QVERIFY(!model.form()["YouthBowWtSpin"].visible);
    QVERIFY(model.form()["PointWtSpin"].enabled);
    QVERIFY(model.form()["ReleaseType"].enabled);
}

void TestOtherPages::youthBands()
{
    SelectionModel& model = start();
    runPage(model, Page::Youth, {{"YouthBowWtSpin", "40"}, {"YouthArrowLenSpin", "21"}});
    QCOMPARE(*model.lastRun().band, 6);
    QCOMPARE(*model.lastRun().record, 6);
    QCOMPARE(caption(model, Page::Youth, CellKind::Size, 1), shaftName(6, 1));
    QVERIFY(sink_.messages.empty());
}

void TestOtherPages::youthErrors()
{
    catalogue_->setColumn(fixtures::kYouth, 8, 3, {"1516", "W"});
    catalogue_->addSpec({"1516W", "0.900", "YT", "5.10 5.40"});
    SelectionModel& model = start();
    // The Youth page does not pass the gate of the adult entries.
    runPage(model, Page::Youth, {{"BowWeightSpin", ""}});
    QCOMPARE(sink_.messages.size(), std::size_t(1));
    QCOMPARE(sink_.messages[0].text,
             std::string("'5.10 5.40' is not a valid floating point value"));
    QCOMPARE(caption(model, Page::Youth, CellKind::Size, 2), shaftName(8, 2));
    runPage(model, Page::Youth, {{"YouthArrowLenSpin", ""}});
    QCOMPARE(sink_.messages.size(), std::size_t(2));
    QCOMPARE(sink_.messages[1].text, std::string("'' is not a valid integer value"));
}

void TestOtherPages::kavlChartPosition_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("record");
    QTest::newRow("defaults") << Inputs{} << 60 << 8 << 15;
    QTest::newRow("point 105 adds 3") << Inputs{{"PointWtSpin", "105"}} << 63 << 9 << 16;
    QTest::newRow("point 101 adds 3") << Inputs{{"PointWtSpin", "101"}} << 63 << 9 << 16;
    QTest::newRow("overdraw never counts") << Inputs{{"OverDraw", "5"}} << 60 << 8 << 15;
    QTest::newRow("fingers and brace")
        << Inputs{{"ReleaseType", "1"}, {"BraceHt", "1"}} << 70 << 10 << 17;
    QTest::newRow("medium cam") << Inputs{{"HuntCamType", "1"}} << 60 << 7 << 14;
    QTest::newRow("recurve: hard column, no adjustment") << Inputs{{"TargBowType", "1"},
                                                                   {"HuntCamType", "1"},
                                                                   {"ReleaseType", "1"},
                                                                   {"PointWtSpin", "150"}}
                                                         << 60 << 8 << 15;
}

void TestOtherPages::kavlChartPosition()
{
    QFETCH(Inputs, inputs);
    SelectionModel& model = start();
    runPage(model, Page::Kavl, inputs);
    QVERIFY(sink_.messages.empty());
    QCOMPARE(model.form()["TmpLbl2"].text, std::string("Kavl"));
    QFETCH(int, weight);
    QFETCH(int, record);
    QCOMPARE(*model.lastRun().chartWeight, weight);
    QTEST(*model.lastRun().band, "band");
    QCOMPARE(*model.lastRun().record, record);
    QCOMPARE(caption(model, Page::Kavl, CellKind::Size, 6), shaftName(record, 6));
    const bool recurve = inputs.count("TargBowType") && inputs.at("TargBowType") == "1";
    for (const char* group : {"HuntCamType", "ReleaseType", "OverDraw", "BraceHt"})
        QCOMPARE(model.form()[group].enabled, !recurve);
    QVERIFY(!model.form()["WheelType"].visible);
    QVERIFY(!model.form()["BowType"].visible);
    QVERIFY(model.form()["TargBowType"].visible);
}

void TestOtherPages::kavlRowsAndClick()
{
    catalogue_->setColumn(fixtures::kKavl, 15, 2, {"300", ""}); // a size without a model code
    catalogue_->setColumn(fixtures::kKavl, 15, 3, {"350", "KX"});
    catalogue_->addSpec({"350KX", "0.350", " KV ", "8.40"});
    SelectionModel& model = start();
    runPage(model, Page::Kavl, {});
    verifyEmptyRow(model, Page::Kavl, 2, false);
    QCOMPARE(caption(model, Page::Kavl, CellKind::Model, 3), std::string("KV"));
    QCOMPARE(caption(model, Page::Kavl, CellKind::Weight, 3), std::string("252"));
    QVERIFY(model.sizeCellClick(Page::Kavl, 3));
    QCOMPARE(model.form()["TmpLbl"].text, std::string("350KX"));
    QCOMPARE(model.form()["SpcLbl"].text, std::string("350"));
    QVERIFY(!model.sizeCellClick(Page::Kavl, 2));
}

void TestOtherPages::kavlWithoutEntryGate()
{
    SelectionModel& model = start();
    runPage(model, Page::Kavl, {});
    // One digit of arrow length: record 8 + 3 - 23, below the chart.
    model.changeText("ArrowLengthSpin", "3");
    QCOMPARE(sink_.messages.size(), std::size_t(1));
    QVERIFY(!sink_.messages[0].error);
    QCOMPARE(*model.lastRun().record, -12);
    verifyEmptyRow(model, Page::Kavl, 1, false);
    model.changeText("ArrowLengthSpin", "30");
    model.changeText("BowWeightSpin", "");
    QCOMPARE(sink_.messages.size(), std::size_t(2));
    QCOMPARE(sink_.messages[1].text, std::string("'' is not a valid integer value"));
    model.changeText("BowWeightSpin", "60");
    model.changeText("PointWtSpin", "");
    QCOMPARE(sink_.messages.back().text, std::string("'' is not a valid integer value"));
}

void TestOtherPages::outsideEveryBandRecommendsNothing_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QString>("status");
    QTest::newRow("hunting compound 110")
        << Page::Hunt << Inputs{{"BowWeightSpin", "105"}, {"ReleaseType", "1"}} << 110
        << "No shaft on the Hunting chart suits a chart weight of 110 lb: for a compound bow "
           "with a hard cam the chart covers 32 to 96 lb";
    // 20 inches would put band 0 off the chart: still no invalid selection.
    QTest::newRow("hunting compound 29, medium cam, 20 in")
        << Page::Hunt
        << Inputs{{"BowWeightSpin", "29"}, {"HuntCamType", "1"}, {"ArrowLengthSpin", "20"}} << 29
        << "No shaft on the Hunting chart suits a chart weight of 29 lb: for a compound bow "
           "with a medium cam the chart covers 37 to 102 lb";
    QTest::newRow("hunting recurve 96")
        << Page::Hunt << Inputs{{"BowType", "1"}, {"BowWeightSpin", "96"}} << 96
        << "No shaft on the Hunting chart suits a chart weight of 96 lb: for a recurve bow the "
           "chart covers 32 to 95 lb";
    QTest::newRow("hunting longbow 122")
        << Page::Hunt << Inputs{{"BowType", "2"}, {"BowWeightSpin", "122"}} << 122
        << "No shaft on the Hunting chart suits a chart weight of 122 lb: for a modern longbow "
           "the chart covers 38 to 121 lb";
    QTest::newRow("target compound 28")
        << Page::Targ << Inputs{{"BowWeightSpin", "28"}} << 28
        << "No shaft on the Target chart suits a chart weight of 28 lb: for a compound bow with "
           "a single or hard cam the chart covers 29 to 76 lb";
    QTest::newRow("target recurve 77")
        << Page::Targ << Inputs{{"TargBowType", "1"}, {"BowWeightSpin", "77"}} << 77
        << "No shaft on the Target chart suits a chart weight of 77 lb: for a recurve bow the "
           "chart covers 17 to 76 lb";
    QTest::newRow("youth 41") << Page::Youth << Inputs{{"YouthBowWtSpin", "41"}} << 41
                              << "No shaft on the Youth chart suits a chart weight of 41 lb: for "
                                 "a youth bow the chart covers 16 to 40 lb";
    QTest::newRow("kavel compound 20")
        << Page::Kavl << Inputs{{"BowWeightSpin", "20"}} << 20
        << "No shaft on the Kavel chart suits a chart weight of 20 lb: for a compound bow with a "
           "hard cam the chart covers 22 to 90 lb";
    QTest::newRow("kavel medium cam 97")
        << Page::Kavl << Inputs{{"HuntCamType", "1"}, {"BowWeightSpin", "97"}} << 97
        << "No shaft on the Kavel chart suits a chart weight of 97 lb: for a compound bow with a "
           "medium cam the chart covers 27 to 96 lb";
    QTest::newRow("kavel recurve 91")
        << Page::Kavl << Inputs{{"TargBowType", "1"}, {"BowWeightSpin", "91"}} << 91
        << "No shaft on the Kavel chart suits a chart weight of 91 lb: for a recurve bow the "
           "chart covers 22 to 90 lb";
}

void TestOtherPages::outsideEveryBandRecommendsNothing()
{
    QFETCH(Page, page);
    QFETCH(Inputs, inputs);
    QFETCH(int, weight);
    SelectionModel& model = start();
    runPage(model, page, {}); // the defaults show shafts first
    QVERIFY(model.lastRun().valid);
    runPage(model, page, inputs);

    QVERIFY(sink_.messages.empty()); // no invalid-selection step
    for (const auto& [name, value] : inputs)
        if (kDefaults.count(name))
            QCOMPARE(model.form()[name].text, value);
    const RunSummary& run = model.lastRun();
    QCOMPARE(*run.chartWeight, weight);
    QCOMPARE(*run.band, 0);
    QVERIFY(!run.record);
    QVERIFY(!run.valid);
    QCOMPARE(run.outcome, ChartOutcome::OutsideEveryBand);
    for (int row = 1; row <= pageInfo(page).rows; ++row) {
        verifyEmptyRow(model, page, row, false);
        for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight})
            if (page == Page::Hunt) // no weight class is marked
                QCOMPARE(cell(model, page, kind, row).fill, kWhite);
    }
    QTEST(QString::fromStdString(explainRun(run, page)), "status");
}

// The invalid-selection step, from the changes a user makes one at a time:
// one message per change, and then the page shows either exactly the
// recommendation of the reset setup or, where the entry already held its
// default or the reset setup is off the chart too, no shafts at all.
void TestOtherPages::offChartSetupShowsTheResetSetupOrNoShafts_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QStringList>("changes"); // "entry=text", in order
    QTest::addColumn<bool>("typed");          // keystrokes, the message shown on the pause
    QTest::addColumn<QString>("bowWeightAfter");
    QTest::addColumn<int>("record");      // the chart position shown; 0: none
    QTest::addColumn<QString>("shading"); // Hunting rows 1 to 4
    QTest::addColumn<QString>("status");
    const QString offAt60 = "No shafts: at a chart weight of 60 lb (band 6) a 40 in arrow is "
                            "chart position 23, off the chart (2 to 20); at this weight the chart "
                            "takes 19 to 37 in";
    QTest::newRow("hunting, length 40 typed")
        << Page::Hunt << QStringList{"ArrowLengthSpin=4", "ArrowLengthSpin=40"} << true << "60" << 0
        << "white,white,white,white" << offAt60;
    QTest::newRow("hunting, bow 60 then length 40")
        << Page::Hunt << QStringList{"BowWeightSpin=65", "BowWeightSpin=60", "ArrowLengthSpin=40"}
        << false << "60" << 0 << "white,white,white,white" << offAt60;
    // 85 lb is hard-cam band 11: 33 inches give position 21, 60 lb gives 16.
    QTest::newRow("hunting, length 33 then bow 85")
        << Page::Hunt << QStringList{"ArrowLengthSpin=33", "BowWeightSpin=85"} << false << "60"
        << 16 << "mid,dark,dark,white"
        << "Chart weight 60 lb, band 6, chart position 16";
    QTest::newRow("hunting, length 40 then bow 85: the reset is off the chart too")
        << Page::Hunt << QStringList{"ArrowLengthSpin=40", "BowWeightSpin=85"} << false << "60" << 0
        << "white,white,white,white" << offAt60 + "; bow weight reset to 60";
    QTest::newRow("youth, 40 then length 27")
        << Page::Youth << QStringList{"YouthBowWtSpin=40", "YouthArrowLenSpin=27"} << false << "30"
        << 10 << ""
        << "Chart weight 30 lb, band 4, chart position 10";
    // Hard cam 75 lb is band 11: 32 inches give position 20, 60 lb gives 17.
    QTest::newRow("target, length 32 then bow 75")
        << Page::Targ << QStringList{"ArrowLengthSpin=32", "BowWeightSpin=75"} << false << "60"
        << 17 << ""
        << "Chart weight 60 lb, band 8, chart position 17";
}

void TestOtherPages::offChartSetupShowsTheResetSetupOrNoShafts()
{
    QFETCH(Page, page);
    QFETCH(QStringList, changes);
    QFETCH(bool, typed);
    QFETCH(int, record);
    SelectionModel& model = start();
    runPage(model, page, {});
    for (const QString& change : changes) {
        const QStringList parts = change.split('=');
        sink_.messages.clear();
        if (typed)
            model.typeText(parts[0].toStdString(), parts[1].toStdString());
        else
            model.changeText(parts[0].toStdString(), parts[1].toStdString());
    }
    model.releaseHeldBack();
    QCOMPARE(sink_.messages.size(), std::size_t(1));
    QCOMPARE(sink_.messages[0].text, std::string("This selection is outside the chart."));
    QCOMPARE(sink_.messages[0].helpContext, 165);
    const std::string bowEntry(pageInfo(page).bowWeightEntry);
    QTEST(QString::fromStdString(model.form()[bowEntry].text), "bowWeightAfter");
    const RunSummary& run = model.lastRun();
    QCOMPARE(run.valid, record != 0);
    QTEST(QString::fromStdString(explainRun(run, page)), "status");
    for (int row = 1; row <= pageInfo(page).rows; ++row)
        if (record == 0)
            verifyEmptyRow(model, page, row, false);
    if (record != 0)
        QCOMPARE(caption(model, page, CellKind::Size, 1), shaftName(record, 1));
    const std::map<Rgb, QString> shades = {{kWhite, "white"},
                                           {rgb(219, 217, 217), "light"},
                                           {rgb(174, 170, 170), "mid"},
                                           {rgb(148, 144, 143), "dark"}};
    QStringList shading;
    for (int row = 1; page == Page::Hunt && row <= 4; ++row)
        shading << shades.at(cell(model, page, CellKind::Size, row).fill);
    QTEST(shading.join(','), "shading");
}

// Entries at the ends of the whole-number range: every chart weight and
// chart position is the number the rules give, with nothing wrapped round
// (the sanitizer build stops on any signed overflow), and no shaft is
// shown for a setup off the chart, however far off.
void TestOtherPages::extremeEntries_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<qlonglong>("weight");
    QTest::addColumn<int>("band");
    QTest::addColumn<qlonglong>("record"); // 0: none formed
    const Inputs heaviest = {{"BowWeightSpin", "2147483647"},
                             {"ReleaseType", "1"},
                             {"BraceHt", "1"},
                             {"PointWtSpin", "160"}};
    QTest::newRow("hunting compound") << Page::Hunt << heaviest << 2147483666LL << 0 << 0LL;
    QTest::newRow("hunting recurve lightest")
        << Page::Hunt
        << Inputs{{"BowType", "1"}, {"BowWeightSpin", "-2147483648"}, {"PointWtSpin", "85"}}
        << -2147483651LL << 0 << 0LL;
    QTest::newRow("target compound") << Page::Targ << heaviest << 2147483666LL << 0 << 0LL;
    QTest::newRow("kavel compound") << Page::Kavl << heaviest << 2147483660LL << 0 << 0LL;
    QTest::newRow("youth heaviest")
        << Page::Youth << Inputs{{"YouthBowWtSpin", "2147483647"}} << 2147483647LL << 0 << 0LL;
    QTest::newRow("youth lightest")
        << Page::Youth << Inputs{{"YouthBowWtSpin", "-2147483648"}} << -2147483648LL << 0 << 0LL;
    // The pages without the entry gate take any arrow length: off the chart,
    // whatever its distance, no shaft is shown.
    QTest::newRow("kavel longest")
        << Page::Kavl << Inputs{{"ArrowLengthSpin", "2147483647"}} << 60LL << 8 << 2147483632LL;
    QTest::newRow("kavel shortest")
        << Page::Kavl << Inputs{{"ArrowLengthSpin", "-2147483648"}} << 60LL << 8 << -2147483663LL;
    QTest::newRow("youth longest")
        << Page::Youth << Inputs{{"YouthArrowLenSpin", "2147483647"}} << 30LL << 4 << 2147483630LL;
    QTest::newRow("youth shortest") << Page::Youth << Inputs{{"YouthArrowLenSpin", "-2147483648"}}
                                    << 30LL << 4 << -2147483665LL;
}

void TestOtherPages::extremeEntries()
{
    QFETCH(Page, page);
    QFETCH(Inputs, inputs);
    QFETCH(qlonglong, record);
    SelectionModel& model = start();
    runPage(model, page, {});
    runPage(model, page, inputs);
    QCOMPARE(sink_.errorCount(), 0);
    const RunSummary& run = model.lastRun();
    QTEST(*run.chartWeight, "weight");
    QTEST(*run.band, "band");
    QCOMPARE(run.record.value_or(0), record);
    QCOMPARE(run.outcome,
             record == 0 ? ChartOutcome::OutsideEveryBand : ChartOutcome::OutsideChart);
    for (int row = 1; row <= pageInfo(page).rows; ++row)
        verifyEmptyRow(model, page, row, false);
    QVERIFY(explainRun(run, page).find(std::to_string(*run.chartWeight)) != std::string::npos);
}

QTEST_GUILESS_MAIN(TestOtherPages)
#include "tst_otherpages.moc"
