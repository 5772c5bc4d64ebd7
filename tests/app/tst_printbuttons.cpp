// Every Print button pressed in the real windows sends one page to the
// default printer, the test run's private PDF queue: each page's setup
// sheet from the main window, and the customer sheet from the retrieval
// window, which shows its printing window meanwhile; quiverwise-sheet
// --print sends the same sheets, and the arrow build sheet.

#include "AppTestSupport.h"

#include "../customers/RetrievalFixture.h"
#include "../reports/PrintQueue.h"
#include "../reports/ShopRecord.h"
#include "app/TArrowSel.h"
#include "selection/Pages.h"
#include "storage/Table.h"
#include "widgets/CaptionButton.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace qw;
using selection::Page;
using test::child;

namespace {

const QString kShopName = QStringLiteral("Twin Oaks Archery");

// Notes the printing window each time it shows.
class ProgressWatch : public QObject {
public:
    int shown = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == "PrintProgress")
            ++shown;
        return false;
    }
};

} // namespace

class TestPrintButtons : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(queue_.isAvailable(), "run through CTest, which starts the print queue");
        QVERIFY(!QPrinterInfo::defaultPrinter().isNull());
        folder_.add({test::customer("Larsen, Kari", {{"COMMENTS", "Check the nock fit."}}),
                     test::customer("Olson, Per", {{"HORT", "1"}, {"BOTYP", "1"}})});
        test::writeShop(folder_.path(), {.name = kShopName.toStdString()});
        window_ = std::make_unique<app::TArrowSel>(folder_.path(), &sink_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanupTestCase() { window_.reset(); }

    void eachPagePrintsItsSheet_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("heading");
        QTest::newRow("hunting") << 0 << "2011 Hunting Shafts";
        QTest::newRow("target") << 1 << "2011 Target Shafts";
        QTest::newRow("youth") << 2 << "2011 Youth Shafts";
        QTest::newRow("kavel") << 3 << "2011 Kavel Shafts";
    }
    void eachPagePrintsItsSheet()
    {
        QFETCH(int, tab);
        QFETCH(QString, heading);
        QTabBar* tabs = child<QTabWidget>(window_.get(), "ShaftsNB")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        const Page page = window_->model().activePage();
        const QString firstSize = QString::fromStdString(
            window_->model().form()[selection::cellName(page, selection::CellKind::Size, 1)].text);
        QVERIFY(!firstSize.isEmpty());
        const auto mark = queue_.mark();
        const QString print = QString::fromStdString(selection::pageControlName(page, "PrintBtn"));
        QTest::mouseClick(child<widgets::CaptionButton>(window_.get(), print), Qt::LeftButton);
        const QStringList printed = queue_.pdfsSince(mark, 1);
        QCOMPARE(printed.size(), 1);
        const test::PdfContent pdf = test::readPdf(printed.front());
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        QCOMPARE(pdf.height, 792.0);
        for (const QString& text :
             {kShopName, QString("Equipment Setup Variables"), heading, firstSize})
            QVERIFY2(pdf.text.contains(text), qPrintable(text + " missing from:\n" + pdf.text));
        QVERIFY(sink_.messages.empty());
    }

    // Get Setup, Search, then the retrieval window's Print; the second
    // record after Next.
    void retrievalWindowPrintsTheRecordItShows()
    {
        ProgressWatch watch;
        qApp->installEventFilter(&watch);
        QStringList printedNames;
        int step = 0;
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != "TGetCust" || !modal->isVisible())
                return;
            switch (step++) {
            case 0:
                QTest::mouseClick(child<widgets::CaptionButton>(modal, "PrintBtn"), Qt::LeftButton);
                break;
            case 1:
                QTest::mouseClick(child<widgets::CaptionButton>(modal, "NavNext"), Qt::LeftButton);
                QTest::mouseClick(child<widgets::CaptionButton>(modal, "PrintBtn"), Qt::LeftButton);
                break;
            default:
                QTest::mouseClick(child<widgets::CaptionButton>(modal, "ExitBtn"), Qt::LeftButton);
                break;
            }
        });
        driver.start(50);
        const auto mark = queue_.mark();
        window_->SpeedButton3Click();
        driver.stop();
        qApp->removeEventFilter(&watch);
        QCOMPARE(watch.shown, 2);
        const QStringList printed = queue_.pdfsSince(mark, 2);
        QCOMPARE(printed.size(), 2);
        const char* const names[] = {"Larsen, Kari", "Olson, Per"};
        for (int i = 0; i < 2; ++i) {
            const test::PdfContent pdf = test::readPdf(printed[i]);
            QCOMPARE(pdf.pages, 1);
            QCOMPARE(pdf.width, 612.0);
            for (const QString& text : {QString("Customer Detail Report"),
                                        QString("For Customer: ") + names[i], kShopName})
                QVERIFY2(pdf.text.contains(text), qPrintable(text + " missing from:\n" + pdf.text));
        }
        QVERIFY(test::readPdf(printed[0]).text.contains("Check the nock fit."));
        QVERIFY(test::readPdf(printed[1]).text.contains("Target Shafts"));
        QVERIFY(sink_.messages.empty());
    }

    void commandLinePrints_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("hunting") << QStringList{"--page", "hunt", "--bow-weight", "65"}
                                 << "Peak Bow Weight: 65";
        QTest::newRow("target") << QStringList{"--page", "targ", "--bow-weight", "50"}
                                << "2011 Target Shafts";
        QTest::newRow("youth") << QStringList{"--page", "youth", "--youth-bow-weight", "30"}
                               << "Peak Bow Weight: 30";
        QTest::newRow("kavel") << QStringList{"--page", "kavl"} << "2011 Kavel Shafts";
        QTest::newRow("customer") << QStringList{"--customer", "ol"} << "For Customer: Olson, Per";
        QTest::newRow("build sheet")
            << QStringList{"--build", "--page", "targ", "--row", "1", "--length", "28.5"}
            << "Cut Length: 28.5 in";
    }
    void commandLinePrints()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const auto mark = queue_.mark();
        QProcess tool;
        tool.start(QW_PROGRAM_DIR "/quiverwise-sheet",
                   arguments << "--data" << QString::fromStdString(folder_.path()) << "--print");
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        const QStringList printed = queue_.pdfsSince(mark, 1);
        QCOMPARE(printed.size(), 1);
        const test::PdfContent pdf = test::readPdf(printed.front());
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        for (const QString& text : {kShopName, expected})
            QVERIFY2(pdf.text.contains(text), qPrintable(text + " missing from:\n" + pdf.text));
    }

private:
    test::CustomerFolder folder_;
    test::RecordingSink sink_;
    test::PrintQueue queue_;
    std::unique_ptr<app::TArrowSel> window_;
};

QTEST_MAIN(TestPrintButtons)
#include "tst_printbuttons.moc"
