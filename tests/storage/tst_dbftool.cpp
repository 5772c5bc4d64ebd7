// The quiverwise-dbf inspector, run as the separate program it is.

#include "storage/Table.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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

    void failuresExitWithStatusTwo()
    {
        const Run absent = runTool({"info", path("Nothing.dbf")});
        QCOMPARE(absent.exitCode, 2);
        QCOMPARE(absent.err, QByteArray("Table does not exist.\nFile or directory does not "
                                        "exist.\nFile: Nothing.dbf\n"));
        const Run noIndex = runTool({"seek", path("Specs.DBF"), path("none.idx"), "x"});
        QCOMPARE(noIndex.exitCode, 2);
        QVERIFY(noIndex.err.startsWith("Index file does not exist."));
        const Run usage = runTool({"frobnicate"});
        QCOMPARE(usage.exitCode, 2);
        QVERIFY(usage.err.startsWith("usage: quiverwise-dbf"));
        QCOMPARE(runTool({}).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestDbfTool)
#include "tst_dbftool.moc"
