// Building the catalogue into a folder that already holds a shop's data:
// the supplied tables are rewritten, the customer table (with its memo
// file and name index) and the shop record are kept as they are, and a
// failed build leaves the folder as it was.

#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using qw::storage::Table;

namespace {

const QString kTool = QStringLiteral(QW_PROGRAM_DIR "/quiverwise-data");
const QString kSources = QStringLiteral(QW_SOURCE_DIR "/data");

struct BuildResult {
    int exitCode = -1;
    QString out;
    QString err;
};

BuildResult build(const QString& folder, const QString& sources = kSources)
{
    QProcess process;
    process.start(kTool, {"build", folder, "--source", sources});
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void addCustomer(const QString& folder, const std::string& name, const std::string& comments)
{
    Table customers(folder.toStdString());
    customers.open("Saveddb.dbf");
    customers.appendBlank();
    customers.setField("NAME", name);
    customers.setField("ADDR1", "12 Fletcher Lane");
    customers.setField("CITY", "Bowmont");
    customers.setField("STATE", "OR");
    customers.setField("COMMENTS", comments);
    customers.setField("BOWWT", "65");
    customers.setField("HORT", "0");
    customers.post();
    customers.close();
    qw::storage::createIndex(folder.toStdString(), "Saveddb.dbf", "Saved.idx", "UPPER(NAME)");
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string trimmed(const std::string& text)
{
    return QString::fromStdString(text).trimmed().toStdString();
}

QStringList caseVariants(const QString& folder, const QString& name)
{
    return QDir(folder).entryList({name}, QDir::Files | QDir::CaseSensitive) +
           QDir(folder).entryList({name.toUpper()}, QDir::Files | QDir::CaseSensitive) +
           QDir(folder).entryList({name.toLower()}, QDir::Files | QDir::CaseSensitive);
}

} // namespace

class RebuildTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void freshFolderGetsEmptyCustomerTables();
    void rebuildKeepsCustomersAndShop();
    void missingNameIndexRebuiltFromKeptTable();
    void staleNameIndexReplacedWithNewTable();
    void suppliedTablesRewritten();
    void failedBuildLeavesFolderAlone();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString dir() const { return dir_->path(); }
};

void RebuildTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const BuildResult first = build(dir());
    QVERIFY2(first.exitCode == 0, qPrintable(first.err));
}

void RebuildTest::freshFolderGetsEmptyCustomerTables()
{
    Table customers(dir().toStdString());
    customers.open("Saveddb.dbf");
    QCOMPARE(customers.recordCount(), 0u);
    QCOMPARE(customers.versionByte(), std::uint8_t(0xF5));
    customers.indexOpen("Saved.idx");
    QCOMPARE(customers.orderExpression(), std::string("UPPER(NAME)"));
    Table shop(dir().toStdString());
    shop.open("SHOPINFO.DBF");
    QCOMPARE(shop.recordCount(), 0u);
    QVERIFY(!QDir(dir()).entryList({".quiverwise-data*"}, QDir::AllEntries | QDir::Hidden).size());
}

void RebuildTest::rebuildKeepsCustomersAndShop()
{
    addCustomer(dir(), "Zimmer, Ada", "Left-handed.\nPrefers fingers release.");
    addCustomer(dir(), "archer, Bo", "");
    {
        Table shop(dir().toStdString());
        shop.open("SHOPINFO.DBF");
        shop.appendBlank();
        shop.setField("NAME", "Bowmont Archery");
        shop.setField("PHONE", "555-0142");
        shop.post();
    }
    const QByteArray savedBefore = contents(dir() + "/Saveddb.dbf");
    const QByteArray memoBefore = contents(dir() + "/Saveddb.fpt");
    const QByteArray indexBefore = contents(dir() + "/Saved.idx");
    const QByteArray shopBefore = contents(dir() + "/SHOPINFO.DBF");

    const BuildResult again = build(dir());
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    QVERIFY(again.out.contains("Saveddb.dbf: kept"));
    QVERIFY(again.out.contains("SHOPINFO.DBF: kept"));
    QCOMPARE(contents(dir() + "/Saveddb.dbf"), savedBefore);
    QCOMPARE(contents(dir() + "/Saveddb.fpt"), memoBefore);
    QCOMPARE(contents(dir() + "/Saved.idx"), indexBefore);
    QCOMPARE(contents(dir() + "/SHOPINFO.DBF"), shopBefore);

    Table customers(dir().toStdString());
    customers.open("Saveddb.dbf");
    QCOMPARE(customers.recordCount(), 2u);
    customers.indexOpen("Saved.idx");
    QVERIFY(customers.seek("ZIM"));
    QCOMPARE(trimmed(customers.getString("NAME")), std::string("Zimmer, Ada"));
    QCOMPARE(customers.getString("COMMENTS"),
             std::string("Left-handed.\nPrefers fingers release."));
    customers.goTop(); // name order ignores letter case
    QCOMPARE(trimmed(customers.getString("NAME")), std::string("archer, Bo"));
}

void RebuildTest::missingNameIndexRebuiltFromKeptTable()
{
    addCustomer(dir(), "Quill, Dana", "");
    QVERIFY(QFile::remove(dir() + "/Saved.idx"));
    const BuildResult again = build(dir());
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    QVERIFY(again.out.contains("Saved.idx: rebuilt from the kept table"));
    Table customers(dir().toStdString());
    customers.open("Saveddb.dbf");
    QCOMPARE(customers.recordCount(), 1u);
    customers.indexOpen("Saved.idx");
    QVERIFY(customers.seek("QUI"));
    QCOMPARE(trimmed(customers.getString("CITY")), std::string("Bowmont"));
}

void RebuildTest::staleNameIndexReplacedWithNewTable()
{
    // The table went but its index stayed: the new empty table gets an
    // index of its own, not one pointing at records that are gone.
    addCustomer(dir(), "Gone, Old", "");
    QVERIFY(QFile::remove(dir() + "/Saveddb.dbf"));
    QVERIFY(QFile::remove(dir() + "/Saveddb.fpt"));
    const BuildResult again = build(dir());
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    Table customers(dir().toStdString());
    customers.open("Saveddb.dbf");
    QCOMPARE(customers.recordCount(), 0u);
    customers.indexOpen("Saved.idx");
    QVERIFY(!customers.seek("GONE"));
    QVERIFY(customers.eof());
}

void RebuildTest::suppliedTablesRewritten()
{
    {
        Table hunt(dir().toStdString());
        hunt.open("HUNTCHRT.DBF");
        hunt.go(14);
        hunt.edit();
        hunt.setField("SH1SIZE", "damaged");
        hunt.post();
    }
    QVERIFY(QFile::rename(dir() + "/Specs.DBF", dir() + "/SPECS.DBF"));
    QVERIFY(QFile::remove(dir() + "/Newtraj.dbf"));
    const BuildResult again = build(dir());
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    Table hunt(dir().toStdString());
    hunt.open("HUNTCHRT.DBF");
    hunt.go(14);
    QCOMPARE(trimmed(hunt.getString("SH1SIZE")), std::string("2313"));
    // One specification table, under the name the program uses.
    QCOMPARE(caseVariants(dir(), "Specs.DBF"), QStringList{"Specs.DBF"});
    QVERIFY(QFile::exists(dir() + "/Newtraj.dbf"));
    QCOMPARE(QProcess::execute(kTool, {"check", dir()}), 0);
}

void RebuildTest::failedBuildLeavesFolderAlone()
{
    QTemporaryDir sources;
    QVERIFY(sources.isValid());
    QVERIFY(QProcess::execute("cp", {"-r", kSources + "/.", sources.path()}) == 0);
    QFile target(sources.path() + "/charts/Targchrt.csv");
    QVERIFY(target.open(QIODevice::Append));
    target.write("20,TOOLONGSIZETEXT,52,,,,,,,,,,,,,,,,,,,,,,,,,,\n");
    target.close();
    const QByteArray huntBefore = contents(dir() + "/HUNTCHRT.DBF");
    const QByteArray targBefore = contents(dir() + "/Targchrt.dbf");

    const BuildResult broken = build(dir(), sources.path());
    QCOMPARE(broken.exitCode, 1);
    QVERIFY2(broken.err.contains(
                 "Targchrt.csv line 21: SH1SIZE \"TOOLONGSIZETEXT\" is longer than 12 characters"),
             qPrintable(broken.err));
    QCOMPARE(contents(dir() + "/HUNTCHRT.DBF"), huntBefore);
    QCOMPARE(contents(dir() + "/Targchrt.dbf"), targBefore);
    QVERIFY(!QDir(dir()).entryList({".quiverwise-data*"}, QDir::AllEntries | QDir::Hidden).size());

    QFile renumbered(sources.path() + "/charts/YouthChrt.csv");
    QVERIFY(QProcess::execute("sed", {"-i", "s/^3,/4,/", renumbered.fileName()}) == 0);
    QVERIFY(QProcess::execute("sed", {"-i", "$d", sources.path() + "/charts/Targchrt.csv"}) == 0);
    const BuildResult gap = build(dir(), sources.path());
    QCOMPARE(gap.exitCode, 1);
    QVERIFY2(gap.err.contains("YouthChrt.csv line 4: RECNO 4 where record 3 follows"),
             qPrintable(gap.err));
}

QTEST_GUILESS_MAIN(RebuildTest)
#include "tst_rebuild.moc"
