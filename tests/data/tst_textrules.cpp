// The text rules the data check applies as the pages do (number texts,
// cuts) and the CSV reading of the catalogue sources.

#include "BuildError.h"
#include "ChartRules.h"
#include "CsvFile.h"
#include "TextRules.h"

#include <selection/PageRowRules.h>

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <map>

using namespace qw;
using namespace qw::databuild;

class TextRulesTest : public QObject {
    Q_OBJECT

private slots:
    void decimalNumbers_data();
    void decimalNumbers();
    void wholeNumbers();
    void cuts();
    void csvQuotingAndTrimming();
    void csvRefusesMalformedLines();
    void targetListCasesByRecord();
};

void TextRulesTest::decimalNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("number");
    QTest::newRow("plain") << "8.91" << true;
    QTest::newRow("padded") << "  11.8   " << true;
    QTest::newRow("integer") << "125" << true;
    QTest::newRow("leading point") << ".5" << true;
    QTest::newRow("trailing point") << "5." << true;
    QTest::newRow("exponent") << "1.2e1" << true;
    QTest::newRow("signed") << "-0.25" << true;
    QTest::newRow("two numbers") << "8.91 9.46" << false;
    QTest::newRow("comma separator") << "8,91" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << "    " << false;
    QTest::newRow("point only") << "." << false;
    QTest::newRow("bare exponent") << "1e" << false;
    QTest::newRow("letters") << "abc" << false;
}

void TextRulesTest::decimalNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, number);
    QCOMPARE(isDecimalNumber(text.toStdString()), number);
}

void TextRulesTest::wholeNumbers()
{
    QVERIFY(isWholeNumber(" 42"));
    QVERIFY(isWholeNumber("0"));
    QVERIFY(!isWholeNumber("4.0"));
    QVERIFY(!isWholeNumber("9x"));
    QVERIFY(!isWholeNumber("   "));
    QVERIFY(!isWholeNumber("-"));
}

void TextRulesTest::cuts()
{
    QCOMPARE(upToFirstBlank("1719 alt"), std::string("1719"));
    QCOMPARE(upToFirstBlank("1719"), std::string("1719"));
    using qw::selection::StarCut;
    QCOMPARE(qw::selection::starCut("2114*2016", StarCut::Compound), std::string("2114"));
    QCOMPARE(qw::selection::starCut("2114* 2016", StarCut::Recurve), std::string("2016"));
    QCOMPARE(qw::selection::starCut("2114", StarCut::Recurve), std::string("2114"));
    QCOMPARE(qw::selection::starCut("*2016", StarCut::Compound), std::string(""));
    QCOMPARE(qw::selection::starCut("2114*2016", StarCut::None), std::string("2114*2016"));
    QCOMPARE(characters("8.91 9.46", 6, 9), std::string("9.46"));
    QCOMPARE(characters("8.38", 6, 9), std::string(""));
    QCOMPARE(characters("QK,52", 3, 5), std::string(",52"));
}

void TextRulesTest::csvQuotingAndTrimming()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("t.csv").toStdString();
    std::ofstream(path) << "A,B,C\r\n 1 ,\"QK,52\",\"say \"\"hi\"\"\"\n\n2,, \n";
    const CsvFile csv = CsvFile::read(path);
    QCOMPARE(csv.header(), (std::vector<std::string>{"A", "B", "C"}));
    QCOMPARE(csv.rows().size(), std::size_t(2));
    QCOMPARE(csv.rows()[0], (std::vector<std::string>{"1", "QK,52", "say \"hi\""}));
    QCOMPARE(csv.rows()[1], (std::vector<std::string>{"2", "", ""}));
    QCOMPARE(csv.lineOf(1), 4);
}

void TextRulesTest::csvRefusesMalformedLines()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("bad.csv").toStdString();
    std::ofstream(path) << "A,B\n1,2\n3\n";
    try {
        CsvFile::read(path);
        QFAIL("a short line was accepted");
    } catch (const BuildError& error) {
        QVERIFY2(QString(error.what()).endsWith("bad.csv line 3: 1 fields, the header has 2"),
                 error.what());
    }
    std::ofstream(path) << "A,B\n1,\"open\n";
    QVERIFY_THROWS_EXCEPTION(BuildError, CsvFile::read(path));
}

void TextRulesTest::targetListCasesByRecord()
{
    // Every column holds its own number as size, so the lookups show which
    // column each grid row takes in each list case.
    const auto field = [](std::string_view name) {
        const std::string text(name);
        const auto digits = text.find_first_of("0123456789");
        const auto end = text.find_first_not_of("0123456789", digits);
        const std::string column = text.substr(digits, end - digits);
        return text.ends_with("SIZE") ? column + "*" + column + "r" : std::string("S");
    };
    std::map<std::string, std::map<int, int>> rowsToColumns;
    for (const ChartLookup& lookup : ChartRules::lookups(ChartKind::Target, 15, field))
        rowsToColumns[lookup.situation][lookup.row] = lookup.column;
    QCOMPARE(rowsToColumns.size(), std::size_t(2)); // case A and case F only
    const auto& caseA = rowsToColumns["compound, list case A"];
    QCOMPARE(caseA.size(), std::size_t(12));
    QCOMPARE(caseA.at(1), 1);
    QCOMPARE(caseA.at(2), 3);
    QCOMPARE(caseA.at(12), 13);
    QCOMPARE(rowsToColumns["recurve, list case F"].at(13), 13);

    std::map<std::string, std::string> firstKey;
    for (const ChartLookup& lookup : ChartRules::lookups(ChartKind::Target, 10, field))
        if (lookup.row == 1)
            firstKey[lookup.situation] = lookup.key;
    QCOMPARE(firstKey.size(), std::size_t(4)); // C, D, E, F
    QCOMPARE(firstKey["compound short arrow, list case C"], std::string("4S"));
    QCOMPARE(firstKey["recurve short arrow, list case E"], std::string("4rS"));
    QCOMPARE(firstKey["compound, list case D"], std::string("1S"));
    QCOMPARE(firstKey["recurve, list case F"], std::string("1rS"));

    // Case B takes columns 2 to 12 uncut.
    for (const ChartLookup& lookup : ChartRules::lookups(ChartKind::Target, 16, field))
        if (lookup.situation == "compound, list case B") {
            QCOMPARE(lookup.column, lookup.row + 1);
            QVERIFY(lookup.key.find('*') != std::string::npos);
            QCOMPARE(lookup.twoModelText, std::string(lookup.row >= 7 ? "Z4,52" : ""));
        }
}

QTEST_GUILESS_MAIN(TextRulesTest)
#include "tst_textrules.moc"
#include <core/Text.h>
