// quiverwise-customers find and recall, run as programs on a copy of the
// program folder; the recalled recommendation is quiverwise-select's.

#include "RetrievalFixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using qw::test::customer;

namespace {

struct Run {
    int exitCode = -1;
    QJsonObject json;
    QString err;
};

Run run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QW_PROGRAM_DIR "/") + program, args);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QJsonDocument::fromJson(process.readAllStandardOutput()).object(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestCustomersCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        folder_.add({customer("Moss, Lee", {{"HORT", "2"},
                                            {"BOTYP", "1"},
                                            {"WHTYP", "2"},
                                            {"BOWWT", "52"},
                                            {"ARLEN", "28"},
                                            {"ODLEN", "2"}}),
                     customer("Young, Ann", {{"HORT", "3"}, {"BOWWT", "35"}, {"ARLEN", "24"}}),
                     customer("Bad, Record", {{"HORT", "1"}, {"BOLEN", "x"}})});
    }
    void findPrintsTheRecordAndItsSummary();
    void recallPrintsTheRecalledStateAndSelectsRecommendation_data();
    void recallPrintsTheRecalledStateAndSelectsRecommendation();
    void exitCodes_data();
    void exitCodes();

private:
    QStringList data(const QStringList& args) const
    {
        return QStringList{"--data", QString::fromStdString(folder_.path().string())} + args;
    }
    qw::test::CustomerFolder folder_;
};

void TestCustomersCli::findPrintsTheRecordAndItsSummary()
{
    const Run found = run("quiverwise-customers", data({"find", "mo", "--json"}));
    QCOMPARE(found.exitCode, 0);
    QCOMPARE(found.json["record"].toObject()["NAME"].toString(), "Moss, Lee");
    QCOMPARE(found.json["record"].toObject()["STATE"].toString(), "OR");
    QCOMPARE(found.json["summary"].toObject().toVariantMap(),
             (QVariantMap{{"chartFamily", "Kavel Shafts"},
                          {"bowWeight", "52#"},
                          {"arrowLength", "28\""},
                          {"pointWeight", "100Gr"},
                          {"bowType", "Recurve"},
                          {"wheelType", "Soft"},
                          {"release", "Mechanical"},
                          {"braceHeight", "Over 6.5\""},
                          {"overDraw", "2\""}}));
}

void TestCustomersCli::recallPrintsTheRecalledStateAndSelectsRecommendation_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QVariantMap>("groups");
    QTest::addColumn<QStringList>("selectArgs");
    QTest::newRow("kavel recurve")
        << "Mo"
        << "Kavl" << QVariantMap{{"bowType", 1}, {"targBowType", 1}, {"huntCam", 1}, {"wheel", 2},
                                 {"release", 0}, {"overdraw", 2},    {"brace", 0}}
        << QStringList{"--page",     "kavl", "--bow-weight",    "52", "--arrow-length", "28",
                       "--bow-type", "1",    "--targ-bow-type", "1",  "--hunt-cam",     "1",
                       "--wheel",    "2",    "--overdraw",      "2"};
    QTest::newRow("youth")
        << "Yo"
        << "Youth" << QVariantMap{{"bowType", 0}, {"targBowType", 0}, {"huntCam", 0}, {"wheel", 0},
                                  {"release", 0}, {"overdraw", 0},    {"brace", 0}}
        << QStringList{"--page", "youth", "--youth-bow-weight", "35", "--youth-arrow-length", "24"};
}

void TestCustomersCli::recallPrintsTheRecalledStateAndSelectsRecommendation()
{
    QFETCH(QString, prefix);
    QFETCH(QString, page);
    QFETCH(QVariantMap, groups);
    QFETCH(QStringList, selectArgs);
    const Run recalled = run("quiverwise-customers", data({"recall", prefix, "--json"}));
    QCOMPARE(recalled.exitCode, 0);
    QCOMPARE(recalled.json["page"].toString(), page);
    QCOMPARE(recalled.json["groups"].toObject().toVariantMap(), groups);
    const Run select = run("quiverwise-select", data(selectArgs + QStringList{"--json"}));
    QCOMPARE(select.exitCode, 0);
    QCOMPARE(recalled.json["recommendation"].toObject(), select.json);
    QCOMPARE(recalled.json["inputs"].toObject(), select.json["inputs"].toObject());
}

void TestCustomersCli::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::newRow("find: name not found")
        << QStringList{"find", "Q"} << 1 << "Name not found\n'x' is not a valid integer value\n";
    QTest::newRow("recall: not a whole number")
        << QStringList{"recall", "Bad"} << 1 << "'x' is not a valid integer value\n";
    QTest::newRow("find: no prefix")
        << QStringList{"find", "--json"} << 2 << "usage: find PREFIX [--json]\n";
    QTest::newRow("recall: unknown option")
        << QStringList{"recall", "Mo", "--page"} << 2 << "recall: unknown option --page\n";
}

void TestCustomersCli::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    const Run result = run("quiverwise-customers", data(args));
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.err, err);
}

QTEST_GUILESS_MAIN(TestCustomersCli)
#include "tst_cli.moc"
