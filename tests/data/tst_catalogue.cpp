// The supplied catalogue as built by quiverwise-data: read back by
// independent readers (Python dbfread, Perl XBase), every chart key looked up
// independently of the tool's own rules, the aluminium figures recomputed
// from the size code, the trajectory figures checked against physics, and
// the catalogue rules that the pages rely on found in the data.

#include "storage/Table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <map>
#include <numbers>
#include <set>

using qw::storage::OpenMode;
using qw::storage::Table;

namespace {

const QString kTool = QStringLiteral(QW_PROGRAM_DIR "/quiverwise-data");
const QString kSources = QStringLiteral(QW_SOURCE_DIR "/data");

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject runPythonJson(const char* script, const QStringList& args)
{
    const Run result = run("/usr/bin/python3", QStringList{"-c", QString::fromUtf8(script)} + args);
    if (result.exitCode != 0)
        qWarning().noquote() << result.err;
    return QJsonDocument::fromJson(result.out.toUtf8()).object();
}

std::string trimmed(const std::string& text)
{
    return QString::fromStdString(text).trimmed().toStdString();
}

// Independent reader: field names and record counts of every table.
const char* kDbfreadTables = R"PY(
import json, sys
from dbfread import DBF
folder = sys.argv[1]
out = {}
for name in sys.argv[2:]:
    table = DBF(folder + '/' + name, load=True)
    out[name] = {'fields': table.field_names, 'count': len(table.records),
                 'version': table.header.dbversion}
print(json.dumps(out))
)PY";

// Independent lookup: the chart keys formed from the page rules as written
// for the salesperson, matched against Specs.DBF (dbfread) and against the
// keys stored in specs.idx (dumped by Perl XBase::Index).
const char* kIndependentLookup = R"PY(
import json, sys
from dbfread import DBF
folder, idx_dump = sys.argv[1], sys.argv[2]
specs = {}
for r in DBF(folder + '/Specs.DBF'):
    specs[r['SHAFTSIZE'].strip() + r['KEYSUFFIX'].strip()] = r
idx_keys = set(line.rstrip('\n').rstrip() for line in open(idx_dump))
checked, missing, gpi_bad = 0, [], []

def number(text):
    float(text.strip())

def lookup(where, key, model_field, two_model):
    global checked
    checked += 1
    if key not in specs or key not in idx_keys:
        missing.append('%s %s' % (where, key))
        return
    spec = specs[key]
    gpi = spec['GPI']
    try:
        if two_model and spec[model_field].strip() == two_model:
            number(gpi[0:4]); number(gpi[5:9])
        else:
            number(gpi)
    except ValueError:
        gpi_bad.append('%s %s %s' % (where, key, gpi))

def field(record, name):
    return (record[name] or '').strip()

hunt = list(DBF(folder + '/HUNTCHRT.DBF'))
for r in range(2, 21):
    rec = hunt[r - 1]
    for c in range(1, 17):
        size = field(rec, 'SH%dSIZE' % c)
        if not size:
            continue
        if 2 <= c <= 6:
            size = size.split(' ')[0]
        spine = field(rec, 'SH%dSPINE' % c)
        if 3 <= c <= 10 and spine == 'caw':
            continue
        lookup('hunt %d/%d' % (r, c), size + spine, 'HMODELS', 'QK,52' if c <= 4 else None)

def target_lists(r):
    # (list of columns for rows 1.., star cut, entries cut)
    lists = []
    if r == 15:
        lists.append(([1] + list(range(3, 14)), 'compound', 1))
    elif r == 16:
        lists.append((list(range(2, 13)), None, 0))
    else:
        lists.append((list(range(1, 14)), 'compound', 4))
    if 8 <= r <= 14:
        lists.append((list(range(4, 15)), 'compound', 1))
        lists.append((list(range(4, 15)), 'recurve', 1))
    lists.append((list(range(1, 14)), 'recurve', 4))
    return lists

targ = list(DBF(folder + '/Targchrt.dbf'))
for r in range(2, 20):
    rec = targ[r - 1]
    for columns, cut, cut_entries in target_lists(r):
        for row, c in enumerate(columns, start=1):
            size = field(rec, 'SH%dSIZE' % c)
            if row <= cut_entries and '*' in size:
                size = size.split('*', 1)[0 if cut == 'compound' else 1].strip()
            if not size:
                continue
            lookup('targ %d/%d row %d' % (r, c, row), size + field(rec, 'SH%dSPINE' % c), 'TMODELS',
                   'Z4,52' if row >= 7 else None)

for r, rec in enumerate(DBF(folder + '/YouthChrt.dbf'), start=1):
    for c in range(1, 9):
        size = field(rec, 'SH%dSIZE' % c)
        if size:
            lookup('youth %d/%d' % (r, c), size + field(rec, 'SH%dMODL' % c), 'TMODELS', None)

for r, rec in enumerate(DBF(folder + '/KAVLCHRT.DBF'), start=1):
    for c in range(1, 7):
        model = field(rec, 'SH%dMODEL' % c)
        if model:
            lookup('kavl %d/%d' % (r, c), field(rec, 'SH%dSIZE' % c) + model, 'HMODELS', None)

print(json.dumps({'checked': checked, 'missing': missing, 'gpi_bad': gpi_bad, 'idx_keys': len(idx_keys)}))
)PY";

const char* kPerlTables = R"PL(
use strict; use XBase;
my $folder = shift;
for my $name (@ARGV) {
    my $table = XBase->new("$folder/$name") or die XBase->errstr;
    print join('|', $name, $table->last_record + 1, join(',', $table->field_names)), "\n";
}
)PL";

const char* kPerlIndexDump = R"PL(
use strict; use XBase::Index;
my $index = XBase::Index->new($ARGV[0]) or die XBase::Index->errstr;
$index->prepare_select;
while (my ($key, $record) = $index->fetch) { print "$key\n"; }
)PL";

QStringList chartFields(int columns, const QString& second)
{
    QStringList names;
    for (int n = 1; n <= columns; ++n)
        names << QString("SH%1SIZE").arg(n) << QString("SH%1%2").arg(n).arg(second);
    return names;
}

struct TableExpectation {
    QString file;
    QStringList fields; // must all be present
    int minimumCount;
    int exactCount; // -1: any count from the minimum on
};

QList<TableExpectation> expectations()
{
    return {
        {"HUNTCHRT.DBF", chartFields(16, "SPINE"), 20, -1},
        {"Targchrt.dbf", chartFields(14, "SPINE"), 19, -1},
        {"YouthChrt.dbf", chartFields(8, "MODL"), 10, -1},
        {"KAVLCHRT.DBF", chartFields(6, "MODEL"), 19, -1},
        {"Specs.DBF",
         {"ARROWTYPE", "LENGTH", "OD", "ID", "WALL", "GPI", "SPINE", "HMODELS", "TMODELS",
          "DEFPTWT", "DEFNOCKWT", "DEFVANEWT", "DEFINSWT"},
         1,
         -1},
        {"Newtraj.dbf", {"VEL", "LOW", "HIGH"}, 245, 245},
        {"Saveddb.dbf",
         {"NAME", "ADDR1", "ADDR2", "CITY", "STATE", "ZIP", "COUNTRY", "CCODE", "COMMENTS", "DATE",
          "BOWWT", "ARLEN", "PNTWT", "HORT", "BOTYP", "WHTYP", "RETYP", "BOLEN", "ODLEN"},
         0,
         0},
        {"SHOPINFO.DBF",
         {"NAME", "ADDR1", "ADDR2", "CITY", "STATE", "ZIP", "PHONE", "FAX", "COMMENTS"},
         0,
         0},
    };
}

// The stated aluminium model (data/README.md).
constexpr double kStandardDensity = 2.81;
constexpr double kLightAlloyDensity = 2.65;
constexpr double kLbPerIn3PerGPerCm3 = 0.0361273;
constexpr double kSpineForce = 1.94;
constexpr double kSpineSpan = 28.0;
constexpr double kModulus = 10.3e6;

double tubeGpi(double od, double id, double density)
{
    return std::numbers::pi / 4 * (od * od - id * id) * density * kLbPerIn3PerGPerCm3 * 7000.0;
}

double tubeSpine(double od, double id)
{
    const double inertia = std::numbers::pi / 64 * (std::pow(od, 4) - std::pow(id, 4));
    return kSpineForce * std::pow(kSpineSpan, 3) / (48 * kModulus * inertia);
}

// Half a unit of the text's last decimal place: the rounding of the text.
double roundingOf(const QString& text)
{
    const int dot = text.indexOf('.');
    const int decimals = dot < 0 ? 0 : int(text.size()) - dot - 1;
    return 0.5 * std::pow(10.0, -decimals) + 1e-9;
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void toolBuildsAndChecksClean();
    void independentReadersSeeTheLayouts();
    void everyChartKeyFoundIndependently();
    void aluminiumFiguresFollowTheTubeFormulas();
    void trajectoryFollowsPhysics();
    void heavierPositionsGetStifferShafts();
    void huntingShadesMatchAluminiumWeightClasses();
    void catalogueExercisesEveryRowRule();
    void legendsExplainEveryModelShown();

private:
    QString folder() const { return dir_.path(); }
    QTemporaryDir dir_;
};

void CatalogueTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY2(QFileInfo::exists(kTool), qPrintable(kTool));
    const Run build = run(kTool, {"build", folder(), "--source", kSources});
    QVERIFY2(build.exitCode == 0, qPrintable(build.err));
}

void CatalogueTest::toolBuildsAndChecksClean()
{
    const Run check = run(kTool, {"check", folder()});
    QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
    QVERIFY(check.out.contains("complete"));
    // The tables this build tree made for the tests hold the same catalogue.
    const Run program = run(kTool, {"check", QW_TABLES_DIR});
    QVERIFY2(program.exitCode == 0, qPrintable(program.out + program.err));
}

void CatalogueTest::independentReadersSeeTheLayouts()
{
    QStringList files;
    for (const auto& expected : expectations())
        files << expected.file;
    const QJsonObject python = runPythonJson(kDbfreadTables, QStringList{folder()} + files);
    const Run perl = run("perl", QStringList{"-e", kPerlTables, folder()} + files);
    QCOMPARE(perl.exitCode, 0);
    std::map<QString, QStringList> perlLines;
    for (const QString& line : perl.out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split('|');
        perlLines[parts[0]] = parts;
    }
    for (const auto& expected : expectations()) {
        const QJsonObject table = python.value(expected.file).toObject();
        QVERIFY2(!table.isEmpty(), qPrintable(expected.file));
        QStringList pythonFields;
        for (const auto& name : table.value("fields").toArray())
            pythonFields << name.toString();
        const QStringList perlFields = perlLines[expected.file].value(2).split(',');
        const int pythonCount = table.value("count").toInt();
        const int perlCount = perlLines[expected.file].value(1).toInt();
        for (const QString& field : expected.fields) {
            QVERIFY2(pythonFields.contains(field),
                     qPrintable(expected.file + " dbfread lacks " + field));
            QVERIFY2(perlFields.contains(field),
                     qPrintable(expected.file + " XBase lacks " + field));
        }
        QCOMPARE(pythonCount, perlCount);
        QVERIFY2(pythonCount >= expected.minimumCount, qPrintable(expected.file));
        if (expected.exactCount >= 0)
            QCOMPARE(pythonCount, expected.exactCount);
    }
    // The customer table carries a memo field: FoxPro memo version and FPT.
    QCOMPARE(python.value("Saveddb.dbf").toObject().value("version").toInt(), 0xF5);
    QVERIFY(!qw::storage::findFile(folder().toStdString(), "Saveddb.fpt").empty());
    QCOMPARE(python.value("Specs.DBF").toObject().value("version").toInt(), 0x03);
}

void CatalogueTest::everyChartKeyFoundIndependently()
{
    const QString dump = folder() + "/idx-keys.txt";
    const Run perl = run("perl", {"-e", kPerlIndexDump, folder() + "/specs.idx"});
    QVERIFY2(perl.exitCode == 0, qPrintable(perl.err));
    QFile file(dump);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(perl.out.toUtf8());
    file.close();
    const QJsonObject result = runPythonJson(kIndependentLookup, {folder(), dump});
    // Hundreds of lookups over the four charts and the Target list cases.
    QVERIFY2(result.value("checked").toInt() > 500,
             qPrintable(QString::number(result.value("checked").toInt())));
    QVERIFY(result.value("idx_keys").toInt() > 100);
    const QJsonArray missing = result.value("missing").toArray();
    QVERIFY2(missing.isEmpty(), qPrintable(QJsonDocument(missing).toJson()));
    const QJsonArray gpiBad = result.value("gpi_bad").toArray();
    QVERIFY2(gpiBad.isEmpty(), qPrintable(QJsonDocument(gpiBad).toJson()));
}

void CatalogueTest::aluminiumFiguresFollowTheTubeFormulas()
{
    Table specs(folder().toStdString());
    specs.open("Specs.DBF", OpenMode::ReadOnly);
    int aluminium = 0;
    int twoAlloy = 0;
    for (std::uint32_t r = 1; r <= specs.recordCount(); ++r) {
        specs.go(r);
        if (trimmed(specs.getString("ARROWTYPE")) != "Aluminum")
            continue;
        ++aluminium;
        const QString size = QString::fromStdString(trimmed(specs.getString("SHAFTSIZE")));
        QCOMPARE(size.size(), 4);
        const double od = size.left(2).toInt() / 64.0;
        const double wall = size.mid(2).toInt() / 1000.0;
        const double id = od - 2 * wall;
        for (const auto& [name, value] :
             {std::pair{"OD", od}, std::pair{"WALL", wall}, std::pair{"ID", id}}) {
            const QString stored = QString::fromStdString(trimmed(specs.getString(name)));
            QVERIFY2(stored.size() == 5 &&
                         std::abs(stored.toDouble() - value) <= roundingOf(stored),
                     qPrintable(size + " " + name + " " + stored));
        }
        const QString spine = QString::fromStdString(trimmed(specs.getString("SPINE")));
        QVERIFY2(std::abs(spine.toDouble() - tubeSpine(od, id)) <= roundingOf(spine),
                 qPrintable(size));
        const QString gpi = QString::fromStdString(specs.getString("GPI"));
        if (gpi.trimmed().contains(' ')) {
            ++twoAlloy;
            const QString light = gpi.mid(0, 4).trimmed();
            const QString standard = gpi.mid(5, 4).trimmed();
            QVERIFY2(std::abs(light.toDouble() - tubeGpi(od, id, kLightAlloyDensity)) <=
                         roundingOf(light),
                     qPrintable(size + " " + gpi));
            QVERIFY2(std::abs(standard.toDouble() - tubeGpi(od, id, kStandardDensity)) <=
                         roundingOf(standard),
                     qPrintable(size + " " + gpi));
        } else {
            const QString single = gpi.trimmed();
            QVERIFY2(std::abs(single.toDouble() - tubeGpi(od, id, kStandardDensity)) <=
                         roundingOf(single),
                     qPrintable(size + " " + gpi));
        }
    }
    QVERIFY(aluminium >= 40);
    QVERIFY(twoAlloy >= 4);
    // A worked example of README: 2117 is 21/64 in across with a 0.017 in
    // wall, 11.8 grains per inch and 0.427 in deflection.
    specs.indexOpen("specs.idx");
    QVERIFY(specs.seek("211752"));
    QCOMPARE(trimmed(specs.getString("GPI")), std::string("11.8"));
    QCOMPARE(trimmed(specs.getString("SPINE")), std::string("0.427"));
}

void CatalogueTest::trajectoryFollowsPhysics()
{
    Table trajectory(folder().toStdString());
    trajectory.open("Newtraj.dbf", OpenMode::ReadOnly);
    QCOMPARE(trajectory.recordCount(), 245u);
    struct Figures {
        long vel, low, high;
    };
    auto at = [&](int v, int d, int w) {
        trajectory.go(std::uint32_t((v - 180) / 20 * 5 + (d - 20) / 10 + 1 + (w - 350) / 50 * 35));
        return Figures{trajectory.getInteger("VEL"), trajectory.getInteger("LOW"),
                       trajectory.getInteger("HIGH")};
    };
    trajectory.go(1);
    QCOMPARE(trimmed(trajectory.getString("RATING")) + "/" + trimmed(trajectory.getString("DIST")) +
                 "/" + trimmed(trajectory.getString("ARROWWT")),
             std::string("180/20/350"));
    trajectory.go(88);
    QCOMPARE(trimmed(trajectory.getString("RATING")) + "/" + trimmed(trajectory.getString("DIST")) +
                 "/" + trimmed(trajectory.getString("ARROWWT")),
             std::string("240/40/450"));
    trajectory.go(245);
    QCOMPARE(trimmed(trajectory.getString("ARROWWT")), std::string("650"));
    for (int w = 350; w <= 650; w += 50) {
        for (int v = 180; v <= 300; v += 20) {
            for (int d = 20; d <= 60; d += 10) {
                const Figures here = at(v, d, w);
                const QByteArray where = QString("v%1 d%2 w%3").arg(v).arg(d).arg(w).toUtf8();
                QVERIFY2(here.low <= d && d <= here.high, where);
                if (w == 350)
                    QVERIFY2(here.vel == v, where); // the bow's rating is for a 350-grain arrow
                if (v < 300) { // faster: the window opens nearer and closes farther
                    const Figures faster = at(v + 20, d, w);
                    QVERIFY2(faster.vel > here.vel, where);
                    QVERIFY2(faster.low <= here.low && faster.high >= here.high, where);
                }
                if (w < 650) { // heavier: slower, the window shrinks
                    const Figures heavier = at(v, d, w + 50);
                    QVERIFY2(heavier.vel < here.vel, where);
                    QVERIFY2(heavier.low >= here.low && heavier.high <= here.high, where);
                }
            }
        }
    }
    // Gravity shows: the slowest, heaviest arrow at 60 yards has a shallower
    // window than the fastest, lightest at 20.
    QVERIFY(at(180, 60, 650).high - at(180, 60, 650).low <
            at(300, 20, 350).high - at(300, 20, 350).low);
}

namespace {

struct ChartShape {
    QString file;
    int columns;
    QString second;
    std::uint32_t first, last;
    QString modelField;
};

const QList<ChartShape>& chartShapes()
{
    static const QList<ChartShape> shapes = {{"HUNTCHRT.DBF", 16, "SPINE", 2, 20, "HMODELS"},
                                             {"Targchrt.dbf", 14, "SPINE", 2, 19, "TMODELS"},
                                             {"YouthChrt.dbf", 8, "MODL", 1, 10, "TMODELS"},
                                             {"KAVLCHRT.DBF", 6, "MODEL", 1, 19, "HMODELS"}};
    return shapes;
}

QString field(Table& table, const QString& name)
{
    return QString::fromStdString(table.getString(name.toStdString())).trimmed();
}

// The size a cell's key uses, before any star or blank.
QString plainSize(const QString& size)
{
    return size.section(' ', 0, 0).section('*', 0, 0);
}

} // namespace

void CatalogueTest::heavierPositionsGetStifferShafts()
{
    Table specs(folder().toStdString());
    specs.open("Specs.DBF", OpenMode::ReadOnly);
    specs.indexOpen("specs.idx");
    for (const ChartShape& shape : chartShapes()) {
        Table chart(folder().toStdString());
        chart.open(shape.file.toStdString(), OpenMode::ReadOnly);
        for (int c = 1; c <= shape.columns; ++c) {
            QString lastFamily;
            double lastSpine = 0;
            int compared = 0;
            for (std::uint32_t r = shape.first; r <= shape.last; ++r) {
                chart.go(r);
                const QString size = plainSize(field(chart, QString("SH%1SIZE").arg(c)));
                const QString second = field(chart, QString("SH%1%2").arg(c).arg(shape.second));
                if (size.isEmpty() || second.isEmpty()) {
                    lastFamily.clear();
                    continue;
                }
                double spine = size.toDouble() / 1000.0;
                QString family = second;
                if (second != "caw") {
                    QVERIFY(specs.seek((size + second).toStdString()));
                    spine = field(specs, "SPINE").toDouble();
                    family = field(specs, shape.modelField);
                }
                if (family == lastFamily) {
                    ++compared;
                    QVERIFY2(spine <= lastSpine + 1e-9,
                             qPrintable(QString("%1 record %2 column %3: %4 after %5")
                                            .arg(shape.file)
                                            .arg(r)
                                            .arg(c)
                                            .arg(spine)
                                            .arg(lastSpine)));
                }
                lastFamily = family;
                lastSpine = spine;
            }
            if (c == 1)
                QVERIFY(compared >= 8);
        }
        // And over the whole chart: the last position is much stiffer than the first.
        chart.go(shape.first);
        const QString firstSize =
            plainSize(field(chart, "SH1SIZE")) + field(chart, "SH1" + shape.second);
        chart.go(shape.last);
        const QString lastSize =
            plainSize(field(chart, "SH1SIZE")) + field(chart, "SH1" + shape.second);
        QVERIFY(specs.seek(firstSize.toStdString()));
        const double weakest = field(specs, "SPINE").toDouble();
        QVERIFY(specs.seek(lastSize.toStdString()));
        QVERIFY2(field(specs, "SPINE").toDouble() < 0.6 * weakest, qPrintable(shape.file));
    }
}

void CatalogueTest::huntingShadesMatchAluminiumWeightClasses()
{
    // Rows 1 to 4 by record: L light, M mid, D dark, '-' white (no aluminium).
    const std::map<int, QString> shades = {{2, "LD--"},  {3, "LD--"},  {4, "LD--"},  {5, "LD--"},
                                           {6, "LD--"},  {7, "D---"},  {8, "LMD-"},  {9, "LD--"},
                                           {10, "LMDD"}, {11, "MMDD"}, {12, "LMMD"}, {13, "LLMD"},
                                           {14, "LLMD"}, {15, "MD--"}, {16, "MDD-"}, {17, "MDD-"},
                                           {18, "MDD-"}, {19, "L---"}, {20, "L---"}};
    Table chart(folder().toStdString());
    chart.open("HUNTCHRT.DBF", OpenMode::ReadOnly);
    Table specs(folder().toStdString());
    specs.open("Specs.DBF", OpenMode::ReadOnly);
    specs.indexOpen("specs.idx");
    for (const auto& [record, pattern] : shades) {
        chart.go(std::uint32_t(record));
        for (int row = 1; row <= 4; ++row) {
            const QString size = plainSize(field(chart, QString("SH%1SIZE").arg(row)));
            const QString spine = field(chart, QString("SH%1SPINE").arg(row));
            const QChar shade = pattern[row - 1];
            const QByteArray where =
                QString("record %1 row %2 %3").arg(record).arg(row).arg(size).toUtf8();
            if (size.isEmpty() || spine == "caw") {
                QVERIFY2(shade == '-', where);
                continue;
            }
            QVERIFY(specs.seek((size + spine).toStdString()));
            const bool isAluminium = field(specs, "ARROWTYPE") == "Aluminum";
            QVERIFY2(isAluminium == (shade != '-'), where);
            if (!isAluminium)
                continue;
            const int wall = size.mid(2).toInt();
            const QChar weightClass = wall <= 13 ? 'L' : wall <= 16 ? 'M' : 'D';
            QVERIFY2(weightClass == shade, where);
        }
    }
}

void CatalogueTest::catalogueExercisesEveryRowRule()
{
    Table hunt(folder().toStdString());
    hunt.open("HUNTCHRT.DBF", OpenMode::ReadOnly);
    std::set<int> cawColumns;
    int blankBetween = 0, noteAfterBlank = 0, twoFamilyRows = 0, panelShafts = 0;
    Table specs(folder().toStdString());
    specs.open("Specs.DBF", OpenMode::ReadOnly);
    specs.indexOpen("specs.idx");
    for (std::uint32_t r = 2; r <= 20; ++r) {
        hunt.go(r);
        for (int c = 1; c <= 16; ++c) {
            const QString size = field(hunt, QString("SH%1SIZE").arg(c));
            const QString spine = field(hunt, QString("SH%1SPINE").arg(c));
            if (spine == "caw")
                cawColumns.insert(c);
            if (c >= 2 && c <= 6 && size.contains(' '))
                ++noteAfterBlank;
            if (c >= 11 && !size.isEmpty() && spine != "caw")
                ++panelShafts;
            if (c < 16 && size.isEmpty() && !field(hunt, QString("SH%1SIZE").arg(c + 1)).isEmpty())
                ++blankBetween;
            if (c <= 4 && !size.isEmpty() && spine != "caw") {
                QVERIFY(specs.seek((plainSize(size) + spine).toStdString()));
                if (field(specs, "HMODELS") == "QK,52")
                    ++twoFamilyRows;
            }
        }
    }
    QCOMPARE(*cawColumns.begin(), 3);
    QCOMPARE(*cawColumns.rbegin(), 10);
    QVERIFY(blankBetween > 0);
    QVERIFY(noteAfterBlank > 0);
    QVERIFY(twoFamilyRows > 0);
    QVERIFY(panelShafts > 50);

    Table targ(folder().toStdString());
    targ.open("Targchrt.dbf", OpenMode::ReadOnly);
    int starred = 0, zenith = 0;
    for (std::uint32_t r = 2; r <= 19; ++r) {
        targ.go(r);
        for (int c = 1; c <= 14; ++c) {
            const QString size = field(targ, QString("SH%1SIZE").arg(c));
            if (size.contains('*')) {
                QVERIFY2(c <= 4, qPrintable(QString("record %1 column %2").arg(r).arg(c)));
                ++starred;
            }
            if (!size.isEmpty() &&
                specs.seek(
                    (plainSize(size) + field(targ, QString("SH%1SPINE").arg(c))).toStdString()) &&
                field(specs, "TMODELS") == "Z4,52")
                ++zenith;
        }
    }
    QVERIFY(starred > 10);
    QVERIFY(zenith > 10);

    Table kavl(folder().toStdString());
    kavl.open("KAVLCHRT.DBF", OpenMode::ReadOnly);
    int sizeWithoutModel = 0;
    for (std::uint32_t r = 1; r <= 19; ++r) {
        kavl.go(r);
        for (int c = 1; c <= 6; ++c)
            if (!field(kavl, QString("SH%1SIZE").arg(c)).isEmpty() &&
                field(kavl, QString("SH%1MODEL").arg(c)).isEmpty())
                ++sizeWithoutModel;
    }
    QVERIFY(sizeWithoutModel > 0);

    // Every specification carries its default weights.
    for (std::uint32_t r = 1; r <= specs.recordCount(); ++r) {
        specs.go(r);
        for (const char* name : {"DEFPTWT", "DEFNOCKWT", "DEFVANEWT", "DEFINSWT"})
            QVERIFY2(specs.getInteger(name) > 0, name);
    }
}

void CatalogueTest::legendsExplainEveryModelShown()
{
    Table specs(folder().toStdString());
    specs.open("Specs.DBF", OpenMode::ReadOnly);
    specs.indexOpen("specs.idx");
    const std::map<QString, QString> legendOf = {{"HUNTCHRT.DBF", "HuntLegend.txt"},
                                                 {"Targchrt.dbf", "TargLegend.txt"},
                                                 {"YouthChrt.dbf", "YouthLegend.txt"},
                                                 {"KAVLCHRT.DBF", "KavlLegend.txt"}};
    for (const ChartShape& shape : chartShapes()) {
        QFile legendFile(folder() + "/" + legendOf.at(shape.file));
        QVERIFY(legendFile.open(QIODevice::ReadOnly));
        std::set<QString> abbreviations;
        for (const QString& line :
             QString::fromUtf8(legendFile.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QString abbreviation = line.section("  ", 0, 0);
            QVERIFY2(!abbreviation.isEmpty() && line.section("  ", 1).trimmed().size() > 5,
                     qPrintable(line));
            abbreviations.insert(abbreviation);
        }
        Table chart(folder().toStdString());
        chart.open(shape.file.toStdString(), OpenMode::ReadOnly);
        for (std::uint32_t r = shape.first; r <= shape.last; ++r) {
            chart.go(r);
            for (int c = 1; c <= shape.columns; ++c) {
                const QString size = plainSize(field(chart, QString("SH%1SIZE").arg(c)));
                const QString second = field(chart, QString("SH%1%2").arg(c).arg(shape.second));
                if (size.isEmpty() || second.isEmpty() || second == "caw")
                    continue;
                QVERIFY(specs.seek((size + second).toStdString()));
                for (const QString& model : field(specs, shape.modelField).split(','))
                    QVERIFY2(abbreviations.count(model) == 1, qPrintable(shape.file + " " + model));
            }
        }
    }
    QFile invsel(folder() + "/invsel.txt");
    QVERIFY(invsel.open(QIODevice::ReadOnly));
    const QByteArray first = invsel.readLine().trimmed();
    QVERIFY(first.size() > 20 && first.size() <= 150);
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
