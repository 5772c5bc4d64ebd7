// Standard IDX files written by IndexFile::writeStandard and read back by
// IndexFile::open: order, prefix seeks, stepping, the bytes on disk, a
// rewrite seen through another handle, and refused input.

#include "storage/IndexFile.h"
#include "tst_idx_support.h"

#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>

using namespace qw::storage;
using namespace idxtest;

namespace {

constexpr std::uint16_t kKeyLength = 12;

std::string padded(std::string key, std::size_t length = kKeyLength)
{
    key.resize(length, ' ');
    return key;
}

// Names with duplicates, Windows-1252 letters and short keys that the writer pads.
std::vector<IndexEntry> makeEntries(std::size_t count, unsigned seed = 7)
{
    static const char* const stems[] = {"ADAMS",  "B\xC9LANGER", "BAKER", "ZZ", "M\xDCLLER",
                                        "O'NEIL", "ADAMSON",     "CHEN",  "",   "SMITH"};
    std::mt19937 random(seed);
    std::vector<IndexEntry> entries;
    for (std::uint32_t record = 1; record <= count; ++record) {
        std::string key = stems[random() % 10];
        if (random() % 3 != 0)
            key += std::to_string(random() % 1000);
        entries.push_back({key, record});
    }
    return entries;
}

std::vector<IndexEntry> sortedPadded(std::vector<IndexEntry> entries,
                                     std::size_t length = kKeyLength)
{
    for (auto& e : entries)
        e.key = padded(e.key.substr(0, length), length);
    std::sort(entries.begin(), entries.end(), [](const IndexEntry& a, const IndexEntry& b) {
        return a.key != b.key ? a.key < b.key : a.recordNumber < b.recordNumber;
    });
    return entries;
}

std::vector<IndexEntry> forward(const IndexFile& index)
{
    std::vector<IndexEntry> all;
    for (auto e = index.first(); e; e = index.next(*e))
        all.push_back(*e);
    return all;
}

std::vector<IndexEntry> backward(const IndexFile& index)
{
    std::vector<IndexEntry> all;
    for (auto e = index.last(); e; e = index.previous(*e))
        all.push_back(*e);
    return all;
}

bool sameEntries(const std::vector<IndexEntry>& a, const std::vector<IndexEntry>& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto& x, auto& y) {
               return x.key == y.key && x.recordNumber == y.recordNumber;
           });
}

// Capacity of a 512-byte node for 12-byte keys: 500 / (12 + 4).
constexpr std::size_t kPerNode = 31;

} // namespace

class TestIdx : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::filesystem::path file(const char* name) const
    {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

private slots:
    void roundTripKeepsOrder_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<bool>("shuffled"); // entries not in record order
        QTest::newRow("empty") << 0 << int(kKeyLength) << false;
        QTest::newRow("one") << 1 << int(kKeyLength) << false;
        QTest::newRow("one full leaf") << int(kPerNode) << int(kKeyLength) << false;
        QTest::newRow("two leaves") << int(kPerNode + 1) << int(kKeyLength) << false;
        QTest::newRow("two levels full") << int(kPerNode * kPerNode) << int(kKeyLength) << false;
        QTest::newRow("three levels") << int(kPerNode * kPerNode + 1) << int(kKeyLength) << false;
        QTest::newRow("5000") << 5000 << int(kKeyLength) << false;
        QTest::newRow("5000 shuffled") << 5000 << int(kKeyLength) << true;
        QTest::newRow("5000 keys of 5, shuffled") << 5000 << 5 << true;
    }
    void roundTripKeepsOrder()
    {
        QFETCH(int, count);
        QFETCH(int, keyLength);
        QFETCH(bool, shuffled);
        const auto length = static_cast<std::uint16_t>(keyLength);
        auto entries = makeEntries(std::size_t(count));
        for (auto& e : entries)
            e.key.resize(std::min<std::size_t>(e.key.size(), length));
        if (shuffled)
            std::shuffle(entries.begin(), entries.end(), std::mt19937(11));
        IndexFile::writeStandard(file("order.idx"), "UPPER(NAME)", length, entries);
        const auto index = IndexFile::open(file("order.idx"));
        QCOMPARE(index->expression(), std::string("UPPER(NAME)"));
        QCOMPARE(index->forExpression(), std::string());
        QCOMPARE(index->keyLength(), length);
        QVERIFY(!index->isCompact());
        QVERIFY(!index->isUnique());

        const auto expected = sortedPadded(entries, length);
        QVERIFY(sameEntries(forward(*index), expected));
        auto reversed = expected;
        std::reverse(reversed.begin(), reversed.end());
        QVERIFY(sameEntries(backward(*index), reversed));
        if (count == 0) {
            QVERIFY(!index->first());
            QVERIFY(!index->last());
            QVERIFY(!index->seekPrefix(""));
        }
    }

    // The bytes on disk, checked against the documented layout rather than
    // against the reader: header fields, node attributes, sibling chains,
    // big-endian record numbers, and interior keys equal to their child's
    // last key, with every leaf at the same depth.
    void fileLayoutFollowsTheFormat()
    {
        const auto entries = makeEntries(2000, 3);
        IndexFile::writeStandard(file("layout.idx"), "UPPER(NAME)", kKeyLength, entries);
        const std::string bytes = readBytes(file("layout.idx"));
        QCOMPARE(bytes.size() % 512, std::size_t(0));
        QCOMPARE(le32(bytes, 8), std::uint32_t(bytes.size()));
        QCOMPARE(le32(bytes, 4), 0xFFFFFFFFu);
        QCOMPARE(le16(bytes, 12), kKeyLength);
        QCOMPARE(std::uint8_t(bytes[14]), std::uint8_t(0));
        QCOMPARE(std::string(bytes.c_str() + 16), std::string("UPPER(NAME)"));
        QCOMPARE(bytes[236], '\0');

        const std::uint32_t root = le32(bytes, 0);
        QCOMPARE(root % 512, 0u);
        QCOMPARE(le16(bytes, root) & 1, 1); // root attribute
        QCOMPARE(le16(bytes, root) & 2, 0); // 2000 keys need interior nodes

        // Walk level by level from the root, following the leftmost child.
        std::vector<IndexEntry> leafEntries;
        std::uint32_t levelStart = root;
        int levels = 0;
        for (;;) {
            ++levels;
            const bool leaf = le16(bytes, levelStart) & 2;
            std::uint32_t node = levelStart;
            QCOMPARE(le32(bytes, node + 4), 0xFFFFFFFFu); // leftmost: no left sibling
            std::uint32_t previous = 0xFFFFFFFFu;
            while (node != 0xFFFFFFFFu) {
                QCOMPARE(bool(le16(bytes, node) & 2), leaf);
                QCOMPARE(le32(bytes, node + 4), previous);
                const std::uint16_t keys = le16(bytes, node + 2);
                QVERIFY(keys >= 1 && keys <= kPerNode);
                for (std::size_t i = 0; i < keys; ++i) {
                    const std::size_t at = node + 12 + i * (kKeyLength + 4);
                    const std::string key = bytes.substr(at, kKeyLength);
                    const std::uint32_t pointer = be32(bytes, at + kKeyLength);
                    if (leaf) {
                        leafEntries.push_back({key, pointer});
                    } else {
                        // The child's last key is the parent's key.
                        const std::uint16_t childKeys = le16(bytes, pointer + 2);
                        const std::size_t lastAt =
                            pointer + 12 + (childKeys - 1) * (kKeyLength + 4);
                        QCOMPARE(bytes.substr(lastAt, kKeyLength), key);
                    }
                }
                previous = node;
                node = le32(bytes, node + 8);
            }
            if (leaf)
                break;
            levelStart = be32(bytes, levelStart + 12 + kKeyLength);
        }
        QCOMPARE(levels, 3); // 2000 keys: 65 leaves, 3 interior nodes, a root
        QVERIFY(sameEntries(leafEntries, sortedPadded(entries)));
    }

    void seekFindsTheFirstKeyWithThePrefix()
    {
        std::vector<IndexEntry> entries = {{"BAKER", 4},   {"ADAMS", 9}, {"ADAMS", 2},
                                           {"ADAMSON", 1}, {"CHEN", 3},  {"B\xC9LANGER", 5}};
        for (std::uint32_t r = 10; r < 400; ++r) // enough to need interior nodes
            entries.push_back({"D" + std::to_string(r), r});
        IndexFile::writeStandard(file("seek.idx"), "NAME", kKeyLength, entries);
        const auto index = IndexFile::open(file("seek.idx"));

        auto hit = index->seekPrefix("ADAMS");
        QVERIFY(hit);
        QCOMPARE(hit->recordNumber, 2u); // equal keys in record order
        QCOMPARE(hit->key, padded("ADAMS"));
        QCOMPARE(index->seekPrefix("ADAMSO")->recordNumber, 1u);
        QCOMPARE(index->seekPrefix("B\xC9")->recordNumber, 5u);
        QCOMPARE(index->seekPrefix("")->recordNumber, 2u);
        QCOMPARE(index->seekPrefix("D399")->recordNumber, 399u);
        QCOMPARE(index->seekPrefix("D2")->key, padded("D20"));
        QVERIFY(!index->seekPrefix("BAL"));   // between BAKER and BÉLANGER
        QVERIFY(!index->seekPrefix("AB"));    // sorts before ADAMS, begins no key
        QVERIFY(!index->seekPrefix("E"));     // past the last key
        QVERIFY(!index->seekPrefix("adams")); // byte order: letter case counts
        // Longer than the key: only trailing blanks may follow.
        QCOMPARE(index->seekPrefix(padded("CHEN", 20))->recordNumber, 3u);
        QVERIFY(!index->seekPrefix(padded("CHEN", 12) + "X"));
    }

    void steppingFromAnyEntry()
    {
        const auto entries = makeEntries(1500, 11);
        IndexFile::writeStandard(file("step.idx"), "NAME", kKeyLength, entries);
        const auto index = IndexFile::open(file("step.idx"));
        const auto expected = sortedPadded(entries);
        // Fresh lookups (not continuing a walk) from scattered positions.
        for (std::size_t i = 1; i + 1 < expected.size(); i += 97) {
            const auto reader = IndexFile::open(file("step.idx"));
            const auto after = reader->next(expected[i]);
            QVERIFY(after);
            QCOMPARE(after->recordNumber, expected[i + 1].recordNumber);
            const auto before = reader->previous(expected[i]);
            QVERIFY(before);
            QCOMPARE(before->recordNumber, expected[i - 1].recordNumber);
        }
        QVERIFY(!index->next(expected.back()));
        QVERIFY(!index->previous(expected.front()));

        // An entry no longer in the file: its would-be neighbours.
        const IndexEntry gone{padded("ADAMS5"), 999999};
        const auto upper = std::find_if(expected.begin(), expected.end(),
                                        [&](const IndexEntry& e) { return e.key > gone.key; });
        QVERIFY(upper != expected.begin() && upper != expected.end());
        QCOMPARE(index->next(gone)->recordNumber, upper->recordNumber);
        QCOMPARE(index->previous(gone)->recordNumber, std::prev(upper)->recordNumber);
        // Past every key: previous is the last entry.
        QCOMPARE(index->previous({padded("\xFF"), 1})->recordNumber, expected.back().recordNumber);
        QVERIFY(!index->next({padded("\xFF"), 1}));
    }

    void findRecordLocatesAnyRecord()
    {
        const auto entries = makeEntries(1200, 5);
        IndexFile::writeStandard(file("find.idx"), "NAME", kKeyLength, entries);
        const auto index = IndexFile::open(file("find.idx"));
        for (std::uint32_t record : {1u, 600u, 1200u}) {
            const auto found = index->findRecord(record);
            QVERIFY(found);
            QCOMPARE(found->recordNumber, record);
            QCOMPARE(found->key, padded(entries[record - 1].key));
        }
        QVERIFY(!index->findRecord(1201));
        // Walking on from a found record continues in key order.
        const auto expected = sortedPadded(entries);
        const auto at = std::find_if(expected.begin(), expected.end(),
                                     [](const IndexEntry& e) { return e.recordNumber == 600; });
        QCOMPARE(index->next(*index->findRecord(600))->recordNumber, std::next(at)->recordNumber);
    }

    // A reindex through another handle replaces the file: an open reader must
    // serve the new entries, never nodes it cached from the old file, even
    // when the new file has exactly the old one's size.
    void rewriteThroughAnotherHandleIsSeen()
    {
        std::vector<IndexEntry> before;
        std::vector<IndexEntry> after;
        for (std::uint32_t r = 1; r <= 800; ++r) {
            before.push_back({"OLD" + std::to_string(r), r});
            after.push_back({"NEW" + std::to_string(r), r});
        }
        IndexFile::writeStandard(file("live.idx"), "NAME", kKeyLength, before);
        const auto reader = IndexFile::open(file("live.idx"));
        QCOMPARE(forward(*reader).size(), std::size_t(800));
        QVERIFY(reader->seekPrefix("OLD42"));
        const auto sizeBefore = std::filesystem::file_size(file("live.idx"));

        IndexFile::writeStandard(file("live.idx"), "NAME", kKeyLength, after);
        QCOMPARE(std::filesystem::file_size(file("live.idx")), sizeBefore);
        QVERIFY(!reader->seekPrefix("OLD42"));
        QCOMPARE(reader->seekPrefix("NEW42")->key, padded("NEW42"));
        QVERIFY(sameEntries(forward(*reader), sortedPadded(after)));

        // Appending a record and reindexing: the new key is found at once.
        after.push_back({"AARDVARK", 801});
        IndexFile::writeStandard(file("live.idx"), "NAME", kKeyLength, after);
        QCOMPARE(reader->first()->recordNumber, 801u);
        QCOMPARE(reader->seekPrefix("AAR")->recordNumber, 801u);
        // No temporary files are left beside the index.
        int files = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir_.path().toStdString()))
            files += e.path().filename().string().rfind("live.idx", 0) == 0;
        QCOMPARE(files, 1);
    }

    // A process killed at any moment while it rebuilds the index leaves a
    // file that holds either the old entries or the new ones, whole.
    void killedWriterLeavesAWholeIndex()
    {
        std::vector<IndexEntry> oldEntries;
        std::vector<IndexEntry> newEntries;
        for (std::uint32_t r = 1; r <= 3000; ++r) {
            oldEntries.push_back({"OLD" + std::to_string(r), r});
            newEntries.push_back({"NEW" + std::to_string(r), r});
        }
        newEntries.push_back({"NEW", 3001});
        const auto path = file("killed.idx");
        IndexFile::writeStandard(path, "NAME", kKeyLength, oldEntries);
        std::mt19937 random(1);
        for (int round = 0; round < 25; ++round) {
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (bool fresh = true;; fresh = !fresh)
                    IndexFile::writeStandard(path, "NAME", kKeyLength,
                                             fresh ? newEntries : oldEntries);
            }
            ::usleep(useconds_t(1000 + random() % 40000));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);

            const auto all = forward(*IndexFile::open(path));
            QVERIFY(all.size() == oldEntries.size() || all.size() == newEntries.size());
            const std::string stem = all.size() == oldEntries.size() ? "OLD" : "NEW";
            QVERIFY(std::all_of(all.begin(), all.end(),
                                [&](const IndexEntry& e) { return e.key.rfind(stem, 0) == 0; }));
        }
    }

    void missingFileGivesTheIndexMessage()
    {
        try {
            IndexFile::open(file("Saved.idx"));
            QFAIL("opened a missing file");
        } catch (const StorageError& error) {
            QCOMPARE(QString(error.what()),
                     "Index file does not exist.\nFile: " + QString::fromStdString(file("Saved.idx").string()));
        }
    }

    void writerRefusesWhatTheFormatCannotHold_data()
    {
        QTest::addColumn<QByteArray>("expression");
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<uint>("record");
        QTest::newRow("key longer than key length")
            << QByteArray("NAME") << 4 << QByteArray("ABCDE") << 1u;
        QTest::newRow("key length 0") << QByteArray("NAME") << 0 << QByteArray("") << 1u;
        QTest::newRow("key length 241") << QByteArray("NAME") << 241 << QByteArray("A") << 1u;
        QTest::newRow("empty expression") << QByteArray("") << 8 << QByteArray("A") << 1u;
        QTest::newRow("expression over 219") << QByteArray(220, 'N') << 8 << QByteArray("A") << 1u;
        QTest::newRow("control byte in expression")
            << QByteArray("NA\nME") << 8 << QByteArray("A") << 1u;
        QTest::newRow("record 0") << QByteArray("NAME") << 8 << QByteArray("A") << 0u;
    }
    void writerRefusesWhatTheFormatCannotHold()
    {
        QFETCH(QByteArray, expression);
        QFETCH(int, keyLength);
        QFETCH(QByteArray, key);
        QFETCH(uint, record);
        writeBytes(file("keep.idx"), "previous contents");
        QVERIFY_THROWS_EXCEPTION(
            StorageError,
            IndexFile::writeStandard(file("keep.idx"), expression.toStdString(),
                                     std::uint16_t(keyLength), {{key.toStdString(), record}}));
        // A refused write leaves the old file alone.
        QCOMPARE(readBytes(file("keep.idx")), std::string("previous contents"));
    }

    void longestKeyRoundTrips()
    {
        std::vector<IndexEntry> entries;
        for (std::uint32_t r = 1; r <= 50; ++r)
            entries.push_back({std::string(239, char('A' + r % 26)) + char('0' + r % 10), r});
        IndexFile::writeStandard(file("long.idx"), "NAME", 240, entries);
        const auto index = IndexFile::open(file("long.idx"));
        QCOMPARE(forward(*index).size(), std::size_t(50));
        QCOMPARE(index->seekPrefix(std::string(239, 'B') + "1")->recordNumber, 1u);
    }
};

QTEST_APPLESS_MAIN(TestIdx)
#include "tst_idx.moc"
