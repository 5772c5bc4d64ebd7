// The Customer Information and Shop Information windows, on the real
// windows over a copy of the program folder; the main window's state is
// its model's.
#include "../customers/CustomerTestSupport.h"
#include "AppTestSupport.h"
#include "storage/ProgramFiles.h"

#include "app/TCustInfo.h"
#include "app/TShopInf.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace qw;
using qw::test::child;

namespace {

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The objectNames that Tab visits from the focused control, count steps.
QStringList tabWalk(int steps)
{
    QStringList names{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

} // namespace

class TestCustomersSave : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TableFolderCopy> folder_;
    test::RecordingSink windowSink_;
    test::RecordingSink sink_;
    std::unique_ptr<selection::SelectionModel> window_;

    std::filesystem::path path() const { return folder_->path(); }
    std::size_t stored() const { return test::storedRecords(path()).size(); }

private slots:
    void init()
    {
        folder_ = std::make_unique<test::TableFolderCopy>();
        window_ = std::make_unique<selection::SelectionModel>(path(), windowSink_);
        window_->findRec();
        sink_.clear();
    }

    // The summary of a target recurve; a refused save keeps the window and
    // what was typed, the second stores exactly one record with every code.
    void refusalThenExactlyOneRecord()
    {
        test::showSetup(*window_,
                        test::setupOf(selection::Page::Targ, "TargBowType=1 WheelType=1 "
                                                             "ReleaseType=1 BraceHt=1 OverDraw=5"));
        const std::size_t before = stored();
        app::TCustInfo entry(path(), window_->setup(), window_->pageKey(), sink_);
        QVERIFY(entry.opened());
        activate(&entry);
        QStringList summary;
        for (const char* label : {"Label9", "Label10", "Label12", "Label15", "Label16", "Label17"})
            summary << child<QLabel>(&entry, label)->text();
        QCOMPARE(summary, QStringList({"Recurve", "N/A", "N/A", "N/A", "N/A", "Target Shafts"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("NameEdit"));
        QTest::keyClicks(QApplication::focusWidget(), "Ann Archer");
        QTest::mouseClick(child<QAbstractButton>(&entry, "PostBtn"), Qt::LeftButton);
        QCOMPARE(sink_.texts(), std::vector<std::string>{"Incomplete address, cannot add record"});
        QVERIFY(entry.isVisible());
        QCOMPARE(stored(), before);
        QCOMPARE(child<QLineEdit>(&entry, "NameEdit")->text(), QString("Ann Archer"));
        // The refusal marks the required fields still empty, until typed into.
        const auto marked = [&] {
            QStringList names;
            for (const QLineEdit* edit : entry.findChildren<QLineEdit*>())
                if (!edit->styleSheet().isEmpty() && !edit->toolTip().isEmpty())
                    names << edit->objectName();
            names.sort();
            return names;
        };
        QCOMPARE(marked(), QStringList({"Addr1Edit", "CityEdit", "StateEdit"}));
        QTest::keyClicks(child<QLineEdit>(&entry, "Addr1Edit"), "1 Nock St");
        QCOMPARE(marked(), QStringList({"CityEdit", "StateEdit"}));
        QTest::keyClicks(child<QLineEdit>(&entry, "CityEdit"), "Kingston");
        QTest::keyClicks(child<QLineEdit>(&entry, "StateEdit"), "on");
        QCOMPARE(child<QLineEdit>(&entry, "StateEdit")->text(), QString("ON"));
        auto* comments = child<QPlainTextEdit>(&entry, "CommentsMemo");
        QTest::keyClicks(comments, "two");
        QTest::keyClick(comments, Qt::Key_Return);
        QTest::keyClicks(comments, "lines");
        QTest::mouseClick(child<QAbstractButton>(&entry, "PostBtn"), Qt::LeftButton);
        QCOMPARE(sink_.texts().back(), std::string("New record has been successfully added"));
        QCOMPARE(entry.result(), int(QDialog::Accepted));
        QVERIFY(!entry.isVisible());
        const auto records = test::storedRecords(path());
        QCOMPARE(records.size(), before + 1);
        const test::Fields expected = {
            {"NAME", "Ann Archer"}, {"STATE", "ON"}, {"COMMENTS", "two\r\nlines"},
            {"HORT", "1"},          {"BOTYP", "1"},  {"WHTYP", "1"},
            {"RETYP", "1"},         {"BOLEN", "1"},  {"ODLEN", "5"}};
        for (const auto& [field, text] : expected)
            QCOMPARE(records.back().at(field), text);
    }

    void tabOrderAndDate()
    {
        app::TCustInfo entry(path(), window_->setup(), window_->pageKey(), sink_);
        activate(&entry);
        QCOMPARE(tabWalk(8),
                 QStringList({"NameEdit", "Addr1Edit", "Addr2Edit", "CityEdit", "StateEdit",
                              "ZipEdit", "CountryEdit", "CCodeEdit", "CommentsMemo"}));
        auto* date = child<QLabel>(&entry, "DateText"); // a label: it cannot be edited
        QCOMPARE(date->text().toStdString(), customers::todayShortDate());
    }

    void closeStoresNothing()
    {
        const std::size_t before = stored();
        {
            app::TCustInfo entry(path(), window_->setup(), window_->pageKey(), sink_);
            activate(&entry);
            QTest::keyClicks(child<QLineEdit>(&entry, "NameEdit"), "Gone Again");
            QTest::mouseClick(child<QAbstractButton>(&entry, "ExitBtn"), Qt::LeftButton);
            QCOMPARE(entry.result(), int(QDialog::Rejected));
        }
        QCOMPARE(stored(), before);
        app::TCustInfo next(path(), window_->setup(), window_->pageKey(), sink_);
        QCOMPARE(child<QLineEdit>(&next, "NameEdit")->text(), QString());
        QVERIFY(sink_.messages.empty());
    }

    // Save stores what was typed where a setup sheet's handle sees it and
    // keeps the window open; Exit drops what was typed since.
    void shopWindowSavesBesideTheSheetsHandle()
    {
        storage::Table sheet(path()); // a setup sheet's handle, open all along
        sheet.open(storage::files::kShopInfo);
        app::TShopInf shop(path(), sink_);
        QVERIFY(shop.opened());
        activate(&shop);
        QCOMPARE(tabWalk(10),
                 QStringList({"ShopNameEdit", "ShopAddr1Edit", "ShopAddr2Edit", "ShopCityEdit",
                              "ShopStateEdit", "ShopZipEdit", "ShopPhoneEdit", "ShopFaxEdit",
                              "ShopCommentsEdit", "ShopInfSaveBtn", "ShopInfExitBtn"}));
        auto* phone = child<QLineEdit>(&shop, "ShopPhoneEdit");
        phone->selectAll();
        QTest::keyClicks(phone, "613-555-0199");
        auto* status = child<QLabel>(&shop, "SaveStatusLbl");
        QCOMPARE(status->text(), QString());
        QTest::mouseClick(child<QAbstractButton>(&shop, "ShopInfSaveBtn"), Qt::LeftButton);
        QVERIFY(shop.isVisible());
        QCOMPARE(status->text(), QString("Shop information saved."));
        sheet.goTop();
        QCOMPARE(test::trimmed(sheet.getString("PHONE")), std::string("613-555-0199"));
        QTest::keyClicks(phone, "-22");
        QCOMPARE(status->text(), QString()); // not saved yet
        QTest::mouseClick(child<QAbstractButton>(&shop, "ShopInfExitBtn"), Qt::LeftButton);
        QVERIFY(!shop.isVisible());
        sheet.goTop();
        QCOMPARE(test::trimmed(sheet.getString("PHONE")), std::string("613-555-0199"));
        QVERIFY(sink_.messages.empty());
    }
};

QTEST_MAIN(TestCustomersSave)
#include "tst_customers_save.moc"
