// The engine and quiverwise-select on the tables shipped in the program's
// folder.

#include "SelectionFixtures.h"

#include <selection/Pages.h>
#include <selection/SelectionModel.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

using namespace qw;
using namespace qw::selection;
using fixtures::RecordingSink;

namespace {

const QString kProgramDir = QStringLiteral(QW_PROGRAM_DIR);
// The supplied tables as the build makes them.
const QString kTablesDir = QStringLiteral(QW_TABLES_DIR);

struct ToolRun {
    int exitCode = -1;
    QJsonObject json;
    QString output;
    QString errors;
};

ToolRun runTool(const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(kTablesDir);
    process.start(kProgramDir + "/quiverwise-select",
                  QStringList{"--data", kTablesDir} + arguments);
    ToolRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    run.errors = QString::fromUtf8(process.readAllStandardError());
    run.json = QJsonDocument::fromJson(run.output.toUtf8()).object();
    return run;
}

QJsonArray expectedHuntingRows(int record, const QString& length)
{
    QProcess python;
    python.start("/usr/bin/python3",
                 {QStringLiteral(QW_SOURCE_DIR) + "/tests/selection/expected_hunting_rows.py",
                  kTablesDir, QString::number(record), length});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

} // namespace

class TestShippedCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typicalRequestEndToEnd();
    void everyPageMatchesAnIndependentReading();
    void toolJsonShape();
    void toolExitCodes_data();
    void toolExitCodes();
    void toolInvalidSelection_data();
    void toolInvalidSelection();
    void toolEntryGate();
    void toolOutsideEveryBand();
    void toolReadableTable();
};

void TestShippedCatalogue::initTestCase()
{
    for (const char* file : {"HUNTCHRT.DBF", "Specs.DBF", "specs.idx", "invsel.txt"})
        QVERIFY2(QFile::exists(kTablesDir + "/" + file), file);
    QVERIFY(QFile::exists(kProgramDir + "/quiverwise-select"));
}

void TestShippedCatalogue::typicalRequestEndToEnd()
{
    RecordingSink sink;
    SelectionModel model(kTablesDir.toStdString(), sink);
    model.findRec(); // the window's run when it opens
    QCOMPARE(*model.lastRun().record, 13);
    model.changeText("BowWeightSpin", "65");
    QVERIFY(sink.messages.empty());
    const RunSummary& run = model.lastRun();
    QCOMPARE(*run.chartWeight, 65);
    QCOMPARE(*run.band, 7);
    QCOMPARE(*run.record, 14);
    QVERIFY(run.valid);
    QCOMPARE(model.form()["TmpLbl2"].text, std::string("Hunt"));

    const QJsonArray expected = expectedHuntingRows(14, "30");
    QCOMPARE(expected.size(), 16);
    for (int row = 1; row <= 16; ++row) {
        const QJsonArray cells = expected[row - 1].toArray();
        const CellKind kinds[] = {CellKind::Size, CellKind::Spine, CellKind::Model,
                                  CellKind::Weight};
        for (int k = 0; k < 4; ++k)
            QCOMPARE(QString::fromStdString(model.form()[cellName(Page::Hunt, kinds[k], row)].text),
                     cells[k].toString());
    }
    // Record 14 shades rows 1 and 2 light, row 3 mid and row 4 dark.
    QCOMPARE(model.form()["HSzBtn1"].fill, rgb(219, 217, 217));
    QCOMPARE(model.form()["HWtBtn2"].fill, rgb(219, 217, 217));
    QCOMPARE(model.form()["HMdBtn3"].fill, rgb(174, 170, 170));
    QCOMPARE(model.form()["HSpBtn4"].fill, rgb(148, 144, 143));

    // Clicking the first size hands its key to the specifications window.
    QVERIFY(model.sizeCellClick(Page::Hunt, 1));
    QCOMPARE(model.form()["SpcLbl"].text, model.form()["HSzBtn1"].text);
    QVERIFY(model.form()["TmpLbl"].text.rfind(model.form()["HSzBtn1"].text, 0) == 0);
    QCOMPARE(model.form()["Mods"].text, model.form()["HMdBtn1"].text);
}

namespace {

QString hexColour(Rgb colour)
{
    return QString("#%1").arg(colour & 0xFFFFFF, 6, 16, QChar('0'));
}

// One case for expected_rows.py: what the engine showed for a setup that
// reached a chart position, on the chart or off it, and how many messages
// the change showed.
QJsonObject caseOf(const SelectionModel& model, Page page, int messages)
{
    const FormState& form = model.form();
    QJsonArray rows;
    for (int row = 1; row <= pageInfo(page).rows; ++row) {
        const auto text = [&](CellKind kind) {
            return QString::fromStdString(form[cellName(page, kind, row)].text);
        };
        const ControlState& size = form[cellName(page, CellKind::Size, row)];
        rows.append(QJsonObject{{"size", text(CellKind::Size)},
                                {"spine", text(CellKind::Spine)},
                                {"model", text(CellKind::Model)},
                                {"weight", text(CellKind::Weight)},
                                {"shown", size.showCaption},
                                {"sizeEnabled", size.enabled},
                                {"fill", hexColour(size.fill)}});
    }
    const char* length = page == Page::Youth ? "YouthArrowLenSpin" : "ArrowLengthSpin";
    return {{"page", QString::fromStdString(std::string(pageInfo(page).key))},
            {"record", *model.lastRun().record},
            {"valid", model.lastRun().valid},
            {"messages", messages},
            {"bowWeight", QString::fromStdString(form[pageInfo(page).bowWeightEntry].text)},
            {"arrowLength", QString::fromStdString(form[length].text)},
            {"compound", form["TargBowType"].itemIndex == 0},
            {"rows", rows}};
}

struct Sweep {
    SelectionModel& model;
    RecordingSink& sink;
    Page page;
    QJsonArray cases;
    int runs = 0;

    void run(const std::vector<std::pair<const char*, std::string>>& texts,
             const std::vector<std::pair<const char*, int>>& items)
    {
        if (QTest::currentTestFailed())
            return;
        for (const auto& [entry, text] : texts)
            model.setTextQuietly(entry, text);
        for (const auto& [group, index] : items)
            model.setItemIndexQuietly(group, index);
        model.setActivePage(page);
        sink.messages.clear();
        model.findRec();
        ++runs;
        fixtures::compareShownWithCells(model, page);
        if (sink.errorCount() == 0 && model.lastRun().record)
            cases.append(caseOf(model, page, int(sink.messages.size())));
    }
};

const std::vector<std::string> kPointWeights = {"65", "85", "100", "105", "125", "130", "160"};

} // namespace

void TestShippedCatalogue::everyPageMatchesAnIndependentReading()
{
    RecordingSink sink;
    SelectionModel model(kTablesDir.toStdString(), sink);
    QJsonArray cases;
    int index = 0;
    Sweep hunt{model, sink, Page::Hunt, {}};
    for (int bowType = 0; bowType <= 2; ++bowType)
        for (int bow = 30; bow <= 122; bow += 2)
            for (int length = 23; length <= 33; ++length, ++index)
                hunt.run({{"BowWeightSpin", std::to_string(bow)},
                          {"ArrowLengthSpin", std::to_string(length)},
                          {"PointWtSpin", kPointWeights[index % kPointWeights.size()]}},
                         {{"BowType", bowType},
                          {"HuntCamType", index % 2},
                          {"ReleaseType", (index / 2) % 2},
                          {"BraceHt", (index / 3) % 2},
                          {"OverDraw", index % 6}});
    Sweep targ{model, sink, Page::Targ, {}};
    for (int bowType = 0; bowType <= 1; ++bowType)
        for (int wheel = 0; wheel <= 2; ++wheel)
            for (int bow = 17; bow <= 95; bow += 2)
                for (int length = 23; length <= 33; ++length, ++index)
                    targ.run({{"BowWeightSpin", std::to_string(bow)},
                              {"ArrowLengthSpin", std::to_string(length)},
                              {"PointWtSpin", kPointWeights[index % kPointWeights.size()]}},
                             {{"TargBowType", bowType},
                              {"WheelType", wheel},
                              {"ReleaseType", (index / 2) % 2},
                              {"BraceHt", (index / 3) % 2},
                              {"OverDraw", index % 6}});
    Sweep youth{model, sink, Page::Youth, {}};
    for (int bow = 14; bow <= 42; ++bow)
        for (int length = 21; length <= 27; ++length)
            youth.run({{"YouthBowWtSpin", std::to_string(bow)},
                       {"YouthArrowLenSpin", std::to_string(length)}},
                      {});
    Sweep kavl{model, sink, Page::Kavl, {}};
    for (int bowType = 0; bowType <= 1; ++bowType)
        for (int bow = 18; bow <= 96; ++bow)
            for (int length = 23; length <= 33; ++length, ++index)
                kavl.run({{"BowWeightSpin", std::to_string(bow)},
                          {"ArrowLengthSpin", std::to_string(length)},
                          {"PointWtSpin", kPointWeights[index % kPointWeights.size()]}},
                         {{"TargBowType", bowType},
                          {"HuntCamType", index % 2},
                          {"ReleaseType", (index / 2) % 2},
                          {"BraceHt", (index / 3) % 2}});
    for (const Sweep* sweep : {&hunt, &targ, &youth, &kavl}) {
        // Most setups land on the chart; those are the ones compared.
        QVERIFY2(sweep->cases.size() > sweep->runs / 3, pageInfo(sweep->page).key.data());
        for (const auto& value : sweep->cases)
            cases.append(value);
    }

    QProcess python;
    python.start("/usr/bin/python3",
                 {QStringLiteral(QW_SOURCE_DIR) + "/tests/selection/expected_rows.py", kTablesDir});
    QVERIFY(python.waitForStarted());
    python.write(QJsonDocument(cases).toJson(QJsonDocument::Compact));
    python.closeWriteChannel();
    QVERIFY(python.waitForFinished(120000));
    const QString errors = QString::fromUtf8(python.readAllStandardError());
    QVERIFY2(python.exitCode() == 0, qPrintable(errors));
    const QString differences = QString::fromUtf8(python.readAllStandardOutput());
    QVERIFY2(differences.isEmpty(), qPrintable(differences.left(3000)));
}

void TestShippedCatalogue::toolJsonShape()
{
    const ToolRun run = runTool({"--json", "--bow-weight", "65"});
    QCOMPARE(run.exitCode, 0);
    const QStringList keys = {"page",  "ran",    "chartWeight", "band",   "record",
                              "valid", "status", "messages",    "inputs", "rows"};
    QCOMPARE(run.json.keys().size(), keys.size());
    for (const QString& key : keys)
        QVERIFY2(run.json.contains(key), qPrintable(key));
    QCOMPARE(run.json["page"].toString(), QString("Hunt"));
    QCOMPARE(run.json["ran"].toBool(), true);
    QCOMPARE(run.json["chartWeight"].toInt(), 65);
    QCOMPARE(run.json["band"].toInt(), 7);
    QCOMPARE(run.json["record"].toInt(), 14);
    QCOMPARE(run.json["valid"].toBool(), true);
    QCOMPARE(run.json["status"].toString(),
             QString("Chart weight 65 lb, band 7, chart position 14"));
    QCOMPARE(run.json["messages"].toArray().size(), 0);
    const QJsonObject inputs = run.json["inputs"].toObject();
    QCOMPARE(inputs.keys(), QStringList({"arrowLength", "bowWeight", "pointWeight",
                                         "youthArrowLength", "youthBowWeight"}));
    QCOMPARE(inputs["bowWeight"].toString(), QString("65"));
    QCOMPARE(inputs["youthArrowLength"].toString(), QString("25"));
    const QJsonArray rows = run.json["rows"].toArray();
    QCOMPARE(rows.size(), 16);
    const QRegularExpression colour("^#[0-9a-f]{6}$");
    for (const auto& value : rows) {
        const QJsonObject row = value.toObject();
        QCOMPARE(row.keys(), QStringList({"fill", "model", "shown", "size", "sizeEnabled", "spine",
                                          "weight", "weightEnabled"}));
        QVERIFY(colour.match(row["fill"].toString()).hasMatch());
    }
    QCOMPARE(rows[0].toObject()["fill"].toString(), QString("#dbd9d9"));

    const std::pair<const char*, int> pages[] = {{"targ", 13}, {"youth", 8}, {"kavl", 6}};
    for (const auto& [page, count] : pages) {
        const ToolRun other = runTool({"--json", "--page", page});
        QCOMPARE(other.exitCode, 0);
        QCOMPARE(other.json["rows"].toArray().size(), count);
    }
}

void TestShippedCatalogue::toolExitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("defaults") << QStringList{"--json"} << 0;
    QTest::newRow("unknown option") << QStringList{"--colour", "red"} << 2;
    QTest::newRow("missing value") << QStringList{"--json", "--bow-weight"} << 2;
    QTest::newRow("index not a number") << QStringList{"--overdraw", "two"} << 2;
    QTest::newRow("index with junk") << QStringList{"--brace", "1x"} << 2;
    QTest::newRow("unknown page") << QStringList{"--page", "field"} << 2;
    // The window cannot select an item the group does not have.
    QTest::newRow("index past the items") << QStringList{"--overdraw", "99", "--json"} << 2;
    QTest::newRow("negative index") << QStringList{"--brace", "-1", "--json"} << 2;
    QTest::newRow("last item") << QStringList{"--overdraw", "5", "--json"} << 0;
    QTest::newRow("conversion error") << QStringList{"--json", "--bow-weight", "6x"} << 1;
    QTest::newRow("missing tables") << QStringList{"--json", "--data", "/nonexistent"} << 1;
    QTest::newRow("invalid selection is no error")
        << QStringList{"--json", "--bow-weight", "120", "--arrow-length", "33"} << 0;
}

void TestShippedCatalogue::toolExitCodes()
{
    QFETCH(QStringList, arguments);
    const ToolRun run = runTool(arguments);
    QTEST(run.exitCode, "exitCode");
    if (run.exitCode == 2)
        QVERIFY(run.errors.contains("usage:"));
    if (run.exitCode == 1 && arguments.contains("6x")) {
        QCOMPARE(run.json["messages"].toArray().size(), 1);
        QCOMPARE(run.json["messages"][0].toString(), QString("'6x' is not a valid integer value"));
        QCOMPARE(run.json["ran"].toBool(), true); // the gate passed; the check then failed
        QVERIFY(run.json["chartWeight"].isNull());
    }
}

// Off the chart, the tool reports what the window shows after the
// invalid-selection step: the reset setup's whole answer, exactly as a run
// with the default bow weight gives it, or no shafts where the default is
// off the chart too.
void TestShippedCatalogue::toolInvalidSelection_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("resetArguments"); // empty: no shafts
    // Soft cam 88 lb is band 11: 32 inches make position 20, past the chart;
    // 60 lb is band 6, position 15.
    QTest::newRow("target, reset on the chart")
        << QStringList{"--page",       "targ", "--wheel",        "2",
                       "--bow-weight", "88",   "--arrow-length", "32"}
        << QStringList{"--page", "targ", "--wheel", "2", "--arrow-length", "32"};
    QTest::newRow("hunting, reset on the chart")
        << QStringList{"--bow-weight", "85", "--arrow-length", "33"}
        << QStringList{"--arrow-length", "33"};
    QTest::newRow("hunting, default off the chart")
        << QStringList{"--arrow-length", "40"} << QStringList{};
}

void TestShippedCatalogue::toolInvalidSelection()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, resetArguments);
    QFile invalid(kTablesDir + "/invsel.txt");
    QVERIFY(invalid.open(QIODevice::ReadOnly));
    const QString firstLine = QString::fromUtf8(invalid.readLine()).trimmed().left(150);
    ToolRun run = runTool(QStringList{"--json"} + arguments);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json["messages"].toArray(), QJsonArray{firstLine});
    QCOMPARE(run.json["inputs"].toObject()["bowWeight"].toString(), QString("60"));
    if (!resetArguments.isEmpty()) {
        const ToolRun reset = runTool(QStringList{"--json"} + resetArguments);
        QVERIFY(reset.json["valid"].toBool());
        run.json.remove("messages");
        QJsonObject expected = reset.json;
        expected.remove("messages");
        QCOMPARE(run.json, expected);
        return;
    }
    QCOMPARE(run.json["valid"].toBool(), false);
    QCOMPARE(run.json["record"].toInt(), 23);
    for (const auto& value : run.json["rows"].toArray()) {
        const QJsonObject row = value.toObject();
        QCOMPARE(row["shown"].toBool(), false);
        QCOMPARE(row["size"].toString(), QString());
        QCOMPARE(row["fill"].toString(), QString("#ffffff"));
    }
}

void TestShippedCatalogue::toolEntryGate()
{
    const ToolRun run = runTool({"--json", "--arrow-length", "3"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json["ran"].toBool(), false);
    QVERIFY(run.json["chartWeight"].isNull());
    QVERIFY(run.json["band"].isNull());
    QVERIFY(run.json["record"].isNull());
    // The grid still shows the start-up run's record 13.
    const ToolRun start = runTool({"--json"});
    QCOMPARE(run.json["rows"], start.json["rows"]);
}

void TestShippedCatalogue::toolOutsideEveryBand()
{
    // Fingers add 5: a 110 lb chart weight, past the hard-cam bands.
    const ToolRun run = runTool({"--json", "--bow-weight", "105", "--release", "1"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json["chartWeight"].toInt(), 110);
    QCOMPARE(run.json["band"].toInt(), 0);
    QVERIFY(run.json["record"].isNull());
    QCOMPARE(run.json["valid"].toBool(), false);
    QCOMPARE(run.json["messages"].toArray().size(), 0);
    QCOMPARE(run.json["inputs"].toObject()["bowWeight"].toString(), QString("105"));
    QCOMPARE(run.json["status"].toString(),
             QString("No shaft on the Hunting chart suits a chart weight of 110 lb: for a compound "
                     "bow with a hard cam the chart covers 32 to 96 lb"));
    const QJsonArray rows = run.json["rows"].toArray();
    QCOMPARE(rows.size(), 16);
    for (const auto& value : rows) {
        const QJsonObject row = value.toObject();
        for (const char* key : {"size", "spine", "model", "weight"})
            QCOMPARE(row[key].toString(), QString());
        QCOMPARE(row["shown"].toBool(), false);
        QCOMPARE(row["sizeEnabled"].toBool(), false);
        QCOMPARE(row["fill"].toString(), QString("#ffffff"));
    }
}

void TestShippedCatalogue::toolReadableTable()
{
    const ToolRun run = runTool({"--bow-weight", "65"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.output.startsWith("Page Hunt\n"));
    QVERIFY(run.output.contains("Chart weight 65 lb, band 7, chart position 14"));
    QCOMPARE(run.output.count(QRegularExpression("^\\d+ ", QRegularExpression::MultilineOption)),
             16);
}

QTEST_GUILESS_MAIN(TestShippedCatalogue)
#include "tst_shippedcatalogue.moc"
