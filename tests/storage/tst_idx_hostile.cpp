// Truncated, corrupted and hostile IDX files: each must end in
// StorageError::badFile naming the file, never in a crash, a hang or a read
// outside the file (run under AddressSanitizer in CI).

#include "storage/ChangeCheck.h"
#include "storage/IndexFile.h"
#include "storage/Table.h"
#include "tst_idx_support.h"

#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <functional>
#include <thread>

using namespace qw::storage;
using namespace idxtest;

using Corruption = std::function<void(std::string&)>;
Q_DECLARE_METATYPE(Corruption)

namespace {

constexpr std::size_t kKeyLength = 12;
constexpr std::size_t kEntry = kKeyLength + 4;

// Offsets of the interesting nodes of the base file.
struct Layout {
    std::uint32_t root;
    std::uint32_t middle; // the root's first child, an interior node
    std::uint32_t leaf;   // the middle node's first child
};

Layout layoutOf(const std::string& bytes)
{
    Layout layout{};
    layout.root = le32(bytes, 0);
    layout.middle = be32(bytes, layout.root + 12 + kKeyLength);
    layout.leaf = be32(bytes, layout.middle + 12 + kKeyLength);
    return layout;
}

// Opens the file and uses every operation; true when a StorageError naming
// the file stopped it.
bool refusedWithItsName(const std::filesystem::path& path, QString* message)
{
    try {
        const auto index = IndexFile::open(path);
        for (auto e = index->first(); e; e = index->next(*e)) {
        }
        for (auto e = index->last(); e; e = index->previous(*e)) {
        }
        index->seekPrefix("M");
        index->findRecord(999999);
    } catch (const StorageError& error) {
        *message = QString::fromUtf8(error.what());
        return message->startsWith(QString::fromStdString(path.filename().string()) + ": ");
    }
    *message = "no error";
    return false;
}

} // namespace

class TestIdxHostile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::string base_;
    Layout layout_{};
    std::filesystem::path file(const char* name) const
    {
        return std::filesystem::path(dir_.path().toStdString()) / name;
    }

private slots:
    void initTestCase()
    {
        // 2000 keys: a root, three interior nodes, 65 leaves.
        std::vector<IndexEntry> entries;
        for (std::uint32_t r = 1; r <= 2000; ++r)
            entries.push_back({"K" + std::to_string(r * 7919 % 10007), r});
        IndexFile::writeStandard(file("base.idx"), "UPPER(NAME)", kKeyLength, entries);
        base_ = readBytes(file("base.idx"));
        // A real table of some kilobytes, for the file given in place of an index.
        createTable(dir_.path().toStdString(), "table.dbf",
                    {{"NAME", FieldType::Character, 12, 0}});
        Table table(dir_.path().toStdString());
        table.open("table.dbf");
        table.setDurableWrites(false);
        for (int r = 0; r < 300; ++r) {
            table.appendBlank();
            table.setField("NAME", "N" + std::to_string(r));
            table.post();
        }
        layout_ = layoutOf(base_);
        QVERIFY(le16(base_, layout_.middle) == 0 && le16(base_, layout_.leaf) == 2);
    }

    void corruptFileIsRefused_data()
    {
        QTest::addColumn<Corruption>("corrupt");
        const Layout n = layout_;
        const std::size_t size = base_.size();
        auto truncateTo = [](std::size_t length) {
            return Corruption([length](std::string& b) { b.resize(std::min(length, b.size())); });
        };
        QTest::newRow("empty file") << truncateTo(0);
        QTest::newRow("half a header") << truncateTo(300);
        QTest::newRow("header only") << truncateTo(512);
        QTest::newRow("last node cut short") << truncateTo(size - 1);
        QTest::newRow("leaves cut off") << truncateTo(size / 2);
        QTest::newRow("root past the end")
            << Corruption([size](std::string& b) { setLe32(b, 0, std::uint32_t(size)); });
        QTest::newRow("root not on a node")
            << Corruption([](std::string& b) { setLe32(b, 0, 700); });
        QTest::newRow("root in the header") << Corruption([](std::string& b) { setLe32(b, 0, 0); });
        QTest::newRow("root far away")
            << Corruption([](std::string& b) { setLe32(b, 0, 0xFFFFFE00u); });
        QTest::newRow("key length 0") << Corruption([](std::string& b) { setLe16(b, 12, 0); });
        QTest::newRow("key length too large for a node")
            << Corruption([](std::string& b) { setLe16(b, 12, 300); });
        QTest::newRow("too many keys for a node")
            << Corruption([n](std::string& b) { setLe16(b, n.root + 2, 400); });
        QTest::newRow("too many keys in a leaf")
            << Corruption([n](std::string& b) { setLe16(b, n.leaf + 2, 32); });
        QTest::newRow("unknown node attributes")
            << Corruption([n](std::string& b) { setLe16(b, n.middle, 0x44); });
        QTest::newRow("interior node without keys")
            << Corruption([n](std::string& b) { setLe16(b, n.middle + 2, 0); });
        QTest::newRow("child pointer not aligned")
            << Corruption([n](std::string& b) { setBe32(b, n.root + 12 + kKeyLength, 1000); });
        QTest::newRow("child pointer past the end") << Corruption([n](std::string& b) {
            setBe32(b, n.middle + 12 + 3 * kEntry + kKeyLength, 0x7FFFFE00u);
        });
        QTest::newRow("child pointer into the header")
            << Corruption([n](std::string& b) { setBe32(b, n.middle + 12 + kKeyLength, 0); });
        QTest::newRow("node is its own child") << Corruption(
            [n](std::string& b) { setBe32(b, n.middle + 12 + kKeyLength, n.middle); });
        QTest::newRow("child loops to the root") << Corruption(
            [n](std::string& b) { setBe32(b, n.middle + 12 + 5 * kEntry + kKeyLength, n.root); });
        QTest::newRow("every child the same node") << Corruption([n](std::string& b) {
            // A lattice instead of a tree: walking it would repeat leaves
            // without end; the leaf budget stops it.
            for (std::uint32_t node = n.middle; node < n.root; node += 512)
                for (std::size_t i = 0; i < le16(b, node + 2); ++i)
                    setBe32(b, node + 12 + i * kEntry + kKeyLength, n.leaf);
            for (std::size_t i = 0; i < le16(b, n.root + 2); ++i)
                setBe32(b, n.root + 12 + i * kEntry + kKeyLength, n.middle);
        });
        QTest::newRow("record number 0")
            << Corruption([n](std::string& b) { setBe32(b, n.leaf + 12 + kKeyLength, 0); });
        QTest::newRow("no key expression")
            << Corruption([](std::string& b) { std::fill(b.begin() + 16, b.begin() + 236, '\0'); });
        QTest::newRow("control bytes in the expression")
            << Corruption([](std::string& b) { b[18] = '\x01'; });
        QTest::newRow("compound index") << Corruption([](std::string& b) { b[14] = char(0x60); });
        QTest::newRow("compact flag on a short file") << Corruption([](std::string& b) {
            b[14] = char(0x20);
            b.resize(900);
        });
    }
    void corruptFileIsRefused()
    {
        QFETCH(Corruption, corrupt);
        std::string bytes = base_;
        corrupt(bytes);
        writeBytes(file("hostile.idx"), bytes);
        QString message;
        QVERIFY2(refusedWithItsName(file("hostile.idx"), &message), qPrintable(message));
    }

    // The message names the real fault, not whichever header value of a
    // file that is no index happened to fail first.
    void headerFaultsAreNamedForWhatTheyAre_data()
    {
        QTest::addColumn<Corruption>("corrupt");
        QTest::addColumn<QString>("reason");
        QTest::newRow("random bytes") << Corruption([](std::string& b) {
            std::uint32_t x = 12345;
            for (char& c : b)
                c = char((x = x * 1103515245u + 12345u) >> 24);
        }) << "not an index file, or a damaged one";
        const std::string table = readBytes(file("table.dbf"));
        QTest::newRow("a table given as an index")
            << Corruption([table](std::string& b) { b = table; })
            << "a table (DBF) file, not an index file";
        QTest::newRow("compound index")
            << Corruption([](std::string& b) { b[14] = char(0x60); }) << "a compound index";
        QTest::newRow("key length 0 in an index")
            << Corruption([](std::string& b) { setLe16(b, 12, 0); }) << "impossible key length 0";
    }
    void headerFaultsAreNamedForWhatTheyAre()
    {
        QFETCH(Corruption, corrupt);
        QFETCH(QString, reason);
        std::string bytes = base_;
        corrupt(bytes);
        writeBytes(file("named.idx"), bytes);
        QString message;
        QVERIFY2(refusedWithItsName(file("named.idx"), &message), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }

    // Sibling pointers are not needed to walk the order: nonsense in them
    // must neither mislead the reader nor stop it.
    void brokenSiblingChainsDoNotMatter()
    {
        std::string bytes = base_;
        for (std::size_t node = 512; node < bytes.size(); node += 512) {
            setLe32(bytes, node + 4, std::uint32_t(node)); // left sibling: itself
            setLe32(bytes, node + 8, 12345);               // right sibling: nowhere
        }
        writeBytes(file("siblings.idx"), bytes);
        const auto broken = IndexFile::open(file("siblings.idx"));
        const auto sound = IndexFile::open(file("base.idx"));
        std::size_t count = 0;
        auto a = broken->first();
        for (auto b = sound->first(); b; b = sound->next(*b), a = broken->next(*a), ++count) {
            QVERIFY(a);
            QCOMPARE(a->recordNumber, b->recordNumber);
        }
        QVERIFY(!a);
        QCOMPARE(count, std::size_t(2000));
        QCOMPARE(broken->seekPrefix("K5")->recordNumber, sound->seekPrefix("K5")->recordNumber);
    }

    // A refused file must not keep its file handle: a program that meets a
    // bad index again and again would otherwise run out of them.
    void refusedFilesReleaseTheirHandles()
    {
        std::string bytes = base_;
        setLe32(bytes, 0, 700); // a header that reads, a root that does not
        writeBytes(file("leak.idx"), bytes);
        const auto openHandles = [] {
            return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                 std::filesystem::directory_iterator());
        };
        const auto before = openHandles();
        for (int i = 0; i < 50; ++i)
            QVERIFY_THROWS_EXCEPTION(StorageError, IndexFile::open(file("leak.idx")));
        QCOMPARE(openHandles(), before);
    }

    // A file cut while it is opened later, through a reader already open.
    void fileDamagedWhileOpenIsRefused()
    {
        writeBytes(file("later.idx"), base_);
        const auto index = IndexFile::open(file("later.idx"));
        QVERIFY(index->seekPrefix("K1"));
        writeBytes(file("later.idx"), base_.substr(0, 1024));
        // Another program's change is noticed within the recheck interval.
        std::this_thread::sleep_for(ChangeCheck::kRecheckInterval + std::chrono::milliseconds(50));
        QVERIFY_THROWS_EXCEPTION(StorageError, index->seekPrefix("K1"));
    }
};

QTEST_APPLESS_MAIN(TestIdxHostile)
#include "tst_idx_hostile.moc"
