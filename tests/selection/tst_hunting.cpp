// The Hunting page of FindRec on small charts written for each case.

#include "SelectionFixtures.h"

#include <selection/Pages.h>
#include <selection/Recommendation.h>
#include <selection/RunExplanation.h>
#include <selection/SelectionModel.h>

using namespace qw;
using namespace qw::selection;
using fixtures::Catalogue;
using fixtures::RecordingSink;

namespace {

const ControlState& cell(const SelectionModel& model, CellKind kind, int row)
{
    return model.form()[cellName(Page::Hunt, kind, row)];
}

std::string caption(const SelectionModel& model, CellKind kind, int row)
{
    return cell(model, kind, row).text;
}

struct Setup {
    std::string bow = "60";
    std::string length = "30";
    std::string point = "100";
    int bowType = 0, cam = 0, release = 0, overdraw = 0, brace = 0;
};

// Sets the inputs without runs, then runs once as an event would.
void runWith(SelectionModel& model, const Setup& setup)
{
    model.setTextQuietly("BowWeightSpin", setup.bow);
    model.setTextQuietly("ArrowLengthSpin", setup.length);
    model.setTextQuietly("PointWtSpin", setup.point);
    model.setItemIndexQuietly("BowType", setup.bowType);
    model.setItemIndexQuietly("HuntCamType", setup.cam);
    model.setItemIndexQuietly("ReleaseType", setup.release);
    model.setItemIndexQuietly("OverDraw", setup.overdraw);
    model.setItemIndexQuietly("BraceHt", setup.brace);
    model.findRec();
}

} // namespace

class TestHunting : public fixtures::EngineTest {
    Q_OBJECT

private slots:
    void init() { resetEngine(); }
    void chartWeightBandAndRecord_data();
    void chartWeightBandAndRecord();
    void showsTheComputedRecord();
    void entryGateLeavesTheGridAsItWas_data();
    void entryGateLeavesTheGridAsItWas();
    void rowRules();
    void carbonRows();
    void twoModelWeights();
    void specificationNotFound();
    void invalidSelectionMessage();
    void failureInTheResetRunReportedOnce();
    void missingInvalidSelectionText();
    void conversionAndStorageErrors();
    void shading();
    void sizeCellClickAndCarbonPanel();
    void changePathRunsOnlyOnChange();
};

void TestHunting::chartWeightBandAndRecord_data()
{
    for (const char* column : {"bow", "length", "point"})
        QTest::addColumn<QString>(column);
    for (const char* column :
         {"bowType", "cam", "release", "overdraw", "brace", "weight", "band", "record"})
        QTest::addColumn<int>(column);
    struct Case {
        const char *name, *bow, *length, *point;
        int bowType, cam, release, overdraw, brace, weight, band, record;
    };
    const Case cases[] = {
        {"compound defaults", "60", "30", "100", 0, 0, 0, 0, 0, 60, 6, 13},
        {"fingers, brace under", "60", "30", "100", 0, 0, 1, 0, 1, 70, 8, 15},
        {"then overdraw 1", "60", "30", "100", 0, 0, 1, 1, 1, 71, 8, 15},
        {"76 lb: overdraw no effect", "66", "30", "100", 0, 0, 1, 1, 1, 76, 9, 16},
        {"overdraw 5 at 50", "50", "30", "100", 0, 0, 0, 5, 0, 62, 7, 14},
        {"overdraw at 49 no effect", "49", "30", "100", 0, 0, 0, 5, 0, 49, 4, 11},
        {"point 125 adds 3", "60", "30", "125", 0, 0, 0, 0, 0, 63, 7, 14},
        {"point 126 adds 0", "60", "30", "126", 0, 0, 0, 0, 0, 60, 6, 13},
        {"point 130 adds 6", "60", "30", "130", 0, 0, 0, 0, 0, 66, 7, 14},
        {"point 160 adds 9", "60", "30", "160", 0, 0, 0, 0, 0, 69, 8, 15},
        {"medium cam", "67", "30", "100", 0, 1, 0, 0, 0, 67, 7, 14},
        {"recurve point 85 -3", "60", "30", "85", 1, 0, 1, 3, 1, 57, 6, 13},
        {"recurve point 90", "60", "30", "90", 1, 0, 0, 0, 0, 60, 6, 13},
        {"longbow 50 at 28", "50", "28", "100", 2, 0, 0, 0, 0, 50, 3, 6},
        {"longbow point 155", "60", "30", "155", 2, 0, 0, 0, 0, 69, 6, 11},
    };
    for (const Case& c : cases)
        QTest::newRow(c.name) << QString(c.bow) << QString(c.length) << QString(c.point)
                              << c.bowType << c.cam << c.release << c.overdraw << c.brace
                              << c.weight << c.band << c.record;
}

// The engine alone, on the setup as a value.
void TestHunting::chartWeightBandAndRecord()
{
    QFETCH(QString, bow);
    QFETCH(QString, length);
    QFETCH(QString, point);
    QFETCH(int, bowType);
    SetupInputs setup = start().setup();
    setup.text(SetupEntry::BowWeight) = bow.toStdString();
    setup.text(SetupEntry::ArrowLength) = length.toStdString();
    setup.text(SetupEntry::PointWeight) = point.toStdString();
    setup.item(SetupGroup::BowType) = bowType;
    QFETCH(int, cam);
    QFETCH(int, release);
    QFETCH(int, overdraw);
    QFETCH(int, brace);
    setup.item(SetupGroup::HuntCamType) = cam;
    setup.item(SetupGroup::ReleaseType) = release;
    setup.item(SetupGroup::OverDraw) = overdraw;
    setup.item(SetupGroup::BraceHt) = brace;
    ChartTables tables(catalogue_->folder());
    const Recommendation result = recommend(setup, Page::Hunt, tables);
    QVERIFY(!result.summary.failed);
    QVERIFY(result.summary.ran);
    QFETCH(int, weight);
    QFETCH(int, record);
    QCOMPARE(*result.summary.chartWeight, weight);
    QTEST(*result.summary.band, "band");
    QCOMPARE(*result.summary.record, record);
    QVERIFY(result.summary.valid);
    QCOMPARE(result.summary.outcome, ChartOutcome::Shown);
    QVERIFY(!result.resetEntry);
    QCOMPARE(result.rows.size(), std::size_t(16));
    QCOMPARE(result.rows[0].specKey(), fixtures::shaftName(record, 1) + "S");
    QCOMPARE(result.compoundBow, bowType == 0);
}

void TestHunting::showsTheComputedRecord()
{
    SelectionModel& model = start();
    runWith(model, {"65", "30", "100"});
    QCOMPARE(model.form()["TmpLbl2"].text, std::string("Hunt"));
    for (int row = 1; row <= 16; ++row) {
        QCOMPARE(caption(model, CellKind::Size, row), fixtures::shaftName(14, row));
        // SPINE is shown as read, padded to its width of 8.
        std::string spine = "." + std::to_string(row) + "00";
        spine.resize(8, ' ');
        QCOMPARE(caption(model, CellKind::Spine, row), spine);
        QCOMPARE(caption(model, CellKind::Model, row), std::string("M14"));
        // 9.20 grains per inch x 30 inches + 0.5 = 276.5
        QCOMPARE(caption(model, CellKind::Weight, row), std::string("276"));
        QVERIFY(cell(model, CellKind::Size, row).showCaption);
        QVERIFY(cell(model, CellKind::Size, row).enabled);
    }
    QCOMPARE(model.form()["HSzBtn1"].hint, std::string("Click for Weight Calculation"));
    QCOMPARE(model.form()["HSzBtn9"].hint, std::string("Click Details Button in Weight Column"));
}

void TestHunting::entryGateLeavesTheGridAsItWas_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("text");
    QTest::newRow("length one character") << "ArrowLengthSpin"
                                          << "3";
    QTest::newRow("length three characters") << "ArrowLengthSpin"
                                             << "300";
    QTest::newRow("bow weight one character") << "BowWeightSpin"
                                              << "6";
    QTest::newRow("point weight one character") << "PointWtSpin"
                                                << "9";
    QTest::newRow("empty bow weight") << "BowWeightSpin"
                                      << "";
}

void TestHunting::entryGateLeavesTheGridAsItWas()
{
    QFETCH(QString, entry);
    QFETCH(QString, text);
    SelectionModel& model = start();
    model.findRec();
    QCOMPARE(caption(model, CellKind::Size, 1), std::string("13-1"));
    model.changeText(entry.toStdString(), text.toStdString());
    QVERIFY(!model.lastRun().ran);
    QVERIFY(!model.lastRun().record);
    QVERIFY(sink_.messages.empty());
    QCOMPARE(caption(model, CellKind::Size, 1), std::string("13-1"));
    QCOMPARE(caption(model, CellKind::Weight, 16), std::string("276"));
}

void TestHunting::rowRules()
{
    catalogue_->setColumn(fixtures::kHunt, 13, 12, {"", "S"});       // blank size: empty row
    catalogue_->setColumn(fixtures::kHunt, 13, 3, {"   ", "S"});     // blank in column 3 ...
    catalogue_->setColumn(fixtures::kHunt, 13, 2, {"2315 XX", "T"}); // two words
    catalogue_->addSpec({"2315T", "0.340", "XX", "9.20"});
    catalogue_->setColumn(fixtures::kHunt, 13, 7, {"2117 XX", "U"}); // rows 7-9 are trimmed
    catalogue_->addSpec({"2117 XXU", "0.500", "Y", "9.20"});
    SelectionModel& model = start();
    model.findRec();
    QVERIFY(sink_.messages.empty());

    for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight}) {
        QCOMPARE(caption(model, kind, 12), std::string());
        QVERIFY(!cell(model, kind, 12).showCaption);
        QCOMPARE(caption(model, kind, 3), std::string());
    }
    QVERIFY(!cell(model, CellKind::Size, 12).enabled);
    QVERIFY(!cell(model, CellKind::Size, 3).enabled);
    // ... a filled column 4 still shows in row 4: rows are not closed up.
    QCOMPARE(caption(model, CellKind::Size, 4), std::string("13-4"));
    QCOMPARE(caption(model, CellKind::Size, 2), std::string("2315"));
    QCOMPARE(caption(model, CellKind::Spine, 2), std::string("0.340   "));
    QCOMPARE(caption(model, CellKind::Size, 7), std::string("2117 XX"));
    QCOMPARE(caption(model, CellKind::Model, 7), std::string("Y"));

    // The next run switches captions on again where the chart has a shaft.
    model.changeText("BowWeightSpin", "65");
    QVERIFY(cell(model, CellKind::Size, 12).showCaption);
    QVERIFY(cell(model, CellKind::Size, 12).enabled);
    QCOMPARE(caption(model, CellKind::Size, 12), std::string("14-12"));
}

void TestHunting::carbonRows()
{
    for (int column : {3, 9, 10, 11})
        catalogue_->setColumn(fixtures::kHunt, 13, column, {"400", "caw"});
    catalogue_->setColumn(fixtures::kHunt, 13, 2, {"350", "caw"}); // row 2: no carbon entries
    catalogue_->addSpec({"350caw", "0.350", "A/C", "8.00"});
    catalogue_->addSpec({"400caw", "<absent>", "", ""});
    SelectionModel& model = start();
    model.findRec();
    QVERIFY(sink_.messages.empty());
    for (int row : {3, 9, 10}) {
        QCOMPARE(caption(model, CellKind::Size, row), std::string("400"));
        QCOMPARE(caption(model, CellKind::Spine, row), std::string("0.400"));
        QCOMPARE(caption(model, CellKind::Model, row), std::string("Carbon"));
        QCOMPARE(caption(model, CellKind::Weight, row), std::string("Details"));
        QVERIFY(!cell(model, CellKind::Size, row).enabled);
    }
    QVERIFY(cell(model, CellKind::Weight, 3).enabled);
    QVERIFY(cell(model, CellKind::Weight, 9).enabled);
    QVERIFY(!cell(model, CellKind::Weight, 4).enabled);
    // Row 10 shows the carbon entry but its weight cell never opens anything.
    QVERIFY(!cell(model, CellKind::Weight, 10).enabled);
    // Rows 2 and 11 take "caw" as an ordinary spine.
    QCOMPARE(caption(model, CellKind::Model, 2), std::string("A/C"));
    QCOMPARE(caption(model, CellKind::Weight, 2), std::string("240"));
    QCOMPARE(caption(model, CellKind::Model, 11), std::string());
    QVERIFY(!cell(model, CellKind::Size, 11).enabled);

    // The carbon panel opens from an enabled "Details" cell only.
    QVERIFY(!model.carbonWeightClick(4));
    QVERIFY(!model.form()["CAWTPanel"].visible);
    QVERIFY(model.carbonWeightClick(3));
    QVERIFY(model.carbonWeightClick(9));
    QVERIFY(model.form()["CAWTPanel"].visible);
    model.closeCarbonPanel();
    QVERIFY(!model.form()["CAWTPanel"].visible);

    // An entry that stops the run after the grids were reset leaves the
    // carbon rows' captions with their size cells enabled, and the pages
    // handed on say so too.
    fixtures::compareShownWithCells(model, Page::Hunt);
    model.changeText("PointWtSpin", "1 00");
    QCOMPARE(sink_.errorCount(), 1);
    fixtures::compareShownWithCells(model, Page::Hunt);
    fixtures::compareShownWithCells(model, Page::Targ);
}

void TestHunting::twoModelWeights()
{
    catalogue_->setColumn(fixtures::kHunt, 13, 1, {"2213", "A"});
    catalogue_->addSpec({"2213A", "0.500", "QK,52", "8.91 9.46"});
    catalogue_->setColumn(fixtures::kHunt, 13, 4, {"2213", "A"});
    SelectionModel& model = start();
    model.findRec();
    QVERIFY(sink_.messages.empty());
    // 8.91 x 30 + 0.5 = 267.8, 9.46 x 30 + 0.5 = 284.3
    QCOMPARE(caption(model, CellKind::Weight, 1), std::string("267,284"));
    QCOMPARE(caption(model, CellKind::Weight, 4), std::string("267,284"));

    // Row 5 converts the GPI text as one number: the run stops there.
    Catalogue second;
    second.setColumn(fixtures::kHunt, 14, 5, {"2213", "A"});
    second.addSpec({"2213A", "0.500", "QK,52", "8.91 9.46"});
    second.write();
    RecordingSink secondSink;
    SelectionModel failing(second.folder(), secondSink);
    failing.findRec();                         // record 13
    failing.changeText("BowWeightSpin", "65"); // record 14
    QCOMPARE(secondSink.messages.size(), std::size_t(1));
    QVERIFY(secondSink.messages[0].error);
    QCOMPARE(secondSink.messages[0].text,
             std::string("'8.91 9.46' is not a valid floating point value"));
    QVERIFY(failing.lastRun().failed);
    // Rows before show the new record, row 5 is partly written, rows after are old.
    QCOMPARE(caption(failing, CellKind::Size, 4), std::string("14-4"));
    QCOMPARE(caption(failing, CellKind::Size, 5), std::string("2213"));
    QCOMPARE(caption(failing, CellKind::Model, 5), std::string("QK,52"));
    QCOMPARE(caption(failing, CellKind::Weight, 5), std::string("276"));
    QCOMPARE(caption(failing, CellKind::Size, 6), std::string("13-6"));
    // The page handed on (setup sheets, the select tool) is the one shown.
    fixtures::compareShownWithCells(failing, Page::Hunt);
}

void TestHunting::specificationNotFound()
{
    catalogue_->setColumn(fixtures::kHunt, 13, 6, {"2419", "Q"});
    // A longer key that begins with the missing one must not be taken for it.
    catalogue_->addSpec({"2419QX", "0.250", "OTHER", "12.00"});
    catalogue_->addSpec({"2419Q", "<absent>", "", ""});
    catalogue_->addSpec({"1916", "<absent>", "", ""});
    catalogue_->setColumn(fixtures::kHunt, 13, 8, {"1916", ""}); // blank spine
    SelectionModel& model = start();
    model.findRec();
    QVERIFY(sink_.messages.empty());
    for (int row : {6, 8}) {
        QVERIFY(cell(model, CellKind::Size, row).showCaption);
        QVERIFY(!cell(model, CellKind::Size, row).enabled);
        QCOMPARE(caption(model, CellKind::Spine, row), std::string());
        QCOMPARE(caption(model, CellKind::Model, row), std::string());
        QCOMPARE(caption(model, CellKind::Weight, row), std::string());
    }
    QCOMPARE(caption(model, CellKind::Size, 6), std::string("2419"));
    QCOMPARE(caption(model, CellKind::Size, 8), std::string("1916"));
    QCOMPARE(caption(model, CellKind::Model, 7), std::string("M13"));
    QVERIFY(!model.sizeCellClick(Page::Hunt, 6));
}

// The message is the first line of invsel.txt, cut at 150 characters, and
// the change that shows it paints the window once before the message (the
// emptied grid) and once after (the reset setup's grid).
void TestHunting::invalidSelectionMessage()
{
    catalogue_->setInvalidSelectionText(std::string(160, 'x'));
    SelectionModel& model = start();
    runWith(model, {"60", "33", "100"});
    int notifications = 0;
    model.setChangedCallback([&] { ++notifications; });
    model.changeText("BowWeightSpin", "91"); // band 12: position 22
    QCOMPARE(sink_.messages.size(), std::size_t(1));
    QVERIFY(!sink_.messages[0].error);
    QCOMPARE(sink_.messages[0].text, std::string(150, 'x'));
    QCOMPARE(notifications, 2);
    QCOMPARE(*model.lastRun().record, 16);
}

void TestHunting::failureInTheResetRunReportedOnce()
{
    // The reset setup's record 16 holds a GPI that does not convert.
    catalogue_->setColumn(fixtures::kHunt, 16, 1, {"2512", "B"});
    catalogue_->addSpec({"2512B", "0.300", "X", "n/a"});
    SelectionModel& model = start();
    runWith(model, {"91", "33", "100"});
    QCOMPARE(sink_.messages.size(), std::size_t(2));
    QVERIFY(!sink_.messages[0].error);
    QVERIFY(sink_.messages[1].error);
    QCOMPARE(sink_.messages[1].text, std::string("'n/a' is not a valid floating point value"));
    QCOMPARE(sink_.errorCount(), 1);
    QVERIFY(model.lastRun().failed);
    QCOMPARE(*model.lastRun().record, 16); // the reset setup's run failed
}

void TestHunting::missingInvalidSelectionText()
{
    catalogue_->withoutInvalidSelectionText();
    SelectionModel& model = start();
    runWith(model, {"91", "33", "100"});
    QCOMPARE(sink_.messages.size(), std::size_t(1));
    QVERIFY(sink_.messages[0].error);
    QVERIFY(sink_.messages[0].text.find("invsel.txt") != std::string::npos);
    QCOMPARE(model.form()["BowWeightSpin"].text, std::string("91"));
}

void TestHunting::conversionAndStorageErrors()
{
    SelectionModel& model = start();
    model.findRec();
    model.changeText("BowWeightSpin", "6x");
    QCOMPARE(sink_.messages.size(), std::size_t(1));
    QCOMPARE(sink_.messages[0].text, std::string("'6x' is not a valid integer value"));
    model.changeText("BowWeightSpin", "65");
    model.changeText("PointWtSpin", "1 00");
    QCOMPARE(sink_.messages.back().text, std::string("'1 00' is not a valid integer value"));
    model.changeText("PointWtSpin", "100");
    model.changeText("ArrowLengthSpin", "3.");
    QCOMPARE(sink_.messages.back().text, std::string("'3.' is not a valid integer value"));
    QCOMPARE(caption(model, CellKind::Size, 1), std::string("14-1")); // grid kept
    QCOMPARE(sink_.errorCount(), 3);

    std::filesystem::remove(catalogue_->folder() / "specs.idx");
    RecordingSink other;
    SelectionModel withoutIndex(catalogue_->folder(), other);
    withoutIndex.findRec();
    QCOMPARE(other.messages.size(), std::size_t(1));
    QCOMPARE(other.messages[0].text,
             "Index file does not exist.\nFile: " + (catalogue_->folder() / "specs.idx").string());

    QTemporaryDir empty;
    RecordingSink none;
    SelectionModel withoutTables(empty.path().toStdString(), none);
    withoutTables.findRec();
    QCOMPARE(none.messages.size(), std::size_t(1));
    const std::string chart = empty.filePath("HUNTCHRT.DBF").toStdString();
    QCOMPARE(none.messages[0].text,
             "Table does not exist.\nFile or directory does not exist.\nFile: " + chart);
    // The status line names the missing table, not the chart position.
    QVERIFY(!withoutTables.lastRun().record);
    QCOMPARE(explainRun(withoutTables.lastRun(), Page::Hunt),
             "Chart weight 60 lb, band 6; the run stopped: Table does not exist. File or "
             "directory does not exist. File: " +
                 chart);
}

void TestHunting::shading()
{
    SelectionModel& model = start();
    const Rgb light = rgb(219, 217, 217), mid = rgb(174, 170, 170), dark = rgb(148, 144, 143);
    const Rgb silver = rgb(192, 192, 192), grey = rgb(128, 128, 128);
    struct Expect {
        std::string length; // compound 60 lb is band 6: record = 6 + length - 23
        Rgb row1, row2, row3, row4;
    };
    const Expect cases[] = {
        {"24", dark, kWhite, kWhite, kWhite},  // 7
        {"25", light, mid, dark, kWhite},      // 8
        {"27", light, mid, dark, dark},        // 10
        {"28", mid, mid, dark, dark},          // 11
        {"29", light, mid, mid, dark},         // 12
        {"31", light, light, mid, dark},       // 14
        {"32", mid, dark, kWhite, kWhite},     // 15
        {"35", mid, dark, dark, kWhite},       // 18
        {"36", light, kWhite, kWhite, kWhite}, // 19
    };
    for (const Expect& expect : cases) {
        model.changeText("ArrowLengthSpin", expect.length);
        QCOMPARE(cell(model, CellKind::Model, 1).fill, expect.row1);
        QCOMPARE(cell(model, CellKind::Weight, 2).fill, expect.row2);
        QCOMPARE(cell(model, CellKind::Size, 3).fill, expect.row3);
        QCOMPARE(cell(model, CellKind::Spine, 4).fill, expect.row4);
        QCOMPARE(cell(model, CellKind::Size, 5).fill, kWhite);
    }
    model.changeText("ArrowLengthSpin", "28"); // 11: silver borders
    QCOMPARE(cell(model, CellKind::Size, 1).border, silver);
    QCOMPARE(cell(model, CellKind::Size, 3).border, grey);
    model.changeText("ArrowLengthSpin", "30"); // 13: light with grey border
    QCOMPARE(cell(model, CellKind::Size, 2).border, grey);
    QCOMPARE(cell(model, CellKind::Size, 3).border, silver);
}

void TestHunting::sizeCellClickAndCarbonPanel()
{
    catalogue_->setColumn(fixtures::kHunt, 13, 2, {"2315 XX", " T"});
    catalogue_->addSpec({"2315T", "0.340", "XX", "9.20"});
    SelectionModel& model = start();
    model.findRec();
    QVERIFY(model.sizeCellClick(Page::Hunt, 2));
    QCOMPARE(model.form()["TmpLbl"].text, std::string("2315T"));
    QCOMPARE(model.form()["SpcLbl"].text, std::string("2315"));
    QCOMPARE(model.form()["Mods"].text, std::string("XX"));

    // After another page and back, the click reads the latest hunting run's record.
    model.changeText("BowWeightSpin", "65");
    model.changePage(Page::Youth);
    model.changePage(Page::Hunt);
    QVERIFY(model.sizeCellClick(Page::Hunt, 2));
    QCOMPARE(model.form()["TmpLbl"].text, std::string("14-2S"));
}

void TestHunting::changePathRunsOnlyOnChange()
{
    SelectionModel& model = start();
    model.findRec();
    std::filesystem::remove(catalogue_->folder() / "specs.idx");
    // No change, no run: a run would now fail on the missing index.
    model.changeText("BowWeightSpin", "60");
    model.setItemIndex("BowType", 0);
    model.changePage(Page::Hunt);
    QVERIFY(sink_.messages.empty());
    model.clickItem("BowType", 0); // a click runs even on the selected item
    QCOMPARE(sink_.errorCount(), 1);
    model.setItemIndex("OverDraw", 9); // clamped to the last item, "5\""
    QCOMPARE(model.form()["OverDraw"].itemIndex, 5);
    QCOMPARE(sink_.errorCount(), 2);
}

QTEST_GUILESS_MAIN(TestHunting)
#include "tst_hunting.moc"
