#include "AppTestSupport.h"

#include "app/HelpViewer.h"
#include "app/Startup.h"
#include "app/TArrowSel.h"
#include "app/TShopInf.h"
#include "app/TSplashV.h"
#include "storage/Table.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace qw;
using qw::test::child;

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void splashIsGoneBeforeTheMainWindowIsUsable();
    void aTableThatCannotBeOpenedEndsStartUp_data();
    void aTableThatCannotBeOpenedEndsStartUp();
    void menuBarHasEveryItemInOrder();
    void exitEndsTheProgramWithoutAPrompt();
    void closeBoxAndPageExitEndTheProgram();
    void tuningInformationOpensTheTuningTopic();
    void programStaysUpBesideItsTables();
    void firstStartOffersShopInformationOnce_data();
    void firstStartOffersShopInformationOnce();

private:
    static QList<QWidget*> splashes();
};

QList<QWidget*> TestShell::splashes()
{
    QList<QWidget*> found;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<app::TSplashV*>(top))
            found << top;
    return found;
}

void TestShell::splashIsGoneBeforeTheMainWindowIsUsable()
{
    test::TableFolderCopy folder;
    test::RecordingSink sink;
    bool splashSeen = false;
    bool splashUpWhileCreating = false;
    bool mainHiddenWhileSplashUp = true;
    auto observe = [&](app::StartupPhase phase) {
        const QList<QWidget*> shown = splashes();
        if (phase == app::StartupPhase::SplashShown) {
            splashSeen = shown.size() == 1 && shown.first()->isVisible();
            if (splashSeen) {
                QCOMPARE(shown.first()->size(), QSize(492, 604));
                QVERIFY(static_cast<app::TSplashV*>(shown.first())->hasPicture());
            }
        } else {
            splashUpWhileCreating = shown.size() == 1 && shown.first()->isVisible();
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "TArrowSel" && top->isVisible())
                    mainHiddenWhileSplashUp = false;
        }
    };
    app::StartupResult started = app::startUp(folder.path(), &sink, observe);
    QVERIFY(splashSeen);
    QVERIFY(splashUpWhileCreating);
    QVERIFY(mainHiddenWhileSplashUp);
    QVERIFY(started.mainWindow);
    QVERIFY(splashes().isEmpty()); // destroyed, not merely hidden
    QVERIFY(sink.messages.empty());
    // The grid is filled before the window is first shown.
    QVERIFY(!child<QAbstractButton>(started.mainWindow.get(), "HSzBtn1")->text().isEmpty());
}

void TestShell::aTableThatCannotBeOpenedEndsStartUp_data()
{
    QTest::addColumn<QString>("removed"); // empty: every table
    QTest::newRow("no tables at all") << QString();
    // The printed sheets, created right after the main window, hold the shop table.
    QTest::newRow("no shop table") << QString("SHOPINFO.DBF");
}

void TestShell::aTableThatCannotBeOpenedEndsStartUp()
{
    QFETCH(QString, removed);
    QTemporaryDir empty;
    test::TableFolderCopy folder;
    if (!removed.isEmpty())
        QVERIFY(QFile::remove(folder.filePath(removed)));
    test::RecordingSink sink;
    app::StartupResult started = app::startUp(
        removed.isEmpty() ? std::filesystem::path(empty.path().toStdString()) : folder.path(),
        &sink);
    QVERIFY(!started.mainWindow);
    QVERIFY(splashes().isEmpty());
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QVERIFY(sink.messages.front().error);
    const QString message = QString::fromStdString(sink.messages.front().text);
    QVERIFY2(message.contains("Table does not exist"), qPrintable(message));
    QVERIFY2(message.contains(removed), qPrintable(message));
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY(!top->isVisible());
}

void TestShell::menuBarHasEveryItemInOrder()
{
    test::TableFolderCopy folder;
    test::RecordingSink sink;
    app::TArrowSel window(folder.path(), &sink);
    auto* bar = child<QMenuBar>(&window, "MainMenu1");
    const QList<QAction*> top = bar->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[0]->text(), QString("File"));
    QCOMPARE(top[1]->text(), QString("Utilities"));
    QCOMPARE(top[2]->text(), QString("About"));
    QVERIFY(top[2]->menu() == nullptr);

    int shortcuts = 0;
    auto texts = [&shortcuts](QMenu* menu) {
        QStringList out;
        for (QAction* action : menu->actions()) {
            out << (action->isSeparator() ? QString("-") : action->text());
            shortcuts += action->shortcut().isEmpty() ? 0 : 1;
        }
        return out;
    };
    QCOMPARE(texts(top[0]->menu()),
             QStringList({"Get Setup", "Save Setup", "Save Sheet as PDF\u2026", "-",
                          "Shop Information", "-", "Exit"}));
    QCOMPARE(texts(top[1]->menu()),
             QStringList({"Kinetic Energy/F.O.C. Calculator", "Trajectory Reference",
                          "Tuning Information", "-", "Export Customer Database",
                          "Export to Spreadsheet\u2026"}));
    QCOMPARE(shortcuts, 0);
}

void TestShell::exitEndsTheProgramWithoutAPrompt()
{
    test::TableFolderCopy folder;
    test::RecordingSink sink;
    app::StartupResult started = app::startUp(folder.path(), &sink);
    QVERIFY(started.mainWindow);
    started.mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.mainWindow.get()));
    bool prompted = false;
    QTimer::singleShot(0, started.mainWindow.get(),
                       [&] { child<QAction>(started.mainWindow.get(), "Exit1")->trigger(); });
    // Anything modal that appears instead is a prompt: note it and dismiss it.
    QTimer watchdog;
    connect(&watchdog, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            prompted = true;
            modal->close();
        }
    });
    watchdog.start(50);
    QTimer::singleShot(5000, qApp, [] { QApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!prompted);
    QVERIFY(!started.mainWindow->isVisible());
    QVERIFY(sink.messages.empty());
}

void TestShell::closeBoxAndPageExitEndTheProgram()
{
    test::TableFolderCopy folder;
    test::RecordingSink sink;
    for (const char* how : {"close box", "KExitBtn"}) {
        app::TArrowSel window(folder.path(), &sink);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTimer::singleShot(0, &window, [&] {
            if (QString(how) == "close box")
                window.close();
            else
                child<QAbstractButton>(&window, how)->click();
        });
        QTimer::singleShot(5000, qApp, [] { QApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(!window.isVisible(), how);
    }
    QVERIFY(sink.messages.empty());
}

void TestShell::tuningInformationOpensTheTuningTopic()
{
    test::TableFolderCopy folder;
    test::RecordingSink sink;
    app::TArrowSel window(folder.path(), &sink);
    window.show();
    child<QAction>(&window, "Contents1")->trigger();
    app::HelpViewer* viewer = window.helpViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QString("Tuning Information"));
    QCOMPARE(viewer->browser()->source(), QUrl("qrc:/help/tuning.html"));
    const QString text = viewer->browser()->toPlainText().toLower();
    for (const char* topic : {"spine", "paper", "bare", "nocking", "centre"})
        QVERIFY2(text.contains(topic), topic);
    // Opened again: the same viewer, back at the topic.
    child<QAction>(&window, "Contents1")->trigger();
    QCOMPARE(window.helpViewer(), viewer);
    // Closing the main window closes the help with it.
    window.close();
    QVERIFY(!viewer->isVisible());
}

// The real program, started as the user starts it, beside a copy of the
// tables: its start-up (which ends the program on a failure) gets through.
void TestShell::programStaysUpBesideItsTables()
{
    test::TableFolderCopy folder;
    const QString program = QStringLiteral(QW_PROGRAM_DIR "/quiverwise");
    QVERIFY(QFile::exists(program));
    const QString copy = folder.filePath("quiverwise");
    QVERIFY(QFile::copy(program, copy));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(copy);
    QVERIFY(process.waitForStarted(10000));
    // Still running after its start-up: no failure ended it.
    QVERIFY(!process.waitForFinished(1500));
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
}

// An empty shop record on the first start brings up Shop Information once,
// saying what it is for; later starts say nothing, filled in or not.
void TestShell::firstStartOffersShopInformationOnce_data()
{
    QTest::addColumn<QString>("shopName"); // already saved before the start
    QTest::addColumn<QString>("typed");    // typed and saved in the offered window
    QTest::addColumn<bool>("offered");
    QTest::newRow("empty shop, filled in") << "" << "Twin Oaks Archery" << true;
    QTest::newRow("empty shop, left as it is") << "" << "" << true;
    QTest::newRow("shop already named") << "Twin Oaks Archery" << "" << false;
}

void TestShell::firstStartOffersShopInformationOnce()
{
    QFETCH(QString, shopName);
    QFETCH(QString, typed);
    QFETCH(bool, offered);
    test::TableFolderCopy folder;
    if (!shopName.isEmpty()) {
        storage::Table shop(folder.path());
        shop.open("SHOPINFO.DBF");
        shop.appendBlank();
        shop.setField("NAME", shopName.toStdString());
        shop.post();
    }
    test::RecordingSink sink;
    app::StartupResult started = app::startUp(folder.path(), &sink);
    QVERIFY(started.mainWindow);
    started.mainWindow->show();
    QString introduction;
    QTimer::singleShot(0, started.mainWindow.get(), [&] {
        auto* window = qobject_cast<app::TShopInf*>(QApplication::activeModalWidget());
        if (!window)
            return;
        introduction = child<QLabel>(window, "IntroductionLbl")->text();
        if (!typed.isEmpty()) {
            QTest::keyClicks(child<QLineEdit>(window, "ShopNameEdit"), typed);
            child<QAbstractButton>(window, "ShopInfSaveBtn")->click();
        }
        child<QAbstractButton>(window, "ShopInfExitBtn")->click();
    });
    QCOMPARE(started.mainWindow->offerShopInformation(), offered);
    QCOMPARE(introduction, offered ? "Enter your shop's name and address for the printed sheets"
                                   : QString());
    QCOMPARE(started.mainWindow->offerShopInformation(), false);
    storage::Table shop(folder.path());
    shop.open("SHOPINFO.DBF", storage::OpenMode::ReadOnly);
    shop.go(1);
    const QString expectedName = typed.isEmpty() ? shopName : typed;
    QCOMPARE(QString::fromStdString(shop.getString("NAME")).trimmed(), expectedName);
    QVERIFY(sink.messages.empty());
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
