// The main window's design state and the status line that explains a run.

#include <selection/MainFormDesign.h>
#include <selection/Pages.h>
#include <selection/RunExplanation.h>

#include <QtTest>

using namespace qw;
using namespace qw::selection;

class TestFormDesign : public QObject {
    Q_OBJECT

private slots:
    void designIsConsistent();
    void explanations();
};

// What the design's tables must agree on, rather than the tables again:
// every page has exactly its rows of four cells and its Target key labels,
// every entry starts inside its range on a step, every group on its first
// item, and the page control names the pages in tab order.
void TestFormDesign::designIsConsistent()
{
    const FormState form = mainFormDesign();
    for (Page page : kAllPages) {
        const int rows = pageInfo(page).rows;
        for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight}) {
            QVERIFY(form.contains(cellName(page, kind, rows)));
            QVERIFY(!form.contains(cellName(page, kind, rows + 1)));
        }
        QCOMPARE(form["ShaftsNB"].items[std::size_t(page)], pageInfo(page).tabCaption);
    }
    QVERIFY(form.contains(targetSpineLabelName(pageInfo(Page::Targ).rows)));
    QVERIFY(!form.contains(targetSpineLabelName(pageInfo(Page::Targ).rows + 1)));
    for (const EntryRange& range : entryRanges()) {
        const int start = std::stoi(form[range.entry].text);
        QVERIFY2(start >= range.minimum && start <= range.maximum, range.entry.data());
        QCOMPARE((start - range.minimum) % range.step, 0);
        QVERIFY(form.contains(range.upDown));
    }
    for (const auto& [name, state] : form.all())
        if (state.kind == ControlKind::RadioGroup)
            QVERIFY2(state.itemIndex == 0 && !state.items.empty(), name.c_str());
    QCOMPARE(form["ShaftsNB"].itemIndex, 0);
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
