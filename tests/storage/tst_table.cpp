// Table handles over real files in a temporary folder: creating, reading,
// positioning, editing, failures, text conversion, shared handles, export.

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace qw::storage;

namespace {

std::vector<FieldDef> customerFields()
{
    return {
        {"NAME", FieldType::Character, 20, 0}, {"CITY", FieldType::Character, 12, 0},
        {"BOWWT", FieldType::Numeric, 3, 0},   {"GPI", FieldType::Numeric, 6, 2},
        {"SAVED", FieldType::Date, 8, 0},      {"ACTIVE", FieldType::Logical, 1, 0},
        {"COMMENTS", FieldType::Memo, 10, 0},
    };
}

QByteArray fileBytes(const std::filesystem::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const StorageError& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

void appendCustomer(Table& t, const char* name, const char* city, const char* bowWeight,
                    const char* comments = "")
{
    t.appendBlank();
    t.setField("NAME", name);
    t.setField("CITY", city);
    t.setField("BOWWT", bowWeight);
    t.setField("COMMENTS", comments);
    t.post();
}

} // namespace

class TestTable : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path folder_;

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        folder_ = std::filesystem::path(dir_.path().toStdString()) / QTest::currentTestFunction();
        std::filesystem::create_directories(folder_);
    }

    void createdTablesHaveTheRightVersionAndMemoFile()
    {
        createTable(folder_, "Saveddb.dbf", customerFields());
        createTable(folder_, "SHOPINFO.DBF", {{"NAME", FieldType::Character, 30, 0}});
        QVERIFY(std::filesystem::exists(folder_ / "Saveddb.fpt"));
        QVERIFY(std::filesystem::exists(folder_ / "SHOPINFO.DBF"));
        QVERIFY(!std::filesystem::exists(folder_ / "SHOPINFO.FPT"));
        const QByteArray memoTable = fileBytes(folder_ / "Saveddb.dbf");
        const QByteArray plainTable = fileBytes(folder_ / "SHOPINFO.DBF");
        QCOMPARE(static_cast<unsigned char>(memoTable[0]), 0xF5);
        QCOMPARE(static_cast<unsigned char>(plainTable[0]), 0x03);
        QCOMPARE(static_cast<unsigned char>(plainTable[29]), 0x03); // Windows-1252
        // 32-byte header, one descriptor, terminator, then the end-of-file mark.
        QCOMPARE(plainTable.size(), 32 + 32 + 1 + 1);
        QCOMPARE(plainTable.back(), '\x1A');

        QCOMPARE(errorOf([&] { createTable(folder_, "saveddb.DBF", customerFields()); }),
                 QString("Table already exists.\nFile: saveddb.DBF"));
        QVERIFY(!errorOf([&] { createTable(folder_, "X.DBF", {}); }).isEmpty());
        QVERIFY(!errorOf([&] {
                     createTable(
                         folder_, "Y.DBF",
                         {{"A", FieldType::Character, 1, 0}, {"a", FieldType::Character, 1, 0}});
                 }).isEmpty());
    }

    void fieldsReadBackPaddedAndAsNumbers()
    {
        createTable(folder_, "Saveddb.dbf", customerFields());
        {
            Table t(folder_);
            t.open("Saveddb.dbf");
            QCOMPARE(t.recordCount(), 0u);
            t.appendBlank();
            QCOMPARE(t.state(), EditState::Insert);
            t.setField("name", "Smith, Anna");
            t.setField("CITY", "Dayton");
            t.setField("BOWWT", "60");
            t.setField("GPI", "7.5");
            t.setField("SAVED", "20240131");
            t.setField("ACTIVE", "t");
            t.setField("COMMENTS", "Left-handed.\r\nWants \"fast\" cams.");
            t.post();
            QCOMPARE(t.state(), EditState::Browse);
            QCOMPARE(t.recordNumber(), 1u);
        }
        Table t(folder_);
        t.open("Saveddb.dbf");
        QCOMPARE(t.recordCount(), 1u);
        QCOMPARE(t.getString("NAME"), std::string("Smith, Anna         "));
        QCOMPARE(t.getString("BOWWT"), std::string(" 60"));
        QCOMPARE(t.getString("GPI"), std::string("  7.50"));
        QCOMPARE(t.getString("SAVED"), std::string("20240131"));
        QCOMPARE(t.getString("ACTIVE"), std::string("T"));
        QCOMPARE(t.getString("COMMENTS"), std::string("Left-handed.\r\nWants \"fast\" cams."));
        QCOMPARE(t.getInteger("BOWWT"), 60L);
        QCOMPARE(t.getInteger("GPI"), 7L);
        QCOMPARE(t.getInteger("CITY"), 0L);
        QVERIFY(t.hasField("comments"));
        QVERIFY(!t.hasField("NOPE"));
        QCOMPARE(t.fields().size(), std::size_t(7));
        QCOMPARE(t.fields()[3].decimals, std::uint8_t(2));
        QVERIFY(!t.isDeleted());
        QVERIFY(errorOf([&] { t.getString("NOPE"); }).contains("NOPE"));
    }

    void valuesThatAreNoValueOfTheFieldTypeAreRefused()
    {
        createTable(folder_, "T.DBF", customerFields());
        Table t(folder_);
        t.open("T.DBF");
        t.appendBlank();
        QVERIFY(errorOf([&] { t.setField("BOWWT", "sixty"); }).contains("sixty"));
        QVERIFY(errorOf([&] { t.setField("BOWWT", "1000"); }).contains("does not fit"));
        QVERIFY(errorOf([&] { t.setField("SAVED", "31.01.2024"); }).contains("date"));
        QVERIFY(errorOf([&] { t.setField("ACTIVE", "maybe"); }).contains("logical"));
        t.setField("NAME", "A name much longer than twenty characters");
        t.setField("BOWWT", "");
        t.post();
        QCOMPARE(t.getString("NAME"), std::string("A name much longer t"));
        QCOMPARE(t.getString("BOWWT"), std::string("   "));
        QCOMPARE(t.getInteger("BOWWT"), 0L);
        QCOMPARE(t.getString("COMMENTS"), std::string());
    }

    void bareNamesMatchWithoutLetterCase()
    {
        createTable(folder_, "Saveddb.dbf", customerFields());
        Table a(folder_);
        a.open("Saveddb.DBF");
        QCOMPARE(a.filePath().filename().string(), std::string("Saveddb.dbf"));
        Table b(folder_);
        b.open("SAVEDDB.dbf");
        QVERIFY(b.isOpen());
        QCOMPARE(findFile(folder_, "saveddb.FPT").filename().string(), std::string("Saveddb.fpt"));
        QVERIFY(findFile(folder_, "Saved.idx").empty());
    }

    void failuresGiveTheExactMessages()
    {
        Table t(folder_);
        QCOMPARE(errorOf([&] { t.open("Saveddb.DBF"); }),
                 QString("Table does not exist.\nFile or directory does not exist.\nFile: ") +
                     QString::fromStdString((folder_ / "Saveddb.DBF").string()));
        QVERIFY(!t.isOpen());
        createTable(folder_, "Saveddb.dbf", customerFields());
        t.open("Saveddb.DBF");
        QCOMPARE(errorOf([&] { t.post(); }), QString("Dataset not in edit or insert mode"));
        QCOMPARE(errorOf([&] { t.setField("NAME", "x"); }),
                 QString("Dataset not in edit or insert mode"));
        t.edit(); // empty table: editing begins a new record
        QCOMPARE(t.state(), EditState::Insert);
        t.post();
        QCOMPARE(errorOf([&] { t.post(); }), QString("Dataset not in edit or insert mode"));
        QVERIFY(errorOf([&] { t.copyToText("x.txt", 7); }).contains("7"));

        // A folder, or no name at all, is named as what it is.
        std::filesystem::create_directories(folder_ / "Charts");
        Table other(folder_);
        QCOMPARE(errorOf([&] { other.open("Charts"); }),
                 QString("Charts: a folder, not a table file"));
        QCOMPARE(errorOf([&] { other.open(""); }),
                 QString::fromStdString(folder_.string()) + ": a folder, not a table file");
        QCOMPARE(errorOf([&] { t.indexOpen("Charts"); }),
                 QString("Charts: a folder, not an index file"));
    }

    void navigationInPhysicalOrder()
    {
        createTable(folder_, "T.DBF", customerFields());
        Table t(folder_);
        t.open("T.DBF");
        QVERIFY(t.bof());
        QVERIFY(t.eof());
        QCOMPARE(t.recordNumber(), 1u); // the phantom of an empty table
        appendCustomer(t, "Ann", "Ames", "40");
        appendCustomer(t, "Bob", "Bath", "50");
        appendCustomer(t, "Cy", "Cork", "60");

        t.goTop();
        QCOMPARE(t.recordNumber(), 1u);
        QVERIFY(!t.bof() && !t.eof());
        t.previous();
        QVERIFY(t.bof());
        QCOMPARE(t.recordNumber(), 1u);
        QCOMPARE(t.getString("NAME").substr(0, 3), std::string("Ann"));
        t.next();
        QVERIFY(!t.bof());
        QCOMPARE(t.getString("NAME").substr(0, 3), std::string("Bob"));
        t.goBottom();
        QCOMPARE(t.recordNumber(), 3u);
        t.next();
        QVERIFY(t.eof());
        QCOMPARE(t.recordNumber(), 4u);
        QCOMPARE(t.getString("NAME"), std::string(20, ' '));
        QCOMPARE(t.getString("COMMENTS"), std::string());
        t.next();
        QVERIFY(t.eof());
        t.previous();
        QVERIFY(!t.eof());
        QCOMPARE(t.recordNumber(), 3u);
        t.go(2);
        QCOMPARE(t.getString("CITY").substr(0, 4), std::string("Bath"));
        t.go(17);
        QVERIFY(t.eof());
        QCOMPARE(t.getInteger("BOWWT"), 0L);
        t.go(0);
        QVERIFY(t.eof());
    }

    void editCancelAndClosingDropUnpostedChanges()
    {
        createTable(folder_, "T.DBF", customerFields());
        {
            Table t(folder_);
            t.open("T.DBF");
            appendCustomer(t, "Ann", "Ames", "40", "first");
            appendCustomer(t, "Bob", "Bath", "50");
            t.go(1);
            t.edit();
            t.setField("CITY", "Akron");
            t.setField("COMMENTS", "second thoughts");
            QCOMPARE(t.getString("CITY").substr(0, 5), std::string("Akron"));
            t.cancel();
            QCOMPARE(t.getString("CITY").substr(0, 4), std::string("Ames"));
            QCOMPARE(t.getString("COMMENTS"), std::string("first"));

            t.edit();
            t.setField("CITY", "Akron");
            t.post();
            t.go(2);
            t.appendBlank();
            t.setField("NAME", "Never stored");
            t.cancel();
            QCOMPARE(t.recordNumber(), 2u);
            QCOMPARE(t.recordCount(), 2u);

            t.appendBlank();
            t.setField("NAME", "Dropped on close");
        }
        Table t(folder_);
        t.open("T.DBF");
        QCOMPARE(t.recordCount(), 2u);
        QCOMPARE(t.getString("CITY").substr(0, 5), std::string("Akron"));
        QCOMPARE(t.getString("COMMENTS"), std::string("first"));
        // Moving off a changed record stores it.
        t.edit();
        t.setField("NAME", "Anne");
        t.next();
        t.goTop();
        QCOMPARE(t.getString("NAME").substr(0, 5), std::string("Anne "));
    }

    void readOnlyTablesRefuseWrites()
    {
        createTable(folder_, "KAVLCHRT.DBF", {{"SH1SIZE", FieldType::Character, 8, 0}});
        {
            Table w(folder_);
            w.open("KAVLCHRT.DBF");
            w.appendBlank();
            w.setField("SH1SIZE", "2315");
            w.post();
        }
        Table t(folder_);
        t.open("kavlchrt.dbf", OpenMode::ReadOnly);
        QCOMPARE(t.getString("SH1SIZE"), std::string("2315    "));
        QVERIFY(errorOf([&] { t.appendBlank(); }).contains("read-only"));
        QVERIFY(errorOf([&] { t.edit(); }).contains("read-only"));
        QCOMPARE(t.state(), EditState::Browse);
    }

    void accentedTextIsStoredInTheCodePage()
    {
        createTable(folder_, "T.DBF", customerFields());
        const std::string name = "Jos\u00e9 M\u00fcller-\u00d8rsted";
        {
            Table t(folder_);
            t.open("T.DBF");
            appendCustomer(t, name.c_str(), "Z\u00fcrich", "55", "Caf\u00e9 \u20ac 5\nna\u00efve");
        }
        Table t(folder_);
        t.open("T.DBF");
        QCOMPARE(t.getString("NAME"), name + std::string(20 - 18, ' '));
        QCOMPARE(t.getString("COMMENTS"), std::string("Caf\u00e9 \u20ac 5\nna\u00efve"));
        const QByteArray raw = fileBytes(folder_ / "T.DBF");
        QVERIFY(raw.contains(QByteArray("Jos\xe9 M\xfcller-\xd8rsted")));
        QVERIFY(fileBytes(folder_ / "T.FPT").contains(QByteArray("Caf\xe9 \x80 5\nna\xefve")));

        // Widths count code-page bytes: four accented letters fill four bytes;
        // a letter the code page lacks becomes '?'.
        createTable(folder_, "W.DBF", {{"CODE", FieldType::Character, 4, 0}});
        Table w(folder_);
        w.open("W.DBF");
        w.appendBlank();
        w.setField("CODE", "\u00e9\u00e8\u00ea\u00eb\u00e0");
        w.post();
        QCOMPARE(w.getString("CODE"), std::string("\u00e9\u00e8\u00ea\u00eb"));
        w.edit();
        w.setField("CODE", "\u0416\u4e2d");
        w.post();
        QCOMPARE(w.getString("CODE"), std::string("??  "));
    }

    void handlesOnOneFileStayCoherent()
    {
        createTable(folder_, "SHOPINFO.DBF",
                    {{"NAME", FieldType::Character, 30, 0}, {"NOTE", FieldType::Memo, 10, 0}});
        // The sheet only reads; the window that writes opens the file after it.
        Table sheet(folder_);
        sheet.open("SHOPINFO.DBF", OpenMode::ReadOnly);
        Table window(folder_);
        window.open("shopinfo.dbf");
        QCOMPARE(sheet.recordCount(), 0u);

        window.appendBlank();
        window.setField("NAME", "Arrow Barn");
        window.setField("NOTE", "Open Sundays");
        window.post();
        QCOMPARE(sheet.recordCount(), 1u);
        sheet.goTop();
        QCOMPARE(sheet.getString("NAME").substr(0, 10), std::string("Arrow Barn"));

        window.edit();
        window.setField("NAME", "Arrow Barn & Range");
        window.setField("NOTE", "Closed Mondays");
        window.post();
        // No repositioning needed: the next read sees the posted record.
        QCOMPARE(sheet.getString("NAME").substr(0, 18), std::string("Arrow Barn & Range"));
        QCOMPARE(sheet.getString("NOTE"), std::string("Closed Mondays"));
        window.close();
        QCOMPARE(sheet.getString("NOTE"), std::string("Closed Mondays"));
    }

    void copyToTextWritesDelimitedRows()
    {
        createTable(folder_, "Saveddb.dbf", customerFields());
        Table t(folder_);
        t.open("Saveddb.dbf");
        t.appendBlank();
        t.setField("NAME", "O\"Neil, P\u00e1draig");
        t.setField("CITY", "Cork");
        t.setField("BOWWT", "62");
        t.setField("GPI", "8.1");
        t.setField("SAVED", "2024-02-29");
        t.setField("ACTIVE", "N");
        t.setField("COMMENTS", "line one\nline two");
        t.post();
        appendCustomer(t, "Bo", "", "");
        // Texts a spreadsheet would run as formulas get an apostrophe in front;
        // a number field's minus sign is a number's.
        appendCustomer(t, "=HYPERLINK(\"x\")", "+1", "-5", "@SUM(1)\nsecond");
        appendCustomer(t, "\tTab", "-Cork", "", "\rCR");
        appendCustomer(t, "a=b", "Sligo-Town", "", "x@y");
        std::filesystem::path old = folder_ / "CUSTDB.TXT";
        QFile stale(QString::fromStdString(old.string()));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale content that must go away\r\n");
        stale.close();

        t.copyToText("custdb.txt", kTextTypeDelimited);
        const QByteArray expected = "\xef\xbb\xbf"
                                    "NAME,CITY,BOWWT,GPI,SAVED,ACTIVE,COMMENTS\r\n"
                                    "\"O\"\"Neil, P\xc3\xa1"
                                    "draig\",\"Cork\",62,8.10,20240229,F,"
                                    "\"line one\r\nline two\"\r\n"
                                    "\"Bo\",\"\",,,,,\"\"\r\n"
                                    "\"'=HYPERLINK(\"\"x\"\")\",\"'+1\",-5,,,,"
                                    "\"'@SUM(1)\r\nsecond\"\r\n"
                                    "\"'\tTab\",\"'-Cork\",,,,,\"'\r\nCR\"\r\n"
                                    "\"a=b\",\"Sligo-Town\",,,,,\"x@y\"\r\n";
        QCOMPARE(fileBytes(old), expected); // the existing file, whatever its case, is replaced
        QVERIFY(!std::filesystem::exists(folder_ / "custdb.txt.tmp"));
        QVERIFY(!std::filesystem::exists(folder_ / "CUSTDB.TXT.tmp"));
    }

    // Links, leftovers of killed writers and a file that is mostly holes:
    // no write goes through a link, stale temporaries of our own naming go,
    // and the work follows the records the file really holds.
    void linksLeftoversAndHolesInTheFolder()
    {
        createTable(folder_, "Saveddb.dbf", customerFields());
        {
            Table t(folder_);
            t.open("Saveddb.dbf");
            for (const char* name : {"Cy", "Al", "Bo"})
                appendCustomer(t, name, "Cork", "60", "notes");
        }
        createIndex(folder_, "Saveddb.dbf", "Saved.idx", "UPPER(NAME)");
        const auto decoy = std::filesystem::path(dir_.path().toStdString()) / "decoy";
        QFile(QString::fromStdString(decoy.string())).open(QIODevice::WriteOnly);
        const auto outside = [&] { return fileBytes(decoy); };

        // A memo file that is a link: read, but never written.
        const auto memo = folder_ / "Saveddb.fpt";
        std::filesystem::rename(memo, folder_ / "real.fpt");
        std::filesystem::create_symlink("real.fpt", memo);
        {
            Table reader(folder_);
            reader.open("Saveddb.dbf", OpenMode::ReadOnly);
            QCOMPARE(reader.getString("COMMENTS"), std::string("notes"));
        }
        const QByteArray target = fileBytes(folder_ / "real.fpt");
        for (const bool tableToo : {false, true}) {
            if (tableToo) {
                std::filesystem::rename(folder_ / "Saveddb.dbf", folder_ / "real.dbf");
                std::filesystem::create_symlink("real.dbf", folder_ / "Saveddb.dbf");
            }
            Table linked(folder_);
            linked.open("Saveddb.dbf");
            QVERIFY(errorOf([&] {
                        appendCustomer(linked, "Di", "Cork", "60", "x");
                    }).contains("the file is a symbolic link"));
        }
        QCOMPARE(fileBytes(folder_ / "real.fpt"), target); // nothing written through the link
        std::filesystem::remove(folder_ / "Saveddb.dbf");
        std::filesystem::rename(folder_ / "real.dbf", folder_ / "Saveddb.dbf");
        std::filesystem::remove(memo);
        std::filesystem::rename(folder_ / "real.fpt", memo);

        // An export's temporary that is a link is not followed; a rebuild
        // removes the temporaries a killed rebuild left, and nothing else.
        std::filesystem::create_symlink(decoy, folder_ / "custdb.txt.tmp");
        for (const char* name : {"Saved.idx.Ab12Cd", "Saved.idx.keep"})
            QFile(QString::fromStdString((folder_ / name).string())).open(QIODevice::WriteOnly);
        Table t(folder_);
        t.open("Saveddb.dbf");
        t.copyToText("custdb.txt", kTextTypeDelimited);
        QCOMPARE(outside(), QByteArray());
        QVERIFY(!std::filesystem::is_symlink(folder_ / "custdb.txt"));
        QVERIFY(fileBytes(folder_ / "custdb.txt").contains("\"Bo\""));
        QVERIFY(
            !std::filesystem::exists(std::filesystem::symlink_status(folder_ / "custdb.txt.tmp")));
        t.indexOpen("Saved.idx");
        t.reindex();
        QVERIFY(!std::filesystem::exists(folder_ / "Saved.idx.Ab12Cd"));
        QVERIFY(std::filesystem::exists(folder_ / "Saved.idx.keep"));

        // 3 GB of holes after the records, the count matching the size:
        // the holes hold no customers, in physical order, index and export.
        const std::uint64_t recordLength = t.recordLength();
        const std::uint64_t headerLength = t.headerLength();
        t.close();
        const auto path = folder_ / "Saveddb.dbf";
        const auto slotCount = std::uint32_t((std::uint64_t(3) << 30) / recordLength);
        std::filesystem::resize_file(path, headerLength + slotCount * recordLength);
        {
            std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
            out.seekp(4);
            const char count[4] = {char(slotCount), char(slotCount >> 8), char(slotCount >> 16),
                                   char(slotCount >> 24)};
            out.write(count, 4);
        }
        Table sparse(folder_);
        sparse.open("Saveddb.dbf");
        QCOMPARE(sparse.recordCount(), slotCount);
        QVERIFY(sparse.recovery().empty());
        QStringList names;
        for (sparse.goTop(); !sparse.eof(); sparse.next())
            names << QString::fromStdString(sparse.getString("NAME")).trimmed();
        for (sparse.goBottom(); !sparse.bof(); sparse.previous())
            names << QString::fromStdString(sparse.getString("NAME")).trimmed();
        QCOMPARE(names, QStringList({"Cy", "Al", "Bo", "Bo", "Al", "Cy"}));
        sparse.indexOpen("Saved.idx");
        sparse.reindex();
        QVERIFY(std::filesystem::file_size(folder_ / "Saved.idx") <= 1024);
        QVERIFY(sparse.seek("BO"));
        sparse.copyToText("custdb.txt", kTextTypeDelimited);
        QCOMPARE(fileBytes(folder_ / "custdb.txt").count("\r\n"), 4);
    }

    void copyToTextReportsAnUnwritableFolder()
    {
        createTable(folder_, "T.DBF", customerFields());
        Table t(folder_);
        t.open("T.DBF");
        const QString message =
            errorOf([&] { t.copyToText("no-such-folder/custdb.txt", kTextTypeDelimited); });
        QVERIFY(message.contains("custdb.txt"));
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
