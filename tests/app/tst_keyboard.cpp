// The windows from the keyboard alone, with real key events on the real
// windows over a copy of the program folder; and every caption legible,
// unclipped, under a dark desktop palette and a large desktop font.

#include "AppTestSupport.h"

#include "../customers/RetrievalFixture.h"
#include "../reports/PrintQueue.h"
#include "app/InputPrompt.h"
#include "app/TArrowSel.h"
#include "app/TCustInfo.h"
#include "app/TGetCust.h"
#include "app/TKECalc2.h"
#include "app/TShopInf.h"
#include "app/TSpecsFrm.h"
#include "calculators/KineticEnergyModel.h"
#include "reports/PrintedSheets.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <map>

using namespace qw;
using test::child;

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

// A key at the focus; back from a modal window, the main window is made
// active again first, as the window manager does.
void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (!focused() && top->objectName() == "TArrowSel") {
            top->activateWindow();
            QTest::qWait(20);
        }
    QTest::keyClick(focused(), Qt::Key(k), modifiers);
}

void type(const QString& text)
{
    key(Qt::Key_A, Qt::ControlModifier); // over what is there
    QTest::keyClicks(focused(), text);
}

// Tab until the named control has the focus: true when the chain reaches it.
bool tabTo(const QString& name)
{
    for (int presses = 0; presses < 300; ++presses, key(Qt::Key_Tab))
        if (focused() && focused()->objectName() == name)
            return true;
    return false;
}

// Runs act on the modal window named name once it is up, and closes it
// after, whatever act did.
void onDialog(const QString& name, std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != name || !focused() || focused()->window() != dialog)
            return;
        poll->deleteLater();
        poll->stop();
        act(dialog);
        dialog->close();
    });
    poll->start(20);
}

// A focused button shows its mark in the caption colour just inside its
// border, where nothing else is drawn; and it has a name to be read.
void checkFocusMarks(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (auto* button : window->findChildren<widgets::CaptionButton*>()) {
        if (!button->isVisible() || !button->isEnabled() ||
            button->paintedFill() == button->paintedFont())
            continue;
        button->setFocus(Qt::TabFocusReason);
        QVERIFY2(button->grab().toImage().pixelColor(3, button->height() / 2) ==
                         button->paintedFont() &&
                     !button->spokenName().isEmpty(),
                 qPrintable(button->objectName()));
    }
}

// The last record's field, as an independent reader finds it.
QString pythonRead(const test::CustomerFolder& folder, const QString& table, const QString& field)
{
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, dbfread; print(list(dbfread.DBF(sys.argv[1]))[-1][sys.argv[2]])",
                  folder.filePath(table), field});
    python.waitForFinished(30000);
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

QColor meanBehind(QWidget* w)
{
    w->hide();
    const QImage behind = w->parentWidget()->grab(w->geometry()).toImage();
    w->show();
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < behind.height(); ++y)
        for (int x = 0; x < behind.width(); ++x) {
            const QColor c = behind.pixelColor(x, y);
            r += c.redF(), g += c.greenF(), b += c.blueF();
        }
    const double n = behind.width() * behind.height();
    return QColor::fromRgbF(float(r / n), float(g / n), float(b / n));
}

// The colour most of a tab is painted in: the face its caption stands on.
QColor tabFace(QTabBar* bar, int tab)
{
    const QImage tabImage = bar->grab(bar->tabRect(tab)).toImage();
    std::map<QRgb, int> counts;
    for (int y = 0; y < tabImage.height(); ++y)
        for (int x = 0; x < tabImage.width(); ++x)
            ++counts[tabImage.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first);
}

// Every shown caption at 4.5:1 or better against what is drawn behind it,
// every entry's text against its face, and each caption whole in its place.
void checkLegible(QWidget* window)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (QTabBar* bar : window->findChildren<QTabBar*>()) {
        if (!bar->isVisible())
            continue;
        for (int tab = 0; tab < bar->count(); ++tab) {
            const QColor ink = bar->tabTextColor(tab).isValid()
                                   ? bar->tabTextColor(tab)
                                   : bar->palette().color(QPalette::WindowText);
            const double ratio = widgets::contrastRatio(ink, tabFace(bar, tab));
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QString("tab \"%1\" at %2:1").arg(bar->tabText(tab)).arg(ratio)));
            QVERIFY2(bar->fontMetrics().horizontalAdvance(bar->tabText(tab)) <
                         bar->tabRect(tab).width(),
                     qPrintable(QString("tab \"%1\" is cut").arg(bar->tabText(tab))));
        }
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        auto* cell = qobject_cast<widgets::CaptionButton*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        auto* radio = qobject_cast<QRadioButton*>(w);
        const QString text = cell    ? cell->text()
                             : label ? label->text()
                             : radio ? radio->text()
                                     : "";
        const QColor ink = cell ? cell->paintedFont() : w->palette().color(w->foregroundRole());
        const QColor paper = cell ? cell->paintedFill()
                             : (label && label->autoFillBackground())
                                 ? w->palette().color(QPalette::Window)
                                 : QColor();
        if (!w->isVisible() || !w->isEnabled())
            continue;
        if (auto* entry = qobject_cast<QLineEdit*>(w))
            QVERIFY2(widgets::contrastRatio(entry->palette().color(QPalette::Text),
                                            entry->palette().color(QPalette::Base)) >= 4.5,
                     qPrintable(entry->objectName()));
        if (text.trimmed().isEmpty() || (cell && !cell->showCaption()) ||
            (label && label->textFormat() == Qt::RichText))
            continue;
        const double ratio = widgets::contrastRatio(ink, paper.isValid() ? paper : meanBehind(w));
        QVERIFY2(ratio >= 4.5, qPrintable(QString("\"%1\" at %2:1").arg(text).arg(ratio)));
        const QRect room = cell ? w->rect().adjusted(3, 1, -3, -1) : w->contentsRect();
        const bool wraps = cell || (label && label->wordWrap());
        const QRect needed = w->fontMetrics().boundingRect(
            room, Qt::TextShowMnemonic | (wraps ? Qt::TextWordWrap : 0), text);
        // The cam speeds stand in a column drawn in a font fitted to the item.
        const bool fitted = radio && w->parentWidget()->objectName() == "WheelType";
        QVERIFY2(radio ? fitted || radio->sizeHint().width() <= w->width() : room.contains(needed),
                 qPrintable(QString("\"%1\" is cut").arg(text)));
    }
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        folder_ = std::make_unique<test::CustomerFolder>();
        sink_.clear();
        window_ = std::make_unique<app::TArrowSel>(folder_->path(), &sink_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        child<QLineEdit>(window_.get(), "BowWeightSpin")->setFocus();
    }
    void cleanup()
    {
        window_.reset();
        app::InputPrompt::setHandler({});
    }
    void saveGetSearchReturnAndPrint();
    void calculators();
    void captionsReadUnderADarkThemeAndALargeFont();

private:
    std::unique_ptr<test::CustomerFolder> folder_;
    test::RecordingSink sink_;
    std::unique_ptr<app::TArrowSel> window_;
    test::PrintQueue queue_;
};

void TestKeyboard::saveGetSearchReturnAndPrint()
{
    key(Qt::Key_F, Qt::AltModifier); // a command key, never text
    QCOMPARE(child<QLineEdit>(window_.get(), "BowWeightSpin")->text(), "60");
    type("55");
    onDialog("TCustInfo", [this](QWidget* dialog) {
        QCOMPARE(focused()->objectName(), "NameEdit");
        type("Larsen, Kari");
        key(Qt::Key_R, Qt::AltModifier);
        key(Qt::Key_Return); // Save Record, refused: the address is missing
        QCOMPARE(sink_.messages.back().text, std::string("Incomplete address, cannot add record"));
        for (const char* text : {"212 Birch Lane", "", "Brainerd", "MN"}) {
            key(Qt::Key_Tab);
            type(text);
        }
        QVERIFY(tabTo("CommentsMemo"));
        QTest::keyClicks(focused(), "Nocks");
        key(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(child<QPlainTextEdit>(dialog, "CommentsMemo")->toPlainText(), "Nocks\t");
        key(Qt::Key_Tab);
        QCOMPARE(focused()->objectName(), "PostBtn");
        checkFocusMarks(dialog);
        QVERIFY(tabTo("PostBtn"));
        key(Qt::Key_Return);
    });
    QVERIFY(tabTo("HSaveBtn"));
    key(Qt::Key_Space);
    QCOMPARE(pythonRead(*folder_, "Saveddb.dbf", "NAME"), "Larsen, Kari");

    key(Qt::Key_Tab); // the main window active again
    child<QLineEdit>(window_.get(), "BowWeightSpin")->setFocus();
    type("62");
    app::InputPrompt::setHandler([](auto&&...) { return std::optional<QString>("Lar"); });
    onDialog("TGetCust", [](QWidget* dialog) {
        QVERIFY(tabTo("NameEdit"));
        key(Qt::Key_Return); // Search
        QCOMPARE(child<QLineEdit>(dialog, "NameEdit")->text(), "Larsen, Kari");
        QVERIFY(tabTo("CommentsMemo"));
        key(Qt::Key_Tab); // passed on, typing nothing
        QCOMPARE(child<QPlainTextEdit>(dialog, "CommentsMemo")->toPlainText(), "Nocks\t");
        QVERIFY(focused()->objectName() != "CommentsMemo");
        for (const char* name : {"NavFirst", "NavLast", "Button1", "SavePdfBtn", "PrintBtn",
                                 "ExitBtn", "ReturnDataBtn"})
            QVERIFY2(tabTo(name), name);
        checkFocusMarks(dialog);
        QVERIFY(tabTo("ReturnDataBtn"));
        key(Qt::Key_Space);
    });
    QVERIFY(tabTo("HGetBtn"));
    key(Qt::Key_Return);
    QCOMPARE(child<QLineEdit>(window_.get(), "BowWeightSpin")->text(), "55");

    const auto mark = queue_.mark();
    QVERIFY(tabTo("HPrintBtn"));
    key(Qt::Key_Space);
    QVERIFY2(queue_.isAvailable(), "runs through CTest, with the private print queue");
    const QStringList printed = queue_.pdfsSince(mark, 1);
    QCOMPARE(printed.size(), 1);
    QVERIFY(test::readPdf(printed.first()).text.contains("Peak Bow Weight: 55"));
    // The menu bar from the keyboard: Alt alone opens it, and F10, down to
    // Shop Information; Enter there saves, as an independent reader finds.
    key(Qt::Key_Alt);
    QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    while (QApplication::activePopupWidget())
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    onDialog("TShopInf", [](QWidget* dialog) {
        type("Twin Oaks");
        key(Qt::Key_Return);
        QVERIFY(tabTo("ShopInfExitBtn"));
        checkFocusMarks(dialog);
    });
    key(Qt::Key_F10);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    for (int i = 0;
         i < 12 && (!menu->activeAction() || menu->activeAction()->text() != "Shop Information");
         ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QCOMPARE(pythonRead(*folder_, "SHOPINFO.DBF", "NAME"), "Twin Oaks");
    checkFocusMarks(window_.get());
}

// Each calculator from its command, the entries typed and Enter pressed:
// the result is the model's own for the same entries (the specifications
// window recomputes as an entry ends).
void TestKeyboard::calculators()
{
    struct Run {
        const char *command, *dialog, *output;
        // Tab to a control, typing text after "="; "^" is the next page; "+"
        // steps the entry with the Up key (Down undoes it, checked on the way).
        QStringList steps;
    } const runs[] = {
        {"HKECalcBtn", "TKECalc2", "Label6", {"GrainWt=540", "Velocity=300"}},
        {"HKECalcBtn",
         "TKECalc2",
         "Label9",
         {"^", "FSpinLenEdit=25.6", "FSpinLenEdit+", "FSpinBalEdit=16"}},
        {"HSzBtn1",
         "TSpecsFrm",
         "Label9",
         {"KECalcBtn", "CloseBtn", "FSpinEdit3=125", "FSpinEdit3+"}},
    };
    for (const Run& run : runs) {
        calculators::KineticEnergyModel reference(sink_);
        QString result, before;
        onDialog(run.dialog, [&](QWidget* window) {
            before = child<QLabel>(window, run.output)->text();
            for (const QString& step : run.steps) {
                const QString entry = step.section('=', 0, 0), text = step.section('=', 1);
                if (step == "^") {
                    key(Qt::Key_Tab, Qt::ControlModifier);
                    continue;
                }
                if (step.endsWith('+')) {
                    const QString entryName = step.chopped(1);
                    auto* box = child<QLineEdit>(window, entryName);
                    const QString typed = box->text();
                    key(Qt::Key_Up);
                    const QString stepped = box->text();
                    key(Qt::Key_Down);
                    QCOMPARE(box->text(), typed);
                    key(Qt::Key_Up);
                    QVERIFY2(stepped != typed && box->text() == stepped, qPrintable(stepped));
                    if (QString(run.dialog) == "TKECalc2")
                        reference.stepDecimal(entryName.toStdString(), +1);
                    continue;
                }
                QVERIFY2(tabTo(entry), qPrintable(entry));
                if (step.contains('=')) {
                    type(text);
                    if (QString(run.dialog) == "TKECalc2")
                        reference.changeText(entry.toStdString(), text.toStdString());
                }
            }
            key(Qt::Key_Return);
            checkFocusMarks(window);
            result = child<QLabel>(window, run.output)->text();
            key(Qt::Key_Escape);
        });
        QVERIFY(tabTo(run.command));
        key(Qt::Key_Return);
        QVERIFY2(!result.isEmpty() && result != before, run.output);
        if (QString(run.dialog) == "TKECalc2") {
            QString(run.output) == "Label6" ? reference.calculateEnergy()
                                            : reference.calculateFoc();
            QCOMPARE(result.toStdString(), reference.form()[run.output].text);
        }
    }
}

// Under a dark desktop palette and a large desktop font.
void TestKeyboard::captionsReadUnderADarkThemeAndALargeFont()
{
    const QPalette desktopPalette = QApplication::palette();
    const QFont desktopFont = QApplication::font();
    QApplication::setPalette(QPalette(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35),
                                      QColor(0x50, 0x50, 0x50), QColor(0x20, 0x20, 0x20),
                                      QColor(0x2A, 0x2A, 0x2A), QColor(0xF4, 0xF4, 0xF4), Qt::white,
                                      QColor(0x24, 0x24, 0x24), QColor(0x30, 0x30, 0x30)));
    QApplication::setFont(QFont("DejaVu Sans", 15));
    folder_->add({test::customer("Larsen, Kari")});
    window_ = std::make_unique<app::TArrowSel>(folder_->path(), &sink_);
    auto* pages = child<QTabWidget>(window_.get(), "ShaftsNB");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        checkLegible(window_.get());
    }
    app::TCustInfo entry(folder_->path(), window_->model().setup(), window_->model().pageKey(),
                         sink_);
    app::TShopInf shop(folder_->path(), sink_);
    reports::PrintedSheets sheets(folder_->path());
    app::TGetCust retrieval(folder_->path(), window_->model(), sink_, sheets.customer);
    app::TKECalc2 calculator(&sink_);
    app::TSpecsFrm specs(folder_->path(), window_->model().handedOffShaft(),
                         window_->model().setup(), {}, &sink_);
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{&entry, &shop, &retrieval, &calculator, &specs}) {
        checkLegible(dialog);
        dialog->hide();
    }
    QApplication::setPalette(desktopPalette);
    QApplication::setFont(desktopFont);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
