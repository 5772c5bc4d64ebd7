// Key expressions of character indexes: what they evaluate to, how wide
// their keys are, and the expressions that are refused.

#include "storage/KeyExpression.h"

#include <QTest>

using namespace qw::storage;

namespace {

const std::vector<FieldDef> kFields = {
    {"NAME", FieldType::Character, 20, 0}, {"SIZE", FieldType::Character, 6, 0},
    {"SPINE", FieldType::Character, 5, 0}, {"MODEL", FieldType::Character, 4, 0},
    {"BOWWT", FieldType::Numeric, 4, 0},   {"DATE", FieldType::Date, 8, 0},
    {"COMMENTS", FieldType::Memo, 10, 0},  {"OK", FieldType::Logical, 1, 0},
};

// One record: field values as stored (padded to their widths).
std::vector<std::string> record(std::string name, std::string size = "2315",
                                std::string spine = ".400", std::string model = "XX")
{
    std::vector<std::string> values = {name,   size,       spine,        model,
                                       "  60", "20110301", "0000000001", "T"};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i].resize(kFields[i].length, ' ');
    return values;
}

std::string keyOf(const char* text, const std::vector<std::string>& values)
{
    const KeyExpression expression = KeyExpression::parse(text, kFields);
    return expression.evaluate([&](std::size_t i) { return std::string_view(values[i]); });
}

std::string pad(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

} // namespace

class TestKeyExpr : public QObject {
    Q_OBJECT

private slots:
    void evaluatesTheCharacterSubset_data()
    {
        QTest::addColumn<QByteArray>("expression");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("keyLength");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("field") << QByteArray("NAME") << QByteArray("Smith") << 20
                               << QByteArray("Smith");
        QTest::newRow("field in any case")
            << QByteArray("name") << QByteArray("Smith") << 20 << QByteArray("Smith");
        QTest::newRow("upper") << QByteArray("UPPER(NAME)") << QByteArray("Smith, Ann") << 20
                               << QByteArray("SMITH, ANN");
        QTest::newRow("upper, Windows-1252 letters")
            << QByteArray("upper(Name)") << QByteArray("B\xE9langer \xFF\x9A\x9C\x9E \xDF\xF7\xB5")
            << 20 << QByteArray("B\xC9LANGER \x9F\x8A\x8C\x8E \xDF\xF7\xB5");
        QTest::newRow("specification key")
            << QByteArray("SIZE+SPINE") << QByteArray("x") << 11 << QByteArray("2315  .400 ");
        QTest::newRow("trimmed specification key")
            << QByteArray("TRIM(SIZE)+SPINE") << QByteArray("x") << 11 << QByteArray("2315.400");
        QTest::newRow("rtrim") << QByteArray("RTRIM(SIZE)+MODEL") << QByteArray("x") << 10
                               << QByteArray("2315XX");
        QTest::newRow("alltrim") << QByteArray("ALLTRIM(NAME)+'|'") << QByteArray("  Ann  ") << 21
                                 << QByteArray("Ann|");
        QTest::newRow("ltrim") << QByteArray("LTRIM(NAME)") << QByteArray("   Ann") << 20
                               << QByteArray("Ann");
        QTest::newRow("left") << QByteArray("LEFT(NAME,3)") << QByteArray("Smith") << 3
                              << QByteArray("Smi");
        QTest::newRow("left wider than field")
            << QByteArray("LEFT(SIZE, 10)") << QByteArray("x") << 6 << QByteArray("2315");
        QTest::newRow("substr with length")
            << QByteArray("SUBSTR(NAME,2,3)") << QByteArray("Smith") << 3 << QByteArray("mit");
        QTest::newRow("substr to the end")
            << QByteArray("SUBSTR(SIZE,3)") << QByteArray("x") << 4 << QByteArray("15");
        QTest::newRow("substr past the end")
            << QByteArray("SUBSTR(TRIM(SIZE),5,2)+'#'") << QByteArray("x") << 3 << QByteArray("#");
        QTest::newRow("nested") << QByteArray("UPPER(LEFT(ALLTRIM(NAME),4))+SIZE")
                                << QByteArray(" van Dyke") << 10 << QByteArray("VAN 2315");
        QTest::newRow("literals of three kinds")
            << QByteArray("'a'+\"b\"+[c]+NAME") << QByteArray("N") << 23 << QByteArray("abcN");
        QTest::newRow("abbreviated functions") << QByteArray("UPPE(ALLT(SUBS(NAME,1,5)))")
                                               << QByteArray(" jo") << 5 << QByteArray("JO");
        QTest::newRow("blanks between tokens")
            << QByteArray("  UPPER ( NAME )  +  SIZE ") << QByteArray("a") << 26
            << QByteArray(pad("A", 20).append("2315").c_str());
    }
    void evaluatesTheCharacterSubset()
    {
        QFETCH(QByteArray, expression);
        QFETCH(QByteArray, name);
        QFETCH(int, keyLength);
        QFETCH(QByteArray, key);
        const KeyExpression parsed = KeyExpression::parse(expression.toStdString(), kFields);
        QCOMPARE(parsed.text(), expression.toStdString());
        QCOMPARE(parsed.keyLength(), std::size_t(keyLength));
        QCOMPARE(keyOf(expression.constData(), record(name.toStdString())),
                 pad(key.toStdString(), std::size_t(keyLength)));
    }

    // Trimmed parts make keys of different records line up differently; the
    // key is still padded to the fixed width.
    void keysHaveTheFixedWidthWhateverTheRecord()
    {
        const KeyExpression expression = KeyExpression::parse("TRIM(SIZE)+TRIM(SPINE)", kFields);
        QCOMPARE(expression.keyLength(), std::size_t(11));
        for (const auto& values :
             {record("a", "", ""), record("a", "123456", "12345"), record("a", "1", "2")}) {
            const std::string key =
                expression.evaluate([&](std::size_t i) { return std::string_view(values[i]); });
            QCOMPARE(key.size(), std::size_t(11));
        }
        // A reader that hands back a short or over-long field still yields the field's width.
        const KeyExpression plain = KeyExpression::parse("SIZE+MODEL", kFields);
        const std::string shortKey = plain.evaluate(
            [](std::size_t i) { return std::string_view(i == 1 ? "23" : "MODELTOOLONG"); });
        QCOMPARE(shortKey, std::string("23    MODE"));
    }

    void refusesEverythingElse_data()
    {
        QTest::addColumn<QByteArray>("expression");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown field")
            << QByteArray("UPPER(NAMES)") << "the table has no field NAMES";
        QTest::newRow("numeric field")
            << QByteArray("BOWWT") << "field BOWWT is not a character field";
        QTest::newRow("date field")
            << QByteArray("NAME+DATE") << "field DATE is not a character field";
        QTest::newRow("memo field")
            << QByteArray("COMMENTS") << "field COMMENTS is not a character field";
        QTest::newRow("logical field") << QByteArray("OK") << "field OK is not a character field";
        QTest::newRow("numeric function")
            << QByteArray("STR(BOWWT,4)") << "function STR() is not supported";
        QTest::newRow("date function")
            << QByteArray("DTOS(DATE)") << "function DTOS() is not supported";
        QTest::newRow("too short an abbreviation")
            << QByteArray("UPP(NAME)") << "function UPP() is not supported";
        QTest::newRow("number as key") << QByteArray("42") << "numeric keys are not supported";
        QTest::newRow("missing bracket")
            << QByteArray("UPPER(NAME") << "\")\" expected at position 11";
        QTest::newRow("missing operand") << QByteArray("NAME+") << "the expression ends too early";
        QTest::newRow("trailing text")
            << QByteArray("NAME SIZE") << "unexpected \"S\" at position 6";
        QTest::newRow("minus operator")
            << QByteArray("NAME-SIZE")
            << "\"NAME\" followed by an operator or alias that is not supported";
        QTest::newRow("alias")
            << QByteArray("SAVED.NAME")
            << "\"SAVED\" followed by an operator or alias that is not supported";
        QTest::newRow("open quote") << QByteArray("NAME+'abc") << "a text in quotes is not closed";
        QTest::newRow("wrong argument count")
            << QByteArray("LEFT(NAME)") << "LEFT() given 1 arguments";
        QTest::newRow("too many arguments")
            << QByteArray("UPPER(NAME,2)") << "UPPER() given 2 arguments";
        QTest::newRow("substr from 0")
            << QByteArray("SUBSTR(NAME,0,2)") << "SUBSTR() starts at position 1 or later";
        QTest::newRow("length not a number")
            << QByteArray("LEFT(NAME,SIZE)")
            << "a whole number from 0 to 99999 expected at position 11";
        QTest::newRow("empty expression") << QByteArray("") << "the expression ends too early";
        QTest::newRow("empty key")
            << QByteArray("LEFT(NAME,0)")
            << "its keys would be 0 characters long; an index key holds 1 to 240";
        QTest::newRow("key too long")
            << QByteArray("NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME")
            << "its keys would be 260 characters long; an index key holds 1 to 240";
    }
    void refusesEverythingElse()
    {
        QFETCH(QByteArray, expression);
        QFETCH(QString, reason);
        try {
            KeyExpression::parse(expression.toStdString(), kFields);
            QFAIL("expression accepted");
        } catch (const StorageError& error) {
            QCOMPARE(QString::fromLatin1(error.what()), "The index key expression \"" +
                                                            QString::fromLatin1(expression) +
                                                            "\" cannot be used: " + reason);
        }
    }

    void movedExpressionStillEvaluates()
    {
        KeyExpression first = KeyExpression::parse("UPPER(NAME)", kFields);
        KeyExpression moved = std::move(first);
        const auto values = record("ann");
        QCOMPARE(moved.evaluate([&](std::size_t i) { return std::string_view(values[i]); }),
                 pad("ANN", 20));
        first = KeyExpression::parse("SIZE", kFields);
        QCOMPARE(first.keyLength(), std::size_t(6));
    }
};

QTEST_APPLESS_MAIN(TestKeyExpr)
#include "tst_keyexpr.moc"
