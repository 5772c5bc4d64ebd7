// quiverwise-calc as a script runs it: the JSON answers, the messages and
// the exit status of each command.

#include <calculators/TrajectoryModel.h>

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

// A command line, its exit status and what the JSON answer holds: every
// key given must match, and a nested object's keys one by one. Status 2
// is a command line refused with the usage.
struct Case {
    const char* line;
    int exitCode;
    const char* answer;
};
const Case kCases[] = {
    {"ke --weight 400 --velocity 200 --json", 0,
     R"({"energy":"35.54","bar":35,"pictures":"MediumImg","momentum":"0.36","messages":[]})"},
    {"ke --weight 0 --velocity 0 --json", 1,
     R"({"energy":null,"bar":null,"pictures":null,"momentum":null,
         "messages":["Zero is invalid, please enter a whole number."]})"},
    {"ke --weight 4o0 --json", 1,
     R"({"energy":null,"messages":["'4o0' is not a valid integer value"]})"},
    {"foc --length 30 --balance 16 --json", 0, R"({"foc":"3.3%","messages":[]})"},
    {"foc --length 0 --json", 1, R"({"foc":null,"messages":["Floating point division by zero"]})"},
    {"trajectory --velocity 300 --weight 650 --distance 60 --json", 0, R"({"record":245})"},
    {"specs --row 1 --point 125 --json", 0,
     R"({"found":true,"inputs":{"length":"30.0","point":"125"},"messages":[]})"},
    {"specs --page youth --youth-arrow-length 26 --row 1 --json", 0,
     R"({"found":true,"inputs":{"length":"26.0"}})"},
    // Grains per pound: the total over the page's own bow weight entry.
    {"specs --row 1 --bow-weight 60 --json", 0,
     R"({"total":"448 Gr.","grainsPerPound":"7.4","belowMinimum":false})"},
    {"specs --row 1 --bow-weight 92 --point 40 --json", 0,
     R"({"total":"427 Gr.","grainsPerPound":"4.6","belowMinimum":true})"},
    {"specs --page youth --youth-bow-weight 30 --bow-weight 60 --row 1 --json", 0,
     R"({"total":"320 Gr.","grainsPerPound":"10.6","belowMinimum":false})"},
    {"specs --row 1 --bow-weight 60.5 --json", 0,
     R"({"total":"448 Gr.","grainsPerPound":null,"belowMinimum":false})"},
    {"", 2, nullptr},
    {"speed", 2, nullptr},
    {"ke --mass 400", 2, nullptr},
    {"foc --length", 2, nullptr},
    {"trajectory --velocity 250", 2, nullptr},
    {"trajectory --distance 70", 2, nullptr},
    {"specs", 2, nullptr},
    {"specs --page kavl --row 7", 2, nullptr},
    {"specs --row 9", 2, nullptr}, // a carbon row, its size cell disabled with the default setup
    {"specs --row 1 --nock x", 2, nullptr},
    {"specs --page field --row 1", 2, nullptr},
};

} // namespace

class CalcToolTest : public QObject {
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < std::size(kCases); ++i)
            QTest::newRow(*kCases[i].line ? kCases[i].line : "no command") << int(i);
    }
    void commands()
    {
        QFETCH(int, row);
        const Case& c = kCases[row];
        const Run run = calc(QString(c.line).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(run.exitCode, c.exitCode);
        if (!c.answer) {
            QVERIFY(run.errors.contains("usage:"));
            return;
        }
        const QJsonObject want = QJsonDocument::fromJson(c.answer).object();
        QVERIFY(!want.isEmpty());
        for (auto it = want.begin(); it != want.end(); ++it) {
            if (!it->isObject()) {
                QCOMPARE(run.answer.value(it.key()), it.value());
                continue;
            }
            const QJsonObject got = run.answer.value(it.key()).toObject();
            const QJsonObject wanted = it->toObject();
            for (auto inner = wanted.begin(); inner != wanted.end(); ++inner)
                QCOMPARE(got.value(inner.key()), inner.value());
        }
    }

    // The keys are exactly the documented ones, and the trajectory's
    // geometry is the window's layout for its own figures.
    void keys()
    {
        const Run specs = calc({"specs", "--page", "targ", "--row", "1", "--json"});
        QCOMPARE(specs.exitCode, 0);
        QCOMPARE(specs.answer.keys(),
                 (QStringList{"belowMinimum", "fields", "found", "grainsPerPound", "inputs", "key",
                              "messages", "models", "shaftWeight", "size", "total"}));
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
        const auto layout = qw::calculators::trajectoryLayout(20, nearest, extreme);
        QCOMPARE(t["nearX"].toInt(), layout.nearX);
        QCOMPARE(t["farX"].toInt(), layout.farX);
        QCOMPARE(t["barWidth"].toInt(), layout.barWidth);
    }
};

QTEST_GUILESS_MAIN(CalcToolTest)
#include "tst_calctool.moc"
