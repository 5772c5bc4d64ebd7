// Reading DBF and memo files built byte by byte: the versions and field
// types of the family, code pages, the deletion flag, and hostile or damaged
// files, which must be refused with the file's name and never half-read.

#include "storage/CodePage.h"
#include "storage/StorageError.h"
#include "storage/Table.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace qw::storage;

namespace {

struct RawField {
    std::string name;
    char type;
    int length;
    int decimals = 0;
};

std::string le32(std::uint32_t v)
{
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}
std::string le16(std::uint16_t v)
{
    return {char(v & 0xFF), char(v >> 8)};
}
std::string be32(std::uint32_t v)
{
    return {char(v >> 24), char((v >> 16) & 0xFF), char((v >> 8) & 0xFF), char(v & 0xFF)};
}

// A DBF file image with every header value under the test's control.
struct DbfImage {
    unsigned char version = 0x03;
    unsigned char codePage = 0x03;
    std::vector<RawField> fields;
    std::vector<std::string> records; // without the deletion flag unless deleted
    std::vector<bool> deleted;
    std::optional<std::uint32_t> countOverride;
    std::optional<int> headerLengthOverride;
    std::optional<int> recordLengthOverride;
    int backlink = -1; // -1: as the version needs

    std::string bytes() const
    {
        const int backlinkSize = backlink >= 0                          ? backlink
                                 : (version == 0x30 || version == 0x31) ? 263
                                                                        : 0;
        int recordLength = 1;
        for (const auto& f : fields)
            recordLength += f.length;
        const int headerLength = 32 + 32 * int(fields.size()) + 1 + backlinkSize;
        std::string out;
        out += char(version);
        out += std::string{char(124), char(1), char(31)};
        out += le32(countOverride.value_or(std::uint32_t(records.size())));
        out += le16(std::uint16_t(headerLengthOverride.value_or(headerLength)));
        out += le16(std::uint16_t(recordLengthOverride.value_or(recordLength)));
        out += std::string(17, '\0');
        out += char(codePage);
        out += std::string(2, '\0');
        int offset = 1;
        for (const auto& f : fields) {
            std::string d(32, '\0');
            std::copy(f.name.begin(), f.name.end(), d.begin());
            d[11] = f.type;
            const std::string o = le32(std::uint32_t(offset));
            std::copy(o.begin(), o.end(), d.begin() + 12);
            d[16] = char(f.length);
            d[17] = char(f.decimals);
            out += d;
            offset += f.length;
        }
        out += '\r';
        out += std::string(std::size_t(backlinkSize), '\0');
        for (std::size_t i = 0; i < records.size(); ++i)
            out += (i < deleted.size() && deleted[i] ? "*" : " ") + records[i];
        out += '\x1A';
        return out;
    }
};

std::string fptImage(std::uint16_t blockSize,
                     const std::vector<std::pair<std::uint32_t, std::string>>& memos)
{
    std::string out(512, '\0');
    for (const auto& [block, text] : memos) {
        const std::size_t at = std::size_t(block) * blockSize;
        if (out.size() < at)
            out.resize(at, '\0');
        out.resize(at);
        out += be32(1) + be32(std::uint32_t(text.size())) + text;
        out.resize((out.size() + blockSize - 1) / blockSize * blockSize, '\0');
    }
    const std::string next = be32(std::uint32_t(out.size() / blockSize));
    std::copy(next.begin(), next.end(), out.begin());
    out[6] = char(blockSize >> 8);
    out[7] = char(blockSize & 0xFF);
    return out;
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QString openError(const std::filesystem::path& folder, const std::string& name,
                  const std::function<void(Table&)>& read = {})
{
    try {
        Table t(folder);
        t.open(name);
        if (read)
            read(t);
    } catch (const StorageError& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

std::string rtrim(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

} // namespace

class TestDbfFormat : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path folder_;

    DbfImage plain() const
    {
        DbfImage image;
        image.fields = {{"NAME", 'C', 10}, {"QTY", 'N', 5, 1}, {"WHEN", 'D', 8}, {"OK", 'L', 1}};
        image.records = {std::string("Alpha     ") + "  1.5" + "20240101" + "T",
                         std::string("Beta      ") + "-12.0" + "        " + "F",
                         std::string("Gamma     ") + "     " + "20241231" + "?"};
        return image;
    }

private slots:
    void init()
    {
        folder_ = std::filesystem::path(dir_.path().toStdString()) / QTest::currentTestFunction();
        std::filesystem::create_directories(folder_);
    }

    void readsEveryVersionOfTheFamily_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("FoxBASE+ 0x03") << 0x03;
        QTest::newRow("Visual FoxPro 0x30") << 0x30;
        QTest::newRow("Visual FoxPro 0x31") << 0x31;
        QTest::newRow("FoxPro 2 0xF5 without memo fields") << 0xF5;
    }

    void readsEveryVersionOfTheFamily()
    {
        QFETCH(int, version);
        DbfImage image = plain();
        image.version = static_cast<unsigned char>(version);
        image.deleted = {false, true, false};
        writeFile(folder_ / "T.DBF", image.bytes());
        Table t(folder_);
        t.open("t.dbf");
        QCOMPARE(int(t.versionByte()), version);
        QCOMPARE(t.recordCount(), 3u);
        QCOMPARE(t.getString("NAME"), std::string("Alpha     "));
        QCOMPARE(t.getString("QTY"), std::string("  1.5"));
        QCOMPARE(t.getString("WHEN"), std::string("20240101"));
        QCOMPARE(t.getString("OK"), std::string("T"));
        QVERIFY(!t.isDeleted());
        t.next();
        QVERIFY(t.isDeleted()); // deleted records stay visible, marked
        QCOMPARE(t.getInteger("QTY"), -12L);
        QCOMPARE(t.getString("WHEN"), std::string("        "));
        t.next();
        QCOMPARE(t.getString("OK"), std::string("?"));
    }

    void readsMemosOfEveryMemoFormat()
    {
        // FoxPro 2: ten-digit block numbers, big-endian FPT, block size 64.
        DbfImage fox;
        fox.version = 0xF5;
        fox.fields = {{"ID", 'C', 2}, {"NOTE", 'M', 10}};
        fox.records = {"a          8", "b           ", "c         10"};
        writeFile(folder_ / "FOX.DBF", fox.bytes());
        writeFile(folder_ / "fox.fpt",
                  fptImage(64, {{8, "two\r\nlines"}, {10, std::string(300, 'x')}}));
        Table f(folder_);
        f.open("FOX.DBF");
        QCOMPARE(f.getString("NOTE"), std::string("two\r\nlines"));
        f.next();
        QCOMPARE(f.getString("NOTE"), std::string());
        f.next();
        QCOMPARE(f.getString("NOTE"), std::string(300, 'x'));

        // Visual FoxPro: four-byte binary block numbers.
        DbfImage vfp;
        vfp.version = 0x30;
        vfp.fields = {{"ID", 'C', 2}, {"NOTE", 'M', 4}};
        vfp.records = {"a " + le32(9), "b " + le32(0)};
        writeFile(folder_ / "VFP.DBF", vfp.bytes());
        writeFile(folder_ / "VFP.FPT", fptImage(32, {{16, "Gr\xfc\xdf"
                                                          "e"}}));
        // Block size 32: block 9 sits past the header only with a 512 block size,
        // so record a points at block 16 with block size 32.
        vfp.records = {"a " + le32(16), "b " + le32(0)};
        writeFile(folder_ / "VFP.DBF", vfp.bytes());
        Table v(folder_);
        v.open("VFP.DBF");
        QCOMPARE(v.getString("NOTE"), std::string("Gr\u00fc\u00dfe"));
        v.next();
        QCOMPARE(v.getString("NOTE"), std::string());

        // dBase III: DBT with 512-byte blocks, text ends at 0x1A.
        DbfImage db3;
        db3.version = 0x83;
        db3.fields = {{"NOTE", 'M', 10}};
        db3.records = {"         1"};
        writeFile(folder_ / "DB3.DBF", db3.bytes());
        writeFile(folder_ / "DB3.DBT",
                  std::string(512, '\0') + "old memo\x1A\x1A" + std::string(100, '\0'));
        Table d3(folder_);
        d3.open("DB3.DBF");
        QCOMPARE(d3.getString("NOTE"), std::string("old memo"));

        // dBase IV: DBT blocks with an FF FF 08 00 header and a length.
        DbfImage db4;
        db4.version = 0x8B;
        db4.fields = {{"NOTE", 'M', 10}};
        db4.records = {"         1"};
        writeFile(folder_ / "DB4.DBF", db4.bytes());
        std::string dbt4(512, '\0');
        dbt4[20] = 0; // block size 512 (bytes 20-21)
        dbt4[21] = 2;
        dbt4 += std::string("\xFF\xFF\x08\x00", 4) + le32(8 + 5) + "hello";
        writeFile(folder_ / "DB4.DBT", dbt4);
        Table d4(folder_);
        d4.open("DB4.DBF");
        QCOMPARE(d4.getString("NOTE"), std::string("hello"));
        // Memos of DBT tables are read, never written.
        d4.edit();
        d4.setField("NOTE", "new");
        QVERIFY_THROWS_EXCEPTION(StorageError, d4.post());
    }

    void convertsFromTheTablesCodePage()
    {
        DbfImage image;
        image.codePage = 0xC9; // Windows-1251
        image.fields = {{"NAME", 'C', 6}};
        image.records = {"\xcb\xf3\xea \xe8 "};
        writeFile(folder_ / "CYR.DBF", image.bytes());
        Table t(folder_);
        t.open("CYR.DBF");
        QCOMPARE(t.codePageByte(), std::uint8_t(0xC9));
        QCOMPARE(t.getString("NAME"), std::string("\u041b\u0443\u043a \u0438 "));
        image.codePage = 0x01; // DOS 437
        image.records = {"\x82\x84\x94   "};
        writeFile(folder_ / "DOS.DBF", image.bytes());
        Table d(folder_);
        d.open("DOS.DBF");
        QCOMPARE(d.getString("NAME"), std::string("\u00e9\u00e4\u00f6   "));
        QCOMPARE(toUtf8("\x80", 0x03), std::string("\u20ac"));
        QCOMPARE(fromUtf8("\u20ac\u4e2d", 0x03), std::string("\x80?"));
        QVERIFY(isKnownCodePage(0x03));
        QVERIFY(!isKnownCodePage(0xEE));
    }

    // Whatever the header's count says, no byte of a record is lost: whole
    // records past it are taken into the count (on disk only when opened for
    // writing), anything else past the last record is copied to a rescue
    // file before an append writes over it, and each is told in a notice.
    void recordsPastTheCountAreKeptAndStrayBytesRescued_data()
    {
        QTest::addColumn<int>("headerCount");
        QTest::addColumn<QByteArray>("tail"); // replaces the end-of-file mark
        QTest::addColumn<int>("records");     // seen by a read-only open
        QTest::addColumn<QByteArray>("rescued");
        const QByteArray delta(" Delta     1");
        const QByteArray junk = QByteArray("\x7f") + QByteArray(24, 'x');
        QTest::newRow("count ahead, record cut off") << 1000 << delta << 3 << delta;
        QTest::newRow("count behind") << 1 << QByteArray("\x1a") << 3 << QByteArray();
        QTest::newRow("count zero") << 0 << QByteArray("\x1a") << 3 << QByteArray();
        QTest::newRow("no record flag") << 3 << junk << 3 << junk;
        QTest::newRow("blank slot") << 1 << QByteArray(25, '\0') << 3 << QByteArray();
    }

    void recordsPastTheCountAreKeptAndStrayBytesRescued()
    {
        QFETCH(int, headerCount);
        QFETCH(QByteArray, tail);
        QFETCH(int, records);
        QFETCH(QByteArray, rescued);
        const auto folder = folder_ / QTest::currentDataTag();
        std::filesystem::create_directories(folder);
        DbfImage image = plain();
        image.countOverride = std::uint32_t(headerCount);
        std::string bytes = image.bytes();
        bytes.pop_back();
        writeFile(folder / "T.DBF", bytes + tail.toStdString());
        const bool told = records != headerCount || !rescued.isEmpty();
        {
            Table reader(folder);
            reader.open("T.DBF", OpenMode::ReadOnly);
            QCOMPARE(reader.recordCount(), std::uint32_t(records));
            QCOMPARE(reader.notices().size(), std::size_t(told ? 1 : 0));
            QCOMPARE(reader.recovery().adoptedRecords,
                     std::uint32_t(std::max(0, records - headerCount)));
        }
        QCOMPARE(readFile(folder / "T.DBF"), bytes + tail.toStdString()); // read-only: untouched
        {
            Table t(folder);
            t.open("T.DBF");
            QCOMPARE(t.headerRecordCount(),
                     std::uint32_t(headerCount > records ? headerCount : records));
            t.appendBlank();
            t.setField("NAME", "Epsilon");
            t.post();
            QCOMPARE(t.recovery().rescueFiles.size(), std::size_t(rescued.isEmpty() ? 0 : 1));
            QCOMPARE(t.notices().size(),
                     std::size_t(told ? 1 : 0) + t.recovery().rescueFiles.size());
        }
        Table t(folder);
        t.open("T.DBF");
        QVERIFY(t.notices().empty());
        std::vector<std::string> names;
        for (t.goTop(); !t.eof(); t.next())
            names.push_back(rtrim(t.getString("NAME")));
        QCOMPARE(names, (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Epsilon"}));
        const auto rescue = folder / "T.DBF.rescued-1";
        QCOMPARE(std::filesystem::exists(rescue), !rescued.isEmpty());
        if (!rescued.isEmpty())
            QCOMPARE(readFile(rescue), rescued.toStdString());
    }

    void hostileTablesAreRefusedNamingTheFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const auto add = [](const char* name, const std::string& bytes, const char* reason) {
            QTest::newRow(name) << QByteArray(bytes.data(), qsizetype(bytes.size())) << reason;
        };
        DbfImage image = plain();
        add("empty file", "", "too short");
        add("ten bytes", image.bytes().substr(0, 10), "too short");
        image.version = 0x47;
        add("unknown version", image.bytes(), "unknown version byte 0x47");
        image = plain();
        image.headerLengthOverride = 60000;
        add("header length past the end", image.bytes(), "header length");
        image.headerLengthOverride = 40;
        add("header length below one field", image.bytes(), "header length");
        image.headerLengthOverride = 32 + 32 * 2 + 1;
        add("header length cutting the fields", image.bytes(), "");
        image = plain();
        image.recordLengthOverride = 99;
        add("widths not adding up", image.bytes(), "record length");
        image.recordLengthOverride = 0;
        add("record length zero", image.bytes(), "record length");
        image = plain();
        image.fields = {};
        image.records = {};
        image.headerLengthOverride = 32 + 32 + 1;
        add("no fields", image.bytes() + std::string(40, ' '), "no fields");
        image = plain();
        image.version = 0x30;
        image.backlink = 0;
        add("VFP header without backlink", image.bytes(), "field count");
        image = plain();
        image.fields[1].length = 0;
        image.recordLengthOverride = 1 + 10 + 8 + 1 + 5;
        add("field of width zero", image.bytes(), "width 0");
        image = plain();
        image.fields[1].name = "NAME";
        add("duplicate field", image.bytes(), "twice");
        image = plain();
        image.fields.push_back({"NOTE", 'M', 7});
        image.records = {};
        add("memo field of odd width", image.bytes(), "memo field NOTE");
        image = plain();
        image.fields.push_back({"NOTE", 'M', 10});
        image.version = 0xF5;
        image.records = {};
        add("memo file missing", image.bytes(), "memo file is missing");
        // Fields past 255 (a header length of several kilobytes).
        image = DbfImage();
        for (int i = 0; i < 300; ++i)
            image.fields.push_back({"F" + std::to_string(i), 'C', 1});
        add("too many fields", image.bytes(), "255");
    }

    void hostileTablesAreRefusedNamingTheFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        writeFile(folder_ / "BAD.DBF", bytes.toStdString());
        const QString message = openError(folder_, "bad.dbf");
        QVERIFY2(message.startsWith("BAD.DBF: "), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }

    void hostileMemosAreRefusedNamingTheFile_data()
    {
        QTest::addColumn<QByteArray>("fpt");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("reason");
        const auto add = [](const char* name, const std::string& fpt, const char* field,
                            const char* reason) {
            QTest::newRow(name) << QByteArray(fpt.data(), qsizetype(fpt.size())) << field << reason;
        };
        const std::string good = fptImage(64, {{8, "fine"}});
        add("truncated header", good.substr(0, 100), "", "too short");
        std::string zeroBlock = good;
        zeroBlock[6] = zeroBlock[7] = 0;
        add("block size zero", zeroBlock, "", "block size");
        add("block past the end", good, "FAR", "memo block 9999999 is past the end");
        add("block inside the header", good, "LOW",
            "memo block 2 lies inside the memo file's header");
        std::string longMemo = good;
        const std::string huge = be32(0x7FFFFFFF);
        std::copy(huge.begin(), huge.end(), longMemo.begin() + 8 * 64 + 4);
        add("length past the end", longMemo, "GOOD", "runs past the end");
        add("memo cut short", good.substr(0, 8 * 64 + 10), "GOOD", "runs past the end");
        add("garbage block number", good, "JUNK", "memo field JUNK holds \"12x4\", which is no");
        add("blank inside the block number", good, "GAP",
            "memo field GAP holds \"1 2\", which is no");
    }

    void hostileMemosAreRefusedNamingTheFile()
    {
        QFETCH(QByteArray, fpt);
        QFETCH(QString, field);
        QFETCH(QString, reason);
        DbfImage image;
        image.version = 0xF5;
        image.fields = {{"GOOD", 'M', 10},
                        {"FAR", 'M', 10},
                        {"LOW", 'M', 10},
                        {"JUNK", 'M', 10},
                        {"GAP", 'M', 10}};
        image.records = {"         8   9999999         2      12x4       1 2"};
        writeFile(folder_ / "MEMO.DBF", image.bytes());
        writeFile(folder_ / "MEMO.FPT", fpt.toStdString());
        const QString message = openError(folder_, "MEMO.DBF", [&](Table& t) {
            if (!field.isEmpty())
                t.getString(field.toStdString());
        });
        QVERIFY2(message.startsWith("MEMO.FPT: ") || message.startsWith("MEMO.DBF: "),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestDbfFormat)
#include "tst_dbf_format.moc"
