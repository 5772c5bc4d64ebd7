// The calculator windows on their real widgets: the specifications window
// over a clicked shaft, the kinetic energy and FOC pages, the trajectory
// reference; each driven by typing and clicking as a user would.

#include "AppTestSupport.h"
#include "app/CalculatorParts.h"
#include "app/TKECalc2.h"
#include "app/TSpecsFrm.h"
#include "app/TTrajectory.h"
#include "widgets/CaptionButton.h"
#include "widgets/PictureAnimator.h"

#include "../calculators/SpecsFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace qw;
using qw::test::child;

class CalculatorWindowsTest : public QObject {
    Q_OBJECT

private:
    fixtures::SpecsFolder specs_;
    qw::test::RecordingSink sink_;

    static QString textOf(QWidget* root, const char* name)
    {
        if (auto* label = root->findChild<QLabel*>(name))
            return label->text();
        return child<QLineEdit>(root, name)->text();
    }
    static void retype(QWidget* root, const char* entry, const QString& text)
    {
        auto* box = child<QLineEdit>(root, entry);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    static void click(QWidget* root, const QString& name)
    {
        QTest::mouseClick(child<QAbstractButton>(root, name), Qt::LeftButton);
    }

private slots:
    void init() { sink_.messages.clear(); }

    // Initial inputs by page, the 426/286 example and the ",52" rule, all
    // as the window shows them.
    void specsOpening_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("models");
        QTest::addColumn<QString>("gpi");
        QTest::addColumn<QStringList>("shown"); // length, point, shaft, total
        QTest::addColumn<int>("messages");
        QTest::newRow("426/286 off Hunting")
            << "Targ"
            << "52"
            << "9.52" << QStringList{"30.0", "100", "286 Gr.", "426 Gr."} << 0;
        QTest::newRow("Hunting point")
            << "Hunt"
            << "52"
            << "9.52" << QStringList{"30.0", "120", "286 Gr.", "446 Gr."} << 0;
        QTest::newRow("Youth length")
            << "Youth"
            << "52"
            << "9.52" << QStringList{"25.0", "100", "238 Gr.", "379 Gr."} << 0;
        QTest::newRow(",52 second GPI")
            << "Kavl"
            << "QK,52"
            << "7.20 7.63" << QStringList{"30.0", "100", "229 Gr.", "369 Gr."} << 0;
        QTest::newRow("52 whole GPI") << "Targ"
                                      << "52"
                                      << "7.20 7.63" << QStringList{"30.0", "100", "", ""} << 1;
    }
    void specsOpening()
    {
        QFETCH(QString, page);
        QFETCH(QString, models);
        QFETCH(QString, gpi);
        QFETCH(QStringList, shown);
        specs_.write({{"1912", "52", gpi.toStdString(), "100"}});
        const auto main =
            fixtures::clicked("191252", page.toStdString(), models.toStdString(), "30", "120");
        app::TSpecsFrm window(specs_.folder(), main, {}, &sink_);
        window.show();
        QCOMPARE((QStringList{textOf(&window, "FSpinEdit1"), textOf(&window, "FSpinEdit3"),
                              textOf(&window, "Label21"), textOf(&window, "Label9")}),
                 shown);
        QTEST(int(sink_.messages.size()), "messages");
        QCOMPARE(textOf(&window, "Label4"), QString("1912"));
        QCOMPARE(textOf(&window, "Mods"), models);
        QCOMPARE(textOf(&window, "GpiText"), gpi);
        QVERIFY(!child<QWidget>(&window, "ShaftModelsBtn")->isEnabled());
        QCOMPARE(window.windowTitle(), QString("2011 Arrow Weight Calculator/Specifications"));
        QCOMPARE(window.size(), QSize(611, 490));
    }

    // Typing and the arrows recompute at once; Close releases the table.
    void specsInputs()
    {
        specs_.write({{"1912", "52", "9.52"}});
        const auto main = fixtures::clicked("191252", "Targ", "52");
        app::TSpecsFrm window(specs_.folder(), main, {}, &sink_);
        window.show();
        retype(&window, "FSpinEdit3", "125");
        QCOMPARE(textOf(&window, "Label9"), QString("451 Gr."));
        click(&window, "FSpinEdit1Up");
        QCOMPARE(textOf(&window, "FSpinEdit1"), QString("30.25"));
        QCOMPARE(textOf(&window, "Label21"), QString("288 Gr."));
        QCOMPARE(textOf(&window, "Label9"), QString("453 Gr."));
        // "4" and "40" are weights on the way; "400" is past the range and
        // waits for the end of editing, which brings it to 100.
        retype(&window, "FSpinEdit4", "400");
        QCOMPARE(textOf(&window, "Label9"), QString("475 Gr."));
        emit child<QLineEdit>(&window, "FSpinEdit4")->editingFinished();
        QCOMPARE(textOf(&window, "FSpinEdit4"), QString("100"));
        QCOMPARE(textOf(&window, "Label9"), QString("535 Gr."));
        QVERIFY(sink_.messages.empty());
        click(&window, "CloseBtn");
        QVERIFY(!window.isVisible());
        QVERIFY(!window.model().isTableOpen());
    }

    // Closing with the focus in an entry ends its editing while the window
    // goes away; that must not reach the model any more.
    void specsClosedWhileEditing()
    {
        specs_.write({{"1912", "52", "9.52"}});
        const auto main = fixtures::clicked("191252", "Targ", "52");
        {
            app::TSpecsFrm window(specs_.folder(), main, {}, &sink_);
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            child<QLineEdit>(&window, "FSpinEdit3")->setFocus();
            retype(&window, "FSpinEdit3", "abc");
        }
        QVERIFY(sink_.messages.empty());
    }

    void specsNotFound()
    {
        specs_.write({{"1912", "52", "9.52"}});
        const auto main = fixtures::clicked("19125", "Targ", "5");
        app::TSpecsFrm window(specs_.folder(), main, {}, &sink_);
        window.show();
        QVERIFY(child<QLabel>(&window, "NotFoundLbl")->isVisible());
        QVERIFY(textOf(&window, "NotFoundLbl").contains("not in the specification table"));
        for (const char* name : {"GpiText", "ArrowTypeText", "Label21", "Label9", "FSpinEdit1"})
            QCOMPARE(textOf(&window, name), QString());
        QVERIFY(!child<QLineEdit>(&window, "FSpinEdit3")->isEnabled());
        QVERIFY(sink_.messages.empty());
    }

    // The models button calls the opener's function; the KE button opens
    // the calculators modally over the window.
    void specsButtons()
    {
        specs_.write({{"1912", "52", "9.52"}});
        int guideOpened = 0;
        const auto main = fixtures::clicked("191252", "Targ", "52");
        app::TSpecsFrm window(
            specs_.folder(), main, [&] { ++guideOpened; }, &sink_);
        window.show();
        click(&window, "ShaftModelsBtn");
        QCOMPARE(guideOpened, 1);
        QString modal;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* top = QApplication::activeModalWidget()) {
                modal = top->objectName();
                click(top, "KECloseBtn");
            }
        });
        click(&window, "KECalcBtn");
        QCOMPARE(modal, QString("TKECalc2"));
        QVERIFY(window.isVisible());
    }

    void kineticEnergy_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("velocity");
        QTest::addColumn<QString>("energy");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("pictures");
        QTest::newRow("defaults") << "400"
                                  << "200"
                                  << "35.54" << 35 << "MediumImg";
        QTest::newRow("24.99") << "315"
                               << "189"
                               << "24.99" << 24 << "SmallImg";
        QTest::newRow("25.00") << "385"
                               << "171"
                               << "25.00" << 25 << "MediumImg";
        QTest::newRow("40.99") << "305"
                               << "246"
                               << "40.99" << 40 << "MediumImg";
        QTest::newRow("64.99") << "443"
                               << "257"
                               << "64.99" << 64 << "BigImg";
        QTest::newRow("65.00") << "323"
                               << "301"
                               << "65.00" << 65 << "ToughImg";
        QTest::newRow("200.99 clamps") << "380"
                                       << "488"
                                       << "200.99" << 100 << "ToughImg";
        QTest::newRow("201.00") << "424"
                                << "462"
                                << "201.00" << 100 << "Tanks";
    }
    void kineticEnergy()
    {
        QFETCH(QString, weight);
        QFETCH(QString, velocity);
        app::TKECalc2 window(&sink_);
        window.show();
        retype(&window, "GrainWt", weight);
        retype(&window, "Velocity", velocity);
        click(&window, "KECalculateBtn");
        QTEST(textOf(&window, "Label6"), "energy");
        QTEST(child<app::GradientBar>(&window, "ALProgressBar1")->position(), "bar");
        auto* animator = child<widgets::PictureAnimator>(&window, "Animator1");
        QTEST(animator->property("pictureSet").toString(), "pictures");
        QVERIFY(animator->isRunning());
        QCOMPARE(animator->interval(), 3000);
        QVERIFY(!textOf(&window, "MomentumLbl").isEmpty());
        QVERIFY(sink_.messages.empty());
    }

    // Velocity first: with both zero one message; results stay.
    void energyMessages()
    {
        app::TKECalc2 window(&sink_);
        window.show();
        retype(&window, "GrainWt", "0");
        retype(&window, "Velocity", "0");
        click(&window, "KECalculateBtn");
        QCOMPARE(sink_.messages.size(), std::size_t(1));
        QCOMPARE(sink_.messages[0].text,
                 std::string("Zero is invalid, please enter a whole number."));
        QCOMPARE(textOf(&window, "Label6"), QString("35.54"));
        QVERIFY(!child<widgets::PictureAnimator>(&window, "Animator1")->isRunning());
    }

    void frontOfCentre_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("12.4") << "25.6"
                              << "16.0"
                              << "12.4%"
                              << "";
        QTest::newRow("0") << "30.0"
                           << "15.0"
                           << "0%"
                           << "";
        QTest::newRow("-3.3") << "30"
                              << "14"
                              << "-3.3%"
                              << "";
        QTest::newRow("zero length") << "0"
                                     << "15"
                                     << ""
                                     << "Floating point division by zero";
        QTest::newRow("both zero") << "0"
                                   << "0"
                                   << ""
                                   << "Invalid floating point operation";
    }
    void frontOfCentre()
    {
        QFETCH(QString, length);
        QFETCH(QString, balance);
        QFETCH(QString, message);
        app::TKECalc2 window(&sink_);
        window.show();
        child<QTabWidget>(&window, "PageControl1")->setCurrentIndex(1);
        retype(&window, "FSpinLenEdit", length);
        retype(&window, "FSpinBalEdit", balance);
        click(&window, "FOCCalculateBtn");
        QTEST(textOf(&window, "Label9"), "shown");
        // The page the user chose stays shown after the result comes back.
        QCOMPARE(child<QTabWidget>(&window, "PageControl1")->currentIndex(), 1);
        QCOMPARE(sink_.messages.empty() ? QString()
                                        : QString::fromStdString(sink_.messages[0].text),
                 message);
    }

    // Each activation turns the buttons' text orange and gives GrainWt the focus.
    void activation()
    {
        app::TKECalc2 window(&sink_);
        const auto* calculate = child<widgets::CaptionButton>(&window, "FOCCalculateBtn");
        QCOMPARE(calculate->fontColour(), QColor(0xC0, 0xC0, 0xC0));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(calculate->fontColour(), QColor(0xF5, 0x7B, 0x20));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(&window, "GrainWt"));
    }

    // Records 1, 88 and 245 through the arrows, which stop at their ends;
    // a nearest range far short of the distance holds the near marker at 191.
    void trajectory()
    {
        app::TTrajectory window(QW_PROGRAM_DIR, &sink_);
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
        QCOMPARE(child<QWidget>(&window, "Shape3")->x(), 191);
        QCOMPARE(child<QWidget>(&window, "Shape2")->x(), (extreme - 30) * 10 + 496);
        QCOMPARE(child<QWidget>(&window, "Shape4")->geometry(),
                 QRect(191, child<QWidget>(&window, "Shape4")->y(),
                       (extreme - 30) * 10 + 496 - 191 + 2, 3));
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
        const QStringList frames = app::pictureFrames(dir.path(), "SmallImg");
        QCOMPARE(frames,
                 (QStringList{dir.filePath("SmallImg_1.png"), dir.filePath("SmallImg_2.png"),
                              dir.filePath("SmallImg_10.png")}));
        QVERIFY(app::pictureFrames(dir.path() + "/none", "Tanks").isEmpty());
        app::TKECalc2 window(&sink_);
        QVERIFY(!window.grab().isNull());
    }
};

QTEST_MAIN(CalculatorWindowsTest)
#include "tst_calculators.moc"
