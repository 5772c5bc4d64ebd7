// Interoperability with independent DBF implementations: python3-dbfread,
// python3-dbf and Perl's XBase read what we write, and we read what they
// write, memos and accented text included.

#include "storage/Table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace qw::storage;

namespace {

const QString kPython = "/usr/bin/python3";
const QString kPerl = "/usr/bin/perl";

QString script(const char* name)
{
    return QString(QW_FIXTURES_DIR) + "/dbf/scripts/" + name;
}

// Runs a script; returns its standard output parsed as JSON.
QJsonValue runJson(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning().noquote() << process.readAllStandardError();
        return QJsonValue(QJsonValue::Undefined);
    }
    const QByteArray out = process.readAllStandardOutput();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning().noquote() << out;
        return QJsonValue(QJsonValue::Undefined);
    }
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

void fillCustomers(const std::filesystem::path& folder)
{
    createTable(folder, "Saveddb.dbf",
                {{"NAME", FieldType::Character, 20, 0},
                 {"BOWWT", FieldType::Numeric, 3, 0},
                 {"GPI", FieldType::Numeric, 6, 2},
                 {"SAVED", FieldType::Date, 8, 0},
                 {"PAID", FieldType::Logical, 1, 0},
                 {"COMMENTS", FieldType::Memo, 10, 0}});
    Table t(folder);
    t.open("Saveddb.dbf");
    t.appendBlank();
    t.setField("NAME", "Jos\u00e9 M\u00fcller");
    t.setField("BOWWT", "60");
    t.setField("GPI", "7.25");
    t.setField("SAVED", "20240131");
    t.setField("PAID", "T");
    t.setField("COMMENTS", "Left-handed.\r\nPrefers \"Norvane\" \u00e9lite vanes.");
    t.post();
    t.appendBlank();
    t.setField("NAME", "Bo");
    t.post();
    t.appendBlank();
    t.setField("NAME", "Zo\u00eb \u00c5berg");
    t.setField("BOWWT", "45");
    t.setField("PAID", "F");
    t.setField("COMMENTS", std::string(600, 'x'));
    t.post();
    // An edit writes a new memo; readers must follow the new block.
    t.go(1);
    t.edit();
    t.setField("COMMENTS", "Left-handed.\r\nPrefers \"Norvane\" \u00e9lite vanes. Edited.");
    t.post();
}

std::string readAll(Table& t)
{
    std::string out;
    for (t.goTop(); !t.eof(); t.next()) {
        for (const FieldDef& f : t.fields())
            out += t.getString(f.name) + "|";
        out += "\n";
    }
    return out;
}

} // namespace

class TestInteropDbf : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::filesystem::path folder_;
    QString path(const char* name) const
    {
        return QString::fromStdString((folder_ / name).string());
    }

private slots:
    void init()
    {
        folder_ = std::filesystem::path(dir_.path().toStdString()) / QTest::currentTestFunction();
        std::filesystem::create_directories(folder_);
    }

    void dbfreadReadsOurTables()
    {
        fillCustomers(folder_);
        const QJsonValue rows = runJson(kPython, {script("dbfread_dump.py"), path("Saveddb.dbf")});
        const QJsonArray expected{
            QJsonArray{
                QString::fromUtf8("Jos\u00e9 M\u00fcller"), 60, QString::fromUtf8("7.25"),
                QString::fromUtf8("2024-01-31"), true,
                QString::fromUtf8("Left-handed.\r\nPrefers \"Norvane\" \u00e9lite vanes. Edited.")},
            QJsonArray{QString::fromUtf8("Bo"), QJsonValue(), QJsonValue(), QJsonValue(),
                       QJsonValue(), QJsonValue()},
            QJsonArray{QString::fromUtf8("Zo\u00eb \u00c5berg"), 45, QJsonValue(), QJsonValue(),
                       false, QString(600, QChar('x'))}};
        QCOMPARE(rows, QJsonValue(expected));
    }

    void pythonDbfReadsOurTables()
    {
        fillCustomers(folder_);
        const QJsonValue rows =
            runJson(kPython, {script("pythondbf_dump.py"), path("Saveddb.dbf")});
        const QJsonArray expected{
            QJsonArray{
                QString::fromUtf8("Jos\u00e9 M\u00fcller         "), 60, QString::fromUtf8("7.25"),
                QString::fromUtf8("2024-01-31"), true,
                QString::fromUtf8("Left-handed.\r\nPrefers \"Norvane\" \u00e9lite vanes. Edited.")},
            QJsonArray{QString::fromUtf8("Bo                  "), QJsonValue(), QJsonValue(),
                       QJsonValue(), QJsonValue(), QString::fromUtf8("")},
            QJsonArray{QString::fromUtf8("Zo\u00eb \u00c5berg           "), 45, QJsonValue(),
                       QJsonValue(), false, QString(600, QChar('x'))}};
        QCOMPARE(rows, QJsonValue(expected));
    }

    void perlXBaseReadsOurTables()
    {
        fillCustomers(folder_);
        const QJsonValue rows = runJson(kPerl, {script("xbase_dump.pl"), path("Saveddb.dbf")});
        const QJsonArray expected{
            QJsonArray{
                QString::fromUtf8("Jos\u00e9 M\u00fcller"), QString::fromUtf8("60"),
                QString::fromUtf8("7.25"), QString::fromUtf8("20240131"), QString::fromUtf8("1"),
                QString::fromUtf8("Left-handed.\r\nPrefers \"Norvane\" \u00e9lite vanes. Edited.")},
            QJsonArray{QString::fromUtf8("Bo"), QJsonValue(), QJsonValue(), QJsonValue(),
                       QJsonValue(), QJsonValue()},
            QJsonArray{QString::fromUtf8("Zo\u00eb \u00c5berg"), QString::fromUtf8("45"),
                       QJsonValue(), QJsonValue(), QString::fromUtf8("0"),
                       QString(600, QChar('x'))}};
        QCOMPARE(rows, QJsonValue(expected));
    }

    void weReadTablesWrittenByPythonDbf_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("version");
        QTest::newRow("FoxPro with FPT") << "fp" << 0xF5;
        QTest::newRow("Visual FoxPro") << "vfp" << 0x30;
        QTest::newRow("dBase III with DBT") << "db3" << 0x83;
    }

    void weReadTablesWrittenByPythonDbf()
    {
        QFETCH(QString, kind);
        QFETCH(int, version);
        QProcess python;
        python.start(kPython, {script("pythondbf_write.py"), path("PYTABLE.DBF"), kind});
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());

        Table t(folder_);
        t.open("pytable.dbf");
        QCOMPARE(int(t.versionByte()), version);
        QCOMPARE(t.recordCount(), 3u);
        std::string expected =
            "Jos\u00e9 M\u00fcller         | 60|  7.25|20240131|T|two\r\nl\u00efnes|\n"
            "Bo                  |   |      |        |?||\n";
        expected +=
            "\u00c5sa                 |  7|  1.50|19991231|F|" + std::string(700, 'x') + "|\n";
        std::string actual = readAll(t);
        QCOMPARE(actual, expected);

        // And what we change in their file, they read back.
        if (kind == "db3")
            return; // DBT memos are read only
        t.go(2);
        t.edit();
        t.setField("NAME", "B\u00f8");
        t.setField("NOTE", "added by us");
        t.post();
        // A record appended without a memo refers to no memo, in either
        // memo number form (ten digits, or four binary bytes).
        t.appendBlank();
        t.setField("NAME", "New");
        t.post();
        QCOMPARE(t.getString("NOTE"), std::string());
        t.close();
        const QJsonValue rows = runJson(kPython, {script("dbfread_dump.py"), path("PYTABLE.DBF")});
        QVERIFY(rows.isArray());
        QCOMPARE(rows.toArray().at(1).toArray().at(0).toString(), QString("B\u00f8"));
        QCOMPARE(rows.toArray().at(1).toArray().at(5).toString(), QString("added by us"));
        QCOMPARE(rows.toArray().at(2).toArray().at(5).toString(), QString(700, 'x'));
        QCOMPARE(rows.toArray().at(3).toArray().at(0).toString(), QString("New"));
        QVERIFY(rows.toArray().at(3).toArray().at(5).isNull());
        Table again(folder_);
        again.open("PYTABLE.DBF");
        again.goBottom();
        QCOMPARE(again.getString("NOTE"), std::string());
        QCOMPARE(again.recordAsDelimitedText(), std::string("\"New\",,,,,\"\""));
    }

    void weReadTablesWrittenByPerlXBase()
    {
        QProcess perl;
        perl.start(kPerl, {script("xbase_write.pl"), path("perl.dbf"), path("perl.fpt")});
        QVERIFY(perl.waitForFinished(60000));
        QVERIFY2(perl.exitCode() == 0, perl.readAllStandardError().constData());
        Table t(folder_);
        t.open("PERL.DBF");
        QCOMPARE(int(t.versionByte()), 0xF5);
        QCOMPARE(readAll(t),
                 std::string("Jos\u00e9 M\u00fcller         | 60|  7.25|two\r\nl\u00efnes|\n"
                             "Bo                  |   |      ||\n"));
        t.go(2);
        t.edit();
        t.setField("NOTE", "now with a memo");
        t.post();
        t.close();
        const QJsonValue rows = runJson(kPerl, {script("xbase_dump.pl"), path("perl.dbf")});
        const QJsonArray expected{QJsonArray{QString::fromUtf8("Jos\u00e9 M\u00fcller"),
                                             QString::fromUtf8("60"), QString::fromUtf8("7.25"),
                                             QString::fromUtf8("two\r\nl\u00efnes")},
                                  QJsonArray{QString::fromUtf8("Bo"), QJsonValue(), QJsonValue(),
                                             QString::fromUtf8("now with a memo")}};
        QCOMPARE(rows, QJsonValue(expected));
    }
};

QTEST_GUILESS_MAIN(TestInteropDbf)
#include "tst_interop_dbf.moc"
