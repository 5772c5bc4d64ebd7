// Finding a customer and recalling the saved setup into the main window's
// model, on a copy of the program folder with records written through the
// storage layer.

#include "RetrievalFixture.h"

#include "customers/CustomerRetrieval.h"
#include "selection/Pages.h"
#include "selection/SelectionModel.h"

#include <QProcess>
#include <QtTest>

#include <memory>

using namespace qw;
using customers::CustomerRetrieval;
using selection::Page;
using selection::SetupEntry;
using selection::SetupGroup;
using selection::SetupInputs;
using test::customer;
using test::Fields;

Q_DECLARE_METATYPE(Fields)
Q_DECLARE_METATYPE(SetupInputs)

namespace {

// The main window after start-up and the retrieval window over one folder.
struct Session {
    explicit Session(const test::CustomerFolder& folder)
        : mainWindow(folder.path(), mainMessages), retrieval(folder.path(), mainWindow, messages)
    {
        mainWindow.findRec();
        mainMessages.clear();
    }
    std::string shownName() const { return retrieval.form()["NameEdit"].text; }
    std::string label(const char* name) const { return retrieval.form()[name].text; }

    test::RecordingSink mainMessages;
    selection::SelectionModel mainWindow;
    test::RecordingSink messages;
    CustomerRetrieval retrieval;
};

SetupInputs startingSetup()
{
    SetupInputs setup;
    setup.entries = {"60", "30", "30", "25", "100"};
    return setup;
}

} // namespace

class TestRetrieval : public QObject {
    Q_OBJECT
private slots:
    void navigatorWithOneRecordStaysOnIt();
    void searchFindsByFirstLetters_data();
    void searchFindsByFirstLetters();
    void summaryShowsTheSetupInWords();
    void summaryIsNeverHalfUpdated_data();
    void summaryIsNeverHalfUpdated();
    void returnDataRecallsTheSetup_data();
    void returnDataRecallsTheSetup();
    void returnDataRefusesAndChangesNothing_data();
    void returnDataRefusesAndChangesNothing();
    void searchFindsCustomersTheIndexMissed_data();
    void searchFindsCustomersTheIndexMissed();
    void correctedNameIsPostedAndFound();
};

void TestRetrieval::navigatorWithOneRecordStaysOnIt()
{
    test::CustomerFolder folder;
    folder.add({customer("Only, One")});
    Session s(folder);
    QVERIFY(s.retrieval.open());
    const auto enabled = [&](const char* button) { return s.retrieval.form()[button].enabled; };
    QCOMPARE(s.shownName(), "Only, One");
    QVERIFY(!enabled("NavFirst") && !enabled("NavPrior") && enabled("NavNext"));
    for (auto step : {&CustomerRetrieval::next, &CustomerRetrieval::last,
                      &CustomerRetrieval::previous, &CustomerRetrieval::first}) {
        (s.retrieval.*step)();
        QCOMPARE(s.shownName(), "Only, One");
        QCOMPARE(s.retrieval.recordNumber(), 1u);
    }
    s.retrieval.next();
    QVERIFY(enabled("NavFirst") && !enabled("NavNext") && !enabled("NavLast"));
    QVERIFY(s.messages.messages.empty());
}

void TestRetrieval::searchFindsByFirstLetters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("found");
    QTest::newRow("two letters") << "Jo"
                                 << "Johnson, Al" << true;
    QTest::newRow("letter case ignored") << "jON"
                                         << "Jones, Bo" << true;
    QTest::newRow("accented capital") << "Élan"
                                      << "élan, Zoé" << true;
    QTest::newRow("miss shows the first") << "Xy"
                                          << "Adams, Kim" << false;
    QTest::newRow("longer than any name") << QString(45, 'A') << "Adams, Kim" << false;
    QTest::newRow("empty text or Cancel") << ""
                                          << "Adams, Kim" << true;
}

void TestRetrieval::searchFindsByFirstLetters()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(bool, found);
    test::CustomerFolder folder;
    folder.add({customer("Smith, Ann"), customer("Jones, Bo"), customer("élan, Zoé"),
                customer("Johnson, Al"), customer("Adams, Kim")});
    Session s(folder);
    QVERIFY(s.retrieval.open());
    s.retrieval.last();
    QCOMPARE(s.retrieval.search(text.toStdString()), found);
    QCOMPARE(QString::fromStdString(s.shownName()), shown);
    QCOMPARE(s.messages.texts(),
             found ? std::vector<std::string>{} : std::vector<std::string>{"Name not found"});
    QCOMPARE(s.messages.errorCount(), 0);
}

void TestRetrieval::summaryShowsTheSetupInWords()
{
    test::CustomerFolder folder;
    folder.add({customer("A", {{"BOWWT", "62"},
                               {"ARLEN", "29"},
                               {"PNTWT", "125"},
                               {"BOTYP", "2"},
                               {"WHTYP", "1"},
                               {"RETYP", "1"},
                               {"BOLEN", "1"},
                               {"ODLEN", "5"}}),
                customer("B", {{"HORT", "3"}, {"WHTYP", "2"}, {"ODLEN", "2"}}),
                customer("C", {{"HORT", ""}, {"BOTYP", "7"}}),
                customer("D", {{"HORT", "2"}, {"BOTYP", "1"}})});
    Session s(folder);
    QVERIFY(s.retrieval.open());
    using Words = customers::SetupWords;
    QCOMPARE(s.retrieval.words(), (Words{"62#", "29\"", "125Gr", "Hunting Shafts", "Longbow",
                                         "Medium", "Fingers", "Under 6.5\"", "5\""}));
    s.retrieval.next();
    QCOMPARE(s.retrieval.words(), (Words{"60#", "30\"", "100Gr", "Youth Shafts", "Compound", "Soft",
                                         "Mechanical", "Over 6.5\"", "2\""}));
    // An earlier version's youth setup; a bow type outside its row keeps the word.
    s.retrieval.next();
    QCOMPARE(s.label("Label17"), "Youth Shafts");
    QCOMPARE(s.label("Label9"), "Compound");
    s.retrieval.next();
    QCOMPARE(s.label("Label17"), "Kavel Shafts");
    QCOMPARE(s.label("Label9"), "Recurve");
    QCOMPARE(s.label("Label27"), "100Gr");
    QVERIFY(s.messages.messages.empty());
}

void TestRetrieval::summaryIsNeverHalfUpdated_data()
{
    QTest::addColumn<Fields>("bad");
    QTest::addColumn<QString>("message");
    QTest::newRow("letter in a code") << customer("Baker", {{"BOWWT", "70"}, {"ODLEN", "x"}})
                                      << "'x' is not a valid integer value";
    QTest::newRow("empty code") << customer("Baker", {{"BOWWT", "70"}, {"RETYP", ""}})
                                << "'' is not a valid integer value";
}

void TestRetrieval::summaryIsNeverHalfUpdated()
{
    QFETCH(Fields, bad);
    QFETCH(QString, message);
    test::CustomerFolder folder;
    folder.add({customer("Adams", {{"HORT", "1"}, {"BOTYP", "1"}}), bad});
    Session s(folder);
    QVERIFY(s.retrieval.open());
    const customers::SetupWords adams = s.retrieval.words();
    QVERIFY(!s.retrieval.search("Ba"));
    QCOMPARE(s.shownName(), "Baker");
    QCOMPARE(s.retrieval.words(), adams);
    QCOMPARE(s.label("Label24"), "60#");
    s.retrieval.first();
    s.retrieval.next(); // browsing onto it
    QCOMPARE(s.retrieval.words(), adams);
    QCOMPARE(s.messages.texts(), std::vector<std::string>(2, message.toStdString()));
    QCOMPARE(s.messages.errorCount(), 2);
}

void TestRetrieval::returnDataRecallsTheSetup_data()
{
    QTest::addColumn<Fields>("record");
    QTest::addColumn<SetupInputs>("recalled");
    const auto expect = [](Page page, std::vector<std::pair<SetupGroup, int>> items,
                           std::vector<std::pair<SetupEntry, std::string>> texts = {}) {
        SetupInputs setup = startingSetup();
        setup.page = page;
        setup.item(SetupGroup::HuntCamType) = 1; // what the main window held
        for (const auto& [group, item] : items)
            setup.item(group) = item;
        for (const auto& [entry, text] : texts)
            setup.text(entry) = text;
        return setup;
    };
    QTest::newRow("target compound switches the page")
        << customer("R", {{"HORT", "1"}, {"BOWWT", "55"}})
        << expect(Page::Targ, {{SetupGroup::HuntCamType, 1}}, {{SetupEntry::BowWeight, "55"}});
    QTest::newRow("longbow in the two-item group is recurve")
        << customer("R", {{"BOTYP", "2"}, {"BOLEN", "1"}, {"ODLEN", "3"}, {"RETYP", "1"}})
        << expect(Page::Hunt, {{SetupGroup::BowType, 2},
                               {SetupGroup::TargBowType, 1},
                               {SetupGroup::HuntCamType, 0},
                               {SetupGroup::BraceHt, 1},
                               {SetupGroup::OverDraw, 3},
                               {SetupGroup::ReleaseType, 1}});
    QTest::newRow("hunting cam from the wheel code")
        << customer("R", {{"WHTYP", "0"}}) << expect(Page::Hunt, {{SetupGroup::HuntCamType, 0}});
    QTest::newRow("kavel cam clamped to its two items")
        << customer("R", {{"HORT", "2"}, {"WHTYP", "2"}, {"ARLEN", "28"}})
        << expect(Page::Kavl, {{SetupGroup::HuntCamType, 1}, {SetupGroup::WheelType, 2}},
                  {{SetupEntry::ArrowLength, "28"}});
    QTest::newRow("target keeps the hunting cam")
        << customer("R", {{"HORT", "1"}, {"WHTYP", "0"}})
        << expect(Page::Targ, {{SetupGroup::HuntCamType, 1}});
    QTest::newRow("youth entries, adult ones kept")
        << customer("R", {{"HORT", "3"}, {"BOWWT", "35"}, {"ARLEN", "24"}, {"PNTWT", "85"}})
        << expect(Page::Youth, {},
                  {{SetupEntry::YouthBowWeight, "35"},
                   {SetupEntry::YouthArrowLength, "24"},
                   {SetupEntry::PointWeight, "85"}});
    QTest::newRow("unknown family keeps the page")
        << customer("R", {{"HORT", "7"}, {"PNTWT", "125"}})
        << expect(Page::Hunt, {{SetupGroup::HuntCamType, 1}}, {{SetupEntry::PointWeight, "125"}});
    QTest::newRow("equal weights change nothing")
        << customer("R", {{"WHTYP", "1"}}) << expect(Page::Hunt, {{SetupGroup::WheelType, 1}});
}

void TestRetrieval::returnDataRecallsTheSetup()
{
    QFETCH(Fields, record);
    QFETCH(SetupInputs, recalled);
    test::CustomerFolder folder;
    folder.add({record});
    Session s(folder);
    s.mainWindow.clickItem(SetupGroup::HuntCamType, 1);
    QVERIFY(s.retrieval.open());
    int changes = 0;
    s.mainWindow.setChangedCallback([&] { ++changes; });
    QVERIFY(s.retrieval.returnData());
    QCOMPARE(s.mainWindow.setup(), recalled);
    QVERIFY(!s.retrieval.isOpen());
    // One change and one run for the new setup, with the grid of its page.
    QCOMPARE(s.mainWindow.form()["TmpLbl2"].text,
             std::string(selection::pageInfo(recalled.page).key));
    QVERIFY(s.mainWindow.lastRun().ran);
    QVERIFY(changes <= 2); // field by field, every changed input would notify and run
    QVERIFY(s.messages.messages.empty());
    QVERIFY(s.mainMessages.messages.empty());
}

void TestRetrieval::returnDataRefusesAndChangesNothing_data()
{
    QTest::addColumn<Fields>("record");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("error");
    QTest::newRow("earlier version's youth setup") << customer("R", {{"HORT", ""}, {"BOWWT", "70"}})
                                                   << customers::kEarlierYouthSetupMessage << false;
    QTest::newRow("last code not a whole number")
        << customer("R", {{"HORT", "1"}, {"BOWWT", "70"}, {"ODLEN", "?"}})
        << "'?' is not a valid integer value" << true;
    QTest::newRow("weight not a whole number") << customer("R", {{"HORT", "1"}, {"PNTWT", "1O0"}})
                                               << "'1O0' is not a valid integer value" << true;
    QTest::newRow("family not a whole number")
        << customer("R", {{"HORT", "T"}}) << "'T' is not a valid integer value" << true;
}

void TestRetrieval::returnDataRefusesAndChangesNothing()
{
    QFETCH(Fields, record);
    QFETCH(QString, message);
    QFETCH(bool, error);
    test::CustomerFolder folder;
    folder.add({record});
    Session s(folder);
    s.mainWindow.changePage(Page::Kavl);
    QVERIFY(s.retrieval.open());
    s.messages.clear();
    const SetupInputs before = s.mainWindow.setup();
    int changes = 0;
    s.mainWindow.setChangedCallback([&] { ++changes; });
    QVERIFY(!s.retrieval.returnData());
    QCOMPARE(s.mainWindow.setup(), before);
    QCOMPARE(changes, 0);
    QVERIFY(s.retrieval.isOpen());
    QCOMPARE(s.messages.texts(), std::vector<std::string>{message.toStdString()});
    QCOMPARE(s.messages.errorCount(), error ? 1 : 0);
}

void TestRetrieval::searchFindsCustomersTheIndexMissed_data()
{
    QTest::addColumn<bool>("byPerl");
    QTest::newRow("crash between the append and the rebuild") << false;
    QTest::newRow("appended by Perl XBase while the window is open") << true;
}

void TestRetrieval::searchFindsCustomersTheIndexMissed()
{
    QFETCH(bool, byPerl);
    test::CustomerFolder folder;
    folder.add({customer("Adams, Kim"), customer("Moss, Lee")});
    Session s(folder);
    if (!byPerl)
        folder.add({customer("Zimmer, Eva", {{"HORT", "1"}})}, false);
    QVERIFY(s.retrieval.open());
    if (byPerl) {
        QProcess perl;
        perl.start("/usr/bin/perl", {QW_SOURCE_DIR "/tests/customers/xbase_append.pl",
                                     folder.filePath("Saveddb.dbf"), "Zimmer, Eva", "1 Elm St",
                                     "Oslo", "NY", "1", "58", "29", "100"});
        QVERIFY(perl.waitForFinished(60000));
        QCOMPARE(perl.exitCode(), 0);
    }
    QVERIFY(s.retrieval.search("Zi"));
    QCOMPARE(s.shownName(), "Zimmer, Eva");
    QCOMPARE(s.label("Label17"), "Target Shafts");
    // The index now covers the table for every reader.
    storage::Table reader(folder.path());
    reader.open("Saveddb.dbf", storage::OpenMode::ReadOnly);
    reader.indexOpen("Saved.idx");
    QVERIFY(reader.seek("ZIMMER"));
    QCOMPARE(reader.recordNumber(), 3u);
    QVERIFY(s.messages.messages.empty());
}

void TestRetrieval::correctedNameIsPostedAndFound()
{
    test::CustomerFolder folder;
    folder.add({customer("Adams, Kim"), customer("Moss, Lee")});
    Session s(folder);
    QVERIFY(s.retrieval.open());
    s.retrieval.changeField("NameEdit", "Young, Kim");
    QCOMPARE(s.retrieval.editState(), storage::EditState::Edit);
    QVERIFY(s.retrieval.form()["NavPost"].enabled && !s.retrieval.form()["NavEdit"].enabled);
    s.retrieval.post();
    s.retrieval.first();
    QCOMPARE(s.shownName(), "Moss, Lee");
    QVERIFY(s.retrieval.search("You"));
    QCOMPARE(s.retrieval.recordNumber(), 1u);
    // A change dropped with cancel leaves the record as it was.
    s.retrieval.changeField("CityEdit", "Elsewhere");
    s.retrieval.cancel();
    QCOMPARE(s.retrieval.form()["CityEdit"].text, "Bowmont");
    s.retrieval.close();
    s.retrieval.open();
    QVERIFY(s.retrieval.search("Y"));
    QCOMPARE(s.retrieval.form()["CityEdit"].text, "Bowmont");
    QVERIFY(s.messages.messages.empty());
}

QTEST_GUILESS_MAIN(TestRetrieval)
#include "tst_retrieval.moc"
