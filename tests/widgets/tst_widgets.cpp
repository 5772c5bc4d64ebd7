#include "widgets/CaptionButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/NumberEntry.h"
#include "widgets/PictureAnimator.h"
#include "widgets/RadioGroup.h"
#include "widgets/UpDown.h"
#include "widgets/UrlOpener.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace qw::widgets;

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void arrowsKeysAndWheelStepWithinTheRange_data();
    void arrowsKeysAndWheelStepWithinTheRange();
    void arrowsKeepTheirPositionOverUnreadableText();
    void heldArrowLetsGoWhenAModalWindowOpens();
    void entryAcceptsAnyTypedText();
    void radioClickFiresEvenOnTheSelectedItem();
    void radioTwoColumnsFillDownFirst();
    void disabledRadioGroupKeepsTheDisabledColour();
    void tabStopsOnTheSelectedItemAndArrowsChoose();
    void radioFiguresLineUpInAColumn();
    void captionButtonHoverAndCaptionSwitch();
    void disabledCommandButtonDimsAndNeverLightsUp();
    void gridCellLightsUpUnderTheMouseWhetherOrNotItClicks();
    void animatorCyclesFramesOnItsTimer();
    void animatorReadsFrameFilesWhenShown();
    void linkOpensItsAddressOrNamesItInAMessage_data();
    void linkOpensItsAddressOrNamesItInAMessage();
};

void TestWidgets::animatorReadsFrameFilesWhenShown()
{
    QTemporaryDir folder;
    QStringList files;
    for (int i = 0; i < 4; ++i) {
        QPixmap frame(8, 8);
        frame.fill(QColor(0, i * 60, 0));
        files << folder.filePath(QString("f_%1.png").arg(i));
        QVERIFY(frame.save(files.last()));
    }
    PictureAnimator animator(files, 1000);
    QCOMPARE(animator.frameCount(), 4);
    QCOMPARE(animator.framesLoaded(), 0);
    animator.resize(8, 8);
    animator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&animator));
    QTRY_COMPARE(animator.framesLoaded(), 1);
    QCOMPARE(animator.grab().toImage().pixelColor(4, 4), QColor(0, 0, 0));
    animator.advance();
    animator.advance();
    QTRY_COMPARE(animator.framesLoaded(), 2); // frame 1 was never shown
    QCOMPARE(animator.grab().toImage().pixelColor(4, 4), QColor(0, 120, 0));
}

void TestWidgets::arrowsKeepTheirPositionOverUnreadableText()
{
    NumberEntry entry("30");
    UpDown arrows(&entry, 23, 33, 1);
    arrows.stepUp();
    QCOMPARE(arrows.position(), 31);
    entry.setText("3x");
    arrows.stepUp();
    QCOMPARE(entry.text(), QString("32"));
}

void TestWidgets::heldArrowLetsGoWhenAModalWindowOpens()
{
    QWidget window;
    auto* entry = new NumberEntry("60", &window);
    auto* arrows = new UpDown(entry, 17, 124, 1, &window);
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(entry);
    layout->addWidget(arrows);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The first step opens a message, as the engine does for a setup outside
    // the chart; the message takes the mouse release.
    int steps = 0;
    bool arrowDownBehindMessage = true;
    QObject::connect(entry, &QLineEdit::textChanged, &window, [&] {
        if (++steps > 1)
            return;
        QDialog message(&window);
        message.setModal(true);
        QTimer::singleShot(400, &message, [&] {
            arrowDownBehindMessage = arrows->upButton()->isDown();
            message.accept();
        });
        message.exec();
    });
    QTest::mousePress(arrows->upButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(steps, 1, 2000);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QTest::qWait(400); // several repeat intervals
    QCOMPARE(steps, 1);
    QCOMPARE(entry->text(), QString("61"));
    QVERIFY(!arrowDownBehindMessage);
    QVERIFY(!arrows->upButton()->isDown());
    QTest::mouseRelease(arrows->upButton(), Qt::LeftButton);
    QCOMPARE(entry->text(), QString("61")); // the late release is no click
}

enum class Stepper { Button, Key, Wheel };
Q_DECLARE_METATYPE(Stepper)

void TestWidgets::arrowsKeysAndWheelStepWithinTheRange_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("start");
    QTest::addColumn<Stepper>("by");
    QTest::addColumn<int>("notches"); // positive: up
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("changes"); // at an end: no change event, so no run
    const auto button = Stepper::Button, key = Stepper::Key, wheel = Stepper::Wheel;
    QTest::newRow("arrow at the top") << 65 << 160 << 5 << "160" << button << 1 << "160" << 0;
    QTest::newRow("arrow down by five") << 65 << 160 << 5 << "160" << button << -1 << "155" << 1;
    QTest::newRow("arrow down to the bottom")
        << 65 << 160 << 5 << "70" << button << -2 << "65" << 1;
    QTest::newRow("arrow from the typed number")
        << 17 << 124 << 1 << "123" << button << 2 << "124" << 1;
    QTest::newRow("arrow from below the range")
        << 17 << 124 << 1 << "5" << button << 1 << "18" << 1;
    QTest::newRow("arrow from above the range")
        << 17 << 124 << 1 << "300" << button << -1 << "123" << 1;
    QTest::newRow("key up to the top") << 17 << 124 << 1 << "122" << key << 3 << "124" << 2;
    QTest::newRow("key down to the bottom") << 17 << 124 << 1 << "18" << key << -3 << "17" << 1;
    QTest::newRow("key from a number beyond the range")
        << 17 << 124 << 1 << "300" << key << -1 << "123" << 1;
    QTest::newRow("wheel up by five") << 65 << 160 << 5 << "150" << wheel << 3 << "160" << 2;
    QTest::newRow("wheel down by five") << 65 << 160 << 5 << "75" << wheel << -4 << "65" << 2;
    QTest::newRow("wheel from the typed number")
        << 65 << 160 << 5 << "101" << wheel << 1 << "106" << 1;
}

void TestWidgets::arrowsKeysAndWheelStepWithinTheRange()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, step);
    QFETCH(QString, start);
    QFETCH(Stepper, by);
    QFETCH(int, notches);
    NumberEntry entry(start);
    UpDown arrows(&entry, minimum, maximum, step);
    entry.show();
    QVERIFY(QTest::qWaitForWindowExposed(&entry));
    QSignalSpy changes(&entry, &QLineEdit::textChanged);
    for (int i = 0; i < std::abs(notches); ++i) {
        if (by == Stepper::Wheel) {
            const QPointF at(5, 5);
            QWheelEvent turn(at, entry.mapToGlobal(at), {}, {0, notches > 0 ? 120 : -120},
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&entry, &turn);
        } else if (by == Stepper::Key) {
            QTest::keyClick(&entry, notches > 0 ? Qt::Key_Up : Qt::Key_Down);
        } else {
            QTest::mouseClick(notches > 0 ? arrows.upButton() : arrows.downButton(),
                              Qt::LeftButton);
        }
    }
    QTEST(entry.text(), "expected");
    QTEST(int(changes.count()), "changes");
}

void TestWidgets::entryAcceptsAnyTypedText()
{
    NumberEntry entry("60");
    entry.selectAll();
    QTest::keyClicks(&entry, "6a.5");
    QCOMPARE(entry.text(), QString("6a.5"));
    QVERIFY(!entry.hasFrame());
}

void TestWidgets::radioClickFiresEvenOnTheSelectedItem()
{
    RadioGroup group("Brace Height", {"Over 6.5\"", "Under 6.5\""});
    QCOMPARE(group.itemIndex(), -1);
    QSignalSpy clicks(&group, &RadioGroup::itemClicked);
    group.setItemIndex(0); // the program's choice is silent
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(group.item(0), Qt::LeftButton);
    QTest::mouseClick(group.item(1), Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(0).at(0).toInt(), 0);
    QCOMPARE(clicks.at(1).at(0).toInt(), 1);
    QCOMPARE(group.itemIndex(), 1);
    group.setItemIndex(-1);
    QCOMPARE(group.itemIndex(), -1);
    QCOMPARE(clicks.count(), 2);
}

void TestWidgets::radioTwoColumnsFillDownFirst()
{
    RadioGroup group("OverDraw", {"No", "1\"", "2\"", "3\"", "4\"", "5\""}, 2);
    group.resize(160, 90);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QCOMPARE(group.item(1)->x(), group.item(0)->x());
    QVERIFY(group.item(3)->x() > group.item(2)->x());
    QCOMPARE(group.item(3)->y(), group.item(0)->y());
    QCOMPARE(group.items().at(5), QString("5\""));
}

void TestWidgets::disabledRadioGroupKeepsTheDisabledColour()
{
    RadioGroup group("", {"Single or Hard Cam", "Medium Cam"});
    const QColor greyedOut =
        group.item(0)->palette().color(QPalette::Disabled, QPalette::WindowText);
    const QColor navy(0x1F, 0x2A, 0x60);
    QVERIFY(greyedOut != navy);
    group.setEnabled(false);
    group.setFontColour(navy);
    QCOMPARE(group.fontColour(), navy);
    QStyleOptionButton drawn; // the palette the style paints an item with
    drawn.initFrom(group.item(1));
    QCOMPARE(drawn.palette.color(QPalette::WindowText), greyedOut);
    group.setEnabled(true);
    drawn.initFrom(group.item(1));
    QCOMPARE(drawn.palette.color(QPalette::WindowText), navy);
}

void TestWidgets::tabStopsOnTheSelectedItemAndArrowsChoose()
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* group = new RadioGroup("OverDraw", {"No", "1\"", "2\""}, 1, &window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* widget : {static_cast<QWidget*>(before), static_cast<QWidget*>(group),
                            static_cast<QWidget*>(after)})
        layout->addWidget(widget);
    group->setItemIndex(1);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicks(group, &RadioGroup::itemClicked);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), group->item(1));
    QTest::keyClick(group->item(1), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), group->item(2));
    QCOMPARE(group->itemIndex(), 2);
    QTest::keyClick(group->item(2), Qt::Key_Left);
    QTest::keyClick(group->item(1), Qt::Key_Up);
    QCOMPARE(group->itemIndex(), 0);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(clicks.at(0).at(0).toInt(), 2);
    QCOMPARE(clicks.at(2).at(0).toInt(), 0);
    QTest::keyClick(group->item(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), after);
    // Set by the program while elsewhere: Tab back in lands on the new choice.
    group->setItemIndex(2);
    QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), group->item(2));
    QCOMPARE(clicks.count(), 3);
}

// Inked columns of an item's label: where the figures start (after the
// widest gap) and where the text ends, as fractions of the text's extent.
struct LabelInk {
    int figureStart = 0;
    double figureShare = 0; // of the text's width, taken by the figures
};

static LabelInk labelInk(QRadioButton* item)
{
    const QImage image = item->grab().toImage();
    const int paper = qGray(image.pixel(image.width() - 1, 0));
    QStyleOptionButton option;
    option.initFrom(item);
    const int left =
        item->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, item).left();
    QList<int> inked;
    for (int x = left; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < paper - 96) {
                inked << x;
                break;
            }
    LabelInk ink;
    int widestGap = 0;
    for (int k = 1; k < inked.size(); ++k)
        if (inked[k] - inked[k - 1] > widestGap) {
            widestGap = inked[k] - inked[k - 1];
            ink.figureStart = inked[k];
        }
    if (inked.size() > 1)
        ink.figureShare =
            double(inked.last() - ink.figureStart) / double(inked.last() - inked.first());
    return ink;
}

void TestWidgets::radioFiguresLineUpInAColumn()
{
    const QStringList texts = {"Single/Hard Cam over 230 ", "Medium Cam        211-230",
                               "Soft Cam               under 211"};
    RadioGroup group("AMO fps", texts);
    group.setFigureColumn(QRegularExpression("((over|under) )?[0-9]+(-[0-9]+)? *$"));
    QCOMPARE(group.items(), texts);
    const int natural = group.sizeHint().width();
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    // In a column narrower than the text needs, the text narrows as a whole
    // (the figures keep their share of it) rather than being cut off.
    QList<double> naturalShares;
    for (int width : {natural, natural * 4 / 5}) {
        group.setFixedWidth(width);
        QTRY_VERIFY(group.item(0)->geometry().right() < width);
        const int firstStart = labelInk(group.item(0)).figureStart;
        QVERIFY(firstStart > 0);
        for (int i = 0; i < group.count(); ++i) {
            const LabelInk ink = labelInk(group.item(i));
            QVERIFY2(std::abs(ink.figureStart - firstStart) <= 1,
                     qPrintable(QString("width %1, item %2 starts at %3, item 0 at %4")
                                    .arg(width)
                                    .arg(i)
                                    .arg(ink.figureStart)
                                    .arg(firstStart)));
            if (width == natural)
                naturalShares << ink.figureShare;
            else
                QVERIFY2(std::abs(ink.figureShare - naturalShares[i]) < 0.05,
                         qPrintable(QString("item %1: %2 of the text, %3 at full width")
                                        .arg(i)
                                        .arg(ink.figureShare)
                                        .arg(naturalShares[i])));
        }
    }
}

void TestWidgets::captionButtonHoverAndCaptionSwitch()
{
    CaptionButton button;
    button.setText("Kinetic Energy && FOC Calculator");
    button.setFillColour(Qt::black);
    button.setFontColour(QColor(0x88BF3D));
    button.setHoverColours(QColor(0x008080), Qt::white);
    button.resize(120, 30);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QEvent away(QEvent::Leave); // the offscreen cursor may start over the button
    QApplication::sendEvent(&button, &away);
    QCOMPARE(button.paintedFill(), QColor(Qt::black));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QCOMPARE(button.paintedFill(), QColor(0x008080));
    QCOMPARE(button.paintedFont(), QColor(Qt::white));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QCOMPARE(button.paintedFont(), QColor(0x88BF3D));
    // Switching the caption off keeps the text for whoever reads it.
    button.setShowCaption(false);
    QCOMPARE(button.text(), QString("Kinetic Energy && FOC Calculator"));
    QSignalSpy clicks(&button, &CaptionButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void TestWidgets::disabledCommandButtonDimsAndNeverLightsUp()
{
    CaptionButton button;
    button.setFillColour(Qt::black);
    button.setFontColour(QColor(0x88BF3D));
    button.setHoverColours(QColor(0x88BF3D), Qt::black);
    button.setDimWhenDisabled(true);
    button.setEnabled(false);
    button.resize(60, 20);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QCOMPARE(button.paintedFill(), QColor(Qt::black));
    QCOMPARE(button.paintedFont(), QColor(0x44, 0x5F, 0x1E));
    QSignalSpy clicks(&button, &CaptionButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    button.setEnabled(true);
    QCOMPARE(button.paintedFont(), QColor(0x88BF3D));
}

void TestWidgets::gridCellLightsUpUnderTheMouseWhetherOrNotItClicks()
{
    QWidget window;
    CaptionButton* cells[2];
    for (int i = 0; i < 2; ++i) {
        cells[i] = new CaptionButton(&window);
        cells[i]->setFillColour(QColor(0xC0C0C0));
        cells[i]->setFontColour(Qt::black);
        cells[i]->setHoverColours(Qt::black, QColor(0xCCB776));
        cells[i]->setGeometry(i * 60, 0, 60, 20);
    }
    CaptionButton* spine = cells[0]; // takes no clicks
    spine->setEnabled(false);
    window.resize(120, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(spine, &CaptionButton::clicked);
    QTest::mouseMove(&window, QPoint(30, 30)); // below both cells
    QTest::mouseMove(&window, QPoint(30, 10));
    QTRY_VERIFY(spine->isHovered());
    QCOMPARE(spine->paintedFill(), QColor(Qt::black));
    QCOMPARE(spine->paintedFont(), QColor(0xCCB776));
    QTest::mouseClick(spine, Qt::LeftButton);
    QCOMPARE(clicks.count(), 0);
    QTest::mouseMove(&window, QPoint(90, 10));
    QTRY_VERIFY(!spine->isHovered());
    QCOMPARE(spine->paintedFill(), QColor(0xC0C0C0));
    QCOMPARE(spine->paintedFont(), QColor(Qt::black)); // not dimmed
    QVERIFY(cells[1]->isHovered());
    QCOMPARE(cells[1]->paintedFill(), QColor(Qt::black));
}

void TestWidgets::animatorCyclesFramesOnItsTimer()
{
    QList<QPixmap> frames;
    for (int i = 0; i < 3; ++i) {
        QPixmap frame(10, 10);
        frame.fill(QColor(i * 80, 0, 0));
        frames << frame;
    }
    PictureAnimator animator(frames, 30);
    QCOMPARE(animator.frameCount(), 3);
    QCOMPARE(animator.interval(), 30);
    animator.advance();
    animator.advance();
    QCOMPARE(animator.frameIndex(), 2);
    animator.advance();
    QCOMPARE(animator.frameIndex(), 0);
    animator.start();
    QTRY_COMPARE_WITH_TIMEOUT(animator.frameIndex(), 1, 2000);
    animator.stop();
    QSignalSpy clicks(&animator, &PictureAnimator::clicked);
    animator.resize(10, 10);
    QTest::mouseClick(&animator, Qt::LeftButton);
    QCOMPARE(clicks.count(), 1);
}

void TestWidgets::linkOpensItsAddressOrNamesItInAMessage_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("shown");
    QTest::newRow("mail") << "mailto:techsupport@norvane.example"
                          << "techsupport@norvane.example";
    QTest::newRow("web") << "https://www.norvane.example/products/youth"
                         << "https://www.norvane.example/products/youth";
}

void TestWidgets::linkOpensItsAddressOrNamesItInAMessage()
{
    QFETCH(QString, url);
    QFETCH(QString, shown);
    QWidget window;
    window.setWindowTitle("Quiverwise 2011");
    auto* link = new LinkLabel("link", QUrl(url), &window);
    link->resize(150, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString text, title;
    QWidget* messageParent = nullptr;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            title = box->windowTitle();
            messageParent = box->parentWidget();
            box->accept();
        }
    });
    closer.start(10);
    // An address the desktop opens shows nothing.
    QList<QUrl> opened;
    UrlOpener::setHandler([&](const QUrl& address) {
        opened << address;
        return true;
    });
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::qWait(30);
    QCOMPARE(opened, QList<QUrl>{QUrl(url)});
    QVERIFY(text.isEmpty());
    // One it cannot open is named in a message over the link's window.
    UrlOpener::setHandler([](const QUrl&) { return false; });
    QTest::mouseClick(link, Qt::LeftButton);
    UrlOpener::setHandler({});
    QVERIFY2(text.contains(shown), qPrintable(text));
    QCOMPARE(title, QString("Quiverwise 2011"));
    QCOMPARE(messageParent, &window);
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
