// Saves what the user sees: the splash, each page of the main window (and
// the carbon panel open), the help viewer and every dialog window, as PNG
// files in the folder given on the command line. Grabs the whole screen,
// window frame included.

#include "app/AppConfig.h"
#include "app/HelpViewer.h"
#include "app/TAboutBox.h"
#include "app/TAboutBox1.h"
#include "app/TArrowSel.h"
#include "app/TCustInfo.h"
#include "app/TGetCust.h"
#include "app/TKECalc2.h"
#include "app/TShopInf.h"
#include "app/TSpecsFrm.h"
#include "app/TSplashV.h"
#include "app/TTrajectory.h"
#include "core/RecordingSink.h"
#include "reports/CustomerSheet.h"
#include "storage/Table.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

void shoot(const QDir& folder, const QString& name)
{
    settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(folder.filePath(name + ".png"));
    std::printf("%s\n", qPrintable(folder.filePath(name + ".png")));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // "--dark": as under a dark desktop theme with a large desktop font.
    if (argc > 2 && QString::fromLatin1(argv[2]) == "--dark") {
        QApplication::setPalette(
            QPalette(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35), QColor(0x50, 0x50, 0x50),
                     QColor(0x20, 0x20, 0x20), QColor(0x2A, 0x2A, 0x2A), QColor(0xF4, 0xF4, 0xF4),
                     Qt::white, QColor(0x24, 0x24, 0x24), QColor(0x30, 0x30, 0x30)));
        QApplication::setFont(QFont("DejaVu Sans", 15));
    }
    const QDir folder(argc > 1 ? argv[1] : ".");
    QDir().mkpath(folder.path());
    // The windows work on a copy of the build's tables, never on the
    // program folder's customer and shop tables.
    QTemporaryDir tablesCopy;
    const QDir built(QStringLiteral(QW_TABLES_DIR));
    for (const QString& file : built.entryList(QDir::Files))
        QFile::copy(built.filePath(file), tablesCopy.filePath(file));
    const std::filesystem::path tables = tablesCopy.path().toStdString();
    {
        qw::app::TSplashV splash(qw::app::kSplashPicture);
        splash.showAndPaint();
        shoot(folder, "splash");
    }
    qw::app::TArrowSel window(tables);
    window.show();
    auto* pages = window.findChild<QTabWidget*>("ShaftsNB");
    const char* names[] = {"page-hunting", "page-target", "page-youth", "page-kavel"};
    for (int page = 0; page < 4; ++page) {
        pages->setCurrentIndex(page);
        shoot(folder, names[page]);
    }
    // The dimming and its words, as while an entry is half typed.
    for (const char* name : {"KStaleOverlay", "KStaleNoteLbl"})
        window.findChild<QWidget*>(name)->show();
    shoot(folder, "page-kavel-stale");
    for (const char* name : {"KStaleOverlay", "KStaleNoteLbl"})
        window.findChild<QWidget*>(name)->hide();
    pages->setCurrentIndex(0);
    window.findChild<QWidget*>("ArrowLengthSpin")->setProperty("text", "24");
    settle();
    window.findChild<QAbstractButton*>("HWtBtn3")->click();
    shoot(folder, "page-hunting-carbon");
    window.findChild<QAction*>("Contents1")->trigger();
    shoot(folder, "help");
    for (const char* key : {"Hunt", "Targ", "Youth", "Kavl"}) {
        qw::app::TAboutBox1 guide{QString::fromLatin1(key)};
        guide.show();
        guide.activateWindow();
        shoot(folder, QStringLiteral("guide-%1").arg(QString::fromLatin1(key).toLower()));
    }
    {
        qw::app::TAboutBox about;
        about.show();
        about.activateWindow();
        shoot(folder, "about");
    }
    window.findChild<QWidget*>("ArrowLengthSpin")->setProperty("text", "30");
    settle();
    {
        window.model().sizeCellClick(qw::selection::Page::Hunt, 2);
        qw::app::TSpecsFrm specs(
            tables, window.model().handedOffShaft(), window.model().setup(), [] {}, nullptr,
            &window);
        specs.show();
        shoot(folder, "specifications");
        auto* point = specs.findChild<QLineEdit*>("FSpinEdit3");
        point->selectAll();
        point->insert("400"); // past the range until editing ends: the weights are out of date
        shoot(folder, "specifications-out-of-date");
    }
    {
        // A heavy bow and a light point: below the bow makers' minimum.
        window.findChild<QWidget*>("BowWeightSpin")->setProperty("text", "92");
        settle();
        window.model().sizeCellClick(qw::selection::Page::Hunt, 1);
        qw::app::TSpecsFrm specs(
            tables, window.model().handedOffShaft(), window.model().setup(), [] {}, nullptr,
            &window);
        specs.show();
        auto* point = specs.findChild<QLineEdit*>("FSpinEdit3");
        point->selectAll();
        point->insert("40");
        shoot(folder, "specifications-below-minimum");
        window.findChild<QWidget*>("BowWeightSpin")->setProperty("text", "60");
        settle();
    }
    {
        qw::app::TKECalc2 calculator(nullptr, &window);
        calculator.show();
        calculator.findChild<QAbstractButton*>("KECalculateBtn")->click();
        shoot(folder, "kinetic-energy");
        auto* weight = calculator.findChild<QLineEdit*>("GrainWt");
        weight->selectAll();
        weight->insert("540");
        shoot(folder, "kinetic-energy-out-of-date");
        calculator.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
        calculator.findChild<QAbstractButton*>("FOCCalculateBtn")->click();
        shoot(folder, "front-of-centre");
    }
    {
        qw::app::TTrajectory trajectory(tables, nullptr, &window);
        trajectory.show();
        shoot(folder, "trajectory");
    }
    // Opened and closed without saving: the tables stay as they are.
    qw::RecordingSink messages;
    pages->setCurrentIndex(1);
    window.model().setItemIndex(qw::selection::SetupGroup::TargBowType, 1);
    for (const int page : {1, 2}) {
        pages->setCurrentIndex(page);
        settle();
        qw::app::TCustInfo entry(tables, window.model().setup(), window.model().pageKey(),
                                 messages);
        entry.show();
        entry.activateWindow();
        shoot(folder, page == 1 ? "customer-info-target" : "customer-info-youth");
        if (page == 2) { // Save Record with only a name: the missing fields are marked
            entry.findChild<QLineEdit*>("NameEdit")->insert("Ann Archer");
            entry.findChild<QAbstractButton*>("PostBtn")->click();
            shoot(folder, "customer-info-incomplete");
        }
    }
    {
        qw::app::TShopInf shop(tables, messages);
        shop.show();
        shop.activateWindow();
        shoot(folder, "shop-info");
    }
    {
        // The retrieval window over a copy of the tables with one customer.
        QTemporaryDir copy;
        const QDir program(QStringLiteral(QW_TABLES_DIR));
        for (const QString& file : program.entryList(QDir::Files))
            if (!QFileInfo(program.filePath(file)).isExecutable())
                QFile::copy(program.filePath(file), copy.filePath(file));
        const std::filesystem::path data = copy.path().toStdString();
        {
            qw::storage::Table customers(data);
            customers.open("Saveddb.dbf");
            customers.appendBlank();
            for (const auto& [field, text] :
                 std::initializer_list<std::pair<const char*, const char*>>{
                     {"NAME", "Johnson, Al"},
                     {"ADDR1", "12 Fletcher Lane"},
                     {"CITY", "Bowmont"},
                     {"STATE", "OR"},
                     {"ZIP", "97001"},
                     {"COUNTRY", "USA"},
                     {"CCODE", "US"},
                     {"COMMENTS", "Shoots a 3D league on Thursdays.\nPrefers vanes."},
                     {"BOWWT", "62"},
                     {"ARLEN", "29"},
                     {"PNTWT", "125"},
                     {"HORT", "0"},
                     {"BOTYP", "0"},
                     {"WHTYP", "1"},
                     {"RETYP", "0"},
                     {"BOLEN", "0"},
                     {"ODLEN", "2"}})
                customers.setField(field, text);
            customers.post();
            customers.appendBlank(); // a youth setup
            for (const auto& [field, text] :
                 std::initializer_list<std::pair<const char*, const char*>>{
                     {"NAME", "Young, Ann"},
                     {"ADDR1", "3 Lake Road"},
                     {"CITY", "Ely"},
                     {"STATE", "MN"},
                     {"BOWWT", "32"},
                     {"ARLEN", "25"},
                     {"PNTWT", "100"},
                     {"HORT", "3"},
                     {"BOTYP", "0"},
                     {"WHTYP", "0"},
                     {"RETYP", "0"},
                     {"BOLEN", "0"},
                     {"ODLEN", "0"}})
                customers.setField(field, text);
            customers.post();
            customers.indexOpen("Saved.idx");
            customers.reindex();
        }
        qw::RecordingSink messages;
        qw::reports::TCustInfoRpt customerSheet(data);
        qw::app::TGetCust retrieval(data, window.model(), messages, customerSheet, &window);
        retrieval.show();
        retrieval.activateWindow();
        shoot(folder, "getcust");
        retrieval.findChild<QAbstractButton*>("NavNext")->click();
        shoot(folder, "getcust-youth");
        qw::app::TShopInf shop(data, messages);
        shop.show();
        shop.activateWindow();
        shop.findChild<QAbstractButton*>("ShopInfSaveBtn")->click();
        shoot(folder, "shop-info-saved");
    }
    return 0;
}
