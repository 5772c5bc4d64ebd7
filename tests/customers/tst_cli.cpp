// quiverwise-customers run as a program on a copy of the program folder:
// list, add and export store and print what the windows do; find and
// recall show a record and recall the setup that quiverwise-select then
// recommends for; every command's exit status and messages.

#include "CustomerTestSupport.h"
#include "RetrievalFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace qw;
using test::customer;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err = "did not finish";
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

} // namespace

class TestCustomersCli : public QObject {
    Q_OBJECT

    std::unique_ptr<test::CustomerFolder> folder_;
    QString usage_;

    Run run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.start(QStringLiteral(QW_PROGRAM_DIR "/") + program,
                      QStringList{"--data", folder_->filePath("")} + arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    Run customers(const QStringList& arguments) const
    {
        return run("quiverwise-customers", arguments);
    }
    std::size_t stored() const { return test::storedRecords(folder_->path()).size(); }

private slots:
    void init()
    {
        folder_ = std::make_unique<test::CustomerFolder>();
        folder_->add({customer("Moss, Lee", {{"HORT", "2"},
                                             {"BOTYP", "1"},
                                             {"WHTYP", "2"},
                                             {"BOWWT", "52"},
                                             {"ARLEN", "28"},
                                             {"ODLEN", "2"}}),
                      customer("Young, Ann", {{"HORT", "3"}, {"BOWWT", "35"}, {"ARLEN", "24"}}),
                      customer("Bad, Record", {{"HORT", "1"}, {"BOLEN", "x"}})});
        if (usage_.isEmpty())
            usage_ = customers({"--help"}).out;
    }

    void exitStatusAndMessages_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // before the usage that follows a bad command line
        const QStringList address = {"add", "--name", "N", "--addr1", "A", "--city", "C"};
        QTest::newRow("address incomplete")
            << address << 1 << "Incomplete address, cannot add record\n";
        QTest::newRow("item outside its group")
            << address + QStringList{"--state", "S", "--bow-type", "3"} << 2
            << "quiverwise-customers: add: --bow-type 3 is not an item of the group "
               "(0 Compound Bow, 1 Recurve Bow, 2 Modern Longbow)\n";
        QTest::newRow("unknown command")
            << QStringList{"remove"} << 2 << "quiverwise-customers: unknown command 'remove'\n";
        QTest::newRow("unknown option")
            << QStringList{"list", "--sorted"} << 2
            << "quiverwise-customers: list: unknown option '--sorted'\n";
        QTest::newRow("value missing") << QStringList{"add", "--name"} << 2
                                       << "quiverwise-customers: add: --name needs a value\n";
        QTest::newRow("export to no folder")
            << QStringList{"export", "/no/such/dir/c.txt"} << 1
            << "Cannot create the text file.\nNo such file or directory\nFile: c.txt\n";
        QTest::newRow("spreadsheet to no folder")
            << QStringList{"export", "--xlsx", "/no/such/dir/c.xlsx"} << 1
            << "Cannot create the spreadsheet file.\nNo such file or directory\nFile: c.xlsx\n";
        QTest::newRow("spreadsheet without a file")
            << QStringList{"export", "--xlsx"} << 2
            << "quiverwise-customers: export: --xlsx needs a value\n";
        QTest::newRow("find: name not found, then the first record unreadable")
            << QStringList{"find", "Q"} << 1
            << "Name not found\n'x' is not a valid integer value\n";
        QTest::newRow("recall: not a whole number")
            << QStringList{"recall", "Bad"} << 1 << "'x' is not a valid integer value\n";
        QTest::newRow("find: no prefix")
            << QStringList{"find", "--json"} << 2 << "usage: find PREFIX [--json]\n";
        QTest::newRow("recall: unknown option")
            << QStringList{"recall", "Mo", "--page"} << 2 << "recall: unknown option --page\n";
    }

    void exitStatusAndMessages()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const std::size_t before = stored();
        Run result = customers(arguments);
        QCOMPARE(result.exitCode, exitCode);
        if (result.err.endsWith(usage_))
            result.err.chop(usage_.size());
        QCOMPARE(result.err, said);
        QCOMPARE(stored(), before);
    }

    void addStoresWhatSaveSetupStoresAndListShowsItInNameOrder()
    {
        const Run zed =
            customers({"add", "--name", "Zed", "--addr1", "1 Main", "--city", "Hull", "--state",
                       "qc", "--comments", "line one\nline two", "--page", "targ",
                       "--targ-bow-type", "1", "--wheel", "2", "--bow-weight", "45"});
        QCOMPARE(zed.exitCode, 0);
        QCOMPARE(zed.out, QString("New record has been successfully added\n"));
        QCOMPARE(customers({"add", "--name", "abe", "--addr1", "2 Main", "--city", "Hull",
                            "--state", "QC", "--page", "youth", "--youth-bow-weight", "33"})
                     .exitCode,
                 0);
        QStringList order;
        QMap<QString, QJsonObject> byName;
        for (const QJsonValue& value : customers({"list", "--json"}).json()["records"].toArray()) {
            order << value["NAME"].toString();
            byName[order.last()] = value.toObject();
        }
        // Letter case does not count in the order.
        QCOMPARE(order, QStringList({"abe", "Bad, Record", "Moss, Lee", "Young, Ann", "Zed"}));
        const auto fields = [](const QJsonObject& record, const QStringList& names) {
            QStringList values;
            for (const QString& name : names)
                values << record[name].toString();
            return values;
        };
        QCOMPARE(fields(byName["Zed"], {"STATE", "HORT", "BOTYP", "WHTYP", "BOWWT", "COMMENTS"}),
                 QStringList({"QC", "1", "1", "2", "45", "line one\r\nline two"}));
        QCOMPARE(fields(byName["abe"], {"HORT", "BOWWT", "ARLEN"}), QStringList({"3", "33", "25"}));
        QCOMPARE(byName["abe"].keys().size(), 19);
    }

    void listRebuildsAnIndexLeftShort()
    {
        folder_->add({customer("Outside Writer")}, false); // another program's append
        QCOMPARE(customers({"list", "--json"}).json()["records"].toArray().size(),
                 qsizetype(stored()));
    }

    void exportWritesTheFileAndSaysSo()
    {
        const Run result = customers({"export"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("File CUSTDB.TXT has been created\n"));
        QFile file(folder_->filePath("custdb.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\n\"Moss, Lee\",\"12 Fletcher Lane\","));
    }

    void findPrintsTheRecordAndItsSummary()
    {
        const QJsonObject found = customers({"find", "mo", "--json"}).json();
        QCOMPARE(found["record"].toObject()["NAME"].toString(), "Moss, Lee");
        QCOMPARE(found["record"].toObject()["STATE"].toString(), "OR");
        QCOMPARE(found["summary"].toObject().toVariantMap(),
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

    void recallPrintsTheRecalledStateAndSelectsRecommendation_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QVariantMap>("groups");
        QTest::addColumn<QStringList>("selectArguments");
        QTest::newRow("kavel recurve")
            << "Mo"
            << "Kavl"
            << QVariantMap{{"bowType", 1}, {"targBowType", 1}, {"huntCam", 1}, {"wheel", 2},
                           {"release", 0}, {"overdraw", 2},    {"brace", 0}}
            << QStringList{"--page",     "kavl", "--bow-weight",    "52", "--arrow-length", "28",
                           "--bow-type", "1",    "--targ-bow-type", "1",  "--hunt-cam",     "1",
                           "--wheel",    "2",    "--overdraw",      "2"};
        QTest::newRow("youth")
            << "Yo"
            << "Youth"
            << QVariantMap{{"bowType", 0}, {"targBowType", 0}, {"huntCam", 0}, {"wheel", 0},
                           {"release", 0}, {"overdraw", 0},    {"brace", 0}}
            << QStringList{"--page", "youth", "--youth-bow-weight", "35", "--youth-arrow-length",
                           "24"};
    }

    void recallPrintsTheRecalledStateAndSelectsRecommendation()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, page);
        QFETCH(QVariantMap, groups);
        QFETCH(QStringList, selectArguments);
        const Run recalled = customers({"recall", prefix, "--json"});
        QCOMPARE(recalled.exitCode, 0);
        QCOMPARE(recalled.json()["page"].toString(), page);
        QCOMPARE(recalled.json()["groups"].toObject().toVariantMap(), groups);
        const Run select = run("quiverwise-select", selectArguments + QStringList{"--json"});
        QCOMPARE(select.exitCode, 0);
        QCOMPARE(recalled.json()["recommendation"].toObject(), select.json());
        QCOMPARE(recalled.json()["inputs"].toObject(), select.json()["inputs"].toObject());
    }
};

QTEST_GUILESS_MAIN(TestCustomersCli)
#include "tst_cli.moc"
