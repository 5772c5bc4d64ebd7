// The customer record models without windows: composing a record from the
// main window's setup, the required details, the shop's own record and the
// export, on a copy of the program's folder.

#include "../app/AppTestSupport.h"
#include "CustomerTestSupport.h"

#include "customers/CustomerExport.h"
#include "customers/ShopInfModel.h"

#include <QFile>
#include <QtTest>

using namespace qw;
using selection::Page;
using selection::SetupEntry;
using selection::SetupGroup;
using Outcome = customers::CustInfoModel::SaveOutcome;

Q_DECLARE_METATYPE(qw::test::SetupOnPage)
Q_DECLARE_METATYPE(qw::test::Fields)

namespace {

QByteArray fileBytes(const std::filesystem::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<std::string> texts(std::initializer_list<const char*> list)
{
    return {list.begin(), list.end()};
}

} // namespace

class TestCustomerRecords : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramFolderCopy> folder_;
    std::filesystem::path path_;
    test::RecordingSink windowSink_;
    test::RecordingSink sink_;
    std::unique_ptr<selection::SelectionModel> window_;

    std::size_t storedCount() { return test::storedRecords(path_).size(); }

private slots:
    void init()
    {
        folder_ = std::make_unique<test::ProgramFolderCopy>();
        path_ = folder_->path();
        window_ = std::make_unique<selection::SelectionModel>(path_, windowSink_);
        window_->findRec();
        sink_.clear();
    }

    void setupIsStoredAsThePageShowsIt_data()
    {
        QTest::addColumn<test::SetupOnPage>("setup");
        QTest::addColumn<test::Fields>("stored");
        QTest::addColumn<test::Fields>("shown");
        using E = SetupEntry;
        using G = SetupGroup;
        QTest::newRow("hunting compound: the cam of HuntCamType")
            << test::SetupOnPage{Page::Hunt,
                                 {{E::BowWeight, "65"},
                                  {E::ArrowLength, "29"},
                                  {E::PointWeight, "125"}},
                                 {{G::HuntCamType, 1},
                                  {G::WheelType, 2},
                                  {G::ReleaseType, 1},
                                  {G::BraceHt, 1},
                                  {G::OverDraw, 3}}}
            << test::Fields{{"BOWWT", "65"}, {"ARLEN", "29"}, {"PNTWT", "125"},
                            {"HORT", "0"},   {"BOTYP", "0"},  {"WHTYP", "1"},
                            {"RETYP", "1"},  {"BOLEN", "1"},  {"ODLEN", "3"}}
            << test::Fields{{"Label24", "65#"},           {"Label25", "29\""},
                            {"Label27", "125gr"},         {"Label9", "Compound"},
                            {"Label10", "Medium"},        {"Label12", "Fingers"},
                            {"Label15", "Under 6.5\""},   {"Label16", "3\""},
                            {"Label17", "Hunting Shafts"}};
        QTest::newRow("hunting longbow: N/A, codes kept")
            << test::SetupOnPage{Page::Hunt,
                                 {},
                                 {{G::BowType, 2},
                                  {G::HuntCamType, 1},
                                  {G::WheelType, 2},
                                  {G::ReleaseType, 1},
                                  {G::OverDraw, 2}}}
            << test::Fields{{"HORT", "0"},  {"BOTYP", "2"}, {"WHTYP", "1"},
                            {"RETYP", "1"}, {"BOLEN", "0"}, {"ODLEN", "2"}}
            << test::Fields{{"Label9", "Longbow"}, {"Label10", "N/A"},
                            {"Label12", "N/A"},    {"Label15", "N/A"},
                            {"Label16", "N/A"},    {"Label17", "Hunting Shafts"}};
        QTest::newRow("target recurve: N/A four times, codes kept")
            << test::SetupOnPage{Page::Targ,
                                 {},
                                 {{G::TargBowType, 1},
                                  {G::WheelType, 2},
                                  {G::HuntCamType, 1},
                                  {G::BraceHt, 1},
                                  {G::OverDraw, 4}}}
            << test::Fields{{"HORT", "1"},  {"BOTYP", "1"}, {"WHTYP", "2"},
                            {"RETYP", "0"}, {"BOLEN", "1"}, {"ODLEN", "4"}}
            << test::Fields{{"Label9", "Recurve"}, {"Label10", "N/A"},
                            {"Label12", "N/A"},    {"Label15", "N/A"},
                            {"Label16", "N/A"},    {"Label17", "Target Shafts"}};
        QTest::newRow("target compound: the cam of WheelType")
            << test::SetupOnPage{Page::Targ,
                                 {},
                                 {{G::BowType, 2}, {G::WheelType, 2}, {G::HuntCamType, 1}}}
            << test::Fields{{"HORT", "1"}, {"BOTYP", "0"}, {"WHTYP", "2"}}
            << test::Fields{
                   {"Label9", "Compound"}, {"Label10", "Soft"}, {"Label17", "Target Shafts"}};
        QTest::newRow("kavel: bow type of TargBowType, cam of HuntCamType")
            << test::SetupOnPage{Page::Kavl,
                                 {},
                                 {{G::BowType, 2}, {G::HuntCamType, 1}, {G::WheelType, 2}}}
            << test::Fields{{"HORT", "2"}, {"BOTYP", "0"}, {"WHTYP", "1"}}
            << test::Fields{
                   {"Label9", "Compound"}, {"Label10", "Medium"}, {"Label17", "Kavel Shafts"}};
        QTest::newRow("youth: family 3 and the youth entries")
            << test::SetupOnPage{Page::Youth,
                                 {{E::YouthBowWeight, "35"},
                                  {E::YouthArrowLength, "26"},
                                  {E::BowWeight, "70"},
                                  {E::ArrowLength, "31"}},
                                 {{G::BowType, 1}, {G::WheelType, 1}}}
            << test::Fields{{"BOWWT", "35"},
                            {"ARLEN", "26"},
                            {"HORT", "3"},
                            {"BOTYP", "1"},
                            {"WHTYP", "1"}}
            << test::Fields{{"Label24", "35#"},
                            {"Label25", "26\""},
                            {"Label9", "Compound"},
                            {"Label10", "Medium"},
                            {"Label17", "Youth Shafts"}};
    }

    void setupIsStoredAsThePageShowsIt()
    {
        QFETCH(test::SetupOnPage, setup);
        QFETCH(test::Fields, stored);
        QFETCH(test::Fields, shown);
        test::showSetup(*window_, setup);
        customers::CustInfoModel entry(path_, sink_);
        QVERIFY(entry.open(window_->form(), "12/31/26"));
        for (const auto& [label, text] : shown)
            QCOMPARE(entry.form()[label].text, text);
        for (const auto& [field, text] : test::address("Ada"))
            entry.changeDetail(field, text);
        QCOMPARE(entry.saveRecord(), Outcome::Stored);
        const test::Fields record = test::storedRecords(path_).back();
        for (const auto& [field, text] : stored)
            QCOMPARE(record.at(field), text);
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
    // the second press stores exactly one record that the index finds.
    void saveIsRefusedUntilTheAddressIsComplete()
    {
        QFETCH(QString, missing);
        const std::size_t before = storedCount();
        customers::CustInfoModel entry(path_, sink_);
        QVERIFY(entry.open(window_->form()));
        const test::Fields details = {{"NAME", "Q"}, {"ADDR1", "1"}, {"CITY", "c"}, {"STATE", "s"}};
        for (const auto& [field, text] : details)
            if (field != missing.toStdString())
                entry.changeDetail(field, text);
        QCOMPARE(entry.saveRecord(), Outcome::Refused);
        QCOMPARE(storedCount(), before);
        entry.changeDetail(missing.toStdString(), details.at(missing.toStdString()));
        QCOMPARE(entry.saveRecord(), Outcome::Stored);
        QCOMPARE(sink_.texts(), texts({customers::CustInfoModel::kIncompleteAddress,
                                       customers::CustInfoModel::kRecordAdded}));
        QCOMPARE(storedCount(), before + 1);
        const test::Fields record = test::storedRecords(path_).back();
        QCOMPARE(record.at("STATE"), std::string("S"));
        storage::Table byName(path_);
        byName.open(customers::kSavedSetupsFile);
        byName.indexOpen(customers::kSavedIndexFile);
        QVERIFY(byName.seek("Q"));
        QCOMPARE(byName.recordNumber(), static_cast<std::uint32_t>(before + 1));
    }

    void closeStoresNothingAndTheNextOpeningStartsEmpty()
    {
        const std::size_t before = storedCount();
        {
            customers::CustInfoModel entry(path_, sink_);
            QVERIFY(entry.open(window_->form()));
            entry.changeDetail("NAME", "Left Without Saving");
            entry.close();
        }
        QCOMPARE(storedCount(), before);
        customers::CustInfoModel again(path_, sink_);
        QVERIFY(again.open(window_->form()));
        QCOMPARE(again.form()["NameEdit"].text, std::string());
        QCOMPARE(again.pendingText("NAME"), std::string());
        QVERIFY(sink_.messages.empty());
    }

    void stateTurnsIntoCapitalsAndCommentsKeepTheirLines()
    {
        customers::CustInfoModel entry(path_, sink_);
        QVERIFY(entry.open(window_->form()));
        test::Fields details = test::address("Zoë Ångström");
        details["COMMENTS"] = "Left-handed.\nWants \"fast\" cams.";
        for (const auto& [field, text] : details)
            entry.changeDetail(field, text);
        QCOMPARE(entry.changeDetail("STATE", "qc é-ß"), std::string("QC É-ß"));
        QCOMPARE(entry.form()["StateEdit"].text, std::string("QC É-ß"));
        QCOMPARE(entry.saveRecord(), Outcome::Stored);
        const test::Fields record = test::storedRecords(path_).back();
        QCOMPARE(record.at("NAME"), std::string("Zoë Ångström"));
        QCOMPARE(record.at("STATE"), std::string("QC É-ß"));
        QCOMPARE(record.at("COMMENTS"), std::string("Left-handed.\r\nWants \"fast\" cams."));
    }

    // A missing index does not lose the record: it is stored, and the
    // storage layer's message says why the index was not rebuilt.
    void aMissingIndexLeavesTheRecordStored()
    {
        std::filesystem::remove(storage::findFile(path_, customers::kSavedIndexFile));
        const std::size_t before = storedCount();
        QCOMPARE(test::saveCustomer(path_, window_->form(), test::address("Nia"), sink_),
                 Outcome::Stored);
        QCOMPARE(storedCount(), before + 1);
        QCOMPARE(sink_.errorCount(), 1);
        QVERIFY(
            QString::fromStdString(sink_.texts().front()).startsWith("Index file does not exist."));
    }

    void shopRecordIsEditedBesideTheSheetsHandles()
    {
        std::vector<std::unique_ptr<storage::Table>> sheets;
        for (int i = 0; i < 4; ++i) {
            sheets.push_back(std::make_unique<storage::Table>(path_));
            sheets.back()->open(customers::kShopInfoFile);
        }
        customers::ShopInfModel shop(path_, sink_);
        QVERIFY(shop.open());
        QVERIFY(shop.save()); // right after opening: posts the record unchanged
        QVERIFY(!shop.save());
        QCOMPARE(sink_.texts(), texts({"Dataset not in edit or insert mode"}));
        shop.changeField("NAME", "Arrow Barn & Range");
        shop.changeField("PHONE", "555-0101");
        QVERIFY(shop.save());
        shop.changeField("PHONE", "555-9999"); // typed, never saved
        shop.exit();
        for (const auto& sheet : sheets) {
            sheet->goTop();
            QCOMPARE(test::trimmed(sheet->getString("NAME")), std::string("Arrow Barn & Range"));
            QCOMPARE(test::trimmed(sheet->getString("PHONE")), std::string("555-0101"));
        }
        QCOMPARE(sink_.errorCount(), 1);
    }

    void anEmptyShopTableStartsItsRecord()
    {
        std::vector<storage::FieldDef> fields;
        {
            storage::Table table(path_);
            table.open(customers::kShopInfoFile);
            fields = table.fields();
        }
        std::filesystem::remove(storage::findFile(path_, customers::kShopInfoFile));
        storage::createTable(path_, customers::kShopInfoFile, fields);
        customers::ShopInfModel shop(path_, sink_);
        QVERIFY(shop.open());
        QCOMPARE(shop.form()["ShopNameEdit"].text, std::string());
        shop.changeField("CITY", "Kingston");
        QVERIFY(shop.save());
        storage::Table table(path_);
        table.open(customers::kShopInfoFile);
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
        std::filesystem::remove(storage::findFile(path_, customers::kSavedIndexFile));
        {
            storage::Table table(path_);
            table.open(customers::kSavedSetupsFile);
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
        const QList<QByteArray> lines = fileBytes(path_ / "custdb.txt").split('\n');
        QVERIFY(
            lines.front().startsWith("\xef\xbb\xbfNAME,ADDR1,ADDR2,CITY,STATE,ZIP,COUNTRY,CCODE,"
                                     "COMMENTS,DATE,BOWWT,ARLEN,PNTWT,HORT,BOTYP,WHTYP,"
                                     "RETYP,BOLEN,ODLEN\r"));
        QCOMPARE(lines.size(), qsizetype(before + 5)); // heading, rows, the empty end
        QVERIFY(lines[before + 1].startsWith("\"Aaron\","));
        QVERIFY(lines[before + 2].startsWith("\"Adam\","));
        QVERIFY(lines[before + 3].startsWith("\"Mike\","));
    }

    void exportReportsAFolderItCannotWrite()
    {
        storage::Table exportTbl(path_);
        QVERIFY(!customers::exportCustomerDatabase(exportTbl, sink_, "no-such-folder/custdb.txt"));
        QCOMPARE(sink_.errorCount(), 1);
        QCOMPARE(sink_.messages.size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestCustomerRecords)
#include "tst_customer_records.moc"
