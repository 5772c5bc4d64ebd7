// The customer record models without windows: composing a record from the
// main window's setup, the required details, the shop's own record and the
// export, on a copy of the program's folder.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"
#include "storage/ProgramFiles.h"

#include "customers/CustomerExport.h"
#include "customers/ShopInfModel.h"

#include <QFile>
#include <QtTest>

using namespace qw;
using selection::Page;
using Outcome = customers::CustInfoModel::SaveOutcome;

Q_DECLARE_METATYPE(qw::test::SetupOnPage)

namespace {

std::vector<std::string> texts(std::initializer_list<const char*> list)
{
    return {list.begin(), list.end()};
}

} // namespace

class TestCustomerRecords : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TableFolderCopy> folder_;
    std::filesystem::path path_;
    test::RecordingSink windowSink_;
    test::RecordingSink sink_;
    std::unique_ptr<selection::SelectionModel> window_;

    std::size_t storedCount() { return test::storedRecords(path_).size(); }

private slots:
    void init()
    {
        folder_ = std::make_unique<test::TableFolderCopy>();
        path_ = folder_->path();
        window_ = std::make_unique<selection::SelectionModel>(path_, windowSink_);
        window_->findRec();
        sink_.clear();
    }

    // Every summary label and every stored setup field, in a fixed order;
    // the window starts at 60#, 30", 100gr with item 0 everywhere.
    void setupIsStoredAsThePageShowsIt_data()
    {
        QTest::addColumn<test::SetupOnPage>("setup");
        QTest::addColumn<QString>("shown");  // Label24 25 27 9 10 12 15 16 17
        QTest::addColumn<QString>("stored"); // BOWWT ARLEN PNTWT HORT BOTYP WHTYP RETYP BOLEN ODLEN
        QTest::newRow("hunting compound: the cam of HuntCamType")
            << test::setupOf(Page::Hunt,
                             "BowWeightSpin=65 ArrowLengthSpin=29 PointWtSpin=125 "
                             "HuntCamType=1 WheelType=2 ReleaseType=1 BraceHt=1 OverDraw=3")
            << "65#|29\"|125gr|Compound|Medium|Fingers|Under 6.5\"|3\"|Hunting Shafts"
            << "65 29 125 0 0 1 1 1 3";
        QTest::newRow("hunting longbow: N/A, codes kept")
            << test::setupOf(Page::Hunt,
                             "BowType=2 HuntCamType=1 WheelType=2 ReleaseType=1 OverDraw=2")
            << "60#|30\"|100gr|Longbow|N/A|N/A|N/A|N/A|Hunting Shafts"
            << "60 30 100 0 2 1 1 0 2";
        QTest::newRow("target recurve: N/A four times, codes kept")
            << test::setupOf(Page::Targ,
                             "TargBowType=1 WheelType=2 HuntCamType=1 BraceHt=1 OverDraw=4")
            << "60#|30\"|100gr|Recurve|N/A|N/A|N/A|N/A|Target Shafts"
            << "60 30 100 1 1 2 0 1 4";
        QTest::newRow("target compound: the cam of WheelType")
            << test::setupOf(Page::Targ, "BowType=2 WheelType=2 HuntCamType=1")
            << "60#|30\"|100gr|Compound|Soft|Mechanical|Over 6.5\"|None|Target Shafts"
            << "60 30 100 1 0 2 0 0 0";
        QTest::newRow("kavel: bow type of TargBowType, cam of HuntCamType")
            << test::setupOf(Page::Kavl, "BowType=2 HuntCamType=1 WheelType=2")
            << "60#|30\"|100gr|Compound|Medium|Mechanical|Over 6.5\"|None|Kavel Shafts"
            << "60 30 100 2 0 1 0 0 0";
        // The label shows TargBowType's word; the record keeps BowType's code
        // and the adult settings the youth page does not use.
        QTest::newRow("youth: family 3 and the youth entries")
            << test::setupOf(Page::Youth, "YouthBowWtSpin=35 YouthArrowLenSpin=26 BowWeightSpin=70 "
                                          "ArrowLengthSpin=31 BowType=1 WheelType=1")
            << "35#|26\"|N/A|Compound|N/A|N/A|N/A|N/A|Youth Shafts"
            << "35 26 100 3 1 1 0 0 0";
    }

    void setupIsStoredAsThePageShowsIt()
    {
        QFETCH(test::SetupOnPage, setup);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        test::showSetup(*window_, setup);
        customers::CustInfoModel entry(path_, sink_);
        QVERIFY(entry.open(window_->setup(), selection::pageKey(window_->form()), "12/31/26"));
        QStringList labels;
        for (const char* label : {"Label24", "Label25", "Label27", "Label9", "Label10", "Label12",
                                  "Label15", "Label16", "Label17"})
            labels << QString::fromStdString(entry.form()[label].text);
        QCOMPARE(labels.join('|'), shown);
        for (const auto& [field, text] : test::address("Ada"))
            entry.changeDetail(field, text);
        QCOMPARE(entry.saveRecord(), Outcome::Stored);
        const test::Fields record = test::storedRecords(path_).back();
        QStringList fields;
        for (const char* field :
             {"BOWWT", "ARLEN", "PNTWT", "HORT", "BOTYP", "WHTYP", "RETYP", "BOLEN", "ODLEN"})
            fields << QString::fromStdString(record.at(field));
        QCOMPARE(fields.join(' '), stored);
        QCOMPARE(record.at("DATE"), std::string("12/31/26"));
    }

    void saveIsRefusedUntilTheAddressIsComplete_data()
    {
        QTest::addColumn<QString>("missing");
        for (const auto field : customers::kRequiredDetailFields)
            QTest::newRow(std::string(field).c_str())
                << QString::fromLatin1(field.data(), field.size());
    }

    // One character each is enough; the refusal keeps everything typed, and
    // the second press stores exactly one record that the index finds. The
    // state goes into capitals, accents too, but a ß stays one letter.
    void saveIsRefusedUntilTheAddressIsComplete()
    {
        QFETCH(QString, missing);
        const std::size_t before = storedCount();
        customers::CustInfoModel entry(path_, sink_);
        QVERIFY(entry.open(window_->setup(), selection::pageKey(window_->form())));
        const test::Fields details = {
            {"NAME", "Q"}, {"ADDR1", "1"}, {"CITY", "c"}, {"STATE", "qé-ß"}};
        for (const auto& [field, text] : details)
            if (field != missing.toStdString())
                entry.changeDetail(field, text);
        QCOMPARE(entry.saveRecord(), Outcome::Refused);
        QCOMPARE(storedCount(), before);
        const auto flagged = [&] { // the edits marked as still to be filled in
            QStringList marked;
            for (const auto field : customers::kCustomerDetailFields)
                if (entry.form()[entry.controlFor(field)].flagged)
                    marked << QString::fromLatin1(field.data(), field.size());
            return marked;
        };
        QCOMPARE(flagged(), QStringList{missing});
        entry.changeDetail(missing.toStdString(), details.at(missing.toStdString()));
        QCOMPARE(flagged(), QStringList{});
        QCOMPARE(entry.saveRecord(), Outcome::Stored);
        QCOMPARE(sink_.texts(), texts({customers::CustInfoModel::kIncompleteAddress,
                                       customers::CustInfoModel::kRecordAdded}));
        QCOMPARE(storedCount(), before + 1);
        QCOMPARE(test::storedRecords(path_).back().at("STATE"), std::string("QÉ-ß"));
        storage::Table byName(path_);
        byName.open(storage::files::kSavedSetups);
        byName.indexOpen(storage::files::kSavedIndex);
        QVERIFY(byName.seek("Q"));
        QCOMPARE(byName.recordNumber(), static_cast<std::uint32_t>(before + 1));
    }

    // A save says exactly what happened: stored and indexed (a missing index
    // made anew), stored with the index to be rebuilt, or not stored.
    void aSaveReportsWhatBecameOfRecordAndIndex_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("added");
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<QString>("lastMessage");
        QTest::newRow("index missing") << "remove" << int(Outcome::Stored) << 1 << true
                                       << customers::CustInfoModel::kRecordAdded;
        QTest::newRow("index cannot be written")
            << "folder" << int(Outcome::Stored) << 1 << false
            << "The name index Saved.idx could not be rebuilt.\n"
               "Saved.idx: a folder, not an index file\n"
               "The record is stored; the index is rebuilt from the table the next time the "
               "customers are listed or searched.";
        QTest::newRow("table without NAME") << "descriptor" << int(Outcome::Failed) << 0 << false
                                            << "The customer table cannot be used: it has no "
                                               "field NAME.\nFile: Saveddb.dbf";
    }

    void aSaveReportsWhatBecameOfRecordAndIndex()
    {
        QFETCH(QString, damage);
        QFETCH(int, outcome);
        QFETCH(int, added);
        QFETCH(bool, indexed);
        QFETCH(QString, lastMessage);
        const auto index = storage::findFile(path_, storage::files::kSavedIndex);
        std::filesystem::remove(index);
        if (damage == "folder")
            std::filesystem::create_directory(index);
        if (damage == "descriptor") {
            QFile table(QString::fromStdString((path_ / "Saveddb.dbf").string()));
            QVERIFY(table.open(QIODevice::ReadWrite) && table.seek(32));
            table.write("N\xffME");
        }
        const std::size_t before = storedCount();
        customers::CustInfoModel entry(path_, sink_);
        const bool opened =
            entry.open(window_->setup(), selection::pageKey(window_->form()), "12/08/26");
        for (const auto& [field, text] : test::address("Nia"))
            entry.changeDetail(field, text);
        QCOMPARE(int(opened ? entry.saveRecord() : Outcome::Failed), outcome);
        QCOMPARE(entry.indexed(), indexed);
        QCOMPARE(QString::fromStdString(sink_.texts().back()), lastMessage);
        QCOMPARE(storedCount(), before + added);
        QCOMPARE(sink_.errorCount(),
                 entry.state() == customers::CustInfoModel::State::Stored ? 0 : 1);
        if (entry.indexed()) {
            storage::Table byName(path_);
            byName.open(storage::files::kSavedSetups);
            byName.indexOpen(storage::files::kSavedIndex);
            QVERIFY(byName.seek("NIA"));
        }
    }

    // Save Setup refuses a setup that no recall could use: the window does not open.
    void aSetupNoRecallCouldUseIsRefused()
    {
        test::showSetup(*window_, test::setupOf(Page::Hunt, "BowWeightSpin=6a"));
        const std::size_t before = storedCount();
        customers::CustInfoModel entry(path_, sink_);
        QVERIFY(!entry.open(window_->setup(), selection::pageKey(window_->form()), "12/08/26"));
        QCOMPARE(sink_.texts(), texts({"'6a' is not a valid integer value"}));
        QCOMPARE(storedCount(), before);
    }

    void shopRecordIsEditedBesideTheSheetsHandles()
    {
        std::vector<std::unique_ptr<storage::Table>> sheets;
        for (int i = 0; i < 4; ++i) {
            sheets.push_back(std::make_unique<storage::Table>(path_));
            sheets.back()->open(storage::files::kShopInfo);
        }
        customers::ShopInfModel shop(path_, sink_);
        QVERIFY(shop.open());
        const auto status = [&] { return shop.form()[shop.kStatusLabel].text; };
        QVERIFY(shop.save()); // right after opening: posts the record unchanged
        QCOMPARE(status(), shop.kSavedStatus);
        QVERIFY(!shop.save()); // a notice, not an error: the record holds what is shown
        QCOMPARE(status(), "");
        QCOMPARE(sink_.texts(), texts({"Dataset not in edit or insert mode"}));
        shop.changeField("NAME", "Arrow Barn & Range");
        shop.changeField("PHONE", "555-0101");
        QVERIFY(shop.save());
        QCOMPARE(status(), shop.kSavedStatus);
        shop.changeField("PHONE", "555-9999"); // typed, never saved
        QCOMPARE(status(), "");
        shop.exit();
        for (const auto& sheet : sheets) {
            sheet->goTop();
            QCOMPARE(test::trimmed(sheet->getString("NAME")), std::string("Arrow Barn & Range"));
            QCOMPARE(test::trimmed(sheet->getString("PHONE")), std::string("555-0101"));
        }
        QCOMPARE(sink_.errorCount(), 0);
    }

    void anEmptyShopTableStartsItsRecord()
    {
        std::vector<storage::FieldDef> fields;
        {
            storage::Table table(path_);
            table.open(storage::files::kShopInfo);
            fields = table.fields();
        }
        std::filesystem::remove(storage::findFile(path_, storage::files::kShopInfo));
        storage::createTable(path_, storage::files::kShopInfo, fields);
        customers::ShopInfModel shop(path_, sink_);
        QVERIFY(shop.open());
        QCOMPARE(shop.form()["ShopNameEdit"].text, std::string());
        shop.changeField("CITY", "Kingston");
        QVERIFY(shop.save());
        storage::Table table(path_);
        table.open(storage::files::kShopInfo);
        QCOMPARE(table.recordCount(), 1u);
        QCOMPARE(test::trimmed(table.getString("CITY")), std::string("Kingston"));
    }

    // In the order of saving, with no index, after a name was corrected.
    void exportKeepsTheOrderOfSaving()
    {
        const std::size_t before = storedCount();
        for (const char* name : {"Zed", "Adam", "Mike"})
            QCOMPARE(test::saveCustomer(path_, window_->form(), test::address(name), sink_),
                     Outcome::Stored);
        std::filesystem::remove(storage::findFile(path_, storage::files::kSavedIndex));
        {
            storage::Table table(path_);
            table.open(storage::files::kSavedSetups);
            table.go(static_cast<std::uint32_t>(before + 1));
            table.edit();
            table.setField("NAME", "Aaron");
            table.post();
        }
        sink_.clear();
        customers::SavedSetups mainWindowHandles(path_);
        QVERIFY(customers::exportCustomerDatabase(mainWindowHandles.ExportTbl(), sink_));
        QCOMPARE(sink_.texts(), texts({"File CUSTDB.TXT has been created"}));
        QVERIFY(!mainWindowHandles.ExportTbl().isOpen());
        QFile file(folder_->filePath("custdb.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(
            lines.front().startsWith("\xef\xbb\xbfNAME,ADDR1,ADDR2,CITY,STATE,ZIP,COUNTRY,CCODE,"
                                     "COMMENTS,DATE,BOWWT,ARLEN,PNTWT,HORT,BOTYP,WHTYP,"
                                     "RETYP,BOLEN,ODLEN\r"));
        QCOMPARE(lines.size(), qsizetype(before + 5)); // heading, rows, the empty end
        QVERIFY(lines[before + 1].startsWith("\"Aaron\","));
        QVERIFY(lines[before + 2].startsWith("\"Adam\","));
        QVERIFY(lines[before + 3].startsWith("\"Mike\","));
    }
};

QTEST_GUILESS_MAIN(TestCustomerRecords)
#include "tst_customer_records.moc"
