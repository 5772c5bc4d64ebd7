// quiverwise-data check on broken copies of the built catalogue: each kind
// of defect is named on its own line, with the table, record and column, and
// the check fails; rules that skip cells (carbon entries, Kavel columns
// without model code, text after a blank) raise no false defect.

#include "storage/Table.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using qw::storage::FieldDef;
using qw::storage::Table;

namespace {

const QString kTool = QStringLiteral(QW_PROGRAM_DIR "/quiverwise-data");

struct CheckResult {
    int exitCode = -1;
    QStringList lines;
};

CheckResult check(const QString& folder)
{
    QProcess process;
    process.start(kTool, {"check", folder});
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)};
}

QString describe(const CheckResult& result)
{
    return "exit " + QString::number(result.exitCode) + ":\n" + result.lines.join('\n');
}

void editRecord(const QString& folder, const char* table, std::uint32_t record,
                const std::vector<std::pair<std::string, std::string>>& values)
{
    Table t(folder.toStdString());
    t.open(table);
    t.go(record);
    t.edit();
    for (const auto& [field, text] : values)
        t.setField(field, text);
    t.post();
}

// Writes the table again with only some of its fields and records.
void rewriteTable(const QString& folder, const char* name, const std::string& dropField,
                  std::uint32_t keepRecords)
{
    const std::string path = folder.toStdString();
    std::vector<FieldDef> fields;
    std::vector<std::vector<std::pair<std::string, std::string>>> records;
    {
        Table original(path);
        original.open(name);
        for (const auto& f : original.fields())
            if (f.name != dropField)
                fields.push_back(f);
        for (std::uint32_t r = 1; r <= std::min(keepRecords, original.recordCount()); ++r) {
            original.go(r);
            std::vector<std::pair<std::string, std::string>> values;
            for (const auto& f : fields)
                values.emplace_back(f.name, original.getString(f.name));
            records.push_back(std::move(values));
        }
    }
    QVERIFY(QFile::remove(folder + "/" + name));
    qw::storage::createTable(path, name, fields);
    Table copy(path);
    copy.open(name);
    for (const auto& values : records) {
        copy.appendBlank();
        for (const auto& [field, text] : values)
            copy.setField(field, text);
        copy.post();
    }
}

} // namespace

class DataCheckTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void builtCatalogueIsClean();
    void missingKeyNamed();
    void keyThatOnlyBeginsAnotherIsNotFound();
    void targetColumnsCheckedInEveryListCase();
    void huntingRowRules();
    void kavelColumnWithoutModelIsSkipped();
    void gpiConvertedWhereTheRowReadsIt();
    void gpiTwoNumbersNeededWhereTwoWeightsShow();
    void defaultWeightMustBeNumeric();
    void duplicateSpecificationKeyNamed();
    void missingFieldNamed();
    void shortTablesNamed();
    void trajectoryDefectsNamed();
    void missingFilesNamed_data();
    void missingFilesNamed();
    void longInvalidSelectionLineNamed();
    void everyDefectOfABrokenFolderNamed();

private:
    QTemporaryDir pristine_;
    std::unique_ptr<QTemporaryDir> copy_;
    QString dir() const { return copy_->path(); }
};

void DataCheckTest::initTestCase()
{
    QVERIFY(pristine_.isValid());
    QProcess build;
    build.start(kTool, {"build", pristine_.path(), "--source", QW_SOURCE_DIR "/data"});
    QVERIFY(build.waitForFinished(120000));
    QVERIFY2(build.exitCode() == 0, build.readAllStandardError().constData());
}

void DataCheckTest::init()
{
    copy_ = std::make_unique<QTemporaryDir>();
    QVERIFY(copy_->isValid());
    for (const QString& name : QDir(pristine_.path()).entryList(QDir::Files))
        QVERIFY(QFile::copy(pristine_.path() + "/" + name, dir() + "/" + name));
}

void DataCheckTest::builtCatalogueIsClean()
{
    const CheckResult result = check(dir());
    QVERIFY2(result.exitCode == 0, qPrintable(describe(result)));
}

void DataCheckTest::missingKeyNamed()
{
    editRecord(dir(), "HUNTCHRT.DBF", 14, {{"SH1SIZE", "9999"}});
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.lines, QStringList{"HUNTCHRT.DBF record 14 column 1: specification key "
                                       "\"999952\" not found in specs.idx"});
}

void DataCheckTest::keyThatOnlyBeginsAnotherIsNotFound()
{
    // "400C" begins "400CF" and "400CS": the prefix seek lands on one of them,
    // which is not the shaft the chart names.
    editRecord(dir(), "HUNTCHRT.DBF", 14, {{"SH11SPINE", "C"}});
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(
        result.lines,
        QStringList{
            "HUNTCHRT.DBF record 14 column 11: specification key \"400C\" not found in specs.idx"});
}

void DataCheckTest::targetColumnsCheckedInEveryListCase()
{
    // Record 16 (list case B) shows column 3 uncut, so a star there breaks
    // the compound key; the recurve list (case F) cuts it and finds 2218.
    editRecord(dir(), "Targchrt.dbf", 16, {{"SH3SIZE", "2316*2218"}});
    // Record 5: the recurve size after the star is not in the catalogue.
    editRecord(dir(), "Targchrt.dbf", 5, {{"SH1SIZE", "1719*9999"}});
    // Record 12: column 14 is shown only for short arrows (cases C and E).
    editRecord(dir(), "Targchrt.dbf", 12, {{"SH14SIZE", "7777"}});
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(
        result.lines,
        (QStringList{
            "Targchrt.dbf record 5 column 1: specification key \"999952\" not found in specs.idx",
            "Targchrt.dbf record 12 column 14: specification key \"7777TA\" not found in specs.idx",
            "Targchrt.dbf record 16 column 3: specification key \"2316*221852\" not found in "
            "specs.idx"}));
}

void DataCheckTest::huntingRowRules()
{
    // Text after a blank is ignored in columns 2 to 6 only, and "caw" marks
    // a carbon entry in columns 3 to 10 only.
    editRecord(dir(), "HUNTCHRT.DBF", 13,
               {{"SH2SIZE", "2212 note"}, {"SH6SIZE", "380 FP"}, {"SH7SIZE", "x y"}});
    QVERIFY2(check(dir()).exitCode == 0, qPrintable(describe(check(dir()))));
    editRecord(dir(), "HUNTCHRT.DBF", 13, {{"SH1SIZE", "2313 alt"}, {"SH11SPINE", "caw"}});
    const CheckResult result = check(dir());
    QCOMPARE(result.lines, (QStringList{"HUNTCHRT.DBF record 13 column 1: specification key \"2313 "
                                        "alt52\" not found in specs.idx",
                                        "HUNTCHRT.DBF record 13 column 11: specification key "
                                        "\"400caw\" not found in specs.idx"}));
    QCOMPARE(result.exitCode, 1);
}

void DataCheckTest::kavelColumnWithoutModelIsSkipped()
{
    editRecord(dir(), "KAVLCHRT.DBF", 2, {{"SH6SIZE", "nothing"}, {"SH6MODEL", ""}});
    QCOMPARE(check(dir()).exitCode, 0);
    editRecord(dir(), "KAVLCHRT.DBF", 2, {{"SH6SIZE", ""}, {"SH6MODEL", "KS"}});
    const CheckResult result = check(dir());
    QCOMPARE(
        result.lines,
        QStringList{
            "KAVLCHRT.DBF record 2 column 6: specification key \"KS\" not found in specs.idx"});
}

void DataCheckTest::gpiConvertedWhereTheRowReadsIt()
{
    // Hunting record 14 column 5 is row 5: one number is read there.
    Table specs(dir().toStdString());
    specs.open("Specs.DBF");
    specs.indexOpen("specs.idx");
    QVERIFY(specs.seek("420HC"));
    specs.edit();
    specs.setField("GPI", "8.91 9.46");
    specs.post();
    specs.close();
    // A Zenith two-family tube moved into Target column 1 lands in row 1.
    editRecord(dir(), "Targchrt.dbf", 5, {{"SH1SIZE", "1912"}, {"SH1SPINE", "Z4"}});
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.lines.contains(
                 "HUNTCHRT.DBF record 14 column 5 (hunting, row 5): GPI \"8.91 9.46\" of key "
                 "\"420HC\" (HMODELS \"HC\") is not one number"),
             qPrintable(describe(result)));
    QVERIFY2(result.lines.contains(
                 "Targchrt.dbf record 5 column 1 (compound, list case D, row 1): GPI \"7.20 "
                 "7.63\" of key \"1912Z4\" (TMODELS \"Z4,52\") is not one number"),
             qPrintable(describe(result)));
    QVERIFY(result.lines.contains(
        "Targchrt.dbf record 5 column 1 (recurve, list case F, row 1): GPI \"7.20 "
        "7.63\" of key \"1912Z4\" (TMODELS \"Z4,52\") is not one number"));
    for (const QString& line : result.lines)
        QVERIFY2(line.contains("420HC") || line.contains("1912Z4"), qPrintable(line));
}

void DataCheckTest::gpiTwoNumbersNeededWhereTwoWeightsShow()
{
    // Target record 10, column 8 shows in row 8 for long arrows but in row 5
    // for short ones (list cases C and E), where one number is read.
    editRecord(dir(), "Targchrt.dbf", 10, {{"SH8SIZE", "2111"}, {"SH8SPINE", "Z4"}});
    // A two-family hunting tube whose second number is gone.
    Table specs(dir().toStdString());
    specs.open("Specs.DBF");
    specs.indexOpen("specs.idx");
    QVERIFY(specs.seek("2212QK"));
    specs.edit();
    specs.setField("GPI", "8.38");
    specs.post();
    specs.close();
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.lines.contains(
                 "Targchrt.dbf record 10 column 8 (compound short arrow, list case C, row 5): GPI "
                 "\"7.34 7.79\" of key \"2111Z4\" (TMODELS \"Z4,52\") is not one number"),
             qPrintable(describe(result)));
    QVERIFY(!result.lines.filter("record 10 column 8 (compound, list case D").size());
    QVERIFY2(
        result.lines.contains(
            "HUNTCHRT.DBF record 13 column 2 (hunting, row 2): GPI \"8.38\" of key "
            "\"2212QK\" (HMODELS \"QK,52\") does not hold two numbers in characters 1-4 and 6-9"),
        qPrintable(describe(result)));
    QVERIFY(!result.lines
                 .filter(QRegularExpression(
                     "Specs.DBF record \\d+ \\(2212QK\\): GPI \"8.38\" has no second "
                     "number in characters 6-9 for HMODELS"))
                 .isEmpty());
}

void DataCheckTest::defaultWeightMustBeNumeric()
{
    Table specs(dir().toStdString());
    specs.open("Specs.DBF");
    specs.indexOpen("specs.idx");
    QVERIFY(specs.seek("400CF"));
    const std::uint32_t record = specs.recordNumber();
    specs.edit();
    specs.setField("DEFNOCKWT", "");
    specs.post();
    specs.close();
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(
        result.lines,
        QStringList{
            QString("Specs.DBF record %1 (400CF): DEFNOCKWT \"\" is not a number").arg(record)});
}

void DataCheckTest::duplicateSpecificationKeyNamed()
{
    {
        Table specs(dir().toStdString());
        specs.open("Specs.DBF");
        specs.appendBlank();
        for (const auto& [field, text] :
             std::vector<std::pair<std::string, std::string>>{{"SHAFTSIZE", "2117"},
                                                              {"KEYSUFFIX", "52"},
                                                              {"ARROWTYPE", "Aluminum"},
                                                              {"GPI", "11.8"},
                                                              {"DEFPTWT", "125"},
                                                              {"DEFNOCKWT", "12"},
                                                              {"DEFVANEWT", "18"},
                                                              {"DEFINSWT", "15"}})
            specs.setField(field, text);
        specs.post();
    }
    qw::storage::createIndex(dir().toStdString(), "Specs.DBF", "specs.idx",
                             "TRIM(SHAFTSIZE)+KEYSUFFIX");
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.lines.size(), 1);
    QVERIFY2(result.lines.first().startsWith("specs.idx: key \"211752\" on records "),
             qPrintable(describe(result)));
}

void DataCheckTest::missingFieldNamed()
{
    rewriteTable(dir(), "KAVLCHRT.DBF", "SH6MODEL", 100);
    rewriteTable(dir(), "Specs.DBF", "DEFVANEWT", 1000);
    qw::storage::createIndex(dir().toStdString(), "Specs.DBF", "specs.idx",
                             "TRIM(SHAFTSIZE)+KEYSUFFIX");
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.lines.contains("KAVLCHRT.DBF: field SH6MODEL missing"),
             qPrintable(describe(result)));
    QVERIFY2(result.lines.contains("Specs.DBF: field DEFVANEWT missing"),
             qPrintable(describe(result)));
}

void DataCheckTest::shortTablesNamed()
{
    rewriteTable(dir(), "YouthChrt.dbf", "", 9);
    rewriteTable(dir(), "HUNTCHRT.DBF", "", 19);
    rewriteTable(dir(), "Targchrt.dbf", "", 18);
    rewriteTable(dir(), "KAVLCHRT.DBF", "", 18);
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.lines, (QStringList{"HUNTCHRT.DBF: 19 records, at least 20 needed",
                                        "Targchrt.dbf: 18 records, at least 19 needed",
                                        "YouthChrt.dbf: 9 records, at least 10 needed",
                                        "KAVLCHRT.DBF: 18 records, at least 19 needed"}));
}

void DataCheckTest::trajectoryDefectsNamed()
{
    editRecord(dir(), "Newtraj.dbf", 88, {{"LOW", "50"}, {"HIGH", "42"}});
    editRecord(dir(), "Newtraj.dbf", 3, {{"VEL", "9x"}});
    const CheckResult edited = check(dir());
    QCOMPARE(edited.lines, (QStringList{"Newtraj.dbf record 3: VEL \"9x\" is not a whole number",
                                        "Newtraj.dbf record 88: LOW 50 is beyond HIGH 42"}));
    rewriteTable(dir(), "Newtraj.dbf", "", 244);
    const CheckResult shortened = check(dir());
    QCOMPARE(shortened.exitCode, 1);
    QVERIFY2(shortened.lines.contains("Newtraj.dbf: 244 records, at least 245 needed"),
             qPrintable(describe(shortened)));
}

void DataCheckTest::missingFilesNamed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("defect");
    for (const char* table :
         {"HUNTCHRT.DBF", "Targchrt.dbf", "YouthChrt.dbf", "KAVLCHRT.DBF", "Newtraj.dbf",
          "Saveddb.dbf", "SHOPINFO.DBF", "specs.idx", "Saved.idx", "invsel.txt", "HuntLegend.txt",
          "TargLegend.txt", "YouthLegend.txt", "KavlLegend.txt"})
        QTest::newRow(table) << QString(table) << QString(table) + ": missing";
}

void DataCheckTest::missingFilesNamed()
{
    QFETCH(QString, file);
    QFETCH(QString, defect);
    QVERIFY(QFile::remove(dir() + "/" + file));
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.lines, QStringList{defect});
}

void DataCheckTest::longInvalidSelectionLineNamed()
{
    QFile file(dir() + "/invsel.txt");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(151, 'x') + "\nsecond line\n");
    file.close();
    const CheckResult result = check(dir());
    QCOMPARE(result.lines,
             QStringList{"invsel.txt: first line has 151 characters; only 150 are shown"});
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\nThe message belongs on the first line.\n");
    file.close();
    QCOMPARE(check(dir()).lines, QStringList{"invsel.txt: first line is empty"});
}

void DataCheckTest::everyDefectOfABrokenFolderNamed()
{
    QVERIFY(QFile::remove(dir() + "/Specs.DBF"));
    QVERIFY(QFile::remove(dir() + "/KavlLegend.txt"));
    rewriteTable(dir(), "YouthChrt.dbf", "SH8MODL", 5);
    const CheckResult result = check(dir());
    QCOMPARE(result.exitCode, 1);
    // Without the specification table no key can be sought; the rest is
    // still checked and named.
    QCOMPARE(
        result.lines,
        (QStringList{"Specs.DBF: missing", "YouthChrt.dbf: field SH8MODL missing",
                     "YouthChrt.dbf: 5 records, at least 10 needed", "KavlLegend.txt: missing"}));
}

QTEST_GUILESS_MAIN(DataCheckTest)
#include "tst_datacheck.moc"
