// quiverwise-calc as a script runs it: the JSON answers, the messages and
// the exit status of each command.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QJsonObject answer;
    QByteArray errors;
};

Run calc(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(QW_PROGRAM_DIR "/quiverwise-calc"), arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.answer = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    run.errors = process.readAllStandardError();
    return run;
}

} // namespace

class CalcToolTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected"); // JSON: every key must match
        QTest::newRow("ke") << QStringList{"ke", "--weight", "400", "--velocity", "200", "--json"}
                            << 0 << R"({"energy":"35.54","bar":35,"pictures":"MediumImg",
                                   "momentum":"0.36","messages":[]})";
        QTest::newRow("ke zero") << QStringList{"ke", "--weight", "0", "--velocity", "0", "--json"}
                                 << 1
                                 << R"({"energy":null,"bar":null,"pictures":null,"momentum":null,
                                   "messages":["Zero is invalid, please enter a whole number."]})";
        QTest::newRow("ke not a number")
            << QStringList{"ke", "--weight", "4o0", "--json"} << 1
            << R"({"energy":null,"messages":["'4o0' is not a valid integer value"]})";
        QTest::newRow("foc") << QStringList{"foc", "--length", "30", "--balance", "16", "--json"}
                             << 0 << R"({"foc":"3.3%","messages":[]})";
        QTest::newRow("foc zero")
            << QStringList{"foc", "--length", "0", "--json"} << 1
            << R"({"foc":null,"messages":["Floating point division by zero"]})";
        QTest::newRow("trajectory") << QStringList{"trajectory", "--velocity", "240", "--weight",
                                                   "450",        "--distance", "40",  "--json"}
                                    << 0 << R"({"record":88})";
        QTest::newRow("trajectory last")
            << QStringList{"trajectory", "--velocity", "300", "--weight",
                           "650",        "--distance", "60",  "--json"}
            << 0 << R"({"record":245})";
        QTest::newRow("specs hunting row 1")
            << QStringList{"specs", "--row", "1", "--point", "125", "--json"} << 0
            << R"({"found":true,"inputs":{"length":"30.0","point":"125"},"messages":[]})";
        QTest::newRow("specs youth")
            << QStringList{"specs", "--page", "youth", "--youth-arrow-length",
                           "26",    "--row",  "1",     "--json"}
            << 0 << R"({"found":true,"inputs":{"length":"26.0"}})";
    }
    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run run = calc(arguments);
        QTEST(run.exitCode, "exitCode");
        const QJsonObject want = QJsonDocument::fromJson(expected.toUtf8()).object();
        QVERIFY(!want.isEmpty());
        for (auto it = want.begin(); it != want.end(); ++it) {
            if (it->isObject()) {
                const QJsonObject got = run.answer.value(it.key()).toObject();
                const QJsonObject wanted = it->toObject();
                for (auto inner = wanted.begin(); inner != wanted.end(); ++inner)
                    QCOMPARE(got.value(inner.key()), inner.value());
            } else {
                QCOMPARE(run.answer.value(it.key()), it.value());
            }
        }
    }

    // The keys are exactly the documented ones, and the trajectory's
    // geometry follows its own figures.
    void keys()
    {
        const Run specs = calc({"specs", "--page", "targ", "--row", "1", "--json"});
        QCOMPARE(specs.exitCode, 0);
        QCOMPARE(specs.answer.keys(), (QStringList{"fields", "found", "inputs", "key", "messages",
                                                   "models", "shaftWeight", "size", "total"}));
        QCOMPARE(specs.answer["fields"].toObject().keys(),
                 (QStringList{"ARROWTYPE", "GPI", "ID", "LENGTH", "OD", "SPINE", "WALL"}));
        QVERIFY(specs.answer["total"].toString().endsWith(" Gr."));

        const Run trajectory = calc({"trajectory", "--distance", "20", "--json"});
        QCOMPARE(trajectory.exitCode, 0);
        const QJsonObject& t = trajectory.answer;
        QCOMPARE(t.keys().size(), 11);
        const int nearest = t["nearest"].toString().toInt();
        const int extreme = t["extreme"].toString().toInt();
        QCOMPARE(t["depth"].toString().toInt(), extreme - nearest);
        QCOMPARE(t["nearX"].toInt(), std::max(191, 391 - (20 - nearest) * 10));
        QCOMPARE(t["farX"].toInt(), (extreme - 20) * 10 + 496);
        QCOMPARE(t["barWidth"].toInt(), t["farX"].toInt() - t["nearX"].toInt() + 2);
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no command") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"speed"};
        QTest::newRow("unknown option") << QStringList{"ke", "--mass", "400"};
        QTest::newRow("missing value") << QStringList{"foc", "--length"};
        QTest::newRow("unreachable velocity") << QStringList{"trajectory", "--velocity", "250"};
        QTest::newRow("unreachable distance") << QStringList{"trajectory", "--distance", "70"};
        QTest::newRow("specs without row") << QStringList{"specs"};
        QTest::newRow("row past the grid") << QStringList{"specs", "--page", "kavl", "--row", "7"};
        // Hunting row 9 is a carbon row with the default setup, its size cell disabled.
        QTest::newRow("disabled size cell") << QStringList{"specs", "--row", "9"};
        QTest::newRow("input not a number") << QStringList{"specs", "--row", "1", "--nock", "x"};
        QTest::newRow("bad page") << QStringList{"specs", "--page", "field", "--row", "1"};
    }
    void badCommandLines()
    {
        QFETCH(QStringList, arguments);
        const Run run = calc(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.errors.contains("usage:"));
    }
};

QTEST_GUILESS_MAIN(CalcToolTest)
#include "tst_calctool.moc"
