// The Customer Information and Shop Information windows, on the real
// windows over a copy of the program folder; the main window's state is
// its model's.
#include "../customers/CustomerTestSupport.h"
#include "AppTestSupport.h"

#include "app/TCustInfo.h"
#include "app/TShopInf.h"
#include "widgets/CaptionButton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace qw;
using qw::test::child;
using selection::Page;
using selection::SetupGroup;

Q_DECLARE_METATYPE(qw::test::SetupOnPage)
Q_DECLARE_METATYPE(qw::test::Fields)

namespace {

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The objectNames that Tab visits from the focused control, count steps.
QStringList tabWalk(QWidget* window, int steps)
{
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    Q_UNUSED(window);
    return names;
}

QStringList summary(QWidget* window)
{
    QStringList texts;
    for (const char* label : {"Label9", "Label10", "Label12", "Label15", "Label16", "Label17"})
        texts << child<QLabel>(window, label)->text();
    return texts;
}

} // namespace

class TestCustomersSave : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramFolderCopy> folder_;
    test::RecordingSink windowSink_;
    test::RecordingSink sink_;
    std::unique_ptr<selection::SelectionModel> window_;

    std::filesystem::path path() const { return folder_->path(); }
    std::size_t stored() const { return test::storedRecords(path()).size(); }

private slots:
    void init()
    {
        folder_ = std::make_unique<test::ProgramFolderCopy>();
        window_ = std::make_unique<selection::SelectionModel>(path(), windowSink_);
        window_->findRec();
        sink_.clear();
    }

    void refusalThenExactlyOneRecord()
    {
        const std::size_t before = stored();
        app::TCustInfo entry(path(), window_->form(), sink_);
        QVERIFY(entry.opened());
        activate(&entry);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("NameEdit"));
        QTest::keyClicks(QApplication::focusWidget(), "Ann Archer");
        QTest::mouseClick(child<QAbstractButton>(&entry, "PostBtn"), Qt::LeftButton);
        QCOMPARE(sink_.texts(), std::vector<std::string>{"Incomplete address, cannot add record"});
        QVERIFY(entry.isVisible());
        QCOMPARE(stored(), before);
        QCOMPARE(child<QLineEdit>(&entry, "NameEdit")->text(), QString("Ann Archer"));
        QTest::keyClicks(child<QLineEdit>(&entry, "Addr1Edit"), "1 Nock St");
        QTest::keyClicks(child<QLineEdit>(&entry, "CityEdit"), "Kingston");
        QTest::keyClicks(child<QLineEdit>(&entry, "StateEdit"), "on");
        QCOMPARE(child<QLineEdit>(&entry, "StateEdit")->text(), QString("ON"));
        QTest::keyClicks(child<QPlainTextEdit>(&entry, "CommentsMemo"), "two");
        QTest::keyClick(child<QPlainTextEdit>(&entry, "CommentsMemo"), Qt::Key_Return);
        QTest::keyClicks(child<QPlainTextEdit>(&entry, "CommentsMemo"), "lines");
        QTest::mouseClick(child<QAbstractButton>(&entry, "PostBtn"), Qt::LeftButton);
        QCOMPARE(sink_.texts().back(), std::string("New record has been successfully added"));
        QCOMPARE(entry.result(), int(QDialog::Accepted));
        QVERIFY(!entry.isVisible());
        const auto records = test::storedRecords(path());
        QCOMPARE(records.size(), before + 1);
        QCOMPARE(records.back().at("NAME"), std::string("Ann Archer"));
        QCOMPARE(records.back().at("STATE"), std::string("ON"));
        QCOMPARE(records.back().at("COMMENTS"), std::string("two\r\nlines"));
    }

    void tabOrderDateAndColours()
    {
        app::TCustInfo entry(path(), window_->form(), sink_);
        activate(&entry);
        QCOMPARE(tabWalk(&entry, 8),
                 QStringList({"NameEdit", "Addr1Edit", "Addr2Edit", "CityEdit", "StateEdit",
                              "ZipEdit", "CountryEdit", "CCodeEdit", "CommentsMemo"}));
        auto* date = child<QLabel>(&entry, "DateText"); // a label: it cannot be edited
        QCOMPARE(date->text().toStdString(), customers::todayShortDate());
        QCOMPARE(entry.windowTitle(), QString("2011 Customer Information"));
        QCOMPARE(child<QWidget>(&entry, "TopPanel")->palette().color(QPalette::Window),
                 QColor(0xD1, 0x7B, 0x20));
        for (const char* name : {"PostBtn", "ExitBtn"}) {
            auto* button = child<widgets::CaptionButton>(&entry, name);
            QCOMPARE(button->fillColour(), QColor(Qt::black));
            QCOMPARE(button->fontColour(), QColor(0xF5, 0x7B, 0x20));
            QCOMPARE(button->hoverFillColour(), QColor(0xF5, 0x7B, 0x20));
            QCOMPARE(button->hoverFontColour(), QColor(Qt::black));
        }
    }

    void closeStoresNothing()
    {
        const std::size_t before = stored();
        {
            app::TCustInfo entry(path(), window_->form(), sink_);
            activate(&entry);
            QTest::keyClicks(child<QLineEdit>(&entry, "NameEdit"), "Gone Again");
            QTest::mouseClick(child<QAbstractButton>(&entry, "ExitBtn"), Qt::LeftButton);
            QCOMPARE(entry.result(), int(QDialog::Rejected));
        }
        QCOMPARE(stored(), before);
        app::TCustInfo next(path(), window_->form(), sink_);
        QCOMPARE(child<QLineEdit>(&next, "NameEdit")->text(), QString());
        QVERIFY(sink_.messages.empty());
    }

    void pagesShowTheirSummaryAndStoreEveryCode_data()
    {
        QTest::addColumn<test::SetupOnPage>("setup");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<test::Fields>("stored");
        QTest::newRow("target recurve")
            << test::SetupOnPage{Page::Targ,
                                 {},
                                 {{SetupGroup::TargBowType, 1},
                                  {SetupGroup::WheelType, 1},
                                  {SetupGroup::ReleaseType, 1},
                                  {SetupGroup::BraceHt, 1},
                                  {SetupGroup::OverDraw, 5}}}
            << QStringList{"Recurve", "N/A", "N/A", "N/A", "N/A", "Target Shafts"}
            << test::Fields{{"HORT", "1"},  {"BOTYP", "1"}, {"WHTYP", "1"},
                            {"RETYP", "1"}, {"BOLEN", "1"}, {"ODLEN", "5"}};
        QTest::newRow("youth")
            << test::SetupOnPage{Page::Youth,
                                 {{selection::SetupEntry::YouthBowWeight, "35"},
                                  {selection::SetupEntry::YouthArrowLength, "26"}},
                                 {{SetupGroup::BowType, 1}}}
            << QStringList{"Compound", "Hard", "Mechanical", "Over 6.5\"", "None", "Youth Shafts"}
            << test::Fields{{"HORT", "3"},
                            {"BOTYP", "1"},
                            {"BOWWT", "35"},
                            {"ARLEN", "26"},
                            {"PNTWT", "100"}};
    }

    void pagesShowTheirSummaryAndStoreEveryCode()
    {
        QFETCH(test::SetupOnPage, setup);
        QFETCH(QStringList, shown);
        QFETCH(test::Fields, stored);
        test::showSetup(*window_, setup);
        app::TCustInfo entry(path(), window_->form(), sink_);
        activate(&entry);
        QCOMPARE(summary(&entry), shown);
        for (const auto& [field, text] : test::address("Pat"))
            QTest::keyClicks(
                child<QLineEdit>(&entry, QString::fromStdString(std::string(
                                             customers::CustInfoModel::controlFor(field)))),
                QString::fromStdString(text));
        QTest::mouseClick(child<QAbstractButton>(&entry, "PostBtn"), Qt::LeftButton);
        const test::Fields record = test::storedRecords(path()).back();
        for (const auto& [field, text] : stored)
            QCOMPARE(record.at(field), text);
    }

    void shopWindowsSecondSaveIsRefused()
    {
        storage::Table sheet(path()); // a setup sheet's handle, open all along
        sheet.open(customers::kShopInfoFile);
        app::TShopInf shop(path(), sink_);
        QVERIFY(shop.opened());
        activate(&shop);
        QCOMPARE(shop.windowTitle(), QString("2010 Shop Information"));
        QCOMPARE(tabWalk(&shop, 10),
                 QStringList({"ShopNameEdit", "ShopAddr1Edit", "ShopAddr2Edit", "ShopCityEdit",
                              "ShopStateEdit", "ShopZipEdit", "ShopPhoneEdit", "ShopFaxEdit",
                              "ShopCommentsEdit", "ShopInfSaveBtn", "ShopInfExitBtn"}));
        auto* save = child<QAbstractButton>(&shop, "ShopInfSaveBtn");
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(sink_.messages.empty());
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(sink_.texts(), std::vector<std::string>{"Dataset not in edit or insert mode"});
        auto* phone = child<QLineEdit>(&shop, "ShopPhoneEdit");
        phone->selectAll();
        QTest::keyClicks(phone, "613-555-0199");
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(sink_.messages.size(), std::size_t(1));
        QVERIFY(shop.isVisible());
        sheet.goTop();
        QCOMPARE(test::trimmed(sheet.getString("PHONE")), std::string("613-555-0199"));
        QTest::keyClicks(phone, "-22");
        QTest::mouseClick(child<QAbstractButton>(&shop, "ShopInfExitBtn"), Qt::LeftButton);
        QVERIFY(!shop.isVisible());
        sheet.goTop();
        QCOMPARE(test::trimmed(sheet.getString("PHONE")), std::string("613-555-0199"));
    }
};

QTEST_MAIN(TestCustomersSave)
#include "tst_customers_save.moc"
