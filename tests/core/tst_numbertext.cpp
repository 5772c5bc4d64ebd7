// Numbers from entry and field texts, and the bare shaft weight.

#include <core/ConversionError.h>
#include <core/NumberText.h>
#include <core/Text.h>

#include <QtTest>

#include <clocale>

using namespace qw;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void wholeNumbers_data();
    void wholeNumbers();
    void realNumbersIgnoreTheLocale();
    void realNumbers_data();
    void realNumbers();
    void bareShaftWeight_data();
    void bareShaftWeight();
    void twoNumbersInAFieldDoNotConvert();
    void trims();
};

void TestNumberText::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "60" << true << 60;
    QTest::newRow("signed") << "-5" << true << -5;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("leading zero") << "065" << true << 65;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("blank before") << " 6" << false << 0;
    QTest::newRow("blank after") << "6 " << false << 0;
    QTest::newRow("decimal") << "6.0" << false << 0;
    QTest::newRow("letters") << "6x" << false << 0;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
}

void TestNumberText::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const std::string input = text.toStdString();
    try {
        const int value = parseWholeNumber(input);
        QVERIFY(valid);
        QTEST(value, "value");
    } catch (const ConversionError& error) {
        QVERIFY(!valid);
        QCOMPARE(std::string(error.what()), "'" + input + "' is not a valid integer value");
    }
}

void TestNumberText::realNumbersIgnoreTheLocale()
{
    // A locale with a decimal comma must not change how "9.2" reads.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool haveComma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const std::string weight = qw::bareShaftWeight(parseRealNumber("9.2"), parseRealNumber("29"));
    bool commaRejected = false;
    try {
        parseRealNumber("9,2");
    } catch (const ConversionError&) {
        commaRejected = true;
    }
    std::setlocale(LC_ALL, saved.c_str());
    QCOMPARE(weight, std::string("267"));
    QVERIFY(commaRejected);
    if (!haveComma)
        qInfo("de_DE.UTF-8 is not installed: checked under the C locale only");
}

void TestNumberText::realNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("decimal") << "8.91" << true;
    QTest::newRow("no whole part") << ".5" << true;
    QTest::newRow("no fraction") << "5." << true;
    QTest::newRow("exponent") << "9.2e1" << true;
    QTest::newRow("negative") << "-3.5" << true;
    QTest::newRow("comma") << "8,91" << false;
    QTest::newRow("two points") << "8.9.1" << false;
    QTest::newRow("point only") << "." << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank inside") << "8. 91" << false;
    QTest::newRow("bad exponent") << "9e" << false;
}

void TestNumberText::realNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const std::string input = text.toStdString();
    try {
        parseRealNumber(input);
        QVERIFY(valid);
    } catch (const ConversionError& error) {
        QVERIFY(!valid);
        QCOMPARE(std::string(error.what()), "'" + input + "' is not a valid floating point value");
    }
}

void TestNumberText::bareShaftWeight_data()
{
    QTest::addColumn<QString>("gpi");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("weight");
    QTest::newRow("267.3 cut") << "9.2"
                               << "29"
                               << "267";
    // Products of exactly n.5: binary floating point gives 274.4999... here.
    QTest::newRow("274.5 is 275") << "9.15"
                                  << "30"
                                  << "275";
    QTest::newRow("265.5 is 266") << "8.85"
                                  << "30"
                                  << "266";
    QTest::newRow("0.1 x 5 + 0.5") << "0.1"
                                   << "5"
                                   << "1";
    QTest::newRow("whole product") << "10"
                                   << "30"
                                   << "300";
    QTest::newRow("padded field") << "  6.38  "
                                  << "25"
                                  << "160";
    QTest::newRow("exponent") << "9.2e0"
                              << "29"
                              << "267";
    QTest::newRow("negative length") << "9.2"
                                     << "-5"
                                     << "-45";
    QTest::newRow("just below zero") << "0.1"
                                     << "-6"
                                     << "-0";
    QTest::newRow("zero") << "0"
                          << "30"
                          << "0";
    QTest::newRow("many digits") << "9.199999999999999999999"
                                 << "29"
                                 << "267";
    // Far more places than the exact product can carry.
    QTest::newRow("tiny GPI") << "1e-60"
                              << "30"
                              << "0";
    QTest::newRow("longest length") << "9.2"
                                    << "2147483647"
                                    << "19756849552";
}

void TestNumberText::bareShaftWeight()
{
    QFETCH(QString, gpi);
    QFETCH(QString, length);
    const std::string weight = qw::bareShaftWeight(parseRealField(gpi.toStdString()),
                                                   parseRealNumber(length.toStdString()));
    QTEST(QString::fromStdString(weight), "weight");
}

void TestNumberText::twoNumbersInAFieldDoNotConvert()
{
    try {
        parseRealField("8.91 9.46 ");
        QFAIL("two numbers converted as one");
    } catch (const ConversionError& error) {
        QCOMPARE(std::string(error.what()),
                 std::string("'8.91 9.46' is not a valid floating point value"));
    }
}

void TestNumberText::trims()
{
    QCOMPARE(upToFirstBlank("2315 XX"), std::string("2315"));
    QCOMPARE(upToFirstBlank("2315"), std::string("2315"));
    QCOMPARE(trimBlanks("  400 "), std::string("400"));
    QCOMPARE(trimBlanksAndControls("\t52\r\n "), std::string("52"));
    QCOMPARE(characterCount("6\xc2\xbd"), std::size_t(2)); // "6½" is two characters
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
#include <core/ConversionError.h>
#include <core/Text.h>
