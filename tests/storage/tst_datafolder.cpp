// Which folder the program works in, and how a folder other than its own is
// made from, and kept up to date with, the supplied tables: a first start
// finds an empty customer table and shop record, an upgrade replaces what
// was supplied and never the shop's own files.

#include "storage/DataFolder.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <fstream>

using namespace qw::storage;
namespace fs = std::filesystem;

namespace {

void copyFolder(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from))
        fs::copy_file(entry.path(), to / entry.path().filename());
}

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t records(const fs::path& folder, const char* table)
{
    Table opened(folder);
    opened.open(table, OpenMode::ReadOnly);
    return opened.recordCount();
}

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    fs::path root_;     // the installed tree: lib/quiverwise, share/quiverwise, home
    fs::path program_;  // lib/quiverwise, the program's folder
    fs::path supplied_; // share/quiverwise
    fs::path user_;     // the user's data home

    DataFolder installed(std::optional<std::string> environment = std::nullopt) const
    {
        return DataFolder::choose(
            {std::nullopt, std::move(environment), program_, supplied_, user_});
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>(); // one of its own for each row
        QVERIFY(dir_->isValid());
        root_ = dir_->path().toStdString();
        program_ = root_ / "lib" / "quiverwise";
        supplied_ = root_ / "share" / "quiverwise";
        user_ = root_ / "home" / ".local" / "share";
        fs::create_directories(program_);
        copyFolder(QW_TABLES_DIR, supplied_);
    }

    void choosesTheFolder_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<bool>("tablesBesideProgram");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("folder"); // under the test's root
        const int option = int(DataFolderSource::Option);
        const int env = int(DataFolderSource::Environment);
        const int program = int(DataFolderSource::ProgramFolder);
        const int user = int(DataFolderSource::UserFolder);
        QTest::newRow("--data first") << "shared" << "other" << true << option << "shared";
        QTest::newRow("then QUIVERWISE_DATA") << "" << "other" << true << env << "other";
        QTest::newRow("empty variable is no setting")
            << "" << "" << true << program << "lib/quiverwise";
        QTest::newRow("a portable copy works beside its tables")
            << "" << "" << true << program << "lib/quiverwise";
        QTest::newRow("an installed program works in the user's folder")
            << "" << "" << false << user << "home/.local/share/quiverwise";
    }
    void choosesTheFolder()
    {
        QFETCH(QString, option);
        QFETCH(QString, environment);
        QFETCH(bool, tablesBesideProgram);
        QFETCH(int, source);
        QFETCH(QString, folder);
        if (tablesBesideProgram)
            copyFolder(supplied_, program_);
        DataFolderInputs inputs{std::nullopt, "", program_, supplied_, user_};
        if (!environment.isEmpty())
            inputs.environment = (root_ / environment.toStdString()).string();
        if (!option.isEmpty())
            inputs.option = root_ / option.toStdString();
        const DataFolder chosen = DataFolder::choose(inputs);
        QCOMPARE(int(chosen.source()), source);
        QCOMPARE(chosen.path(), root_ / folder.toStdString());
    }

    // Tables the user may not write (an installed program's folder) are
    // not worked in.
    void readOnlyProgramFolderIsLeft()
    {
        if (geteuid() == 0)
            QSKIP("root writes any folder");
        copyFolder(supplied_, program_);
        fs::permissions(program_, fs::perms::owner_write, fs::perm_options::remove);
        QCOMPARE(int(installed().source()), int(DataFolderSource::UserFolder));
        fs::permissions(program_, fs::perms::owner_write, fs::perm_options::add);
    }

    void firstStartThenUpgradeKeepsTheShopsFiles()
    {
        const DataFolder folder = installed();
        QVERIFY(!folder.prepare().empty());
        for (const auto& entry : fs::directory_iterator(supplied_))
            QCOMPARE(readAll(folder.path() / entry.path().filename()), readAll(entry.path()));
        QCOMPARE(records(folder.path(), "Saveddb.dbf"), 0u);
        QVERIFY(folder.prepare().empty()); // up to date: nothing copied again

        // The shop saves a customer and its name; then a newer package
        // brings a changed text, a changed chart and other empty tables.
        {
            Table saved(folder.path());
            saved.open("Saveddb.dbf");
            saved.indexOpen("Saved.idx");
            saved.appendBlank();
            saved.setField("NAME", "Larsen, Kari");
            saved.post();
            Table shop(folder.path());
            shop.open("SHOPINFO.DBF");
            shop.appendBlank();
            shop.setField("NAME", "Twin Oaks Archery");
            shop.post();
        }
        const std::string shopBefore = readAll(folder.path() / "SHOPINFO.DBF");
        std::ofstream(supplied_ / "invsel.txt", std::ios::app) << " Check the draw length.";
        fs::rename(supplied_ / "HUNTCHRT.DBF", supplied_ / "huntchrt.dbf");
        std::ofstream(supplied_ / "huntchrt.dbf", std::ios::app) << ' ';
        for (const char* shopFile : {"Saveddb.dbf", "SHOPINFO.DBF"})
            std::ofstream(supplied_ / shopFile, std::ios::app) << ' ';
        const auto log = folder.prepare();
        QCOMPARE(log.size(), std::size_t(2)); // the text and the chart
        QCOMPARE(readAll(folder.path() / "invsel.txt"), readAll(supplied_ / "invsel.txt"));
        QVERIFY(fs::exists(folder.path() / "huntchrt.dbf"));
        QVERIFY(!fs::exists(folder.path() / "HUNTCHRT.DBF"));
        QCOMPARE(records(folder.path(), "Saveddb.dbf"), 1u);
        QCOMPARE(readAll(folder.path() / "SHOPINFO.DBF"), shopBefore);

        // A lost name index is made again over the kept records.
        fs::remove(folder.path() / "Saved.idx");
        folder.prepare();
        Table saved(folder.path());
        saved.open("Saveddb.dbf", OpenMode::ReadOnly);
        saved.indexOpen("Saved.idx");
        QVERIFY(saved.seek("LARSEN"));
    }

    void programFolderIsUsedAsItIs()
    {
        copyFolder(supplied_, program_);
        fs::remove(program_ / "invsel.txt");
        const DataFolder folder = installed();
        QCOMPARE(int(folder.source()), int(DataFolderSource::ProgramFolder));
        QVERIFY(folder.prepare().empty());
        QVERIFY(!fs::exists(program_ / "invsel.txt"));
        QVERIFY(!fs::exists(user_));
    }

    void folderThatCannotBeMadeIsNamed()
    {
        fs::create_directories(root_ / "home");
        std::ofstream(root_ / "home" / "blocked") << "not a folder";
        const DataFolder folder =
            DataFolder::choose({root_ / "home" / "blocked" / "data", {}, program_, supplied_, user_});
        try {
            folder.prepare();
            QFAIL("made a folder inside a file");
        } catch (const std::exception& error) {
            QVERIFY2(QString(error.what()).contains(
                         QString::fromStdString((root_ / "home/blocked/data").string())),
                     error.what());
        }
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
