// The setup sheets printed for real: each page's sheet, from the library and
// from quiverwise-sheet --print, goes to the default printer (the test run's
// private PDF queue) as one US Letter page with the shop's and the window's
// texts; without a print server the tool prints nothing and says so.

#include "PrintQueue.h"
#include "ShopRecord.h"

#include <reports/SetupSheets.h>
#include <selection/RecordingSink.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace qw;
using selection::Page;

namespace {

const QString kShopName = QStringLiteral("Red Cedar Archery Supply");
const QString kToolPath = QStringLiteral(QW_PROGRAM_DIR "/quiverwise-sheet");

enum class Route { Library, Tool };

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::filesystem::path folder_;
    test::PrintQueue queue_;

    // Prints the page's sheet with one entry set, as the page's Print button
    // or the command line would; false with a message when it did not print.
    bool print(Route route, Page page, const QString& entry, const QString& option,
               const QString& value, QString* error)
    {
        if (route == Route::Tool) {
            QProcess tool;
            tool.start(kToolPath,
                       {"--page", pageName(page), option, value, "--data", dir_.path(), "--print"});
            if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
                *error = QString("quiverwise-sheet exited %1: %2")
                             .arg(tool.exitCode())
                             .arg(QString::fromUtf8(tool.readAllStandardError()));
                return false;
            }
            return true;
        }
        selection::RecordingSink sink;
        selection::SelectionModel model(folder_, sink);
        model.findRec();
        model.setTextQuietly(entry.toStdString(), value.toStdString());
        model.setActivePage(page);
        model.findRec();
        reports::SetupSheet sheet(reports::sheetDesign(page), folder_);
        return sheet.print(model.form(), error) == reports::PrintOutcome::Printed;
    }

    static QString pageName(Page page)
    {
        switch (page) {
        case Page::Targ:
            return "targ";
        case Page::Youth:
            return "youth";
        case Page::Kavl:
            return "kavl";
        case Page::Hunt:
            break;
        }
        return "hunt";
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(queue_.isAvailable(),
                 "QW_PRINT_OUT names no print queue folder: run this test through ctest");
        QVERIFY(dir_.isValid());
        folder_ = dir_.path().toStdString();
        for (const auto& entry : std::filesystem::directory_iterator(QW_PROGRAM_DIR))
            if (entry.is_regular_file() && entry.path().extension() != "" &&
                entry.path().extension() != ".pdf")
                std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename());
        test::writeShop(folder_, {.name = kShopName.toStdString()});
    }

    // One job, one Letter page, with the shop's name, the block's title,
    // the page's heading and the value entered.
    void printed_data()
    {
        QTest::addColumn<int>("route");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("heading");
        struct Sheet {
            const char* name;
            Page page;
            const char* entry;
            const char* option;
            const char* value;
            const char* heading;
        };
        const Sheet sheets[] = {
            {"hunting", Page::Hunt, "BowWeightSpin", "--bow-weight", "65", "2011 Hunting Shafts"},
            {"target", Page::Targ, "BowWeightSpin", "--bow-weight", "50", "2011 Target Shafts"},
            {"youth", Page::Youth, "YouthBowWtSpin", "--youth-bow-weight", "30",
             "2011 Youth Shafts"},
            {"kavel", Page::Kavl, "BowWeightSpin", "--bow-weight", "55", "2011 Kavel Shafts"},
        };
        for (const Sheet& s : sheets)
            for (Route route : {Route::Library, Route::Tool})
                QTest::addRow("%s, %s", s.name,
                              route == Route::Library ? "library" : "quiverwise-sheet")
                    << int(route) << int(s.page) << s.entry << s.option << s.value << s.heading;
    }
    void printed()
    {
        QFETCH(int, route);
        QFETCH(int, page);
        QFETCH(QString, entry);
        QFETCH(QString, option);
        QFETCH(QString, value);
        QFETCH(QString, heading);
        const auto mark = queue_.mark();
        QString error;
        QVERIFY2(print(Route(route), Page(page), entry, option, value, &error), qPrintable(error));
        const QStringList pdfs = queue_.pdfsSince(mark, 1);
        QCOMPARE(pdfs.size(), 1);
        const test::PdfContent pdf = test::readPdf(pdfs.front());
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.width, 612.0);
        QCOMPARE(pdf.height, 792.0);
        for (const QString& text : {kShopName, QString("Equipment Setup Variables"), heading,
                                    "Peak Bow Weight: " + value})
            QVERIFY2(pdf.text.contains(text),
                     qPrintable(QString("'%1' not on the printed page:\n%2").arg(text, pdf.text)));
    }

    // A print server that is not there, while the queue runs: no printer,
    // the message, and nothing reaches the queue.
    void toolWithoutPrintServer()
    {
        const auto mark = queue_.mark();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CUPS_SERVER", dir_.filePath("no-print-server.sock"));
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(kToolPath, {"--page", "hunt", "--data", dir_.path(), "--print"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(tool.readAllStandardError().contains("No printer is set up."));
        QCOMPARE(queue_.pdfsSince(mark, 0), QStringList());
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
