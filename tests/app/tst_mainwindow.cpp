#include "AppTestSupport.h"

#include "../reports/PrintQueue.h"
#include "app/FormBinder.h"
#include "app/SheetOutput.h"
#include "app/TArrowSel.h"
#include "selection/Pages.h"
#include "selection/SelectionModel.h"
#include "storage/Table.h"
#include "widgets/CaptionButton.h"
#include "widgets/NumberEntry.h"
#include "widgets/PictureAnimator.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"
#include "widgets/UrlOpener.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace qw;
using qw::selection::CellKind;
using qw::selection::Page;
using qw::test::child;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsOnHuntingWithTheDefaults();
    void windowIsFixedAndNamedAsDesigned();
    void typingRunsTheEngineAndTheGridShowsItsState();
    void radioClickRunsTheEngine();
    void youthPageSwapsTheInputsAndBackRestoresThem();
    void arrowsStopAtTheRangeEnds();
    void offChartSetupShowsOneMessageAndTheResetSetup_data();
    void offChartSetupShowsOneMessageAndTheResetSetup();
    void carbonDetailsOpensThePanelAndCloseHidesIt();
    void sizeClickUsesThatPagesLatestRun();
    void bannersCycleAndOpenTheFamilyPage();
    void printWithoutAPrinterOffersAPdf_data();
    void printWithoutAPrinterOffersAPdf();
    void saveSheetAsPdfSavesTheShownPage();
    void getSetupOnAnEmptyTableSaysSo();
    void customerCommandsOpenTheirWindows();
    void typingHoldsTheMessageUntilAPauseOrFocusLeaves();
    void staleGridIsDimmedAndTheStatusSaysSo();
    void commandsStandInOneColumnAndTabsLightUp();
    void aMessageBoxStopsAHeldArrow();
    void guideAndAboutOpenAsFreshModalWindows();
    void gridCellsLightUpUnderTheMouse();

private:
    void typeInto(const char* entryName, const QString& text);
    // Runs action, closing each modal window it opens once that window is
    // active; returns their captions in order.
    static QStringList closingDialogs(const std::function<void()>& action);
    void clickTab(int index);
    QString caption(const std::string& name);
    // The adult entries shown and in use, the youth ones hidden, or the reverse.
    void verifyInputsFor(bool youth);
    // Enabled groups, or disabled ones painted in the disabled colour.
    void verifyGroupsEnabled(std::initializer_list<const char*> groups, bool enabled);
    static std::string cell(Page page, CellKind kind, int row)
    {
        return selection::cellName(page, kind, row);
    }

    std::unique_ptr<test::TableFolderCopy> folder_;
    std::unique_ptr<test::RecordingSink> sink_;
    std::unique_ptr<app::TArrowSel> window_;
};

void TestMainWindow::init()
{
    folder_ = std::make_unique<test::TableFolderCopy>();
    sink_ = std::make_unique<test::RecordingSink>();
    window_ = std::make_unique<app::TArrowSel>(folder_->path(), sink_.get());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestMainWindow::cleanup()
{
    window_.reset();
    sink_.reset();
    folder_.reset();
}

void TestMainWindow::typeInto(const char* entryName, const QString& text)
{
    auto* entry = child<widgets::NumberEntry>(window_.get(), entryName);
    entry->setFocus();
    entry->selectAll();
    QTest::keyClicks(entry, text);
}

QStringList TestMainWindow::closingDialogs(const std::function<void()>& action)
{
    QStringList titles;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (!modal->isActiveWindow()) { // some captions are set on activation
            modal->activateWindow();
            return;
        }
        titles << modal->windowTitle();
        modal->close();
    });
    closer.start(50);
    action();
    return titles;
}

void TestMainWindow::clickTab(int index)
{
    QTabBar* tabs = child<QTabWidget>(window_.get(), "ShaftsNB")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

QString TestMainWindow::caption(const std::string& name)
{
    return child<QAbstractButton>(window_.get(), QString::fromStdString(name))->text();
}

void TestMainWindow::verifyInputsFor(bool youth)
{
    for (const char* adult : {"BowWeightSpin", "UpDown1", "ArrowLengthSpin", "UpDown2"})
        QVERIFY2(child<QWidget>(window_.get(), adult)->isVisible() != youth, adult);
    for (const char* young : {"YouthBowWtSpin", "UpDown3", "YouthArrowLenSpin", "UpDown5"})
        QVERIFY2(child<QWidget>(window_.get(), young)->isVisible() == youth, young);
    for (const char* inUse : {"PointWtSpin", "UpDown4"}) {
        QVERIFY2(child<QWidget>(window_.get(), inUse)->isVisible(), inUse);
        QVERIFY2(child<QWidget>(window_.get(), inUse)->isEnabled() != youth, inUse);
    }
    QVERIFY(child<QWidget>(window_.get(), "BowType")->isVisible()); // kept on Youth, but inert
    verifyGroupsEnabled({"ReleaseType", "OverDraw", "BraceHt", "BowType"}, !youth);
}

void TestMainWindow::verifyGroupsEnabled(std::initializer_list<const char*> groups, bool enabled)
{
    const QColor disabledText = child<QWidget>(window_.get(), "InputColumn")
                                    ->palette()
                                    .color(QPalette::Disabled, QPalette::WindowText);
    for (const char* groupName : groups) {
        auto* group = child<widgets::RadioGroup>(window_.get(), groupName);
        QVERIFY2(group->isEnabled() == enabled, groupName);
        QStyleOptionButton option;
        option.initFrom(group->item(0)); // the palette the style paints the label with
        QVERIFY2((option.palette.color(QPalette::WindowText) == disabledText) == !enabled,
                 groupName);
    }
}

void TestMainWindow::startsOnHuntingWithTheDefaults()
{
    QVERIFY(sink_->messages.empty());
    auto* pages = child<QTabWidget>(window_.get(), "ShaftsNB");
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->currentWidget()->objectName(), QString("Hunt"));
    QCOMPARE(child<QLineEdit>(window_.get(), "BowWeightSpin")->text(), QString("60"));
    QCOMPARE(child<QLineEdit>(window_.get(), "ArrowLengthSpin")->text(), QString("30"));
    QCOMPARE(child<QLineEdit>(window_.get(), "PointWtSpin")->text(), QString("100"));
    QCOMPARE(child<QLineEdit>(window_.get(), "YouthBowWtSpin")->text(), QString("30"));
    QCOMPARE(child<QLineEdit>(window_.get(), "YouthArrowLenSpin")->text(), QString("25"));
    for (const char* group : {"BowType", "TargBowType", "HuntCamType", "WheelType", "ReleaseType",
                              "OverDraw", "BraceHt"})
        QCOMPARE(child<widgets::RadioGroup>(window_.get(), group)->itemIndex(), 0);
    verifyInputsFor(false);
    for (const char* hidden : {"TargBowType", "WheelType", "CAWTPanel"})
        QVERIFY2(!child<QWidget>(window_.get(), hidden)->isVisible(), hidden);
    QVERIFY(child<QWidget>(window_.get(), "HuntCamType")->isVisible());
    QCOMPARE(window_->binder().missingWidgets(), QStringList());
    // The first run filled the Hunting grid: 60 lb, 30 in is band 6, chart position 13.
    QCOMPARE(child<QLabel>(window_.get(), "TmpLbl2")->text(), QString("Hunt"));
    QVERIFY(!caption(cell(Page::Hunt, CellKind::Size, 1)).isEmpty());
    QVERIFY(!caption(cell(Page::Hunt, CellKind::Weight, 1)).isEmpty());
    QCOMPARE(window_->model().lastRun().record, std::optional<int>(13));
    QVERIFY(child<QLabel>(window_.get(), "RunStatusLbl")->text().contains("chart position 13"));
}

void TestMainWindow::windowIsFixedAndNamedAsDesigned()
{
    QCOMPARE(window_->objectName(), QString("TArrowSel"));
    QCOMPARE(window_->windowTitle(), QString("Quiverwise 2011"));
    QCOMPARE(window_->centralWidget()->size(), QSize(788, 542));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QTabBar* tabs = child<QTabWidget>(window_.get(), "ShaftsNB")->tabBar();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(tabs->tabRect(i).size(), QSize(115, 35));
    // The youth boxes and the Target groups sit exactly where the ones they replace are.
    for (const auto& [over, under] : {std::pair{"YouthBowWtSpin", "BowWeightSpin"},
                                      {"YouthArrowLenSpin", "ArrowLengthSpin"},
                                      {"TargBowType", "BowType"},
                                      {"WheelType", "HuntCamType"}})
        QCOMPARE(child<QWidget>(window_.get(), over)->geometry(),
                 child<QWidget>(window_.get(), under)->geometry());
    // Headers take their colours from the page's design.
    const QPalette header = child<QLabel>(window_.get(), "KSizeHdr")->palette();
    QCOMPARE(header.color(QPalette::Window), QColor(164, 78, 45));
    QCOMPARE(header.color(QPalette::WindowText), QColor(Qt::white));
}

void TestMainWindow::typingRunsTheEngineAndTheGridShowsItsState()
{
    typeInto("BowWeightSpin", "65");
    QCOMPARE(window_->model().lastRun().chartWeight, std::optional<int>(65));
    QCOMPARE(window_->model().lastRun().band, std::optional<int>(7));
    QCOMPARE(window_->model().lastRun().record, std::optional<int>(14));
    QCOMPARE(child<QLabel>(window_.get(), "RunStatusLbl")->text(),
             QString("Chart weight 65 lb, band 7, chart position 14"));

    // An independent model given the same inputs says what every cell must show.
    test::RecordingSink quiet;
    selection::SelectionModel reference(folder_->path(), quiet);
    reference.setTextQuietly("BowWeightSpin", "65");
    reference.findRec();
    for (int row = 1; row <= 16; ++row)
        for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight}) {
            const std::string name = cell(Page::Hunt, kind, row);
            const auto& want = reference.form()[name];
            auto* shown =
                child<widgets::CaptionButton>(window_.get(), QString::fromStdString(name));
            QCOMPARE(shown->text(), QString::fromStdString(want.text));
            QCOMPARE(shown->isEnabled(), want.enabled);
            QCOMPARE(shown->showCaption(), want.showCaption);
            QCOMPARE(shown->fillColour().rgb() & 0xFFFFFF, want.fill);
            QCOMPARE(shown->fontColour().rgb() & 0xFFFFFF, want.font);
            QCOMPARE(shown->toolTip(), QString::fromStdString(want.hint));
        }
    // A one-character length leaves the grid as it was.
    const QString before = caption(cell(Page::Hunt, CellKind::Size, 1));
    typeInto("ArrowLengthSpin", "3");
    QCOMPARE(caption(cell(Page::Hunt, CellKind::Size, 1)), before);
    QVERIFY(!window_->model().lastRun().ran);
}

void TestMainWindow::radioClickRunsTheEngine()
{
    auto* release = child<widgets::RadioGroup>(window_.get(), "ReleaseType");
    QTest::mouseClick(release->item(1), Qt::LeftButton);
    QCOMPARE(release->itemIndex(), 1);
    QCOMPARE(window_->model().lastRun().chartWeight, std::optional<int>(65));
    // Recurve disables the cam, release, brace and overdraw groups; compound enables them.
    auto* bowType = child<widgets::RadioGroup>(window_.get(), "BowType");
    for (int bow : {1, 0}) {
        QTest::mouseClick(bowType->item(bow), Qt::LeftButton);
        verifyGroupsEnabled({"HuntCamType", "ReleaseType", "BraceHt", "OverDraw"}, bow == 0);
    }
}

void TestMainWindow::youthPageSwapsTheInputsAndBackRestoresThem()
{
    clickTab(2);
    QCOMPARE(child<QLabel>(window_.get(), "TmpLbl2")->text(), QString("Youth"));
    verifyInputsFor(true);
    QVERIFY(!caption(cell(Page::Youth, CellKind::Size, 1)).isEmpty());
    clickTab(0);
    QCOMPARE(child<QLabel>(window_.get(), "TmpLbl2")->text(), QString("Hunt"));
    verifyInputsFor(false);
}

void TestMainWindow::arrowsStopAtTheRangeEnds()
{
    struct End {
        const char* entry;
        const char* arrows;
        const char* nearEnd;
        bool up;
        const char* atEnd;
    };
    const End ends[] = {
        {"ArrowLengthSpin", "UpDown2", "32", true, "33"},
        {"ArrowLengthSpin", "UpDown2", "24", false, "23"},
        {"PointWtSpin", "UpDown4", "155", true, "160"},
        {"PointWtSpin", "UpDown4", "70", false, "65"},
        {"BowWeightSpin", "UpDown1", "18", false, "17"},
    };
    for (const End& end : ends) {
        typeInto(end.entry, end.nearEnd);
        auto* arrows = child<widgets::UpDown>(window_.get(), end.arrows);
        QToolButton* button = end.up ? arrows->upButton() : arrows->downButton();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(window_.get(), end.entry)->text(), QString(end.atEnd));
        const auto runs = window_->model().lastRun();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(window_.get(), end.entry)->text(), QString(end.atEnd));
        QCOMPARE(window_->model().lastRun().record, runs.record);
        typeInto(end.entry, end.up ? "30" : "100");
        typeInto("ArrowLengthSpin", "30");
        typeInto("PointWtSpin", "100");
        typeInto("BowWeightSpin", "60");
    }
    auto* bow = child<widgets::UpDown>(window_.get(), "UpDown1");
    QCOMPARE(bow->maximum(), 124);
    auto* point = child<widgets::UpDown>(window_.get(), "UpDown4");
    QCOMPARE(point->step(), 5);
    // A step starts from the typed number.
    typeInto("PointWtSpin", "100");
    QTest::mouseClick(point->upButton(), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(window_.get(), "PointWtSpin")->text(), QString("105"));
}

// The setups off the chart, typed with real message boxes: the box
// takes the focus from the entry, which must not show the message again.
// Then the page shows exactly what the reset setup shows from scratch, or
// no shafts, with a status line read whole.
void TestMainWindow::offChartSetupShowsOneMessageAndTheResetSetup_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("typing"); // "entry=text", in order
    QTest::addColumn<QString>("bowWeightAfter");
    QTest::addColumn<QString>("status");
    const QString offAt60 = "No shafts: at a chart weight of 60 lb (band 6) a 40 in arrow is "
                            "chart position 23, off the chart (2 to 20); at this weight the chart "
                            "takes 19 to 37 in";
    QTest::newRow("hunting, length 40") << 0 << QStringList{"ArrowLengthSpin=40"} << "60" << offAt60;
    QTest::newRow("hunting, bow 60 then length 40")
        << 0 << QStringList{"BowWeightSpin=60", "ArrowLengthSpin=40"} << "60" << offAt60;
    QTest::newRow("hunting, length 33 then bow 85")
        << 0 << QStringList{"ArrowLengthSpin=33", "BowWeightSpin=85"} << "60"
        << "Chart weight 60 lb, band 6, chart position 16";
    QTest::newRow("youth, 40 then length 27")
        << 2 << QStringList{"YouthBowWtSpin=40", "YouthArrowLenSpin=27"} << "30"
        << "Chart weight 30 lb, band 4, chart position 10";
    QTest::newRow("target, length 32 then bow 75")
        << 1 << QStringList{"ArrowLengthSpin=32", "BowWeightSpin=75"} << "60"
        << "Chart weight 60 lb, band 8, chart position 17";
}

void TestMainWindow::offChartSetupShowsOneMessageAndTheResetSetup()
{
    QFETCH(int, tab);
    QFETCH(QStringList, typing);
    window_ = std::make_unique<app::TArrowSel>(folder_->path()); // real message boxes
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    clickTab(tab);
    const QStringList boxes = closingDialogs([&] {
        for (const QString& change : typing) {
            const QStringList parts = change.split('=');
            typeInto(parts[0].toUtf8().constData(), parts[1]);
            QTest::qWait(app::TArrowSel::kTypingPauseMs + 400);
        }
    });
    QCOMPARE(boxes.size(), 1);
    const Page page = Page(tab);
    const char* bowName = page == Page::Youth ? "YouthBowWtSpin" : "BowWeightSpin";
    QTEST(child<QLineEdit>(window_.get(), bowName)->text(), "bowWeightAfter");
    auto* status = child<QLabel>(window_.get(), "RunStatusLbl");
    QTEST(status->text(), "status");
    QVERIFY(status->heightForWidth(status->width()) <= status->height());

    // The same setup run from scratch, as if the default had been typed.
    test::RecordingSink quiet;
    selection::SelectionModel fresh(folder_->path(), quiet);
    fresh.applySetup(window_->model().setup());
    QVERIFY(quiet.messages.empty() || !fresh.lastRun().valid);
    for (int row = 1; row <= selection::pageInfo(page).rows; ++row)
        for (CellKind kind : {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight}) {
            const std::string name = cell(page, kind, row);
            const auto* button =
                child<widgets::CaptionButton>(window_.get(), QString::fromStdString(name));
            QCOMPARE(button->text(), QString::fromStdString(fresh.form()[name].text));
            QCOMPARE(button->isEnabled(), fresh.form()[name].enabled);
            if (!fresh.lastRun().valid)
                QCOMPARE(button->text(), QString());
        }
    QCOMPARE(window_->model().lastRun().record, fresh.lastRun().record);
}

void TestMainWindow::carbonDetailsOpensThePanelAndCloseHidesIt()
{
    typeInto("ArrowLengthSpin", "24"); // chart position 7 lists a carbon shaft in row 3
    auto* details = child<widgets::CaptionButton>(window_.get(), "HWtBtn3");
    QCOMPARE(details->text(), QString("Details"));
    QVERIFY(details->isEnabled());
    QVERIFY(!child<QWidget>(window_.get(), "HSzBtn3")->isEnabled());
    auto* panel = child<QWidget>(window_.get(), "CAWTPanel");

    QTest::mouseClick(child<QWidget>(window_.get(), "HWtBtn1"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QTest::mouseClick(details, Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QTest::mouseClick(details, Qt::LeftButton); // stays open
    QVERIFY(panel->isVisible());
    // Shown over the lower grid rows, holding rows 10 to 16.
    QVERIFY(panel->geometry().intersects(child<QWidget>(window_.get(), "HSzBtn9")->geometry()));
    QCOMPARE(child<QWidget>(window_.get(), "HSzBtn10")->parentWidget(), panel);
    QCOMPARE(child<QLabel>(panel, "CAWTTitleLbl")->text(), QString("Carbon Shafts"));

    QTest::mouseClick(child<QWidget>(window_.get(), "CAWTCloseBtn"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    // A run keeps the panel as the user left it.
    typeInto("BowWeightSpin", "61");
    QVERIFY(!panel->isVisible());
    QTest::mouseClick(details, Qt::LeftButton);
    typeInto("BowWeightSpin", "60");
    QVERIFY(panel->isVisible());
    // Another page hides it; coming back shows it again.
    clickTab(1);
    QVERIFY(!panel->isVisible());
    clickTab(0);
    QVERIFY(panel->isVisible());
}

void TestMainWindow::sizeClickUsesThatPagesLatestRun()
{
    typeInto("BowWeightSpin", "65"); // Hunting, chart position 14
    clickTab(1);
    typeInto("BowWeightSpin", "50"); // a Target run
    clickTab(0);                     // Hunting runs again for 50 lb
    const auto record = window_->model().lastRun().record;
    QVERIFY(record.has_value());
    QVERIFY(*record != 14);
    const QString specsTitle("2011 Arrow Weight Calculator/Specifications");
    QCOMPARE(closingDialogs([&] {
                 QTest::mouseClick(child<QWidget>(window_.get(), "HSzBtn1"), Qt::LeftButton);
             }),
             QStringList{specsTitle});

    storage::Table chart(folder_->path());
    chart.open("HUNTCHRT.DBF", storage::OpenMode::ReadOnly);
    chart.go(std::uint32_t(*record));
    const QString suffix = QString::fromStdString(chart.getString("SH1SPINE")).trimmed();
    const QString size = caption("HSzBtn1");
    QCOMPARE(child<QLabel>(window_.get(), "TmpLbl")->text(), size + suffix);
    QCOMPARE(child<QLabel>(window_.get(), "SpcLbl")->text(), size);
    QCOMPARE(child<QLabel>(window_.get(), "Mods")->text(), caption("HMdBtn1"));
    QVERIFY(!child<QLabel>(window_.get(), "TmpLbl")->isVisible());

    // On Target the suffix is the row's hidden key text.
    clickTab(1);
    QCOMPARE(closingDialogs([&] {
                 QTest::mouseClick(child<QWidget>(window_.get(), "TSzBtn1"), Qt::LeftButton);
             }),
             QStringList{specsTitle});
    QCOMPARE(child<QLabel>(window_.get(), "TmpLbl")->text(),
             caption("TSzBtn1") + child<QLabel>(window_.get(), "TSP1LBL")->text());
}

void TestMainWindow::bannersCycleAndOpenTheFamilyPage()
{
    QList<QUrl> opened;
    widgets::UrlOpener::setHandler([&](const QUrl& url) {
        opened << url;
        return true;
    });
    struct Banner {
        const char* name;
        int frames;
        const char* url;
    };
    const Banner banners[] = {
        {"HBanner", 20, "https://www.norvane.example/products/hunting"},
        {"TBanner", 16, "https://www.norvane.example/products/target"},
        {"YBanner", 10, "https://www.norvane.example/products/youth"},
        {"KBanner", 7, "https://www.kavel.example/products/"},
    };
    for (int page = 0; page < 4; ++page) {
        clickTab(page);
        auto* banner = child<widgets::PictureAnimator>(window_.get(), banners[page].name);
        QCOMPARE(banner->frameCount(), banners[page].frames);
        QCOMPARE(banner->interval(), 20000);
        QVERIFY(banner->isRunning());
        QTest::mouseClick(banner, Qt::LeftButton);
    }
    widgets::UrlOpener::setHandler({});
    QCOMPARE(opened.size(), 4);
    for (int page = 0; page < 4; ++page)
        QCOMPARE(opened[page].toString(), QString(banners[page].url));
}

void TestMainWindow::printWithoutAPrinterOffersAPdf_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<bool>("acceptOffer");
    QTest::addColumn<QString>("typed"); // into the bow weight right before Print
    QTest::newRow("hunting, PDF taken") << 0 << "2011 Hunting Shafts" << true << "";
    QTest::newRow("target, PDF taken") << 1 << "2011 Target Shafts" << true << "";
    QTest::newRow("youth, PDF taken") << 2 << "2011 Youth Shafts" << true << "";
    QTest::newRow("kavel, PDF taken") << 3 << "2011 Kavel Shafts" << true << "";
    QTest::newRow("hunting, offer declined") << 0 << "" << false << "";
    // A message held back from typing shows first, and a grid that no
    // longer matches the inputs is never printed.
    QTest::newRow("hunting, invalid bow weight typed") << 0 << "" << true << "ab";
}

void TestMainWindow::printWithoutAPrinterOffersAPdf()
{
    QFETCH(int, tab);
    QFETCH(QString, heading);
    QFETCH(bool, acceptOffer);
    QFETCH(QString, typed);
    QVERIFY2(QPrinterInfo::defaultPrinter().isNull(),
             "this test needs no reachable print server (CTest points CUPS_SERVER nowhere)");
    clickTab(tab);
    if (!typed.isEmpty())
        typeInto(tab == 2 ? "YouthBowWtSpin" : "BowWeightSpin", typed);
    sink_->messages.clear();
    QTemporaryDir out;
    QStringList offers, proposed;
    app::SheetOutput::setHandlers(
        [&](const QString& message, const QString& question) {
            offers << message << question;
            return acceptOffer;
        },
        [&](const QString& path) {
            proposed << path;
            return std::optional<QString>(out.filePath("sheet"));
        });
    const auto page = window_->model().activePage();
    const QString button = QString::fromStdString(selection::pageControlName(page, "PrintBtn"));
    QTest::mouseClick(child<widgets::CaptionButton>(window_.get(), button), Qt::LeftButton);
    app::SheetOutput::setHandlers({}, {});

    if (!typed.isEmpty()) {
        QCOMPARE(sink_->messages.size(), std::size_t(1));
        QVERIFY(offers.isEmpty());
        return;
    }
    QCOMPARE(offers,
             (QStringList{"No printer is set up.", "Save the sheet as a PDF file instead?"}));
    QVERIFY(sink_->messages.empty());
    if (!acceptOffer) {
        QVERIFY(proposed.isEmpty());
        QVERIFY(QDir(out.path()).isEmpty());
        return;
    }
    QCOMPARE(proposed.size(), 1);
    QCOMPARE(QFileInfo(proposed.front()).fileName(),
             QString("%1 setup sheet %2.pdf")
                 .arg(QString::fromUtf8(selection::pageInfo(page).tabCaption),
                      QDate::currentDate().toString(Qt::ISODate)));
    const test::PdfContent pdf = test::readPdf(out.filePath("sheet.pdf"));
    QCOMPARE(pdf.pages, 1);
    QVERIFY2(pdf.text.contains(heading), qPrintable(pdf.text));
}

void TestMainWindow::saveSheetAsPdfSavesTheShownPage()
{
    for (const char* action :
         {"SaveSetup1", "SaveSheetAsPdf1", "ShopInformation1", "ExportCustomerDatabase1",
          "GetSetup1", "KineticEnergy1", "About1", "Exit1", "Contents1"})
        QVERIFY2(child<QAction>(window_.get(), action)->isEnabled(), action);
    clickTab(3);
    QTemporaryDir out;
    std::optional<QString> answer = out.filePath("for Kari.pdf");
    QStringList proposed;
    app::SheetOutput::setHandlers({}, [&](const QString& path) {
        proposed << path;
        return answer;
    });
    auto* save = child<QAction>(window_.get(), "SaveSheetAsPdf1");
    save->trigger();
    const test::PdfContent pdf = test::readPdf(*answer);
    QCOMPARE(pdf.pages, 1);
    QVERIFY(pdf.text.contains("2011 Kavel Shafts"));
    // The next one is proposed in the folder of the last one.
    answer = std::nullopt;
    save->trigger();
    answer = "/nonexistent-folder/sheet.pdf";
    save->trigger();
    app::SheetOutput::setHandlers({}, {});
    QCOMPARE(proposed.size(), 3);
    QCOMPARE(QFileInfo(proposed[0]).fileName(),
             "Kavel setup sheet " + QDate::currentDate().toString(Qt::ISODate) + ".pdf");
    QCOMPARE(QFileInfo(proposed[1]).absolutePath(), QFileInfo(out.path()).absoluteFilePath());
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"for Kari.pdf"});
    QCOMPARE(sink_->messages.size(), std::size_t(1));
    QVERIFY(sink_->messages[0].error);
    QVERIFY(
        QString::fromStdString(sink_->messages[0].text).contains("/nonexistent-folder/sheet.pdf"));
}

void TestMainWindow::getSetupOnAnEmptyTableSaysSo()
{
    storage::Table saved(folder_->path());
    saved.open("Saveddb.dbf", storage::OpenMode::ReadOnly);
    QCOMPARE(saved.recordCount(), 0u);
    saved.close();
    sink_->messages.clear();
    QTest::mouseClick(child<QWidget>(window_.get(), "HGetBtn"), Qt::LeftButton);
    QCOMPARE(sink_->messages.size(), std::size_t(1));
    QVERIFY(!sink_->messages[0].error);
    QCOMPARE(sink_->messages[0].text,
             std::string("There are no records on file currently, use Save Setup first."));
    child<QAction>(window_.get(), "GetSetup1")->trigger();
    QCOMPARE(sink_->messages.size(), std::size_t(2));
    // The count closes its table again: the file can be replaced at once.
    QVERIFY(QFile::remove(folder_->filePath("Saveddb.dbf")));
    clickTab(1);
    QTest::mouseClick(child<QWidget>(window_.get(), "TGetBtn"), Qt::LeftButton);
    QCOMPARE(sink_->messages.size(), std::size_t(3));
    QVERIFY(sink_->messages[2].error);
    QVERIFY(QString::fromStdString(sink_->messages[2].text).contains("Table does not exist"));
}

// Save Setup, Get Setup with a setup on file, Shop Information and Export
// each do their work in their own window or file.
void TestMainWindow::customerCommandsOpenTheirWindows()
{
    QCOMPARE(closingDialogs([&] {
                 QTest::mouseClick(child<QWidget>(window_.get(), "HSaveBtn"), Qt::LeftButton);
                 child<QAction>(window_.get(), "ShopInformation1")->trigger();
             }),
             QStringList({"2011 Customer Information", "2010 Shop Information"}));
    window_.reset();
    {
        storage::Table saved(folder_->path());
        saved.open("Saveddb.dbf");
        saved.appendBlank();
        for (const auto& [field, text] : {std::pair{"NAME", "SMITH"},
                                          {"HORT", "0"},
                                          {"BOWWT", "60"},
                                          {"ARLEN", "30"},
                                          {"PNTWT", "100"},
                                          {"BOTYP", "0"},
                                          {"WHTYP", "0"},
                                          {"RETYP", "0"},
                                          {"BOLEN", "0"},
                                          {"ODLEN", "0"}})
            saved.setField(field, text);
        saved.post();
        saved.close();
    }
    window_ = std::make_unique<app::TArrowSel>(folder_->path(), sink_.get());
    QCOMPARE(closingDialogs([&] {
                 QTest::mouseClick(child<QWidget>(window_.get(), "HGetBtn"), Qt::LeftButton);
             }),
             QStringList({"2010 Retrieve Customer Information"}));
    sink_->messages.clear();
    child<QAction>(window_.get(), "ExportCustomerDatabase1")->trigger();
    QCOMPARE(sink_->messages.size(), std::size_t(1));
    QCOMPARE(sink_->messages[0].text, std::string("File CUSTDB.TXT has been created"));
    QFile exported(folder_->filePath("custdb.txt"));
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QVERIFY(exported.readAll().contains("SMITH"));
    // The workbook goes where the user says, under a proposed dated name.
    QTemporaryDir out;
    QString proposed;
    app::SheetOutput::setHandlers({}, [&](const QString& path) {
        proposed = path;
        return std::optional<QString>(out.filePath("customers"));
    });
    sink_->messages.clear();
    child<QAction>(window_.get(), "ExportSpreadsheet1")->trigger();
    app::SheetOutput::setHandlers({}, {});
    QCOMPARE(QFileInfo(proposed).fileName(),
             "Customer database " + QDate::currentDate().toString(Qt::ISODate) + ".xlsx");
    QCOMPARE(sink_->texts(), std::vector<std::string>{"File customers.xlsx has been created"});
    QVERIFY(QFileInfo(out.filePath("customers.xlsx")).size() > 0);
    sink_->messages.clear();

    // A journal from another copy of the folder is not replayed into the
    // customer table: it is moved aside, and the user is told so.
    window_.reset();
    const QString journal = folder_->filePath("Saveddb.dbf-journal");
    QFile stale(journal);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray("STALE JOURNAL IMAGE").repeated(20));
    stale.close();
    QFile table(folder_->filePath("Saveddb.dbf"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    const QByteArray before = table.readAll();
    table.close();
    window_ = std::make_unique<app::TArrowSel>(folder_->path(), sink_.get());
    QCOMPARE(sink_->messages.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(sink_->messages[0].text).contains("Saveddb.dbf-journal"));
    QVERIFY(!QFile::exists(journal));
    QVERIFY(QFile::exists(journal + ".rejected-1"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll(), before);
}

void TestMainWindow::typingHoldsTheMessageUntilAPauseOrFocusLeaves()
{
    clickTab(3); // Kavel has no entry gate: one digit of a length is off the chart
    sink_->messages.clear();
    typeInto("ArrowLengthSpin", "2");
    QVERIFY(sink_->messages.empty());
    QTest::keyClicks(child<QLineEdit>(window_.get(), "ArrowLengthSpin"), "8");
    QTest::qWait(app::TArrowSel::kTypingPauseMs + 200);
    QVERIFY(sink_->messages.empty()); // 28 is on the chart: never shown
    QCOMPARE(window_->model().lastRun().record, std::optional<int>(13));

    typeInto("ArrowLengthSpin", "2");
    QVERIFY(sink_->messages.empty());
    QTRY_COMPARE_WITH_TIMEOUT(sink_->messages.size(), std::size_t(1), 3000);
    QVERIFY(!sink_->messages[0].error);

    // Leaving the entry shows it at once.
    typeInto("ArrowLengthSpin", "30");
    clickTab(0);
    sink_->messages.clear();
    typeInto("BowWeightSpin", "ab");
    QVERIFY(sink_->messages.empty());
    child<QLineEdit>(window_.get(), "PointWtSpin")->setFocus();
    QTRY_COMPARE_WITH_TIMEOUT(sink_->messages.size(), std::size_t(1), 500);
    QCOMPARE(sink_->messages[0].text, std::string("'ab' is not a valid integer value"));
}

void TestMainWindow::staleGridIsDimmedAndTheStatusSaysSo()
{
    auto* overlay = child<QWidget>(window_.get(), "HStaleOverlay");
    auto* status = child<QLabel>(window_.get(), "RunStatusLbl");
    QVERIFY(!overlay->isVisible());
    QVERIFY(!status->text().startsWith("Out of date"));
    typeInto("BowWeightSpin", "6"); // the entry gate skips the run: the grid is for 60 lb
    QVERIFY(overlay->isVisible());
    QVERIFY(status->text().startsWith("Out of date"));
    // The whole status fits its two lines.
    QVERIFY(status->text().startsWith("Out of date: Entries incomplete"));
    QVERIFY(status->heightForWidth(status->width()) <= status->height());
    QTest::keyClicks(child<QLineEdit>(window_.get(), "BowWeightSpin"), "5");
    QVERIFY(!overlay->isVisible());
    QCOMPARE(window_->model().lastRun().chartWeight, std::optional<int>(65));
    QVERIFY(!status->text().startsWith("Out of date"));
}

void TestMainWindow::commandsStandInOneColumnAndTabsLightUp()
{
    for (const char* prefix : {"H", "T", "Y", "K"}) {
        QRect previous;
        for (const char* command : {"PrintBtn", "SaveBtn", "GetBtn", "ExitBtn"}) {
            const QRect here = child<QWidget>(window_.get(), QString(prefix) + command)->geometry();
            if (previous.isValid()) {
                QCOMPARE(here.x(), previous.x());
                QCOMPARE(here.width(), previous.width());
                QVERIFY2(here.top() > previous.bottom(), command);
            }
            previous = here;
        }
    }
    QTabBar* tabs = child<QTabWidget>(window_.get(), "ShaftsNB")->tabBar();
    const QPoint inside = tabs->tabRect(2).topLeft() + QPoint(10, 10);
    QTest::mouseMove(tabs, tabs->tabRect(0).center());
    const QColor cold = tabs->grab().toImage().pixelColor(inside);
    QTest::mouseMove(tabs, tabs->tabRect(2).center());
    QTRY_VERIFY(tabs->grab().toImage().pixelColor(inside) != cold);
}

// 96 lb (hard cam band 12) fits the chart up to 31 inches: holding the
// length's up arrow from 31 reaches 32, whose message box takes the mouse
// release. The arrow must stop there instead of running on behind the box.
void TestMainWindow::aMessageBoxStopsAHeldArrow()
{
    window_ = std::make_unique<app::TArrowSel>(folder_->path()); // real message boxes
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    typeInto("ArrowLengthSpin", "31");
    typeInto("BowWeightSpin", "96");
    int boxes = 0;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++boxes;
            modal->close();
        }
    });
    closer.start(400);
    QToolButton* up = child<widgets::UpDown>(window_.get(), "UpDown2")->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(boxes, 1, 5000);
    QTest::qWait(1500); // long enough for many repeats
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(boxes, 1);
    QVERIFY(!up->isDown());
    QCOMPARE(child<QLineEdit>(window_.get(), "ArrowLengthSpin")->text(), QString("32"));
    QCOMPARE(child<QLineEdit>(window_.get(), "BowWeightSpin")->text(), QString("60"));
}

void TestMainWindow::guideAndAboutOpenAsFreshModalWindows()
{
    const QStringList titles = closingDialogs([&] {
        clickTab(2);
        QTest::mouseClick(child<QWidget>(window_.get(), "YModels2011Btn"), Qt::LeftButton);
        clickTab(3);
        QTest::mouseClick(child<QWidget>(window_.get(), "KModelsBtn"), Qt::LeftButton);
        QTest::mouseClick(child<QWidget>(window_.get(), "KKECalcBtn"), Qt::LeftButton);
        child<QAction>(window_.get(), "KineticEnergy1")->trigger();
        child<QAction>(window_.get(), "TrajectoryReference1")->trigger();
        child<QAction>(window_.get(), "About1")->trigger();
    });
    const QString ke("2011 Kinetic Energy and Front of Center Calculators");
    QCOMPARE(titles,
             QStringList({"2011 Target/Youth Shaft Models Guide", "2011 Kavel Shaft Models Guide",
                          ke, ke, "Quiverwise Plus", "About 2011"}));
}

void TestMainWindow::gridCellsLightUpUnderTheMouse()
{
    struct Hover {
        const char* cell;
        QColor fill;
    };
    // Spine and model cells take no clicks, yet light up; size cells do both.
    const Hover hovers[] = {{"HSpBtn2", QColor(0x008080)},
                            {"HMdBtn1", QColor(0x008080)},
                            {"HWtBtn1", Qt::black},
                            {"HSzBtn1", Qt::black}};
    for (const Hover& hover : hovers) {
        auto* cell = child<widgets::CaptionButton>(window_.get(), hover.cell);
        QTest::mouseMove(cell, cell->rect().center());
        QTRY_COMPARE(cell->paintedFill(), hover.fill);
        QTest::mouseMove(window_.get(), {2, 2});
        QTRY_VERIFY(cell->paintedFill() != hover.fill);
    }
    auto* spine = child<widgets::CaptionButton>(window_.get(), "HSpBtn2");
    QSignalSpy clicks(spine, &QAbstractButton::clicked);
    QTest::mouseClick(spine, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
