// The model guide and the about window, on the real windows.
#include "AppTestSupport.h"

#include "app/AppConfig.h"
#include "app/TAboutBox.h"
#include "app/TAboutBox1.h"
#include "selection/FormState.h"
#include "widgets/CaptionButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/UrlOpener.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace qw;
using qw::test::child;

namespace {
const char* const kPictures[] = {"HuntGuideImg", "TargGuideImg", "KavlGuideImg"};
const char* const kLinks[] = {"HyperLblHunt", "HyperLblTarg", "HyperLblYouth", "HyperLblKavl"};

// What the open guide shows: the visible picture and link (empty if none).
struct Shown {
    QString picture, link;
};

Shown shown(QWidget* guide)
{
    Shown result;
    for (const char* name : kPictures)
        if (child<QLabel>(guide, name)->isVisibleTo(guide))
            result.picture += name;
    for (const char* name : kLinks)
        if (child<QLabel>(guide, name)->isVisibleTo(guide))
            result.link += name;
    return result;
}

void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}
} // namespace

class TestGuide : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { widgets::UrlOpener::setHandler({}); }
    void guideShowsThePagesPictureAndLink_data();
    void guideShowsThePagesPictureAndLink();
    void guideStaysTheSameOnReactivation();
    void secondOpeningShowsOnlyItsOwnPage();
    void guideFollowsTheMainWindowsPageKey();
    void aboutWindowShowsTheMakerAndClosesWithOk();
};

void TestGuide::guideShowsThePagesPictureAndLink_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("linkText");
    QTest::addColumn<QString>("url");
    QTest::newRow("Hunt") << "Hunt" << "2011 Hunting Shaft Models Guide" << "HuntGuideImg"
                          << QSize(1201, 1593) << "HyperLblHunt"
                          << "Norvane Online Hunting Shafts Guide"
                          << "https://www.norvane.example/products/hunting";
    QTest::newRow("Targ") << "Targ" << "2011 Target/Youth Shaft Models Guide" << "TargGuideImg"
                          << QSize(1201, 1628) << "HyperLblTarg"
                          << "Norvane Online Target Shafts Guide"
                          << "https://www.norvane.example/products/target";
    QTest::newRow("Youth: target picture and address") // the same page as target
        << "Youth" << "2011 Target/Youth Shaft Models Guide" << "TargGuideImg"
        << QSize(1201, 1628) << "HyperLblYouth" << "Norvane Online Youth Shafts Guide"
        << "https://www.norvane.example/products/target";
    QTest::newRow("Kavl") << "Kavl" << "2011 Kavel Shaft Models Guide" << "KavlGuideImg"
                          << QSize(1213, 911) << "HyperLblKavl" << "Kavel Online Shafts Guide"
                          << "https://www.kavel.example/products/";
    QTest::newRow("unknown key") << "hunt" << "2011 Shaft Models Guide" << "" << QSize() << ""
                                 << "" << "";
    QTest::newRow("empty key") << "" << "2011 Shaft Models Guide" << "" << QSize() << "" << ""
                               << "";
}

void TestGuide::guideShowsThePagesPictureAndLink()
{
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QString, picture);
    QFETCH(QSize, pictureSize);
    QFETCH(QString, link);
    QFETCH(QString, linkText);
    QFETCH(QString, url);
    app::TAboutBox1 guide(key);
    QCOMPARE(guide.windowTitle(), QString("2011 Shaft Models Guide"));
    QCOMPARE(shown(&guide).picture, QString()); // hidden until activated
    activate(&guide);
    QCOMPARE(guide.windowTitle(), caption);
    QCOMPARE(shown(&guide).picture, picture);
    QCOMPARE(shown(&guide).link, link);
    auto* close = child<widgets::CaptionButton>(&guide, "KECloseBtn");
    QCOMPARE(close->fontColour(), QColor(136, 191, 61));
    QCOMPARE(close->size(), QSize(118, 32));
    auto* scroll = child<QScrollArea>(&guide, "ScrollBox1");
    if (picture.isEmpty()) {
        QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
        return;
    }
    auto* image = child<QLabel>(&guide, picture);
    QCOMPARE(image->pixmap().size(), pictureSize);
    QCOMPARE(image->pos(), QPoint(0, 0));
    QCOMPARE(image->toolTip(), QString("Use scroll bars and\narrows to view all items"));
    // The scroll box reaches the bottom of the shown picture and no further.
    QCOMPARE(scroll->verticalScrollBar()->maximum(),
             pictureSize.height() - scroll->viewport()->height());
    auto* label = child<widgets::LinkLabel>(&guide, link);
    QCOMPARE(label->text(), linkText);
    QList<QUrl> opened;
    widgets::UrlOpener::setHandler([&](const QUrl& address) {
        opened << address;
        return true;
    });
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl>{QUrl(url)});
}

void TestGuide::guideStaysTheSameOnReactivation()
{
    app::TAboutBox1 guide(QString("Youth"));
    activate(&guide);
    QWidget other;
    activate(&other);
    activate(&guide);
    QCOMPARE(guide.windowTitle(), QString("2011 Target/Youth Shaft Models Guide"));
    QCOMPARE(shown(&guide).picture, QString("TargGuideImg"));
    QCOMPARE(shown(&guide).link, QString("HyperLblYouth"));
}

void TestGuide::secondOpeningShowsOnlyItsOwnPage()
{
    {
        app::TAboutBox1 first(QString("Hunt"));
        activate(&first);
        QCOMPARE(shown(&first).picture, QString("HuntGuideImg"));
    }
    app::TAboutBox1 second(QString("Kavl"));
    activate(&second);
    QCOMPARE(shown(&second).picture, QString("KavlGuideImg"));
    QCOMPARE(shown(&second).link, QString("HyperLblKavl"));
}

void TestGuide::guideFollowsTheMainWindowsPageKey()
{
    selection::FormState mainForm;
    mainForm.add("TmpLbl2", {}).text = "Targ";
    app::TAboutBox1 guide(mainForm);
    activate(&guide);
    QCOMPARE(shown(&guide).picture, QString("TargGuideImg"));
    QCOMPARE(guide.windowTitle(), QString("2011 Target/Youth Shaft Models Guide"));
}

void TestGuide::aboutWindowShowsTheMakerAndClosesWithOk()
{
    app::TAboutBox about;
    activate(&about);
    QCOMPARE(about.windowTitle(), QString("About 2011"));
    QCOMPARE(about.size(), QSize(506, 599));
    QCOMPARE(app::TAboutBox::makerLines().size(), 4);
    for (int line = 1; line <= 4; ++line) {
        auto* label = child<QLabel>(&about, QString("MakerLbl%1").arg(line));
        QCOMPARE(label->text(), app::TAboutBox::makerLines().at(line - 1));
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    QCOMPARE(child<QLabel>(&about, "VisitLbl")->text(), QString("Visit our WWW site:"));
    QCOMPARE(child<QLabel>(&about, "VisitLbl")->y(), 378);
    auto* link = child<widgets::LinkLabel>(&about, "HyperLblSite");
    QCOMPARE(link->y(), 409);
    QCOMPARE(link->text(), app::kMakerSiteCaption);
    QCOMPARE(link->url(), QUrl(app::kMakerSiteUrl));
    // The link is centred across the window.
    QVERIFY(std::abs(link->geometry().center().x() - 253) <= 1);
    // The background is the splash picture, at the top left.
    const QImage shot = about.grab().toImage();
    const QImage splash(app::kSplashPicture);
    QCOMPARE(shot.pixelColor(240, 300).rgb() & 0xF0F0F0, splash.pixelColor(240, 300).rgb() & 0xF0F0F0);

    auto* ok = child<QPushButton>(&about, "OKButton");
    QCOMPARE(ok->geometry(), QRect(206, 479, 98, 32));
    QVERIFY(ok->isDefault());
    QTest::keyClick(&about, Qt::Key_Return); // the default button answers Enter
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
