// quiverwise-customers list, add and export, run as a program on a copy of
// the program folder: what they store and print, and their exit status.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace qw;

namespace {

struct Result {
    int exitCode;
    QString out;
    QString err;
};

} // namespace

class TestCustomersCli : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramFolderCopy> folder_;

    Result customers(QStringList arguments)
    {
        arguments.prepend(folder_->filePath(""));
        arguments.prepend("--data");
        QProcess process;
        process.start(QStringLiteral(QW_PROGRAM_DIR "/quiverwise-customers"), arguments);
        if (!process.waitForFinished(60000))
            return {-1, {}, "did not finish"};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QJsonArray listed()
    {
        const Result list = customers({"list", "--json"});
        return QJsonDocument::fromJson(list.out.toUtf8()).object()["records"].toArray();
    }

private slots:
    void init() { folder_ = std::make_unique<test::ProgramFolderCopy>(); }

    void exitStatusTellsWhatEndedTheCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        const QStringList address = {"--name", "N", "--addr1", "A", "--city", "C"};
        QTest::newRow("address incomplete")
            << (QStringList{"add"} << address) << 1 << "Incomplete address, cannot add record";
        QTest::newRow("unknown command") << QStringList{"remove"} << 2 << "unknown command";
        QTest::newRow("item outside its group") << (QStringList{"add"} << address << "--state"
                                                                       << "S"
                                                                       << "--bow-type"
                                                                       << "3")
                                                << 2 << "not an item of the group";
        QTest::newRow("unknown option") << QStringList{"list", "--sorted"} << 2 << "--sorted";
        QTest::newRow("value missing") << QStringList{"add", "--name"} << 2 << "needs a value";
        QTest::newRow("export to no folder")
            << QStringList{"export", "/no/such/dir/c.txt"} << 1 << "c.txt";
    }

    void exitStatusTellsWhatEndedTheCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const std::size_t before = test::storedRecords(folder_->path()).size();
        const Result result = customers(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(said), qPrintable(result.err));
        QCOMPARE(test::storedRecords(folder_->path()).size(), before);
    }

    void addStoresWhatSaveSetupStoresAndListShowsItInNameOrder()
    {
        const Result zed =
            customers({"add", "--name", "Zed", "--addr1", "1 Main", "--city", "Hull", "--state",
                       "qc", "--comments", "line one\nline two", "--page", "targ",
                       "--targ-bow-type", "1", "--wheel", "2", "--bow-weight", "45"});
        QCOMPARE(zed.exitCode, 0);
        QCOMPARE(zed.out, QString("New record has been successfully added\n"));
        QCOMPARE(customers({"add", "--name", "Abe", "--addr1", "2 Main", "--city", "Hull",
                            "--state", "QC", "--page", "youth", "--youth-bow-weight", "33"})
                     .exitCode,
                 0);
        const QJsonArray records = listed();
        QJsonObject abe, zedRecord;
        QStringList order;
        for (const QJsonValue& value : records) {
            const QJsonObject record = value.toObject();
            order << record["NAME"].toString();
            if (record["NAME"] == "Abe")
                abe = record;
            if (record["NAME"] == "Zed")
                zedRecord = record;
        }
        QVERIFY(order.indexOf("Abe") < order.indexOf("Zed"));
        QStringList sorted = order;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
        QCOMPARE(order, sorted);
        QCOMPARE(zedRecord["STATE"].toString(), QString("QC"));
        QCOMPARE(zedRecord["HORT"].toString(), QString("1"));
        QCOMPARE(zedRecord["BOTYP"].toString(), QString("1"));
        QCOMPARE(zedRecord["WHTYP"].toString(), QString("2"));
        QCOMPARE(zedRecord["BOWWT"].toString(), QString("45"));
        QCOMPARE(zedRecord["COMMENTS"].toString(), QString("line one\r\nline two"));
        QCOMPARE(abe["HORT"].toString(), QString("3"));
        QCOMPARE(abe["BOWWT"].toString(), QString("33"));
        QCOMPARE(abe["ARLEN"].toString(), QString("25"));
        QCOMPARE(abe.keys().size(), 19);
    }

    void listRebuildsAnIndexLeftShort()
    {
        {
            storage::Table table(folder_->path());
            table.open(customers::kSavedSetupsFile);
            table.appendBlank(); // another program's append: no index rebuild
            table.setField("NAME", "Outside Writer");
            table.post();
        }
        QVERIFY(listed().size() == qsizetype(test::storedRecords(folder_->path()).size()));
    }

    void exportWritesTheFileAndSaysSo()
    {
        QCOMPARE(customers({"add", "--name", "Ex", "--addr1", "A", "--city", "C", "--state", "S"})
                     .exitCode,
                 0);
        const Result result = customers({"export"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QString("File CUSTDB.TXT has been created\n"));
        QFile file(folder_->filePath("custdb.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\n\"Ex\",\"A\","));
    }
};

QTEST_GUILESS_MAIN(TestCustomersCli)
#include "tst_customers_cli.moc"
