// The model guide and the about window, on the real windows.
#include "AppTestSupport.h"

#include "app/AppConfig.h"
#include "app/TAboutBox.h"
#include "app/TAboutBox1.h"
#include "core/FormState.h"
#include "widgets/LinkLabel.h"
#include "widgets/UrlOpener.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace qw;
using qw::test::child;

namespace {

// What the open guide shows: the visible picture and link, each empty if none.
QStringList shown(QWidget* guide)
{
    QStringList result(2);
    for (const char* name : {"HuntGuideImg", "TargGuideImg", "KavlGuideImg"})
        if (child<QLabel>(guide, name)->isVisibleTo(guide))
            result[0] += name;
    for (const char* name : {"HyperLblHunt", "HyperLblTarg", "HyperLblYouth", "HyperLblKavl"})
        if (child<QLabel>(guide, name)->isVisibleTo(guide))
            result[1] += name;
    return result;
}

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// A click on the link, and the address it opened.
QList<QUrl> clickLink(widgets::LinkLabel* link)
{
    QList<QUrl> opened;
    widgets::UrlOpener::setHandler([&](const QUrl& address) {
        opened << address;
        return true;
    });
    QTest::mouseClick(link, Qt::LeftButton);
    widgets::UrlOpener::setHandler({});
    return opened;
}

struct Page {
    const char *key, *caption, *picture, *link, *linkText, *url;
};
const Page kPages[] = {
    {"Hunt", "2011 Hunting Shaft Models Guide", "HuntGuideImg", "HyperLblHunt",
     "Norvane Online Hunting Shafts Guide", "https://www.norvane.example/products/hunting"},
    {"Targ", "2011 Target/Youth Shaft Models Guide", "TargGuideImg", "HyperLblTarg",
     "Norvane Online Target Shafts Guide", "https://www.norvane.example/products/target"},
    // Youth shares the target picture and address.
    {"Youth", "2011 Target/Youth Shaft Models Guide", "TargGuideImg", "HyperLblYouth",
     "Norvane Online Youth Shafts Guide", "https://www.norvane.example/products/target"},
    {"Kavl", "2011 Kavel Shaft Models Guide", "KavlGuideImg", "HyperLblKavl",
     "Kavel Online Shafts Guide", "https://www.kavel.example/products/"},
    {"hunt", "2011 Shaft Models Guide", "", "", "", ""},
    {"", "2011 Shaft Models Guide", "", "", "", ""}};

} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    // Nothing is shown until the window is activated; then the page's
    // caption, picture and link, the scroll box reaching the bottom of the
    // picture and no further, and the link opening the page's address.
    void guideShowsThePagesPictureAndLink_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < std::size(kPages); ++i)
            QTest::newRow(*kPages[i].key ? kPages[i].key : "empty key") << int(i);
    }
    void guideShowsThePagesPictureAndLink()
    {
        QFETCH(int, row);
        const Page& page = kPages[row];
        app::TAboutBox1 guide{QString(page.key)};
        QCOMPARE(guide.windowTitle(), QString("2011 Shaft Models Guide"));
        QCOMPARE(shown(&guide), (QStringList{"", ""}));
        activate(&guide);
        QCOMPARE(guide.windowTitle(), page.caption);
        QCOMPARE(shown(&guide), (QStringList{page.picture, page.link}));
        auto* scroll = child<QScrollArea>(&guide, "ScrollBox1");
        if (!*page.picture) {
            QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
            return;
        }
        const QPixmap picture = child<QLabel>(&guide, page.picture)->pixmap();
        QVERIFY(!picture.isNull());
        QCOMPARE(scroll->verticalScrollBar()->maximum(),
                 picture.height() - scroll->viewport()->height());
        auto* link = child<widgets::LinkLabel>(&guide, page.link);
        QCOMPARE(link->text(), page.linkText);
        QCOMPARE(clickLink(link), QList<QUrl>{QUrl(page.url)});
    }

    // Reactivation keeps the page; a guide opened from the main window
    // follows its page key; a second opening shows only its own page.
    void guideKeepsItsOwnPage()
    {
        {
            app::TAboutBox1 first(QString("Youth"));
            activate(&first);
            QWidget other;
            activate(&other);
            activate(&first);
            QCOMPARE(first.windowTitle(), QString("2011 Target/Youth Shaft Models Guide"));
            QCOMPARE(shown(&first), (QStringList{"TargGuideImg", "HyperLblYouth"}));
        }
        // A key asked for anew on each activation follows the main window.
        std::string key = "Kavl";
        app::TAboutBox1 second([&key] { return key; });
        activate(&second);
        QCOMPARE(shown(&second), (QStringList{"KavlGuideImg", "HyperLblKavl"}));
        key = "Hunt";
        QWidget third;
        activate(&third);
        activate(&second);
        QCOMPARE(shown(&second), (QStringList{"HuntGuideImg", "HyperLblHunt"}));
    }

    // White maker lines and link over the splash picture, where the
    // picture keeps calm bands for them; Enter answers the OK button.
    void aboutWindowShowsTheMakerAndClosesWithOk()
    {
        app::TAboutBox about;
        activate(&about);
        for (int line = 1; line <= 4; ++line) {
            auto* label = child<QLabel>(&about, QString("MakerLbl%1").arg(line));
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        }
        QCOMPARE(child<QLabel>(&about, "VisitLbl")->y(), 378);
        auto* link = child<widgets::LinkLabel>(&about, "HyperLblSite");
        QCOMPARE(link->y(), 409);
        QVERIFY(std::abs(link->geometry().center().x() - about.width() / 2) <= 1);
        QCOMPARE(clickLink(link), QList<QUrl>{QUrl(app::kMakerSiteUrl)});
        const QImage shot = about.grab().toImage();
        const QImage splash(app::kSplashPicture);
        QCOMPARE(shot.pixelColor(240, 300).rgb() & 0xF0F0F0,
                 splash.pixelColor(240, 300).rgb() & 0xF0F0F0);
        QTest::keyClick(&about, Qt::Key_Return);
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
