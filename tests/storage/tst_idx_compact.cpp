// Compact IDX files, read only. The files come from a separate encoder
// written from the format's documentation (tests/fixtures/idx/
// make_compact_idx.py), run here on entries chosen to exercise the shared
// leading bytes, dropped trailing blanks and record number widths of the
// compact leaves, and trees of one to several levels.

#include "storage/IndexFile.h"
#include "storage/Table.h"
#include "tst_idx_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <random>

using namespace qw::storage;
using namespace idxtest;

namespace {

struct Spec {
    int keyLength = 10;
    QString expression = "UPPER(NAME)";
    std::vector<IndexEntry> entries;
    int leafMaxKeys = 0;
    int interiorMaxKeys = 0;
    QString forExpression;
    bool unique = false;
    bool descending = false;
};

} // namespace

Q_DECLARE_METATYPE(Spec)

namespace {

QString latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::vector<IndexEntry> expectedOrder(const Spec& spec)
{
    std::vector<IndexEntry> sorted = spec.entries;
    for (auto& e : sorted)
        e.key.resize(std::size_t(spec.keyLength), ' ');
    std::sort(sorted.begin(), sorted.end(), [](const IndexEntry& a, const IndexEntry& b) {
        return a.key != b.key ? a.key < b.key : a.recordNumber < b.recordNumber;
    });
    return sorted;
}

std::vector<IndexEntry> namesWithSharedPrefixes(std::size_t count, std::uint32_t recordBase)
{
    static const char* const stems[] = {
        "SMITH",       "SMITHSON",  "SMYTHE", "ADAMS",      "ADAMSKI",
        "B\xC9LANGER", "M\xDCLLER", "",       "ZZZZZZZZZZ", "O"};
    std::mt19937 random(42);
    std::vector<IndexEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        std::string key = stems[random() % 10];
        if (random() % 2)
            key += char('A' + random() % 26);
        entries.push_back({key, recordBase + std::uint32_t(i)});
    }
    return entries;
}

} // namespace

class TestIdxCompact : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::filesystem::path file(const QString& name) const
    {
        return std::filesystem::path(dir_.path().toStdString()) / name.toStdString();
    }

    std::filesystem::path encode(const Spec& spec, const QString& name)
    {
        QJsonArray entries;
        for (const auto& e : spec.entries)
            entries.append(QJsonArray{latin1(e.key), qint64(e.recordNumber)});
        QJsonObject object{{"keyLength", spec.keyLength}, {"expression", spec.expression},
                           {"entries", entries},          {"forExpression", spec.forExpression},
                           {"unique", spec.unique},       {"descending", spec.descending}};
        if (spec.leafMaxKeys > 0)
            object["leafMaxKeys"] = spec.leafMaxKeys;
        if (spec.interiorMaxKeys > 0)
            object["interiorMaxKeys"] = spec.interiorMaxKeys;
        const auto json = file(name + ".json");
        writeBytes(json, QJsonDocument(object).toJson().toStdString());
        QProcess python;
        python.start("/usr/bin/python3", {QW_FIXTURES_DIR "/idx/make_compact_idx.py",
                                          QString::fromStdString(json.string()),
                                          QString::fromStdString(file(name).string())});
        if (!python.waitForFinished(60000) || python.exitCode() != 0)
            qFatal("encoder failed: %s", python.readAllStandardError().constData());
        return file(name);
    }

private slots:
    void readsWhatTheEncoderWrote_data()
    {
        QTest::addColumn<Spec>("spec");
        Spec one;
        one.entries = {{"SMITH", 3}, {"SMITHSON", 1},    {"ADAMS", 7},
                       {"ADAMS", 2}, {"B\xC9LANGER", 4}, {"", 5}};
        QTest::newRow("one leaf") << one;

        Spec many;
        many.entries = namesWithSharedPrefixes(3000, 1);
        QTest::newRow("3000 names, two levels") << many;

        Spec deep = many;
        deep.leafMaxKeys = 4;
        deep.interiorMaxKeys = 3;
        QTest::newRow("3000 names, deep tree") << deep;

        Spec wideRecords;
        wideRecords.entries = namesWithSharedPrefixes(500, 5000000);
        QTest::newRow("record numbers of 23 bits") << wideRecords;

        Spec same;
        for (std::uint32_t r = 1; r <= 400; ++r)
            same.entries.push_back({"SAME", r});
        QTest::newRow("one key repeated") << same;

        Spec longKeys;
        longKeys.keyLength = 100;
        longKeys.expression = "NAME+ADDR1";
        for (std::uint32_t r = 1; r <= 300; ++r)
            longKeys.entries.push_back({std::string(60, 'Q') + std::to_string(r * 37 % 1000), r});
        QTest::newRow("100-byte keys sharing 60 bytes") << longKeys;

        Spec noBlanks;
        noBlanks.keyLength = 6;
        for (std::uint32_t r = 1; r <= 200; ++r)
            noBlanks.entries.push_back({std::to_string(100000 + r * 7 % 900000), r});
        QTest::newRow("full-width keys") << noBlanks;
    }
    void readsWhatTheEncoderWrote()
    {
        QFETCH(Spec, spec);
        const auto index = IndexFile::open(encode(spec, "compact.idx"));
        QVERIFY(index->isCompact());
        QCOMPARE(index->keyLength(), std::uint16_t(spec.keyLength));
        QCOMPARE(QString::fromStdString(index->expression()), spec.expression);

        const auto expected = expectedOrder(spec);
        std::size_t i = 0;
        for (auto e = index->first(); e; e = index->next(*e), ++i) {
            QVERIFY(i < expected.size());
            QCOMPARE(e->key, expected[i].key);
            QCOMPARE(e->recordNumber, expected[i].recordNumber);
        }
        QCOMPARE(i, expected.size());
        for (auto e = index->last(); e; e = index->previous(*e)) {
            QVERIFY(i > 0);
            --i;
            QCOMPARE(e->recordNumber, expected[i].recordNumber);
        }
        QCOMPARE(i, std::size_t(0));

        // Each distinct key by a prefix of it: the first of its equal keys.
        for (std::size_t k = 0; k < expected.size(); k += 1 + expected.size() / 40) {
            std::size_t firstEqual = k;
            while (firstEqual > 0 && expected[firstEqual - 1].key == expected[k].key)
                --firstEqual;
            const auto hit = index->seekPrefix(expected[k].key);
            QVERIFY(hit);
            QCOMPARE(hit->recordNumber, expected[firstEqual].recordNumber);
            QCOMPARE(index->findRecord(expected[k].recordNumber)->key, expected[k].key);
        }
        QVERIFY(!index->seekPrefix("\xFF"));
    }

    // A maker's specification table shipped with a compact index: the table
    // object seeks specification keys through it and walks it in key order.
    void makersCompactIndexThroughTheTable()
    {
        const std::filesystem::path folder = dir_.path().toStdString() + "/maker";
        std::filesystem::create_directories(folder);
        createTable(folder, "Specs.DBF",
                    {{"SIZE", FieldType::Character, 6, 0},
                     {"SPINE", FieldType::Character, 5, 0},
                     {"GPI", FieldType::Character, 9, 0}});
        const std::vector<std::array<const char*, 3>> rows = {
            {"2315", ".400", "9.52"}, {"2213", ".500", "8.70"}, {"2315", ".350", "9.60"},
            {"400", "400", "8.3"},    {"2114", ".600", "7.90"}, {"500", "500", "7.4"}};
        Spec spec;
        spec.keyLength = 11;
        spec.expression = "SIZE+SPINE";
        {
            Table table(folder);
            table.open("Specs.DBF");
            for (const auto& row : rows) {
                table.appendBlank();
                table.setField("SIZE", row[0]);
                table.setField("SPINE", row[1]);
                table.setField("GPI", row[2]);
                table.post();
                std::string key = row[0];
                key.resize(6, ' ');
                key += row[1];
                spec.entries.push_back({key, table.recordNumber()});
            }
        }
        std::filesystem::copy_file(encode(spec, "specs.idx"), folder / "specs.idx");

        Table specs(folder);
        specs.open("SPECS.DBF", OpenMode::ReadOnly);
        specs.indexOpen("specs.idx");
        QCOMPARE(specs.orderExpression(), std::string("SIZE+SPINE"));
        QVERIFY(specs.seek("2315  .350"));
        QCOMPARE(specs.getString("GPI"), std::string("9.60     "));
        QVERIFY(specs.seek("400   400"));
        QCOMPARE(specs.recordNumber(), 4u);
        QVERIFY(!specs.seek("2315  .500"));
        // Key order: 2114, 2213, 2315 .350, 2315 .400, 400, 500.
        std::vector<std::uint32_t> order;
        for (specs.goTop(); !specs.eof(); specs.next())
            order.push_back(specs.recordNumber());
        QCOMPARE(order, (std::vector<std::uint32_t>{5, 2, 3, 1, 4, 6}));
    }

    void headerOptionsAreRead()
    {
        Spec spec;
        spec.entries = {{"A", 1}};
        spec.unique = true;
        spec.forExpression = "!DELETED()";
        const auto index = IndexFile::open(encode(spec, "options.idx"));
        QVERIFY(index->isUnique());
        QCOMPARE(index->forExpression(), std::string("!DELETED()"));
        QCOMPARE(index->expression(), std::string("UPPER(NAME)"));
    }

    void descendingOrderIsRefused()
    {
        Spec spec;
        spec.entries = {{"A", 1}};
        spec.descending = true;
        const auto path = encode(spec, "descending.idx");
        QVERIFY_THROWS_EXCEPTION(StorageError, IndexFile::open(path));
    }

    void corruptLeavesAreRefused_data()
    {
        QTest::addColumn<int>("offset"); // within the first leaf
        QTest::addColumn<int>("value");
        QTest::newRow("no bytes per entry") << 23 << 0;
        QTest::newRow("nine bytes per entry") << 23 << 9;
        QTest::newRow("fields wider than their bytes") << 20 << 40;
        QTest::newRow("too many keys") << 2 << 250;
        QTest::newRow("first key shares bytes") << 24 + 2 << 0x7F; // dup and trail bits of entry 0
        QTest::newRow("record number 0") << 24 << 0;
        QTest::newRow("unknown attributes") << 0 << 0x12;
    }
    void corruptLeavesAreRefused()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        Spec spec;
        spec.entries = namesWithSharedPrefixes(2000, 1);
        std::string bytes = readBytes(encode(spec, "base.idx"));
        // The leftmost leaf: follow the first child pointer down from the root.
        std::uint32_t node = le32(bytes, 0);
        while (!(std::uint8_t(bytes[node]) & 2))
            node = be32(bytes, node + 12 + std::size_t(spec.keyLength) + 4);
        bytes[node + std::size_t(offset)] = char(value);
        if (offset == 24) // clear the record number's second byte too
            bytes[node + 25] = 0;
        writeBytes(file("corrupt.idx"), bytes);
        try {
            const auto index = IndexFile::open(file("corrupt.idx"));
            for (auto e = index->first(); e; e = index->next(*e)) {
            }
            QFAIL("corrupt leaf accepted");
        } catch (const StorageError& error) {
            QVERIFY2(QString(error.what()).startsWith("corrupt.idx: "), error.what());
        }
    }

    void keysOverlappingTheirRecordNumbersAreRefused()
    {
        Spec spec;
        spec.entries = namesWithSharedPrefixes(60, 1);
        std::string bytes = readBytes(encode(spec, "overlap.idx"));
        const std::uint32_t leaf = le32(bytes, 0);
        QVERIFY(std::uint8_t(bytes[leaf]) & 2);
        // Claim no dropped or shared bytes for every key: their full widths
        // no longer fit beside the entry fields.
        const std::size_t infoBytes = std::uint8_t(bytes[leaf + 23]);
        const unsigned recordBits = std::uint8_t(bytes[leaf + 20]);
        for (std::size_t i = 0; i < le16(bytes, leaf + 2); ++i) {
            const std::size_t at = leaf + 24 + i * infoBytes;
            std::uint64_t info = 0;
            for (std::size_t b = 0; b < infoBytes; ++b)
                info |= std::uint64_t(std::uint8_t(bytes[at + b])) << (8 * b);
            info &= (std::uint64_t(1) << recordBits) - 1;
            for (std::size_t b = 0; b < infoBytes; ++b)
                bytes[at + b] = char(info >> (8 * b));
        }
        writeBytes(file("overlap.idx"), bytes);
        QVERIFY_THROWS_EXCEPTION(StorageError, IndexFile::open(file("overlap.idx"))->first());
    }
};

QTEST_APPLESS_MAIN(TestIdxCompact)
#include "tst_idx_compact.moc"
