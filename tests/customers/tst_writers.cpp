// Saving customers while processes die and while two processes save at
// once: every completed save is kept whole, no record is ever half-written,
// and the name index ends up covering every record.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <random>
#include <set>

using namespace qw;

namespace {

const QString kWriter = QStringLiteral(QW_CUSTOMER_WRITER);

// Every record of the table is one a writer saved, whole; returns the names.
std::multiset<std::string> checkEveryRecordWhole(const std::filesystem::path& folder,
                                                 std::size_t shippedRecords)
{
    std::multiset<std::string> names;
    const std::vector<test::Fields> records = test::storedRecords(folder);
    for (std::size_t i = shippedRecords; i < records.size(); ++i) {
        const test::Fields& record = records[i];
        const auto [writer, save] = test::writerSaveOf(record.at("NAME"));
        if (writer < 0)
            throw std::runtime_error("record " + std::to_string(i + 1) +
                                     " has no writer's name: " + record.at("NAME"));
        for (const auto& [field, text] : test::writerDetails(writer, save))
            if (record.at(field) != text)
                throw std::runtime_error("record " + std::to_string(i + 1) + " field " + field +
                                         " holds '" + record.at(field) + "'");
        if (record.at("BOWWT") != "60" || record.at("HORT") != "0")
            throw std::runtime_error("record " + std::to_string(i + 1) + " lost its setup");
        names.insert(record.at("NAME"));
    }
    return names;
}

// Walks Saved.idx: the number of entries, and whether each name seeks.
std::size_t indexEntries(const std::filesystem::path& folder,
                         const std::multiset<std::string>& names)
{
    storage::Table table(folder);
    table.open(customers::kSavedSetupsFile, storage::OpenMode::ReadOnly);
    table.indexOpen(customers::kSavedIndexFile);
    std::size_t entries = 0;
    for (table.goTop(); !table.eof(); table.next())
        ++entries;
    for (const std::string& name : names)
        if (!table.seek(name) || test::trimmed(table.getString("NAME")) != name)
            throw std::runtime_error("Saved.idx does not find " + name);
    return entries;
}

QStringList savedNames(QProcess& writer)
{
    QStringList names;
    for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
        if (line.startsWith("saved "))
            names << QString::fromUtf8(line.mid(6));
    return names;
}

} // namespace

class TestWriters : public QObject {
    Q_OBJECT

private slots:
    void killedSavesLeaveWholeRecordsAndTheNextSaveMendsTheIndex()
    {
        test::ProgramFolderCopy folder;
        const std::size_t shipped = test::storedRecords(folder.path()).size();
        std::mt19937 random(20261208);
        QStringList completed;
        int killedMidway = 0;
        for (int run = 0; run < 60; ++run) {
            QProcess writer;
            writer.start(kWriter, {folder.filePath(""), QString::number(run), "1000"});
            QVERIFY(writer.waitForReadyRead(30000)); // "ready": the kill lands in the saving
            QTest::qWait(static_cast<int>(random() % 100));
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(30000));
            killedMidway += writer.exitStatus() == QProcess::CrashExit ? 1 : 0;
            completed << savedNames(writer);
            // Whatever the kill interrupted, the table is whole after it.
            std::multiset<std::string> names;
            try {
                names = checkEveryRecordWhole(folder.path(), shipped);
            } catch (const std::exception& e) {
                QFAIL(e.what());
            }
            for (const QString& name : completed)
                QVERIFY2(names.count(name.toStdString()) == 1, qPrintable(name));
        }
        QVERIFY(killedMidway > 50);
        QVERIFY(completed.size() > 40); // the writers made progress between kills

        // A restart that saves once more rebuilds the index over every record.
        QProcess last;
        last.start(kWriter, {folder.filePath(""), "999", "1"});
        QVERIFY(last.waitForFinished(60000));
        QCOMPARE(last.exitCode(), 0);
        const auto names = checkEveryRecordWhole(folder.path(), shipped);
        QCOMPARE(indexEntries(folder.path(), names), shipped + names.size());
        qInfo("%d of 60 writers killed midway; %zu records saved", killedMidway, names.size());
    }

    void twoWritersAtOnceKeepEveryRecord()
    {
        test::ProgramFolderCopy folder;
        const std::size_t shipped = test::storedRecords(folder.path()).size();
        QProcess first;
        QProcess second;
        first.start(kWriter, {folder.filePath(""), "1", "500"});
        second.start(kWriter, {folder.filePath(""), "2", "500"});
        for (QProcess* writer : {&first, &second}) {
            QVERIFY(writer->waitForFinished(600000));
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        }
        const auto names = checkEveryRecordWhole(folder.path(), shipped);
        QCOMPARE(names.size(), std::size_t(1000));
        for (int writer = 1; writer <= 2; ++writer)
            for (int save = 0; save < 500; ++save)
                QVERIFY(names.count(test::writerDetails(writer, save).at("NAME")) == 1);
        QCOMPARE(indexEntries(folder.path(), names), shipped + 1000);
    }
};

QTEST_GUILESS_MAIN(TestWriters)
#include "tst_writers.moc"
