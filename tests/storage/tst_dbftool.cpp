// The quiverwise-dbf inspector, run as the separate program it is.

#include "storage/Table.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace qw::storage;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runTool(const QStringList& args)
{
    QProcess tool;
    tool.start(QString(QW_PROGRAM_DIR) + "/quiverwise-dbf", args);
    Run run;
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

class TestDbfTool : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path folder_;
    QString path(const char* name) const
    {
        return QString::fromStdString((folder_ / name).string());
    }

private slots:
    void initTestCase()
    {
        folder_ = dir_.path().toStdString();
        createTable(folder_, "Specs.DBF",
                    {{"SPECKEY", FieldType::Character, 10, 0},
                     {"GPI", FieldType::Numeric, 5, 2},
                     {"NOTE", FieldType::Memo, 10, 0}});
        Table t(folder_);
        t.open("Specs.DBF");
        const char* rows[][3] = {{"2315XX", "9.1", "aluminium"},
                                 {"1816S", "6.2", "two\nlines"},
                                 {"2213Q", "7.75", "\u00e9l\u00e8ve \"pro\""}};
        for (const auto& row : rows) {
            t.appendBlank();
            t.setField("SPECKEY", row[0]);
            t.setField("GPI", row[1]);
            t.setField("NOTE", row[2]);
            t.post();
        }
        createIndex(folder_, "Specs.DBF", "specs.idx", "SPECKEY");
    }

    void infoShowsHeaderAndFields()
    {
        const Run run = runTool({"info", path("Specs.DBF")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("File: Specs.DBF\n"
                                     "Version: 0xF5\n"
                                     "Code page: 0x03\n"
                                     "Header length: 129\n"
                                     "Record length: 26\n"
                                     "Records: 3\n"
                                     "Deleted: 0\n"
                                     "Fields: 3\n"
                                     "  SPECKEY C 10 0\n"
                                     "  GPI N 5 2\n"
                                     "  NOTE M 10 0\n"));
    }

    void dumpWritesEveryRecordInFileOrIndexOrder()
    {
        const QByteArray first = "\"2315XX\",9.10,\"aluminium\"\r\n";
        const QByteArray second = "\"1816S\",6.20,\"two\r\nlines\"\r\n";
        const QByteArray third = "\"2213Q\",7.75,\"\xc3\xa9l\xc3\xa8ve \"\"pro\"\"\"\r\n";
        const Run physical = runTool({"dump", path("Specs.DBF")});
        QCOMPARE(physical.exitCode, 0);
        QCOMPARE(physical.out, first + second + third);
        const Run ordered = runTool({"dump", path("Specs.DBF"), "--index", path("specs.idx")});
        QCOMPARE(ordered.exitCode, 0);
        QCOMPARE(ordered.out, second + third + first);
    }

    void seekPrintsTheRecordOrNotFound()
    {
        const Run found = runTool({"seek", path("specs.dbf"), path("SPECS.IDX"), "22"});
        QCOMPARE(found.exitCode, 0);
        QCOMPARE(found.out,
                 QByteArray("3: \"2213Q\",7.75,\"\xc3\xa9l\xc3\xa8ve \"\"pro\"\"\"\r\n"));
        const Run missing = runTool({"seek", path("Specs.DBF"), path("specs.idx"), "2314"});
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(missing.out, QByteArray("not found: 2314\n"));
    }

    // A header that claims billions of records over a sparse 20 GB file:
    // the counts come from what the file holds, its holes unread.
    void infoOnAHugeSparseFileCountsWhatItHolds()
    {
        createTable(folder_, "HUGE.DBF", {{"NAME", FieldType::Character, 10, 0}});
        {
            Table t(folder_);
            t.open("HUGE.DBF");
            for (const char* name : {"one", "two", "three"}) {
                t.appendBlank();
                t.setField("NAME", name);
                t.post();
            }
        }
        const auto huge = folder_ / "HUGE.DBF";
        {
            std::fstream file(huge, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(4);
            file.write("\xF0\xFF\xFF\xFF", 4); // 4294967280 records
            file.seekp(65 + 11);
            file.put('*'); // record 2 deleted
        }
        const std::uintmax_t size = std::uintmax_t(20) << 30;
        std::filesystem::resize_file(huge, size);
        const Run run = runTool({"info", path("HUGE.DBF")});
        std::filesystem::remove(huge);
        QCOMPARE(run.exitCode, 0);
        const QByteArray records = QByteArray::number(qulonglong((size - 65) / 11));
        QVERIFY2(run.out.contains("Records: " + records +
                                  "\nRecords in header: 4294967280\nDeleted: 1\n"),
                 run.out.constData());
    }

    // Inspecting changes nothing: a journal that does not belong to the
    // table is reported on stderr and left where it is.
    void foreignJournalIsReportedAndLeftAlone()
    {
        const auto journal = folder_ / "Specs.DBF-journal";
        std::ofstream(journal, std::ios::binary) << "QWJ2 not a journal of this table";
        const std::string table = readAll(folder_ / "Specs.DBF");
        const Run run = runTool({"info", path("Specs.DBF")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("File: Specs.DBF\n"));
        QCOMPARE(run.err, QByteArray("Specs.DBF: the leftover journal Specs.DBF-journal was not "
                                     "applied: it is incomplete or damaged. The table is "
                                     "unchanged; the journal was left in place, and the table "
                                     "is read as it is.\n"));
        QCOMPARE(readAll(journal), std::string("QWJ2 not a journal of this table"));
        QCOMPARE(readAll(folder_ / "Specs.DBF"), table);
        std::filesystem::remove(journal);
    }

    void failuresExitWithStatusTwo()
    {
        const Run absent = runTool({"info", path("Nothing.dbf")});
        QCOMPARE(absent.exitCode, 2);
        QCOMPARE(absent.err, "Table does not exist.\nFile or directory does not exist.\nFile: " +
                                 path("Nothing.dbf").toUtf8() + "\n");
        const Run noIndex = runTool({"seek", path("Specs.DBF"), path("none.idx"), "x"});
        QCOMPARE(noIndex.exitCode, 2);
        QVERIFY(noIndex.err.startsWith("Index file does not exist."));
        const Run usage = runTool({"frobnicate"});
        QCOMPARE(usage.exitCode, 2);
        QVERIFY(usage.err.startsWith("usage: quiverwise-dbf"));
        QCOMPARE(runTool({}).exitCode, 2);
        const Run folder = runTool({"info", QString::fromStdString(folder_.string()) + "/"});
        QCOMPARE(folder.exitCode, 2);
        QCOMPARE(folder.err,
                 QByteArray::fromStdString(folder_.string()) + ": a folder, not a table file\n");
    }
};

QTEST_GUILESS_MAIN(TestDbfTool)
#include "tst_dbftool.moc"
