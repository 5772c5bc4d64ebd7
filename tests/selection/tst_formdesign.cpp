// The main window's design state and the status line that explains a run.

#include <selection/MainFormDesign.h>
#include <selection/Pages.h>
#include <selection/RunExplanation.h>

#include <QtTest>

using namespace qw::selection;

class TestFormDesign : public QObject {
    Q_OBJECT

private slots:
    void inputsAtStart();
    void radioGroupItems();
    void gridsAtStart();
    void handOffAndFurniture();
    void explanations();
};

void TestFormDesign::inputsAtStart()
{
    const FormState form = mainFormDesign();
    QCOMPARE(form["BowWeightSpin"].text, std::string("60"));
    QCOMPARE(form["ArrowLengthSpin"].text, std::string("30"));
    QCOMPARE(form["PointWtSpin"].text, std::string("100"));
    QCOMPARE(form["YouthBowWtSpin"].text, std::string("30"));
    QCOMPARE(form["YouthArrowLenSpin"].text, std::string("25"));
    for (const char* hidden : {"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5",
                               "TargBowType", "WheelType", "CAWTPanel", "TmpLbl2"})
        QVERIFY2(!form[hidden].visible, hidden);
    for (const char* shown : {"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2",
                              "PointWtSpin", "UpDown4", "BowType", "HuntCamType", "Label6"})
        QVERIFY2(form[shown].visible, shown);
    QCOMPARE(form["Label6"].text, std::string("Point Weight"));
    QCOMPARE(form["ShaftsNB"].itemIndex, 0);
    QCOMPARE(form["ShaftsNB"].items,
             std::vector<std::string>({"Hunting", "Target", "Youth", "Kavel"}));
    bool pointRangeFound = false;
    for (const EntryRange& range : entryRanges())
        if (range.entry == "PointWtSpin") {
            pointRangeFound = range.minimum == 65 && range.maximum == 160 && range.step == 5 &&
                              range.upDown == "UpDown4";
        }
    QVERIFY(pointRangeFound);
}

void TestFormDesign::radioGroupItems()
{
    const FormState form = mainFormDesign();
    QCOMPARE(form["WheelType"].items,
             std::vector<std::string>({"Single/Hard Cam over 230 ", "Medium Cam        211-230",
                                       "Soft Cam               under 211"}));
    QCOMPARE(form["WheelType"].text, std::string("AMO fps"));
    QCOMPARE(form["OverDraw"].items,
             std::vector<std::string>({"No", "1\"", "2\"", "3\"", "4\"", "5\""}));
    QCOMPARE(form["BraceHt"].items, std::vector<std::string>({"Over 6.5\"", "Under 6.5\""}));
    QCOMPARE(form["BowType"].items.size(), std::size_t(3));
    for (const char* group : {"BowType", "TargBowType", "HuntCamType", "WheelType", "ReleaseType",
                              "OverDraw", "BraceHt"})
        QCOMPARE(form[group].itemIndex, 0);
}

void TestFormDesign::gridsAtStart()
{
    const FormState form = mainFormDesign();
    for (Page page : kAllPages) {
        const int rows = pageInfo(page).rows;
        QVERIFY(form.contains(cellName(page, CellKind::Weight, rows)));
        QVERIFY(!form.contains(cellName(page, CellKind::Weight, rows + 1)));
    }
    QCOMPARE(form["HSzBtn1"].hint, std::string("Click for Weight Calculation and Specs"));
    QCOMPARE(form["HSzBtn9"].hint, std::string("Click Details Button in Weight Column"));
    QCOMPARE(form["KSzBtn3"].hint, std::string("Kavel Arrow Size"));
    QCOMPARE(form["KMdBtn3"].hint, std::string("Kavel Arrow Model"));
    QCOMPARE(form["TMdBtn3"].hint, std::string("Standard Catagories"));
    QCOMPARE(form["YSpBtn2"].hint, std::string("Spine Value"));
    QCOMPARE(form["HWtBtn2"].hint, std::string("Bare Shaft Weight in Grains"));
    // Target pairs: silver, white, silver ...; Kavel odd and even rows.
    QCOMPARE(form["TSzBtn2"].fill, rgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(form["TSzBtn3"].fill, kWhite);
    QCOMPARE(form["TSzBtn13"].fill, rgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(form["YWtBtn8"].fill, kWhite);
    QCOMPARE(form["KSzBtn1"].fill, rgb(0xC2, 0x95, 0x7A));
    QCOMPARE(form["KSzBtn6"].fill, rgb(0xBC, 0x71, 0x54));
    QCOMPARE(form["HSzBtn16"].fill, kWhite);
}

void TestFormDesign::handOffAndFurniture()
{
    const FormState form = mainFormDesign();
    for (const char* name : {"TmpLbl", "TmpLbl2", "SpcLbl", "Mods", "TSP1LBL", "TSP13LBL",
                             "CAWTSizeHdr", "CAWTWeightHdr"})
        QVERIFY2(form.contains(name), name);
    QVERIFY(!form.contains("TSP14LBL"));
    QCOMPARE(form["HKECalcBtn"].text, std::string("Kinetic Energy && FOC Calculator"));
    QCOMPARE(form["TModelsBtn"].text, std::string("2011 Shaft Models"));
    QCOMPARE(form["YGetBtn"].text, std::string("Get Setup"));
    QCOMPARE(form["KPrintBtn"].font, rgb(0xD0, 0x76, 0x53)); // a lighter rust, legible on black
    QCOMPARE(form["HExitBtn"].font, kHuntGreen);
    QCOMPARE(form["KSizeHdr"].font, kWhite);
    QCOMPARE(form["KSizeHdr"].fill, kKavlRust);
    QCOMPARE(form["TWeightHdr"].text, std::string("Weight"));
}

void TestFormDesign::explanations()
{
    RunSummary shown{true, 65, 7, 14, true, false};
    shown.outcome = ChartOutcome::Shown;
    QCOMPARE(explainRun(shown, Page::Hunt),
             std::string("Chart weight 65 lb, band 7, chart position 14"));

    RunSummary noBand{true, 2147483652, 0, std::nullopt, false, false};
    noBand.outcome = ChartOutcome::OutsideEveryBand;
    noBand.bowInWords = "a compound bow with a soft cam";
    noBand.coveredWeights = ChartSpan{29, 88};
    QCOMPARE(explainRun(noBand, Page::Targ),
             std::string("No shaft on the Target chart suits a chart weight of 2147483652 lb: for "
                         "a compound bow with a soft cam the chart covers 29 to 88 lb"));

    // The band is on the chart, so the arrow length is the input to blame.
    RunSummary outside{true, 36, 6, 12, false, false};
    outside.outcome = ChartOutcome::OutsideChart;
    outside.arrowLength = 27;
    outside.coveredLengths = ChartSpan{16, 25};
    QCOMPARE(explainRun(outside, Page::Youth),
             std::string("No shafts: at a chart weight of 36 lb (band 6) a 27 in youth arrow is "
                         "chart position 12, off the chart (1 to 10); at this weight the chart "
                         "takes 16 to 25 in"));
    // The reset setup is off the chart too: the status says the entry went back.
    outside.bowWeightReset = true;
    QVERIFY(explainRun(outside, Page::Youth).ends_with("; youth bow weight reset to 30"));
    outside.bowWeightReset = false;
    outside.failed = true;
    outside.failure = "I/O error: file not found.\nFile: invsel.txt";
    QVERIFY(explainRun(outside, Page::Youth).find("reset") == std::string::npos);
    QVERIFY(explainRun(outside, Page::Youth)
                .ends_with("; the run stopped: I/O error: file not found. File: invsel.txt"));

    // A table that cannot be opened is named, not the chart position.
    RunSummary missing{true, 60, 6, std::nullopt, false, true};
    missing.failure = "Table does not exist.\nFile: HUNTCHRT.DBF";
    QCOMPARE(explainRun(missing, Page::Hunt),
             std::string("Chart weight 60 lb, band 6; the run stopped: Table does not exist. "
                         "File: HUNTCHRT.DBF"));

    RunSummary gated{};
    QVERIFY(explainRun(gated, Page::Targ).rfind("Entries incomplete", 0) == 0);
    RunSummary failed{};
    failed.failed = true;
    QVERIFY(explainRun(failed, Page::Kavl).rfind("No recommendation", 0) == 0);
    failed.ran = true;
    failed.failure = "'' is not a valid integer value";
    QCOMPARE(explainRun(failed, Page::Youth),
             std::string("No recommendation: '' is not a valid integer value"));
}

QTEST_GUILESS_MAIN(TestFormDesign)
#include "tst_formdesign.moc"
