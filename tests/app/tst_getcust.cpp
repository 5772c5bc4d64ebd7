// The customer retrieval window on the real widgets, over a copy of the
// program folder and the real main window.

#include "AppTestSupport.h"

#include "../customers/CustomerTestSupport.h"
#include "../customers/RetrievalFixture.h"
#include "../reports/PrintQueue.h"
#include "app/InputPrompt.h"
#include "app/SheetOutput.h"
#include "app/TArrowSel.h"
#include "app/TGetCust.h"
#include "reports/CustomerSheet.h"
#include "widgets/CaptionButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace qw;
using test::child;
using test::customer;

class TestGetCust : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        folder_ = std::make_unique<test::CustomerFolder>();
        folder_->add(
            {customer("Smith, Ann"),
             customer("Johnson, Al", test::fieldsOf("HORT=1 BOWWT=55 ARLEN=28 BOTYP=1 RETYP=1")),
             customer("Adams, Kim")});
        sheet_ = std::make_unique<reports::TCustInfoRpt>(folder_->path());
        sink_.clear();
    }
    void cleanup()
    {
        app::InputPrompt::setHandler({});
        app::SheetOutput::setHandlers({}, {});
    }

    void windowShowsTheFirstRecordWithNavigatorHints()
    {
        selection::SelectionModel mainWindow(folder_->path(), sink_);
        app::TGetCust window(folder_->path(), mainWindow, sink_, *sheet_);
        window.show();
        QVERIFY(window.opened());
        QCOMPARE(child<QLineEdit>(&window, "NameEdit")->text(), "Adams, Kim");
        QCOMPARE(child<QLabel>(&window, "Label17")->text(), "Hunting Shafts");
        QCOMPARE(child<QLabel>(&window, "Label24")->text(), "60#");
        QStringList hints;
        for (const char* name : customers::CustomerRetrieval::kNavigatorButtons)
            hints << child<widgets::CaptionButton>(&window, name)->toolTip();
        QCOMPARE(hints.join('|'),
                 "Go to first record|Go to previous record|Go to next record|Go to "
                 "last record|Edit record|Post record|Cancel changes ");
        QTest::mouseClick(child<widgets::CaptionButton>(&window, "NavNext"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(&window, "NameEdit")->text(), "Johnson, Al");
        QCOMPARE(child<QLabel>(&window, "Label9")->text(), "Recurve");
        QVERIFY(sink_.messages.empty());
    }

    void searchAsksThePrompt_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        // A name found through the prompt: returnDataRecomputesTheMainWindowsGrid.
        QTest::newRow("miss") << std::optional<QString>("Xy") << "Adams, Kim"
                              << QStringList{"Name not found"};
        QTest::newRow("Cancel") << std::optional<QString>() << "Adams, Kim" << QStringList{};
    }

    void searchAsksThePrompt()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        selection::SelectionModel mainWindow(folder_->path(), sink_);
        app::TGetCust window(folder_->path(), mainWindow, sink_, *sheet_);
        window.show();
        QTest::mouseClick(child<widgets::CaptionButton>(&window, "NavLast"), Qt::LeftButton);
        QStringList asked;
        app::InputPrompt::setHandler(
            [&](const QString& title, const QString& prompt, const QString& defaultText) {
                asked << title << prompt << defaultText;
                return answer;
            });
        QTest::mouseClick(child<QPushButton>(&window, "Button1"), Qt::LeftButton);
        QCOMPARE(asked, (QStringList{"Find Customer", "Enter First Letters of Name, Xxx", ""}));
        QCOMPARE(child<QLineEdit>(&window, "NameEdit")->text(), shown);
        QStringList got;
        for (const std::string& text : sink_.texts())
            got << QString::fromStdString(text);
        QCOMPARE(got, messages);
    }

    void returnDataRecomputesTheMainWindowsGrid()
    {
        app::TArrowSel mainWindow(folder_->path(), &sink_);
        app::TGetCust window(folder_->path(), mainWindow.model(), sink_, *sheet_, &mainWindow);
        window.show();
        app::InputPrompt::setHandler([](auto&&...) { return std::optional<QString>("Johnson"); });
        QTest::mouseClick(child<QPushButton>(&window, "Button1"), Qt::LeftButton);
        QTest::mouseClick(child<widgets::CaptionButton>(&window, "ReturnDataBtn"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.retrieval().isOpen());
        QCOMPARE(child<QTabWidget>(&mainWindow, "ShaftsNB")->currentIndex(), 1);
        QCOMPARE(child<QLineEdit>(&mainWindow, "BowWeightSpin")->text(), "55");

        // The same setup worked out by a model of its own.
        test::RecordingSink quiet;
        selection::SelectionModel reference(folder_->path(), quiet);
        reference.findRec();
        test::showSetup(reference, test::setupOf(selection::Page::Targ,
                                                 "BowWeightSpin=55 ArrowLengthSpin=28 BowType=1 "
                                                 "TargBowType=1 ReleaseType=1"));
        QVERIFY(!reference.form()["TSzBtn1"].text.empty());
        for (const char* cell : {"TSzBtn1", "TSpBtn1", "TWtBtn1", "TSzBtn5", "TMdBtn5"})
            QCOMPARE(child<widgets::CaptionButton>(&mainWindow, cell)->text().toStdString(),
                     reference.form()[cell].text);
        QVERIFY(sink_.messages.empty());
    }

    void typedCorrectionIsPostedOrDroppedOnClose()
    {
        selection::SelectionModel mainWindow(folder_->path(), sink_);
        {
            app::TGetCust window(folder_->path(), mainWindow, sink_, *sheet_);
            window.show();
            auto* state = child<QLineEdit>(&window, "StateEdit");
            state->selectAll();
            QTest::keyClicks(state, "wa");
            QCOMPARE(state->text(), "WA");
            auto* post = child<widgets::CaptionButton>(&window, "NavPost");
            QVERIFY(post->isEnabled());
            QTest::mouseClick(post, Qt::LeftButton);
            QVERIFY(!post->isEnabled());
            auto* city = child<QLineEdit>(&window, "CityEdit");
            city->selectAll();
            QTest::keyClicks(city, "Nowhere");
            QTest::mouseClick(child<widgets::CaptionButton>(&window, "ExitBtn"), Qt::LeftButton);
            QCOMPARE(window.result(), int(QDialog::Rejected));
        }
        storage::Table table(folder_->path());
        table.open("Saveddb.dbf");
        table.go(3);
        QCOMPARE(table.getString("STATE").substr(0, 3), "WA ");
        QCOMPARE(table.getString("CITY").substr(0, 8), "Bowmont ");
        QVERIFY(sink_.messages.empty());
    }

    // Save as PDF proposes the customer's name; Print with no printer says so
    // and offers the same sheet as a PDF. Each prints the record on screen.
    void customerSheetGoesToAPdfWithoutAPrinter()
    {
        QVERIFY2(QPrinterInfo::defaultPrinter().isNull(),
                 "this test needs no reachable print server (CTest points CUPS_SERVER nowhere)");
        selection::SelectionModel mainWindow(folder_->path(), sink_);
        app::TGetCust window(folder_->path(), mainWindow, sink_, *sheet_);
        window.show();
        QTemporaryDir out;
        QStringList offers, proposed;
        app::SheetOutput::setHandlers(
            [&](const QString& message, const QString&) {
                offers << message;
                return true;
            },
            [&](const QString& path) {
                proposed << path;
                return std::optional<QString>(
                    out.filePath(QString::number(proposed.size()) + ".pdf"));
            });
        QTest::mouseClick(child<widgets::CaptionButton>(&window, "SavePdfBtn"), Qt::LeftButton);
        QVERIFY(offers.isEmpty());
        QTest::mouseClick(child<widgets::CaptionButton>(&window, "NavNext"), Qt::LeftButton);
        QTest::mouseClick(child<widgets::CaptionButton>(&window, "PrintBtn"), Qt::LeftButton);
        QCOMPARE(offers, QStringList{"No printer is set up."});
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(proposed.size(), 2);
        QCOMPARE(QFileInfo(proposed[0]).fileName(), "Adams, Kim customer sheet " + today + ".pdf");
        QCOMPARE(QFileInfo(proposed[1]).fileName(), "Johnson, Al customer sheet " + today + ".pdf");
        const std::pair<const char*, const char*> sheets[] = {{"1.pdf", "Adams, Kim"},
                                                              {"2.pdf", "Johnson, Al"}};
        for (const auto& [file, name] : sheets) {
            const test::PdfContent pdf = test::readPdf(out.filePath(file));
            QCOMPARE(pdf.pages, 1);
            QVERIFY(pdf.text.contains("Customer Detail Report"));
            QVERIFY2(pdf.text.contains(QString("For Customer: ") + name), qPrintable(pdf.text));
        }
        QVERIFY(window.isVisible());
        QVERIFY(sink_.messages.empty());
    }

private:
    std::unique_ptr<test::CustomerFolder> folder_;
    std::unique_ptr<reports::TCustInfoRpt> sheet_;
    test::RecordingSink sink_;
};

QTEST_MAIN(TestGetCust)
#include "tst_getcust.moc"
