// A post is all or nothing: a writer stopped before any one of its writes,
// or killed at any moment, leaves a table that opens with every record whole
// and the old or the new state of the record being written.

#include "CrashRecord.h"

#include "storage/DbfIo.h"
#include "storage/StorageError.h"
#include "storage/Table.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

using namespace qw::storage;

namespace {

using Snapshot = std::vector<std::vector<std::string>>;

Snapshot snapshot(const std::filesystem::path& folder, const std::string& name)
{
    Table t(folder);
    t.open(name, OpenMode::ReadOnly);
    Snapshot rows;
    for (t.go(1); !t.eof(); t.next()) {
        std::vector<std::string> row;
        for (const FieldDef& f : t.fields())
            row.push_back(t.getString(f.name));
        rows.push_back(row);
    }
    return rows;
}

void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::remove_all(to);
    std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
}

// Checks every record the writer left; returns how many there are.
std::uint32_t verifyCrashTable(const std::filesystem::path& folder)
{
    Table t(folder);
    t.open("CRASH.DBF", OpenMode::ReadOnly);
    const auto size = std::filesystem::file_size(t.filePath());
    if (size < t.headerLength() + std::uint64_t(t.recordCount()) * t.recordLength())
        throw std::runtime_error("count covers more records than the file holds");
    for (t.go(1); !t.eof(); t.next()) {
        const unsigned long k = t.recordNumber();
        const long v = t.getInteger("V");
        auto trimmed = [](std::string s) {
            while (!s.empty() && s.back() == ' ')
                s.pop_back();
            return s;
        };
        if (t.getInteger("K") != long(k) || trimmed(t.getString("NAME")) != crashName(k, v) ||
            trimmed(t.getString("CHK")) != crashCheck(k, v) ||
            t.getString("NOTE") != crashNote(k, v))
            throw std::runtime_error("record " + std::to_string(k) + " is not whole");
    }
    return t.recordCount();
}

struct Operation {
    const char* name;
    std::function<void(Table&)> run;
};

} // namespace

class TestCrashDbf : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    std::filesystem::path base() const
    {
        return std::filesystem::path(dir_.path().toStdString()) / "base";
    }

private slots:
    void initTestCase()
    {
        std::filesystem::create_directories(base());
        createTable(base(), "CRASH.DBF", crashFields());
        createTable(base(), "PLAIN.DBF", {{"NAME", FieldType::Character, 30, 0}});
        Table t(base());
        t.open("CRASH.DBF");
        // Record 6 of CRASH.DBF straddles the 512-byte boundary (header 193
        // bytes, records of 61), so an edit of it can be torn.
        for (unsigned long k = 1; k <= 8; ++k) {
            t.appendBlank();
            writeCrashRecord(t, k, 0);
            t.post();
        }
        Table p(base());
        p.open("PLAIN.DBF");
        p.appendBlank();
        p.setField("NAME", "first");
        p.post();
    }

    void cleanup() { stopWritesAfter(-1); }

    void stoppingBeforeEveryWriteLeavesOldOrNewState_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("writes"); // how many writes the operation makes
        QTest::addColumn<bool>("tear");  // the interrupted write lands in part
        for (const bool tear : {false, true}) {
            const char* how = tear ? ", torn" : "";
            QTest::addRow("append with memo%s", how) << "CRASH.DBF" << 0 << 4 << tear;
            QTest::addRow("edit with memo%s", how) << "CRASH.DBF" << 1 << 4 << tear;
            QTest::addRow("edit without memo change%s", how) << "CRASH.DBF" << 2 << 2 << tear;
            QTest::addRow("append without memo file%s", how) << "PLAIN.DBF" << 3 << 2 << tear;
        }
    }

    void stoppingBeforeEveryWriteLeavesOldOrNewState()
    {
        QFETCH(QString, table);
        QFETCH(int, operation);
        QFETCH(int, writes);
        QFETCH(bool, tear);
        const std::string name = table.toStdString();
        const std::vector<Operation> operations{
            {"append",
             [](Table& t) {
                 t.appendBlank();
                 writeCrashRecord(t, 9, 0);
                 t.post();
             }},
            {"edit",
             [](Table& t) {
                 t.go(6);
                 t.edit();
                 writeCrashRecord(t, 6, 1);
                 t.post();
             }},
            {"edit",
             [](Table& t) {
                 t.go(6);
                 t.edit();
                 t.setField("CHK", "changed");
                 t.post();
             }},
            {"append",
             [](Table& t) {
                 t.appendBlank();
                 t.setField("NAME", "second");
                 t.post();
             }},
        };
        const auto work = std::filesystem::path(dir_.path().toStdString()) / "work";
        const Snapshot oldState = snapshot(base(), name);
        copyFolder(base(), work);
        {
            Table t(work);
            t.open(name);
            operations[operation].run(t);
        }
        const Snapshot newState = snapshot(work, name);
        QVERIFY(newState != oldState);

        int stops = 0;
        for (long n = 0;; ++n) {
            copyFolder(base(), work);
            bool completed = true;
            {
                Table t(work);
                t.open(name);
                stopWritesAfter(n, tear);
                try {
                    operations[operation].run(t);
                } catch (const StorageError&) {
                    completed = false;
                }
                stopWritesAfter(-1);
                if (!completed) {
                    // After a failed write the handle writes nothing more.
                    ++stops;
                    QVERIFY_THROWS_EXCEPTION(StorageError, t.post());
                }
            }
            const bool journalLeft = std::filesystem::exists(work / (name + "-journal"));
            const Snapshot after = snapshot(work, name);
            // Opening settles an interrupted edit: the journal is gone.
            if (journalLeft) {
                Table settle(work);
                settle.open(name);
                QVERIFY(!std::filesystem::exists(work / (name + "-journal")));
            }
            QVERIFY2(after == oldState || after == newState,
                     qPrintable(QString("stopped before write %1").arg(n + 1)));
            if (completed) {
                QCOMPARE(after, newState);
                break;
            }
            QVERIFY(n < 50);
        }
        QCOMPARE(stops, writes); // interrupted before each of its writes in turn

        // Reopening after a failure gives a writable table again.
        copyFolder(base(), work);
        {
            Table t(work);
            t.open(name);
            stopWritesAfter(0);
            QVERIFY_THROWS_EXCEPTION(StorageError, operations[operation].run(t));
            stopWritesAfter(-1);
        }
        Table again(work);
        again.open(name);
        operations[operation].run(again);
        again.close();
        QCOMPARE(snapshot(work, name), newState);
    }

    void killedWritersLeaveWholeRecords()
    {
        const auto folder = std::filesystem::path(dir_.path().toStdString()) / "killed";
        std::filesystem::create_directories(folder);
        createTable(folder, "CRASH.DBF", crashFields());
        auto* random = QRandomGenerator::global();
        std::uint32_t lastCount = 0;
        int killedMidway = 0;
        for (int round = 0; round < 200; ++round) {
            QProcess writer;
            writer.start(QW_CRASH_WRITER, {QString::fromStdString(folder.string()),
                                           QString::number(random->generate())});
            QVERIFY(writer.waitForStarted());
            QThread::usleep(random->bounded(500, 12000));
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished());
            if (writer.exitStatus() == QProcess::CrashExit)
                ++killedMidway;
            else
                QVERIFY2(writer.exitCode() == 0, writer.readAllStandardError().constData());
            std::uint32_t count = 0;
            try {
                count = verifyCrashTable(folder);
            } catch (const std::exception& e) {
                QFAIL(qPrintable(QString("round %1: %2").arg(round).arg(e.what())));
            }
            QVERIFY(count >= lastCount); // posted records are never lost
            lastCount = count;
        }
        qInfo("%d of 200 writers killed midway; %u records", killedMidway, lastCount);
        QVERIFY(killedMidway > 150);
        QVERIFY(lastCount >= 100); // the writer made progress between kills
    }
};

QTEST_GUILESS_MAIN(TestCrashDbf)
#include "tst_crash_dbf.moc"
