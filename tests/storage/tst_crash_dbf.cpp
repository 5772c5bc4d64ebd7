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
#include <fstream>
#include <map>

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

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of a folder with its bytes and modification time.
using FolderState = std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>>;
FolderState folderState(const std::filesystem::path& folder)
{
    FolderState state;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        state[entry.path().filename().string()] = {bytesOf(entry.path()), entry.last_write_time()};
    return state;
}

// Leaves the journal of an edit of record 6 that stopped before the record
// itself was overwritten, as a power cut there would.
void interruptedEdit(const std::filesystem::path& folder, const std::string& check)
{
    Table t(folder);
    t.open("CRASH.DBF");
    t.go(6);
    t.edit();
    t.setField("CHK", check);
    stopWritesAfter(1);
    QVERIFY_THROWS_EXCEPTION(StorageError, t.post());
    stopWritesAfter(-1);
}

std::string checkOfRecord6(const std::filesystem::path& folder, OpenMode mode)
{
    Table t(folder);
    t.open("CRASH.DBF", mode);
    t.go(6);
    std::string check = t.getString("CHK");
    return check.substr(0, check.find_last_not_of(' ') + 1);
}

// Makes a journal for the work folder; may change the work folder's table.
using JournalMaker = std::function<std::string(const std::filesystem::path& work,
                                               const std::filesystem::path& otherCopy)>;

struct Operation {
    const char* name;
    std::function<void(Table&)> run;
};

// Bytes that must survive a write: in their place in the file, or copied
// whole into a rescue file beside the table.
struct Kept {
    std::string file;
    std::uint64_t offset;
    std::string bytes;
};

void patch(const std::filesystem::path& path, std::uint64_t offset, const std::string& bytes)
{
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(std::streamoff(offset));
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// Damage done to a copy of the table before the write, as a crash, a copy
// taken mid-append or another program leaves it; returns what must be kept.
using Damage = std::function<std::vector<Kept>(const std::filesystem::path& folder)>;
const std::vector<Damage> damages{
    [](const auto&) { return std::vector<Kept>{}; },
    // the header's count behind the records present
    [](const auto& folder) {
        patch(folder / "CRASH.DBF", 4, std::string("\x05\0\0\0", 4));
        return std::vector<Kept>{};
    },
    // a record cut off where the end-of-file mark was
    [](const auto& folder) {
        const auto path = folder / "CRASH.DBF";
        const std::uint64_t at = std::filesystem::file_size(path) - 1;
        const std::string partial = " R9-0 cut off by a crash";
        patch(path, at, partial);
        return std::vector<Kept>{{"CRASH.DBF", at, partial}};
    },
    // another program's memo past the memo header's next free block
    [](const auto& folder) {
        const auto path = folder / "CRASH.FPT";
        const std::uint64_t at = std::filesystem::file_size(path);
        std::string memo("\0\0\0\x01\0\0\0\x10" "foreign memo....", 24);
        memo.resize(64, '\0');
        patch(path, at, memo);
        return std::vector<Kept>{{"CRASH.FPT", at, memo}};
    },
};

bool keptBytesSurvive(const std::filesystem::path& folder, const std::vector<Kept>& kept)
{
    for (const Kept& k : kept) {
        std::string there = bytesOf(folder / k.file)
                                .substr(std::min<std::size_t>(
                                    k.offset, std::filesystem::file_size(folder / k.file)));
        if (there.compare(0, k.bytes.size(), k.bytes) == 0)
            continue;
        bool rescued = false;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            rescued =
                rescued || (entry.path().filename().string().starts_with(k.file + ".rescued-") &&
                            bytesOf(entry.path()).starts_with(k.bytes));
        if (!rescued)
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(JournalMaker)

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
        QTest::addColumn<int>("damage"); // done to the table before the write
        for (const bool tear : {false, true}) {
            const char* how = tear ? ", torn" : "";
            QTest::addRow("append with memo%s", how) << "CRASH.DBF" << 0 << 5 << tear << 0;
            QTest::addRow("edit with memo%s", how) << "CRASH.DBF" << 1 << 4 << tear << 0;
            QTest::addRow("edit without memo change%s", how) << "CRASH.DBF" << 2 << 2 << tear << 0;
            QTest::addRow("append without memo file%s", how) << "PLAIN.DBF" << 3 << 3 << tear << 0;
            QTest::addRow("append, count behind%s", how) << "CRASH.DBF" << 0 << 6 << tear << 1;
            QTest::addRow("edit, count behind%s", how) << "CRASH.DBF" << 1 << 5 << tear << 1;
            QTest::addRow("append over a cut-off record%s", how)
                << "CRASH.DBF" << 0 << 6 << tear << 2;
            QTest::addRow("append, foreign memo past the header%s", how)
                << "CRASH.DBF" << 0 << 5 << tear << 3;
            QTest::addRow("edit, foreign memo past the header%s", how)
                << "CRASH.DBF" << 1 << 4 << tear << 3;
        }
    }

    void stoppingBeforeEveryWriteLeavesOldOrNewState()
    {
        QFETCH(QString, table);
        QFETCH(int, operation);
        QFETCH(int, writes);
        QFETCH(bool, tear);
        QFETCH(int, damage);
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
        const auto damaged = [&] {
            copyFolder(base(), work);
            return damages[damage](work);
        };
        damaged();
        const Snapshot oldState = snapshot(work, name);
        {
            Table t(work);
            t.open(name);
            operations[operation].run(t);
        }
        const Snapshot newState = snapshot(work, name);
        QVERIFY(newState != oldState);

        int stops = 0;
        for (long n = 0;; ++n) {
            const std::vector<Kept> kept = damaged();
            bool completed = true;
            {
                Table t(work);
                stopWritesAfter(n, tear); // the open's own writes are stopped too
                try {
                    t.open(name);
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
            QVERIFY2(keptBytesSurvive(work, kept),
                     qPrintable(QString("stopped before write %1").arg(n + 1)));
            if (completed) {
                QCOMPARE(after, newState);
                break;
            }
            QVERIFY(n < 50);
        }
        QCOMPARE(stops, writes); // interrupted before each of its writes in turn

        // Reopening after a failure gives a writable table again.
        damaged();
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

    // An interrupted edit's journal is read through by a read-only open,
    // which changes no file, and written back by the next writable open,
    // here one that comes while the read-only handle is still open.
    void pendingJournalIsReadByReadOnlyAndAppliedByWritableOpens()
    {
        const auto work = std::filesystem::path(dir_.path().toStdString()) / "pending";
        copyFolder(base(), work);
        interruptedEdit(work, "pending");
        const FolderState before = folderState(work);
        QVERIFY(before.count("CRASH.DBF-journal"));
        Table reader(work);
        reader.open("CRASH.DBF", OpenMode::ReadOnly);
        reader.go(6);
        QCOMPARE(reader.getString("CHK").substr(0, 7), std::string("pending"));
        QVERIFY(reader.notices().empty());
        QVERIFY(folderState(work) == before);

        Table writer(work);
        writer.open("CRASH.DBF");
        QVERIFY(writer.notices().empty());
        QVERIFY(!std::filesystem::exists(work / "CRASH.DBF-journal"));
        QCOMPARE(reader.getString("CHK").substr(0, 7), std::string("pending"));
        writer.go(6);
        writer.edit();
        writer.setField("CHK", "settled");
        writer.post();
        QCOMPARE(reader.getString("CHK").substr(0, 7), std::string("settled"));
        reader.close();
        writer.close();
        QCOMPARE(checkOfRecord6(work, OpenMode::ReadOnly), std::string("settled"));
    }

    // A journal that was not written for this table and record as they are
    // is never applied: the table stays byte for byte as it was, a
    // read-only open changes no file at all, and a writable open moves the
    // journal aside under a name of its own, never over an earlier one.
    void journalsNotWrittenForTheTableAreSetAside_data()
    {
        QTest::addColumn<JournalMaker>("make");
        QTest::addColumn<QString>("reason");
        const auto journalOf = [](const std::filesystem::path& folder) {
            const auto path = folder / "CRASH.DBF-journal";
            std::string bytes = bytesOf(path);
            std::filesystem::remove(path);
            return bytes;
        };
        QTest::newRow("another copy's, record edited since")
            << JournalMaker([=](const auto& work, const auto& other) {
                   interruptedEdit(other, "STALE JOURNAL IMAGE");
                   interruptedEdit(work, "real name");
                   Table settle(work); // written back: the table now holds "real name"
                   settle.open("CRASH.DBF");
                   return journalOf(other);
               })
            << "record 6 holds neither the text it had before the journalled edit nor the text "
               "after it";
        QTest::newRow("another copy's, table grown since")
            << JournalMaker([=](const auto& work, const auto& other) {
                   interruptedEdit(other, "STALE JOURNAL IMAGE");
                   Table t(work);
                   t.open("CRASH.DBF");
                   t.appendBlank();
                   writeCrashRecord(t, 9, 0);
                   t.post();
                   return journalOf(other);
               })
            << "it was written for another state of the table (the table's header has changed "
               "since)";
        QTest::newRow("damaged") << JournalMaker([=](const auto&, const auto& other) {
            interruptedEdit(other, "STALE JOURNAL IMAGE");
            std::string bytes = journalOf(other);
            bytes[bytes.size() - 10] ^= 0x20;
            return bytes;
        }) << "it is incomplete or damaged";
        QTest::newRow("empty") << JournalMaker([](const auto&, const auto&) {
            return std::string();
        }) << "it is incomplete or damaged";
        QTest::newRow("an older kind naming no record")
            << JournalMaker([](const auto&, const auto&) {
                   return std::string("QWJ1\x63\0\0\0\x3D\0\0\0", 12) + std::string(61, 'x') +
                          std::string(4, '\0');
               })
            << "it is incomplete or damaged";
    }

    void journalsNotWrittenForTheTableAreSetAside()
    {
        QFETCH(JournalMaker, make);
        QFETCH(QString, reason);
        const auto root = std::filesystem::path(dir_.path().toStdString());
        const auto work = root / "foreign";
        const auto other = root / "other-copy";
        copyFolder(base(), work);
        copyFolder(base(), other);
        const std::string journal = make(work, other);
        const auto journalPath = work / "CRASH.DBF-journal";
        std::ofstream(journalPath, std::ios::binary) << journal;
        const std::string checkBefore = checkOfRecord6(work, OpenMode::ReadOnly);
        const QString opening = "CRASH.DBF: the leftover journal CRASH.DBF-journal was not "
                                "applied: " +
                                reason + ". The table is unchanged; ";

        const FolderState before = folderState(work);
        {
            Table reader(work);
            reader.open("CRASH.DBF", OpenMode::ReadOnly);
            QCOMPARE(reader.notices().size(), std::size_t(1));
            QCOMPARE(QString::fromStdString(reader.notices().front()),
                     opening + "the journal was left in place, and the table is read as it is.");
            reader.go(6);
            QVERIFY(reader.getString("CHK").starts_with(checkBefore));
        }
        QVERIFY(folderState(work) == before);

        const std::string table = bytesOf(work / "CRASH.DBF");
        for (int n = 1; n <= 2; ++n) {
            const std::string aside = "CRASH.DBF-journal.rejected-" + std::to_string(n);
            Table writer(work);
            writer.open("CRASH.DBF");
            QCOMPARE(writer.notices().size(), std::size_t(1));
            QCOMPARE(QString::fromStdString(writer.notices().front()),
                     opening + "the journal was moved aside as " + QString::fromStdString(aside) +
                         ".");
            QCOMPARE(bytesOf(work / "CRASH.DBF"), table);
            QVERIFY(!std::filesystem::exists(journalPath));
            QCOMPARE(bytesOf(work / aside), journal);
            // The same journal put back again later goes to a new name.
            std::ofstream(journalPath, std::ios::binary) << journal;
        }
        QCOMPARE(bytesOf(work / "CRASH.DBF-journal.rejected-1"), journal);
        // With the journal out of the way the table is edited as usual.
        std::filesystem::remove(journalPath);
        {
            Table writer(work);
            writer.open("CRASH.DBF");
            writer.go(6);
            writer.edit();
            writer.setField("CHK", "edited");
            writer.post();
        }
        QCOMPARE(checkOfRecord6(work, OpenMode::ReadWrite), std::string("edited"));
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
            QVERIFY(writer.waitForReadyRead(30000)); // the table is open
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
