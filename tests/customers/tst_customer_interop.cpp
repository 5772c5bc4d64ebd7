// Other programs read what the customer records write: python3-dbfread and
// Perl XBase read a saved record field by field, and LibreOffice opens the
// export with one row per record, accents and memo lines intact and no
// formula run, and the spreadsheet export with every cell as stored.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"

#include "customers/CustomerExport.h"
#include "customers/CustomerSpreadsheet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

using namespace qw;

namespace {

const QString kPython = "/usr/bin/python3";
const QString kPerl = "/usr/bin/perl";
const QString kScripts = QStringLiteral(QW_FIXTURES_DIR "/dbf/scripts/");
// A workbook's first sheet as {"rows": [{column: [kind, text]}], "frozen": the
// heading row}, kind "s" for a text cell and "n" for a number.
const QString kXlsxToJson =
    "import json, re, sys, zipfile\n"
    "from xml.etree import ElementTree as ET\n"
    "m = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'\n"
    "z = zipfile.ZipFile(sys.argv[1])\n"
    "text = lambda e: ''.join(t.text or '' for t in e.iter(m + 't'))\n"
    "shared = [text(si) for si in ET.fromstring(z.read('xl/sharedStrings.xml')).iter(m + 'si')]\n"
    "sheet = ET.fromstring(z.read('xl/worksheets/sheet1.xml'))\n"
    "def column(ref):\n"
    "    n = 0\n"
    "    for c in re.match('[A-Z]+', ref).group(): n = n * 26 + ord(c) - 64\n"
    "    return n - 1\n"
    "rows = []\n"
    "for row in sheet.iter(m + 'row'):\n"
    "    cells = {}\n"
    "    for c in row.iter(m + 'c'):\n"
    "        kind, v = c.get('t', 'n'), c.find(m + 'v')\n"
    "        value = shared[int(v.text)] if kind == 's' else text(c) if kind == 'inlineStr' "
    "else v.text\n"
    "        cells[column(c.get('r'))] = ['n' if kind == 'n' else 's', value]\n"
    "    rows.append(cells)\n"
    "pane = sheet.find('.//' + m + 'pane')\n"
    "print(json.dumps({'rows': rows, 'frozen': pane is not None and pane.get('state') == "
    "'frozen' and pane.get('ySplit') == '1'}))\n";
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

    test::TableFolderCopy folder_;
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
        // What a spreadsheet would take for numbers and a date.
        const test::Fields zeros = {{"NAME", "Nakamura, Rei"},
                                    {"ADDR1", "4 Elm"},
                                    {"CITY", "Boston"},
                                    {"STATE", "MA"},
                                    {"ZIP", "02134"},
                                    {"CCODE", "001"},
                                    {"COMMENTS", "one\n\nthree"}};
        QCOMPARE(test::saveCustomer(folder_.path(), window.form(), zeros, sink_, "2026-01-02"),
                 customers::CustInfoModel::SaveOutcome::Stored);
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

    // LibreOffice reads the workbook back: every field of every record as
    // stored, text as text (leading zeros, dates, "=1+1" kept), the weights
    // and codes as numbers, memo lines as line feeds, the heading frozen.
    void spreadsheetKeepsEveryValueAsStored()
    {
        QTemporaryDir work;
        const QString file = work.filePath("Customer database.xlsx");
        customers::SavedSetups handles(folder_.path());
        QVERIFY(
            customers::exportCustomerSpreadsheet(handles.ExportTbl(), sink_, file.toStdString()));
        QCOMPARE(sink_.texts().back(), "File Customer database.xlsx has been created");
        run("soffice",
            {"-env:UserInstallation=file://" + work.filePath("profile"), "--headless",
             "--convert-to", "xlsx", "--outdir", work.filePath("read"), file},
            180000);
        const auto read = [&](const QString& workbook) {
            return QJsonDocument::fromJson(run(kPython, {"-c", kXlsxToJson, workbook})).object();
        };
        QVERIFY(read(file)["frozen"].toBool()); // a view setting LibreOffice drops headless
        const QJsonObject sheet = read(work.filePath("read/Customer database.xlsx"));
        const QJsonArray rows = sheet["rows"].toArray();
        const std::vector<test::Fields> records = test::storedRecords(folder_.path());
        QCOMPARE(rows.size(), qsizetype(records.size() + 1));
        storage::Table table(folder_.path());
        table.open("Saveddb.dbf", storage::OpenMode::ReadOnly);
        for (qsizetype row = 0; row < rows.size(); ++row) {
            const QJsonObject cells = rows[row].toObject();
            for (qsizetype column = 0; column < qsizetype(table.fields().size()); ++column) {
                const std::string& name = table.fields()[std::size_t(column)].name;
                QString stored = row == 0 ? QString::fromStdString(name)
                                          : QString::fromStdString(records[row - 1].at(name));
                stored.replace("\r\n", "\n");
                const QJsonArray cell = cells[QString::number(column)].toArray();
                const QString kind = stored.isEmpty() ? "" : row > 0 && column >= 10 ? "n" : "s";
                QCOMPARE(cell.at(0).toString() + ":" + cell.at(1).toString(),
                         stored.isEmpty() ? QString(":") : kind + ":" + stored);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCustomerInterop)
#include "tst_customer_interop.moc"
