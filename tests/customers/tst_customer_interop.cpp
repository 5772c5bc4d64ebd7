// Other programs read what the customer records write: python3-dbfread and
// Perl XBase read a saved record field by field, and LibreOffice opens the
// export with one row per record, accents and memo lines intact and no
// formula run.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"

#include "customers/CustomerExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

using namespace qw;

namespace {

const QString kPython = "/usr/bin/python3";
const QString kPerl = "/usr/bin/perl";
const QString kScripts = QStringLiteral(QW_FIXTURES_DIR "/dbf/scripts/");
const QString kCsvToJson = "import csv, json, sys\n"
                           "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                           "    print(json.dumps(list(csv.reader(f))))\n";

QByteArray run(const QString& program, const QStringList& arguments, int timeout = 60000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeout) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() +
                                 " failed: " + process.readAllStandardError().toStdString());
    return process.readAllStandardOutput();
}

// The fields in table order as one reader gives them, blanks trimmed.
QStringList lastRow(const QByteArray& json)
{
    const QJsonArray rows = QJsonDocument::fromJson(json).array();
    QStringList values;
    for (const QJsonValue& value : rows.last().toArray()) {
        QString text = value.toString();
        while (text.endsWith(' '))
            text.chop(1);
        values << text;
    }
    return values;
}

} // namespace

class TestCustomerInterop : public QObject {
    Q_OBJECT

    test::ProgramFolderCopy folder_;
    test::RecordingSink sink_;
    test::Fields details_ = {
        {"NAME", "José Müller-Øst"},
        {"ADDR1", "=1+1"},
        {"ADDR2", "@SUM(1)"},
        {"CITY", "Trois-Rivières"},
        {"STATE", "qc"},
        {"ZIP", "-G9A 5H7"},
        {"COUNTRY", "Canada"},
        {"CCODE", "+1"},
        {"COMMENTS", "Left-handed.\nPrefers \"Norvane\" élite vanes, 3\" long."}};

private slots:
    void initTestCase()
    {
        selection::SelectionModel window(folder_.path(), sink_);
        window.findRec();
        test::showSetup(window, test::setupOf(selection::Page::Kavl, "HuntCamType=1 OverDraw=2"));
        sink_.clear();
        QCOMPARE(test::saveCustomer(folder_.path(), window.form(), details_, sink_, "31.12.2026"),
                 customers::CustInfoModel::SaveOutcome::Stored);
    }

    void independentReadersSeeEveryFieldAsWritten_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("script");
        QTest::newRow("python3-dbfread") << kPython << "dbfread_dump.py";
        QTest::newRow("Perl XBase") << kPerl << "xbase_dump.pl";
    }

    void independentReadersSeeEveryFieldAsWritten()
    {
        QFETCH(QString, program);
        QFETCH(QString, script);
        const QStringList expected =
            QString("José Müller-Øst|=1+1|@SUM(1)|Trois-Rivières|QC|-G9A 5H7|Canada|+1|"
                    "Left-handed.\r\nPrefers \"Norvane\" élite vanes, 3\" long.|31.12.2026|"
                    "60|30|100|2|0|1|0|0|2")
                .split('|');
        QCOMPARE(lastRow(run(program, {kScripts + script, folder_.filePath("Saveddb.dbf")})),
                 expected);
    }

    void spreadsheetOpensTheExportAsWritten()
    {
        customers::SavedSetups handles(folder_.path());
        QVERIFY(customers::exportCustomerDatabase(handles.ExportTbl(), sink_));
        QTemporaryDir work;
        const QString profile = "file://" + work.filePath("profile");
        const QString filter = "Text - txt - csv (StarCalc):44,34,76,1";
        run("soffice",
            {"-env:UserInstallation=" + profile, "--headless", "--infilter=" + filter,
             "--convert-to", "csv:" + filter, "--outdir", work.path(),
             folder_.filePath("custdb.txt")},
            180000);
        // LibreOffice's CSV as Python's csv module reads it.
        const QJsonArray rows =
            QJsonDocument::fromJson(run(kPython, {"-c", kCsvToJson, work.filePath("custdb.csv")}))
                .array();
        const std::size_t records = test::storedRecords(folder_.path()).size();
        QCOMPARE(rows.size(), qsizetype(records + 1)); // the heading row, then one per record
        QCOMPARE(rows.first().toVariant().toStringList().mid(0, 3),
                 QStringList({"NAME", "ADDR1", "ADDR2"}));
        QCOMPARE(rows.last().toVariant().toStringList().mid(0, 9),
                 QStringList({"José Müller-Øst", "'=1+1", "'@SUM(1)", "Trois-Rivières", "QC",
                              "'-G9A 5H7", "Canada", "'+1",
                              "Left-handed.\nPrefers \"Norvane\" élite vanes, 3\" long."}));
    }
};

QTEST_GUILESS_MAIN(TestCustomerInterop)
#include "tst_customer_interop.moc"
