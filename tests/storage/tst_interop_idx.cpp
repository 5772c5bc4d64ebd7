// Standard IDX files exchanged with an independent implementation, Perl's
// XBase::Index: files written here are read by it in the same order with
// the same seek results, and files it writes are read here the same way.

#include "storage/IndexFile.h"
#include "storage/Table.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <random>

using namespace qw::storage;

namespace {

const QString kScript = QW_FIXTURES_DIR "/idx/xbase_idx.pl";

QString hexOf(const std::string& bytes)
{
    return QString::fromLatin1(QByteArray(bytes.data(), qsizetype(bytes.size())).toHex());
}

QStringList runPerl(const QStringList& arguments)
{
    QProcess perl;
    perl.start("/usr/bin/perl", QStringList{kScript} + arguments);
    if (!perl.waitForFinished(120000) || perl.exitStatus() != QProcess::NormalExit ||
        perl.exitCode() != 0)
        qFatal("xbase_idx.pl failed: %s", perl.readAllStandardError().constData());
    return QString::fromLatin1(perl.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

QString line(const IndexEntry& entry)
{
    return QString::number(entry.recordNumber) + ' ' + hexOf(entry.key);
}

QStringList ourOrder(const IndexFile& index)
{
    QStringList lines;
    for (auto e = index.first(); e; e = index.next(*e))
        lines << line(*e);
    return lines;
}

std::vector<std::string> names(std::size_t count, unsigned seed)
{
    static const char* const stems[] = {"Smith",  "Smithson", "Adams", "B\xE9langer", "M\xFCller",
                                        "O'Neil", "Chen",     "Zed",   "Baker",       "ADAMS"};
    std::mt19937 random(seed);
    std::vector<std::string> result;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = stems[random() % 10];
        if (random() % 2)
            name += " " + std::string(1, char('A' + random() % 26));
        result.push_back(name);
    }
    return result;
}

const std::vector<std::string> kPrefixes = {"",      "A",        "Ad",   "ADAMS", "B",
                                            "B\xE9", "Bak",      "C",    "M",     "O'",
                                            "Smith", "Smithson", "Smiz", "Q",     "Zed"};

} // namespace

class TestInteropIdx : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::filesystem::path file(const char* name) const
    {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

    // Our seek and XBase's first entry at or after the prefix agree: the
    // same record when a key begins with the prefix, else no such key there.
    void compareSeeks(const IndexFile& index, const std::filesystem::path& path)
    {
        QStringList hexPrefixes;
        for (const auto& p : kPrefixes)
            hexPrefixes << hexOf(p);
        const QStringList theirs =
            runPerl(QStringList{"seek", QString::fromStdString(path.string())} + hexPrefixes);
        QCOMPARE(theirs.size(), qsizetype(kPrefixes.size()));
        for (std::size_t i = 0; i < kPrefixes.size(); ++i) {
            const auto ours = index.seekPrefix(kPrefixes[i]);
            if (ours) {
                QCOMPARE(theirs[qsizetype(i)], line(*ours));
            } else {
                const QString hexKey = theirs[qsizetype(i)].section(' ', 1);
                QVERIFY2(theirs[qsizetype(i)] == "-" ||
                             !hexKey.startsWith(hexPrefixes[qsizetype(i)]),
                         qPrintable(theirs[qsizetype(i)]));
            }
        }
    }

private slots:
    void ourIndexReadByXBase_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("keyLength");
        QTest::newRow("one leaf") << 20 << 12;
        QTest::newRow("two levels") << 600 << 12;
        QTest::newRow("three levels") << 3000 << 12;
        QTest::newRow("wide keys") << 800 << 60;
    }
    void ourIndexReadByXBase()
    {
        QFETCH(int, count);
        QFETCH(int, keyLength);
        std::vector<IndexEntry> entries;
        std::uint32_t record = 0;
        for (const auto& name : names(std::size_t(count), unsigned(count)))
            entries.push_back({name, ++record});
        IndexFile::writeStandard(file("ours.idx"), "UPPER(NAME)", std::uint16_t(keyLength),
                                 entries);
        const auto index = IndexFile::open(file("ours.idx"));
        const QStringList theirs =
            runPerl({"dump", QString::fromStdString(file("ours.idx").string())});
        QCOMPARE(theirs.size(), qsizetype(count));
        QCOMPARE(theirs, ourOrder(*index));
        compareSeeks(*index, file("ours.idx"));
    }

    // XBase writes at most four leaves correctly (it stops building levels
    // after its fifth page), so its files here stay within that.
    void xbaseIndexReadByUs()
    {
        const auto people = names(120, 3);
        QStringList arguments{"create", QString::fromStdString(file("people.dbf").string()),
                              QString::fromStdString(file("people.idx").string()), "10"};
        for (const auto& n : people)
            arguments << hexOf(n);
        runPerl(arguments);

        const auto index = IndexFile::open(file("people.idx"));
        QCOMPARE(index->expression(), std::string("NAME"));
        QCOMPARE(index->keyLength(), std::uint16_t(10));
        std::vector<IndexEntry> expected;
        for (std::size_t i = 0; i < people.size(); ++i) {
            std::string key = people[i].substr(0, 10);
            key.resize(10, ' ');
            expected.push_back({key, std::uint32_t(i + 1)});
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });
        QStringList expectedLines;
        for (const auto& e : expected)
            expectedLines << line(e);
        const QStringList ours = ourOrder(*index);
        QCOMPARE(ours, expectedLines);
        QCOMPARE(runPerl({"dump", QString::fromStdString(file("people.idx").string())}), ours);
        compareSeeks(*index, file("people.idx"));
    }

    // The same files through the table object: XBase's table and index,
    // sought and walked in name order.
    void xbaseTableAndIndexThroughTheTable()
    {
        const auto people = names(100, 9);
        QStringList arguments{"create", QString::fromStdString(file("club.dbf").string()),
                              QString::fromStdString(file("club.idx").string()), "10"};
        for (const auto& n : people)
            arguments << hexOf(n);
        runPerl(arguments);

        Table table(dir_.path().toStdString());
        table.open("CLUB.DBF", OpenMode::ReadOnly);
        table.indexOpen("Club.idx");
        QVERIFY(table.seek("Chen"));
        QVERIFY(QString::fromStdString(table.getString("NAME")).startsWith("Chen"));
        const auto index = IndexFile::open(file("club.idx"));
        std::uint32_t count = 0;
        table.goTop();
        for (auto e = index->first(); e; e = index->next(*e), table.next(), ++count) {
            QVERIFY(!table.eof());
            QCOMPARE(table.recordNumber(), e->recordNumber);
        }
        QCOMPARE(count, 100u);
    }
};

QTEST_APPLESS_MAIN(TestInteropIdx)
#include "tst_interop_idx.moc"
