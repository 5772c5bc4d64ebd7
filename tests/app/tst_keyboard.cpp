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
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace qw;
using test::child;

namespace {

QWidget* focused()
{
    return QApplication::focusWidget();
}

// A key at the focus; back from a modal window, its parent is made active
// again first, as the window manager does.
void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!focused() && QApplication::topLevelWidgets().size()) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && !top->isModal() && top->objectName() == "TArrowSel")
                top->activateWindow();
        QTest::qWait(50);
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
    for (int presses = 0; presses < 300; ++presses) {
        if (focused() && focused()->objectName() == name)
            return true;
        key(Qt::Key_Tab);
    }
    return false;
}

// Runs act on the modal window named name once it is up, then makes sure
// it is gone, whatever act did.
void onDialog(const QString& name, std::function<void(QWidget*)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != name || !focused())
            return;
        poll->deleteLater();
        poll->stop();
        act(dialog);
        if (dialog->isVisible())
            dialog->close();
    });
    poll->start(20);
}

// A focused command button shows its mark in the caption colour just inside
// its border, where nothing else is drawn.
void checkFocusMarks(QWidget* window)
{
    for (auto* button : window->findChildren<widgets::CaptionButton*>()) {
        if (!button->isVisible() || !button->isEnabled() ||
            button->paintedFill() == button->paintedFont())
            continue;
        button->setFocus(Qt::TabFocusReason);
        const QImage marked = button->grab().toImage();
        QVERIFY2(marked.pixelColor(3, button->height() / 2) == button->paintedFont(),
                 qPrintable(button->objectName()));
        QVERIFY2(!button->spokenName().isEmpty(), qPrintable(button->objectName()));
    }
}

QString pythonRead(const QString& table, const QString& field, const QString& folder)
{
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c",
                  "import sys, dbfread; print(list(dbfread.DBF(sys.argv[1]))[-1][sys.argv[2]])",
                  folder + "/" + table, field});
    python.waitForFinished(30000);
    return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
}

QPalette darkPalette()
{
    QPalette dark(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35), QColor(0x50, 0x50, 0x50),
                  QColor(0x20, 0x20, 0x20), QColor(0x2A, 0x2A, 0x2A), QColor(0xF4, 0xF4, 0xF4),
                  Qt::white, QColor(0x24, 0x24, 0x24), QColor(0x30, 0x30, 0x30));
    return dark;
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
    void calculatorsAndShopInformation_data();
    void calculatorsAndShopInformation();
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
    QCOMPARE(pythonRead("Saveddb.dbf", "NAME", folder_->filePath("")), "Larsen, Kari");

    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    child<QLineEdit>(window_.get(), "BowWeightSpin")->setFocus();
    type("62");
    app::InputPrompt::setHandler([](auto&&...) { return std::optional<QString>("Lar"); });
    onDialog("TGetCust", [](QWidget* dialog) {
        QVERIFY(tabTo("NameEdit"));
        key(Qt::Key_Return); // Search
        QCOMPARE(child<QLineEdit>(dialog, "NameEdit")->text(), "Larsen, Kari");
        QVERIFY(tabTo("CommentsMemo"));
        key(Qt::Key_Tab);
        QVERIFY(
            !child<QPlainTextEdit>(dialog, "CommentsMemo")->toPlainText().contains("Nocks\t\t"));
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
    // The menu bar from the keyboard: F10, or Alt alone.
    for (int opener : {int(Qt::Key_F10), int(Qt::Key_Alt)}) {
        key(opener);
        QVERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                          : window_.get(),
                        Qt::Key_Escape);
    }
    checkFocusMarks(window_.get());
}

void TestKeyboard::calculatorsAndShopInformation_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("steps"); // entry=text, or a page switch "^"
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kinetic energy")
        << "HKECalcBtn"
        << "TKECalc2" << QStringList{"GrainWt=540", "Velocity=300"} << "Label6"
        << "";
    QTest::newRow("front of centre")
        << "HKECalcBtn"
        << "TKECalc2" << QStringList{"^", "FSpinLenEdit=25.6", "FSpinBalEdit=16"} << "Label9"
        << "";
    QTest::newRow("specifications")
        << "HSzBtn1"
        << "TSpecsFrm" << QStringList{"KECalcBtn", "CloseBtn", "FSpinEdit3=125"} << "Label9"
        << "changed";
    QTest::newRow("shop information") << ""
                                      << "TShopInf" << QStringList{"ShopNameEdit=Twin Oaks"} << ""
                                      << "Twin Oaks";
}

// Each calculator's result from Enter equals the model's own for the same
// entries; the shop information saved with Enter is what an independent
// reader finds in the table.
void TestKeyboard::calculatorsAndShopInformation()
{
    QFETCH(QString, command);
    QFETCH(QString, dialog);
    QFETCH(QStringList, steps);
    QFETCH(QString, output);
    QFETCH(QString, expected);
    calculators::KineticEnergyModel reference(sink_);
    QString result, before;
    onDialog(dialog, [&](QWidget* window) {
        if (!output.isEmpty())
            before = child<QLabel>(window, output)->text();
        for (const QString& step : steps) {
            const QString entry = step.section('=', 0, 0);
            if (step == "^") {
                key(Qt::Key_Tab, Qt::ControlModifier);
                reference.changePage(1);
                continue;
            }
            QVERIFY2(tabTo(entry), qPrintable(entry));
            if (step.contains('=')) {
                type(step.section('=', 1));
                if (dialog == "TKECalc2")
                    reference.changeText(entry.toStdString(), step.section('=', 1).toStdString());
            }
        }
        key(Qt::Key_Return); // the main command, or the end of the entry
        checkFocusMarks(window);
        if (!output.isEmpty())
            result = child<QLabel>(window, output)->text();
        key(Qt::Key_Escape);
    });
    if (command.isEmpty()) {
        key(Qt::Key_F10); // File, down to Shop Information, Enter
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (int i = 0; i < 12 && (!menu->activeAction() ||
                                   menu->activeAction()->text() != "Shop Information");
             ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(pythonRead("SHOPINFO.DBF", "NAME", folder_->filePath("")), expected);
        return;
    }
    QVERIFY(tabTo(command));
    key(Qt::Key_Return);
    if (expected == "changed")
        QVERIFY(!result.isEmpty() && result != before);
    else {
        dialog == "TKECalc2" && output == "Label6" ? reference.calculateEnergy()
                                                   : reference.calculateFoc();
        QCOMPARE(result.toStdString(), reference.form()[output.toStdString()].text);
        QVERIFY(result != before);
    }
}

// Every shown caption of every window at 4.5:1 or better against what is
// drawn behind it, and whole in its place.
void TestKeyboard::captionsReadUnderADarkThemeAndALargeFont()
{
    const QPalette desktopPalette = QApplication::palette();
    const QFont desktopFont = QApplication::font();
    QApplication::setPalette(darkPalette());
    QApplication::setFont(QFont("DejaVu Sans", 15));
    folder_->add({test::customer("Larsen, Kari")});
    auto legible = [](QWidget* window) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible() || !w->isEnabled())
                continue;
            auto* cell = qobject_cast<widgets::CaptionButton*>(w);
            auto* label = qobject_cast<QLabel*>(w);
            auto* radio = qobject_cast<QRadioButton*>(w);
            auto* entry = qobject_cast<QLineEdit*>(w);
            QString text = cell    ? cell->text()
                           : label ? label->text()
                           : radio ? radio->text()
                                   : QString();
            if (entry) {
                QVERIFY2(widgets::contrastRatio(entry->palette().color(QPalette::Text),
                                                entry->palette().color(QPalette::Base)) >= 4.5,
                         qPrintable(entry->objectName()));
                continue;
            }
            if (text.trimmed().isEmpty() || (cell && !cell->showCaption()) ||
                (label && label->textFormat() == Qt::RichText))
                continue;
            QColor ink = cell ? cell->paintedFont() : w->palette().color(w->foregroundRole());
            QColor paper = cell ? cell->paintedFill() : w->palette().color(QPalette::Window);
            if (!cell && !w->autoFillBackground()) { // the mean of what lies behind the caption
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
                paper = QColor::fromRgbF(float(r / n), float(g / n), float(b / n));
            }
            const double ratio = widgets::contrastRatio(ink, paper);
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QString("%1 \"%2\": %3 on %4 is %5:1")
                                    .arg(w->objectName(), text, ink.name(), paper.name())
                                    .arg(ratio, 0, 'f', 2)));
            const bool wraps = cell || (label && label->wordWrap());
            const QRect room = cell    ? w->rect().adjusted(3, 1, -3, -1)
                               : label ? label->contentsRect()
                                       : w->rect();
            const QRect needed = w->fontMetrics().boundingRect(
                room, Qt::TextShowMnemonic | (wraps ? Qt::TextWordWrap : 0), text);
            // The cam speeds stand in a column drawn in a font fitted to the item.
            const bool fitted = radio && w->parentWidget()->objectName() == "WheelType";
            QVERIFY2(radio ? fitted || radio->sizeHint().width() <= w->width()
                           : room.contains(needed),
                     qPrintable(QString("\"%1\" is cut").arg(text)));
        }
    };
    auto* pages = child<QTabWidget>(window_.get(), "ShaftsNB");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        legible(window_.get());
    }
    const auto& form = std::as_const(window_->model()).form();
    test::RecordingSink sink;
    app::TCustInfo entry(folder_->path(), form, sink);
    app::TShopInf shop(folder_->path(), sink);
    reports::PrintedSheets sheets(folder_->path());
    app::TGetCust retrieval(folder_->path(), window_->model(), sink, sheets.customer);
    app::TKECalc2 calculator(&sink);
    app::TSpecsFrm specs(folder_->path(), form, {}, &sink);
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{&entry, &shop, &retrieval, &calculator, &specs}) {
        legible(dialog);
        dialog->hide();
    }
    QApplication::setPalette(desktopPalette);
    QApplication::setFont(desktopFont);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
