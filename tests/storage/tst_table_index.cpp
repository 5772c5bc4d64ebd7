// Table behaviour through an index: controlling order, seeks, rebuilds,
// index maintenance on post, and the index failure messages.

#include "storage/IndexFile.h"
#include "storage/StorageError.h"
#include "storage/Table.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qw::storage;

namespace {

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const StorageError& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

std::string trimmed(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

void append(Table& t, const std::string& name, const std::string& city)
{
    t.appendBlank();
    t.setField("NAME", name);
    t.setField("CITY", city);
    t.post();
}

// Names in the order the controlling index walks them, from the top.
QStringList namesInOrder(Table& t)
{
    QStringList names;
    for (t.goTop(); !t.eof(); t.next())
        names << QString::fromStdString(trimmed(t.getString("NAME")));
    return names;
}

QStringList namesBackwards(Table& t)
{
    QStringList names;
    t.goBottom();
    while (!t.bof()) {
        names << QString::fromStdString(trimmed(t.getString("NAME")));
        t.previous();
    }
    return names;
}

} // namespace

class TestTableIndex : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path folder_;

private slots:
    void init()
    {
        folder_ = std::filesystem::path(dir_.path().toStdString()) / QTest::currentTestFunction();
        std::filesystem::remove_all(folder_); // a fresh folder for each data row too
        std::filesystem::create_directories(folder_);
        createTable(folder_, "Saveddb.dbf",
                    {{"NAME", FieldType::Character, 20, 0},
                     {"CITY", FieldType::Character, 12, 0},
                     {"COMMENTS", FieldType::Memo, 10, 0}});
        Table t(folder_);
        t.open("Saveddb.dbf");
        append(t, "Miller", "Ames");
        append(t, "Adams", "Bath");
        append(t, "Zeller", "Cork");
        append(t, "Baker", "Derby");
        append(t, "Mill\u00e9", "Erie");
        createIndex(folder_, "SAVEDDB.DBF", "Saved.idx", "NAME");
    }

    void navigationFollowsTheControllingOrder()
    {
        Table t(folder_);
        t.open("Saveddb.DBF");
        QVERIFY(!t.hasControllingOrder());
        t.indexOpen("saved.IDX");
        QVERIFY(t.hasControllingOrder());
        QCOMPARE(QString::fromStdString(t.orderExpression()), QString("NAME"));
        QCOMPARE(t.recordNumber(), 2u); // indexOpen goes to the first in order
        const QStringList forward{"Adams", "Baker", "Miller", "Mill\u00e9", "Zeller"};
        QCOMPARE(namesInOrder(t), forward);
        QStringList backward = forward;
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(namesBackwards(t), backward);
        // Going to a physical record keeps the order for the next step.
        t.go(4); // Baker
        t.next();
        QCOMPARE(trimmed(t.getString("NAME")), std::string("Miller"));
        t.indexCloseAll();
        QVERIFY(!t.hasControllingOrder());
        t.goTop();
        QCOMPARE(trimmed(t.getString("NAME")), std::string("Miller"));
    }

    void seekFindsTheFirstKeyWithThePrefix()
    {
        Table t(folder_);
        t.open("Saveddb.dbf");
        QVERIFY(errorOf([&] { t.seek("Mi"); }).contains("index"));
        t.indexOpen("Saved.idx");
        QVERIFY(t.seek("Mi"));
        QCOMPARE(trimmed(t.getString("NAME")), std::string("Miller"));
        QCOMPARE(t.recordNumber(), 1u);
        QVERIFY(t.seek("Mill\u00e9"));
        QCOMPARE(t.recordNumber(), 5u);
        QVERIFY(t.seek("Z"));
        QCOMPARE(t.recordNumber(), 3u);
        QVERIFY(!t.seek("Q"));
        QVERIFY(t.eof());
        QVERIFY(!t.seek("Zellerman"));
        QVERIFY(t.eof());
        QVERIFY(!t.seek("Zeller" + std::string(30, ' ')));
        QVERIFY(t.eof());
        QVERIFY(t.seek(""));
        QCOMPARE(t.recordNumber(), 2u);
    }

    void postedRecordsAreInOrderAtOnce()
    {
        Table t(folder_);
        t.open("Saveddb.dbf");
        t.indexOpen("Saved.idx");
        append(t, "Carter", "Flint");
        QVERIFY(t.seek("Car"));
        QCOMPARE(t.recordNumber(), 6u);
        // Renaming a customer moves the record in the order.
        QVERIFY(t.seek("Adams"));
        t.edit();
        t.setField("NAME", "Young");
        t.post();
        QCOMPARE(namesInOrder(t),
                 QStringList({"Baker", "Carter", "Miller", "Mill\u00e9", "Young", "Zeller"}));

        // Another handle with the same index open sees the rebuilt file.
        Table other(folder_);
        other.open("Saveddb.dbf");
        other.indexOpen("Saved.idx");
        append(t, "Abbot", "Gary");
        other.goTop();
        QCOMPARE(trimmed(other.getString("NAME")), std::string("Abbot"));
    }

    void reindexCoversRecordsAppendedWithoutTheIndex()
    {
        {
            // A read-only handle rebuilds nothing.
            Table reader(folder_);
            reader.open("Saveddb.dbf", OpenMode::ReadOnly);
            reader.indexOpen("Saved.idx");
            QVERIFY(errorOf([&] { reader.reindex(); }).contains("read-only"));
        }
        {
            Table t(folder_);
            t.open("Saveddb.dbf");
            append(t, "Aaron", "Hull");
            t.indexOpen("Saved.idx");
            QVERIFY(!t.seek("Aaron")); // the index predates the record
            t.reindex();
            QVERIFY(t.seek("Aaron"));
            QCOMPARE(t.recordNumber(), 6u);
            t.indexCloseAll();
        }
        Table t(folder_);
        t.open("Saveddb.dbf");
        t.indexOpen("Saved.idx");
        QCOMPARE(namesInOrder(t).first(), QString("Aaron"));
        QCOMPARE(namesInOrder(t).size(), 6);
    }

    void expressionsWithFunctionsOrderAndSeek()
    {
        createIndex(folder_, "Saveddb.dbf", "city.idx", "UPPER(CITY)+NAME");
        Table t(folder_);
        t.open("Saveddb.dbf");
        t.indexOpen("CITY.IDX");
        QVERIFY(t.seek("DERBY"));
        QCOMPARE(trimmed(t.getString("NAME")), std::string("Baker"));
        QVERIFY(!t.seek("derby"));
    }

    void entriesPastTheTableAreSteppedOver()
    {
        // An index built for five records over a table that holds three
        // (restored from an older copy): entries 4 and 5 lead nowhere.
        const auto older = folder_ / "older";
        std::filesystem::create_directories(older);
        createTable(older, "Saveddb.dbf",
                    {{"NAME", FieldType::Character, 20, 0},
                     {"CITY", FieldType::Character, 12, 0},
                     {"COMMENTS", FieldType::Memo, 10, 0}});
        {
            Table t(older);
            t.open("Saveddb.dbf");
            append(t, "Miller", "Ames");
            append(t, "Adams", "Bath");
            append(t, "Zeller", "Cork");
        }
        std::filesystem::copy_file(older / "Saveddb.dbf", folder_ / "Saveddb.dbf",
                                   std::filesystem::copy_options::overwrite_existing);
        Table t(folder_);
        t.open("Saveddb.dbf");
        t.indexOpen("Saved.idx");
        QCOMPARE(namesInOrder(t), QStringList({"Adams", "Miller", "Zeller"}));
        QCOMPARE(namesBackwards(t), QStringList({"Zeller", "Miller", "Adams"}));
        QVERIFY(!t.seek("Baker")); // record 4: past the end
        QVERIFY(t.eof());
        QVERIFY(t.seek("Mil"));
        QCOMPARE(t.recordNumber(), 1u);
    }

    // An index of another table, or of this one before it was replaced,
    // is refused with both file names and the mismatch.
    void indexesThatDoNotFitTheTableAreRefused_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<int>("firstRecord");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a field the table lacks")
            << "UPPER(SURNAME)" << 20 << 1 << "the table has no field SURNAME";
        QTest::newRow("keys of another width")
            << "NAME" << 12 << 1
            << "its keys are 12 characters long, but its key expression \"NAME\" gives keys of 20";
        QTest::newRow("every entry past the table")
            << "NAME" << 20 << 6 << "its entries lead to records up to 8, but the table holds 5";
    }
    void indexesThatDoNotFitTheTableAreRefused()
    {
        QFETCH(QString, expression);
        QFETCH(int, keyLength);
        QFETCH(int, firstRecord);
        QFETCH(QString, reason);
        std::vector<IndexEntry> entries;
        for (std::uint32_t r = std::uint32_t(firstRecord); r < std::uint32_t(firstRecord) + 3; ++r)
            entries.push_back({"K" + std::to_string(r), r});
        IndexFile::writeStandard(folder_ / "Other.idx", expression.toStdString(),
                                 std::uint16_t(keyLength), entries);
        Table t(folder_);
        t.open("Saveddb.dbf", OpenMode::ReadOnly);
        const QString message = errorOf([&] { t.indexOpen("Other.idx"); });
        QVERIFY2(message.startsWith("Other.idx: the index does not fit table Saveddb.dbf"),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY(!t.hasControllingOrder());
    }

    void missingIndexGivesTheExactMessage()
    {
        Table t(folder_);
        t.open("Saveddb.dbf");
        QCOMPARE(errorOf([&] { t.indexOpen("Nothere.idx"); }),
                 "Index file does not exist.\nFile: " +
                     QString::fromStdString((folder_ / "Nothere.idx").string()));
        QVERIFY(!t.hasControllingOrder());
        QVERIFY(
            !errorOf([&] { createIndex(folder_, "Saveddb.dbf", "x.idx", "NOSUCH"); }).isEmpty());
        QCOMPARE(errorOf([&] { createIndex(folder_, "Gone.dbf", "x.idx", "NAME"); }),
                 "Table does not exist.\nFile or directory does not exist.\nFile: " +
                     QString::fromStdString((folder_ / "Gone.dbf").string()));
    }
};

QTEST_GUILESS_MAIN(TestTableIndex)
#include "tst_table_index.moc"
