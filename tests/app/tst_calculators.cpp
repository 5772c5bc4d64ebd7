// The calculator windows on their real widgets, driven by typing and
// clicking as a user would: that each window shows what its model computes,
// passes on every keystroke, arrow and button, and reports the model's
// messages. The calculators' rules themselves are checked on the models.

#include "AppTestSupport.h"
#include "app/CalculatorParts.h"
#include "app/SheetOutput.h"
#include "app/TKECalc2.h"
#include "app/TSpecsFrm.h"
#include "app/TTrajectory.h"
#include "widgets/CaptionButton.h"
#include "widgets/GradientBar.h"
#include "widgets/PictureAnimator.h"

#include "../calculators/SpecsFixture.h"
#include "../reports/PrintQueue.h"
#include "../reports/ShopRecord.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace qw;
using qw::test::child;

namespace {

QString textOf(QWidget* root, const char* name)
{
    if (auto* label = root->findChild<QLabel*>(name))
        return label->text();
    return child<QLineEdit>(root, name)->text();
}

void retype(QWidget* root, const char* entry, const QString& text)
{
    auto* box = child<QLineEdit>(root, entry);
    box->selectAll();
    QTest::keyClicks(box, text);
}

void click(QWidget* root, const QString& name)
{
    QTest::mouseClick(child<QAbstractButton>(root, name), Qt::LeftButton);
}

} // namespace

class CalculatorWindowsTest : public QObject {
    Q_OBJECT

private:
    fixtures::SpecsFolder specs_;
    qw::test::RecordingSink sink_;

    // The specifications window over a clicked 1912/52 shaft, the main
    // window's point weight at 120.
    std::unique_ptr<app::TSpecsFrm> specsWindow(const std::string& key, const std::string& page,
                                                std::function<void()> openGuide = {})
    {
        const qw::FormState main = fixtures::clicked(key, page, "52", "30", "120");
        auto window = std::make_unique<app::TSpecsFrm>(
            specs_.folder(), selection::shaftSelection(main), selection::readSetup(main),
            std::move(openGuide), &sink_);
        window->show();
        return window;
    }

private slots:
    void init()
    {
        sink_.messages.clear();
        specs_.write({{"1912", "52", "9.52"}});
    }

    // Every input and result as the model sets them, the not-found state,
    // and the model's messages.
    void specsOpening()
    {
        auto window = specsWindow("191252", "Hunt");
        const std::pair<const char*, QString> shown[] = {
            {"FSpinEdit1", "30.0"}, {"FSpinEdit2", "10"},  {"FSpinEdit3", "120"},
            {"Label21", "286 Gr."}, {"Label9", "446 Gr."}, {"Label4", "1912"},
            {"Mods", "52"},         {"GpiText", "9.52"},   {"GrainsPerPoundLbl", "7.4 gr/lb"}};
        for (const auto& [name, text] : shown)
            QCOMPARE(textOf(window.get(), name), text);
        // Without a guide to open, the models button stays disabled.
        QVERIFY(!child<QWidget>(window.get(), "ShaftModelsBtn")->isEnabled());
        QCOMPARE(window->windowTitle(), QString("2011 Arrow Weight Calculator/Specifications"));
        window.reset();
        window = specsWindow("19125", "Targ");
        QVERIFY(child<QLabel>(window.get(), "NotFoundLbl")->isVisible());
        QCOMPARE(textOf(window.get(), "GpiText"), QString());
        QVERIFY(!child<QLineEdit>(window.get(), "FSpinEdit3")->isEnabled());
        QVERIFY(!child<QWidget>(window.get(), "PrintBuildBtn")->isEnabled()); // no arrow to print
        QVERIFY(sink_.messages.empty());
        window.reset();
        specs_.write({{"1912", "52", "7.20 7.63"}});
        window = specsWindow("191252", "Targ");
        QCOMPARE(sink_.messages.size(), std::size_t(1));
        QCOMPARE(textOf(window.get(), "Label9"), QString());
    }

    // Typing and the arrows recompute at once; Close releases the table.
    void specsInputs()
    {
        const auto window = specsWindow("191252", "Targ");
        retype(window.get(), "FSpinEdit3", "125");
        QCOMPARE(textOf(window.get(), "Label9"), QString("451 Gr."));
        click(window.get(), "FSpinEdit1Up");
        QCOMPARE(textOf(window.get(), "FSpinEdit1"), QString("30.25"));
        QCOMPARE(textOf(window.get(), "Label9"), QString("453 Gr."));
        // "4" and "40" are weights on the way; "400" is past the range and
        // waits for the end of editing, which brings it to 100.
        retype(window.get(), "FSpinEdit4", "400");
        QCOMPARE(textOf(window.get(), "Label9"), QString("475 Gr."));
        emit child<QLineEdit>(window.get(), "FSpinEdit4")->editingFinished();
        QCOMPARE(textOf(window.get(), "FSpinEdit4"), QString("100"));
        QCOMPARE(textOf(window.get(), "Label9"), QString("535 Gr."));
        QVERIFY(sink_.messages.empty());
        click(window.get(), "CloseBtn");
        QVERIFY(!window->isVisible());
        QVERIFY(!window->model().isTableOpen());
    }

    // A result shown beside inputs it was not computed from is dimmed, with
    // the reason as its tooltip, until it is computed again.
    void outdatedResultsAreDimmed()
    {
        const auto colour = [](QWidget* root, const char* name) {
            return child<QLabel>(root, name)->palette().color(QPalette::WindowText);
        };
        const auto dimmed = [&](QWidget* root, const char* name, const QColor& fresh) {
            return colour(root, name) != fresh && !child<QLabel>(root, name)->toolTip().isEmpty();
        };
        const auto specs = specsWindow("191252", "Targ");
        const QColor total = colour(specs.get(), "Label9");
        retype(specs.get(), "FSpinEdit3", "400"); // past the range: 40 still counts
        QVERIFY(dimmed(specs.get(), "Label9", total));
        emit child<QLineEdit>(specs.get(), "FSpinEdit3")->editingFinished();
        QVERIFY(!dimmed(specs.get(), "Label9", total));

        app::TKECalc2 energy(&sink_);
        energy.show();
        const QColor result = colour(&energy, "Label6");
        auto* bar = child<widgets::GradientBar>(&energy, "ALProgressBar1");
        retype(&energy, "GrainWt", "540");
        QVERIFY(dimmed(&energy, "Label6", result) && dimmed(&energy, "MomentumLbl", result));
        QVERIFY(!bar->isEnabled());
        retype(&energy, "GrainWt", "400"); // the figures the result was worked out from
        QVERIFY(!dimmed(&energy, "Label6", result) && bar->isEnabled());
        retype(&energy, "Velocity", "300");
        click(&energy, "KECalculateBtn");
        QVERIFY(!dimmed(&energy, "Label6", result) && bar->isEnabled());
        QVERIFY(sink_.messages.empty());
    }

    // Closing with the focus in an entry ends its editing while the window
    // goes away; that must not reach the model any more.
    void specsClosedWhileEditing()
    {
        {
            const auto window = specsWindow("191252", "Targ");
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            child<QLineEdit>(window.get(), "FSpinEdit3")->setFocus();
            retype(window.get(), "FSpinEdit3", "abc");
        }
        QVERIFY(sink_.messages.empty());
    }

    // With no printer, Print Build Sheet offers the PDF; Save Build Sheet
    // as PDF asks for a file at once. Both sheets carry what the window
    // shows, here an arrow below the minimum, in red on the window.
    void specsBuildSheet()
    {
        const test::TableFolderCopy program;
        reports::ShopInfo shop;
        shop.name = "Twin Oaks Archery";
        test::writeShop(program.path(), shop);
        const qw::FormState main = fixtures::clicked("191252", "Hunt", "52", "30", "40", "92");
        app::TSpecsFrm window(program.path(), selection::shaftSelection(main),
                              selection::readSetup(main), {}, &sink_);
        window.show();
        QStringList offers, proposed;
        const QTemporaryDir out;
        app::SheetOutput::setHandlers(
            [&](const QString& message, const QString&) { return offers << message, true; },
            [&](const QString& path) {
                proposed << QFileInfo(path).fileName();
                return std::optional(out.filePath(QString::number(proposed.size())));
            });
        click(&window, "PrintBuildBtn");
        click(&window, "SaveBuildPdfBtn");
        app::SheetOutput::setHandlers({}, {});
        QCOMPARE(offers, QStringList{"No printer is set up."});
        const QString name = "1912 build sheet " + QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(proposed, QStringList(2, name + ".pdf"));
        auto* perPound = child<QLabel>(&window, "GrainsPerPoundLbl");
        QCOMPARE(perPound->palette().color(QPalette::WindowText), QColor(Qt::red));
        for (const char* file : {"1.pdf", "2.pdf"}) {
            const test::PdfContent pdf = test::readPdf(out.filePath(file));
            QCOMPARE(pdf.pages, 1);
            for (const QString& text : {QString("Twin Oaks Archery"), textOf(&window, "Label9"),
                                        "Grains per Pound: " + perPound->text()})
                QVERIFY2(pdf.text.contains(text), qPrintable(text + " missing from:\n" + pdf.text));
        }
        QVERIFY(sink_.messages.empty());
    }

    // The models button calls the opener's function; the KE button opens
    // the calculators modally over the window.
    void specsButtons()
    {
        int guideOpened = 0;
        const auto window = specsWindow("191252", "Targ", [&] { ++guideOpened; });
        click(window.get(), "ShaftModelsBtn");
        QCOMPARE(guideOpened, 1);
        QString modal;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* top = QApplication::activeModalWidget()) {
                modal = top->objectName();
                click(top, "KECloseBtn");
            }
        });
        click(window.get(), "KECalcBtn");
        QCOMPARE(modal, QString("TKECalc2"));
        QVERIFY(window->isVisible());
    }

    // Activation turns the buttons' text orange and gives GrainWt the
    // focus. On either page a message leaves the results as they were (and
    // the pictures still); each energy moves the bar and starts its own
    // pictures; the FOC page stays shown when its result comes back.
    void energyAndFoc()
    {
        app::TKECalc2 window(&sink_);
        const auto* focButton = child<widgets::CaptionButton>(&window, "FOCCalculateBtn");
        QCOMPARE(focButton->fontColour(), QColor(0xC0, 0xC0, 0xC0));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(focButton->fontColour(), QColor(0xF5, 0x7B, 0x20));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&window, "GrainWt"));
        const auto calculate = [&](const char* first, const char* second, const char* button) {
            const bool energy = QString(button).startsWith("KE");
            retype(&window, energy ? "GrainWt" : "FSpinLenEdit", first);
            retype(&window, energy ? "Velocity" : "FSpinBalEdit", second);
            click(&window, button);
        };
        calculate("0", "0", "KECalculateBtn");
        QCOMPARE(sink_.messages.size(), std::size_t(1));
        QCOMPARE(sink_.messages[0].text,
                 std::string("Zero is invalid, please enter a whole number."));
        QCOMPARE(textOf(&window, "Label6"), QString("35.54"));
        QVERIFY(!child<widgets::PictureAnimator>(&window, "Animator1")->isRunning());
        const struct {
            const char *weight, *velocity, *energy;
            int bar;
            const char *pictures, *momentum;
        } results[] = {{"315", "189", "24.99", 24, "SmallImg", "0.26"},
                       {"424", "462", "201.00", 100, "Tanks", "0.87"}};
        for (const auto& result : results) {
            calculate(result.weight, result.velocity, "KECalculateBtn");
            QCOMPARE(textOf(&window, "Label6"), result.energy);
            QCOMPARE(textOf(&window, "MomentumLbl"), result.momentum);
            QCOMPARE(child<widgets::GradientBar>(&window, "ALProgressBar1")->position(),
                     result.bar);
            // A new set of pictures comes with a new animator.
            auto* animator = child<widgets::PictureAnimator>(&window, "Animator1");
            QCOMPARE(animator->property("pictureSet").toString(), result.pictures);
            QVERIFY(animator->isRunning());
        }

        auto* pages = child<QTabWidget>(&window, "PageControl1");
        pages->setCurrentIndex(1);
        calculate("0", "15", "FOCCalculateBtn");
        QCOMPARE(textOf(&window, "Label9"), QString());
        QCOMPARE(sink_.messages.size(), std::size_t(2));
        QCOMPARE(sink_.messages[1].text, std::string("Floating point division by zero"));
        calculate("30", "16", "FOCCalculateBtn");
        QCOMPARE(textOf(&window, "Label9"), QString("3.3%"));
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(sink_.messages.size(), std::size_t(2));
    }

    // Records 1, 88 and 245 through the arrows, which stop at their ends;
    // a nearest range far short of the distance holds the near marker at 191.
    void trajectory()
    {
        app::TTrajectory window(QW_TABLES_DIR, &sink_);
        window.show();
        QCOMPARE(window.model().record(), 88u);
        const auto press = [&](const char* spin, const char* arrow, int times) {
            auto* button = child<QToolButton>(child<QWidget>(&window, spin), arrow);
            for (int i = 0; i < times; ++i)
                QTest::mouseClick(button, Qt::LeftButton);
        };
        QVERIFY(child<QLineEdit>(&window, "VelocitySpin")->isReadOnly());
        press("VelocitySpinUpDown", "down", 5);
        press("WeightSpinUpDown", "down", 4);
        press("DistanceSpinUpDown", "down", 4);
        QCOMPARE(window.model().record(), 1u);
        QCOMPARE(textOf(&window, "Label17"), QString("20"));
        press("VelocitySpinUpDown", "up", 8);
        press("WeightSpinUpDown", "up", 8);
        press("DistanceSpinUpDown", "up", 6);
        QCOMPARE(window.model().record(), 245u);
        QCOMPARE(textOf(&window, "VelocitySpin"), QString("300"));

        press("WeightSpinUpDown", "down", 6);   // 350
        press("DistanceSpinUpDown", "down", 3); // 30: record 32, nearest range 0
        QCOMPARE(window.model().record(), 32u);
        QCOMPARE(textOf(&window, "HighLabel"), QString("0"));
        const int extreme = textOf(&window, "LowLabel").toInt();
        const int farX = (extreme - 30) * 10 + 496;
        QCOMPARE(child<QWidget>(&window, "Shape3")->x(), 191);
        QCOMPARE(child<QWidget>(&window, "Shape2")->x(), farX);
        auto* bar = child<QWidget>(&window, "Shape4");
        QCOMPARE(bar->geometry(), QRect(191, bar->y(), farX - 191 + 2, 3));
        QCOMPARE(child<QWidget>(&window, "HighLabel")->x(), 182);
        QCOMPARE(textOf(&window, "Label8"), QString::number(extreme));
        QVERIFY(sink_.messages.empty());
    }

    // Frames come in the order of their numbers; a folder without the set
    // gives none, and the window paints without its pictures.
    void pictureFrames()
    {
        QTemporaryDir dir;
        for (const char* name : {"SmallImg_10.png", "SmallImg_2.png", "SmallImg_1.png",
                                 "BigImg_1.png", "SmallImg_x.png"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QCOMPARE(app::pictureFrames(dir.path(), "SmallImg"),
                 (QStringList{dir.filePath("SmallImg_1.png"), dir.filePath("SmallImg_2.png"),
                              dir.filePath("SmallImg_10.png")}));
        QVERIFY(app::pictureFrames(dir.path() + "/none", "Tanks").isEmpty());
        app::TKECalc2 window(&sink_);
        QVERIFY(!window.grab().isNull());
    }
};

QTEST_MAIN(CalculatorWindowsTest)
#include "tst_calculators.moc"
