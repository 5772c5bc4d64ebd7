// Saving customers while processes die and while a second process saves,
// edits comments or, as another program taking no lock, appends at once:
// every completed save and edit is kept whole with its own comments, no
// record is ever half-written or blank, no two records share a memo block,
// and the name index ends up covering every record.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"

#include <storage/ProgramFiles.h>

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <fstream>
#include <map>
#include <random>
#include <set>

using namespace qw;

namespace {

const QString kWriter = QStringLiteral(QW_CUSTOMER_WRITER);

// The records of the table as a reader walks them, each with the memo
// block its COMMENTS field names.
struct Walked {
    test::Fields fields;
    std::uint32_t record;
    std::string memoBlock;
};

std::vector<Walked> walk(const std::filesystem::path& folder)
{
    storage::Table table(folder);
    table.open(storage::files::kSavedSetups, storage::OpenMode::ReadOnly);
    std::size_t memoAt = 1;
    std::size_t memoLength = 0;
    for (const storage::FieldDef& field : table.fields()) {
        if (field.name == "COMMENTS") {
            memoLength = field.length;
            break;
        }
        memoAt += field.length;
    }
    std::ifstream raw(table.filePath(), std::ios::binary);
    std::vector<Walked> records;
    for (table.goTop(); !table.eof(); table.next()) {
        Walked& w = records.emplace_back();
        w.record = table.recordNumber();
        for (const storage::FieldDef& field : table.fields())
            w.fields[field.name] = test::trimmed(table.getString(field.name));
        w.memoBlock.resize(memoLength);
        raw.seekg(std::streamoff(table.headerLength() +
                                 std::uint64_t(w.record - 1) * table.recordLength() + memoAt));
        raw.read(w.memoBlock.data(), std::streamsize(memoLength));
    }
    return records;
}

// Every record past the shipped ones is one a writer saved (or the foreign
// program appended), whole, with its own comments unless an edit is
// expected; and no two records share a memo block. A program that takes no
// lock writes its memo where the memo header stood when it opened the
// table, which may be where one of ours went since: such a block, shared by
// one of ours and one of its records and holding its text, is its doing and
// is counted in overwrittenByForeign. So is one of ours holding the text of
// a foreign record that is not in the table: the same stale view put that
// record in the place of one of ours, and one of the two went. Returns the
// names.
std::multiset<std::string>
checkEveryRecordWhole(const std::filesystem::path& folder, std::size_t shippedRecords,
                      const std::map<std::uint32_t, std::string>& editedComments = {},
                      int* overwrittenByForeign = nullptr)
{
    const std::vector<Walked> records = walk(folder);
    std::map<std::string, std::vector<const Walked*>> byBlock;
    for (const Walked& w : records)
        if (test::trimmed(w.memoBlock).find_first_not_of(' ') != std::string::npos)
            byBlock[w.memoBlock].push_back(&w);
    std::set<const Walked*> foreignMemo;
    for (const auto& [block, sharing] : byBlock) {
        if (sharing.size() == 1)
            continue;
        const auto foreign = std::find_if(sharing.begin(), sharing.end(), [](const Walked* w) {
            return w->fields.at("NAME").starts_with("F-");
        });
        if (!overwrittenByForeign || sharing.size() != 2 || foreign == sharing.end() ||
            sharing[0]->fields.at("COMMENTS") !=
                "added elsewhere by " + (*foreign)->fields.at("NAME"))
            throw std::runtime_error("record " + std::to_string(sharing[0]->record) +
                                     " shares its memo block with record " +
                                     std::to_string(sharing[1]->record));
        foreignMemo.insert(sharing[0] == *foreign ? sharing[1] : sharing[0]);
        ++*overwrittenByForeign;
    }
    std::set<std::string> present;
    for (const Walked& w : records)
        present.insert(w.fields.at("NAME"));
    constexpr std::string_view kForeignText = "added elsewhere by ";
    const auto lostForeignsMemo = [&](const Walked& w) {
        const std::string& comments = w.fields.at("COMMENTS");
        return overwrittenByForeign && comments.starts_with(std::string(kForeignText) + "F-") &&
               !present.count(comments.substr(kForeignText.size())) &&
               byBlock[w.memoBlock].size() == 1;
    };
    std::multiset<std::string> names;
    for (const Walked& w : records) {
        const std::string where = "record " + std::to_string(w.record);
        const std::string& name = w.fields.at("NAME");
        const auto edited = editedComments.find(w.record);
        if (edited != editedComments.end() && w.fields.at("COMMENTS") != edited->second)
            throw std::runtime_error(where + " lost its edit: " + w.fields.at("COMMENTS"));
        if (w.record <= shippedRecords)
            continue;
        names.insert(name);
        if (name.starts_with("F-")) {
            if (w.fields.at("COMMENTS") != "added elsewhere by " + name)
                throw std::runtime_error(where + " has another's comments: " + name);
            continue;
        }
        const auto [writer, save] = test::writerSaveOf(name);
        if (writer < 0)
            throw std::runtime_error(where + " has no writer's name: " + name);
        if (lostForeignsMemo(w)) {
            foreignMemo.insert(&w);
            ++*overwrittenByForeign;
        }
        const bool ownComments = edited == editedComments.end() && !foreignMemo.count(&w);
        for (const auto& [field, text] : test::writerDetails(writer, save))
            if (w.fields.at(field) != text && (field != "COMMENTS" || ownComments))
                throw std::runtime_error(where + " field " + field + " holds '" +
                                         w.fields.at(field) + "'");
        if (w.fields.at("BOWWT") != "60" || w.fields.at("HORT") != "0")
            throw std::runtime_error(where + " lost its setup");
    }
    return names;
}

// Walks Saved.idx: the number of entries, and whether each name seeks.
std::size_t indexEntries(const std::filesystem::path& folder,
                         const std::multiset<std::string>& names)
{
    storage::Table table(folder);
    table.open(storage::files::kSavedSetups, storage::OpenMode::ReadOnly);
    table.indexOpen(storage::files::kSavedIndex);
    std::size_t entries = 0;
    for (table.goTop(); !table.eof(); table.next())
        ++entries;
    for (const std::string& name : names)
        if (!table.seek(name) || test::trimmed(table.getString("NAME")) != name)
            throw std::runtime_error("Saved.idx does not find " + name);
    return entries;
}

// The lines a helper printed that begin with what, without it.
QStringList confirmed(const QByteArray& output, const QByteArray& what)
{
    QStringList lines;
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith(what))
            lines << QString::fromUtf8(line.mid(what.size()));
    return lines;
}

QStringList savedNames(QProcess& writer)
{
    return confirmed(writer.readAllStandardOutput(), "saved ");
}

} // namespace

class TestWriters : public QObject {
    Q_OBJECT

private slots:
    void killedSavesLeaveWholeRecordsAndTheNextSaveMendsTheIndex()
    {
        test::TableFolderCopy folder;
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

    // Our saves beside a second writer of ours saving, one of ours editing
    // the comments of earlier customers, or another program appending
    // without any lock (Perl's XBase).
    void writersAtOnceKeepEveryRecord_data()
    {
        QTest::addColumn<QString>("second");
        QTest::newRow("two saving") << "save";
        QTest::newRow("saving and editing") << "edit";
        QTest::newRow("saving and a foreign program appending") << "foreign";
    }

    void writersAtOnceKeepEveryRecord()
    {
        QFETCH(QString, second);
        constexpr int kSaves = 300;
        test::TableFolderCopy folder;
        if (second == "edit") { // customers to edit
            QProcess early;
            early.start(kWriter, {folder.filePath(""), "3", "20"});
            QVERIFY(early.waitForFinished(120000));
            QCOMPARE(early.exitCode(), 0);
        }
        const std::size_t shipped = test::storedRecords(folder.path()).size();
        QProcess first;
        QProcess other;
        first.start(kWriter, {folder.filePath(""), "1", QString::number(kSaves)});
        if (second == "save")
            other.start(kWriter, {folder.filePath(""), "2", QString::number(kSaves)});
        else if (second == "edit")
            other.start(kWriter, {folder.filePath(""), "2", QString::number(shipped), "edit"});
        else
            other.start("/usr/bin/perl", {QW_SOURCE_DIR "/tests/customers/xbase_append.pl",
                                          folder.filePath("Saveddb.dbf"), "F", "1 Elm St", "Oslo",
                                          "NY", "0", "60", "29", "100", QString::number(kSaves)});
        for (QProcess* writer : {&first, &other}) {
            QVERIFY(writer->waitForFinished(600000));
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        }
        const QStringList ours = savedNames(first);
        const QByteArray output = other.readAllStandardOutput();
        std::map<std::uint32_t, std::string> edits;
        for (const QString& line : confirmed(output, "edited ")) {
            const auto number = std::uint32_t(line.section(' ', 0, 0).toUInt());
            edits[number] = line.section(' ', 1).toStdString() + "\r\nsecond line of the edit";
        }
        const bool foreign = second == "foreign";
        int foreignMemos = 0;
        std::multiset<std::string> names;
        try {
            names = checkEveryRecordWhole(folder.path(), second == "edit" ? 0 : shipped, edits,
                                          foreign ? &foreignMemos : nullptr);
        } catch (const std::exception& e) {
            QFAIL(e.what());
        }
        QCOMPARE(ours.size(), kSaves);
        QStringList expected = confirmed(output, "saved ");
        if (second == "edit")
            for (int save = 0; save < 20; ++save)
                expected << QString::fromStdString(test::writerDetails(3, save).at("NAME"));
        // Every record a writer confirmed is there once. The foreign program
        // counts records as they stood when it opened the table and takes no
        // lock: it may write one of its own over one of ours, and where it
        // puts its record down in the very moment that ours goes to the same
        // place (after we looked, before we wrote), one of the two is lost;
        // no file operation lets either side prevent that. Every other
        // record, and every record's own comments, stay.
        int oursOverwritten = 0;
        int theirsOverwritten = 0;
        for (const QString& name : ours)
            if (foreign && names.count(name.toStdString()) == 0)
                ++oursOverwritten;
            else
                expected << name;
        for (const QString& name : confirmed(output, "appended "))
            if (names.count(name.toStdString()) == 0)
                ++theirsOverwritten;
            else
                expected << name;
        for (const QString& name : expected)
            QVERIFY2(names.count(name.toStdString()) == 1, qPrintable(name));
        QCOMPARE(names.size(), std::size_t(expected.size()));
        if (second == "edit")
            QCOMPARE(edits.size(), shipped);
        // An independent reader, which stops at the first end-of-file mark,
        // finds every record too: no mark of ours ever lands on a record.
        QProcess reader;
        reader.start("/usr/bin/python3",
                     {"-c",
                      "import sys, dbfread; print(len(list(dbfread.DBF(sys.argv[1], "
                      "ignore_missing_memofile=True, raw=True))))",
                      folder.filePath("Saveddb.dbf")});
        QVERIFY(reader.waitForFinished(60000));
        QCOMPARE(reader.readAllStandardOutput().trimmed().toULongLong(),
                 names.size() + (second == "edit" ? 0 : shipped));
        if (foreign)
            qInfo("the foreign program wrote %d records over ours and %d memos over ours; "
                  "%d of its records lost a race for the same place to ours",
                  oursOverwritten, foreignMemos, theirsOverwritten);
        // A last save of ours rebuilds the index over every record, the
        // foreign program's included.
        QProcess last;
        last.start(kWriter, {folder.filePath(""), "4", "1"});
        QVERIFY(last.waitForFinished(60000));
        QCOMPARE(last.exitCode(), 0);
        names.insert(test::writerDetails(4, 0).at("NAME"));
        QCOMPARE(indexEntries(folder.path(), names),
                 (second == "edit" ? 0 : shipped) + names.size());
    }
};

QTEST_GUILESS_MAIN(TestWriters)
#include "tst_writers.moc"
