#include "TKECalc2.h"

#include "CalculatorParts.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/FixedTabWidget.h"
#include "widgets/GradientBar.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/NumberEntry.h"
#include "widgets/PictureAnimator.h"
#include "widgets/UpDown.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace qw::app {

using calculators::KineticEnergyModel;

namespace {

constexpr int kClientWidth = 644;
constexpr int kClientHeight = 518;
const QColor kPageFallback(0xE4, 0xE2, 0xDC);
const QColor kCaptionColour(0x1C, 0x1C, 0x1C); // on the light tiles

// The bar's top and height on its page; a level's y follows from them.
constexpr int kBarTop = 60;
constexpr int kBarHeight = 320;
constexpr int kBarX = 430;

int levelY(int level)
{
    return kBarTop + kBarHeight - kBarHeight * level / 100;
}

QLabel* caption(QWidget* page, const QString& text, QRect geometry, bool bold = true)
{
    auto* label = new QLabel(text, page);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kCaptionColour);
    label->setPalette(p);
    return label;
}

QLabel* output(QWidget* page, const QString& name, QRect geometry, QFrame::Shadow shadow)
{
    auto* label = new QLabel(page);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFrameStyle(QFrame::Panel | shadow);
    label->setLineWidth(2);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 3);
    label->setFont(font);
    return label;
}

void button(QWidget* page, const QString& name, QRect geometry)
{
    auto* b = new widgets::CaptionButton(page);
    b->setObjectName(name);
    b->setGeometry(geometry);
    QFont font = b->font();
    font.setBold(true);
    b->setFont(font);
}

void wholeInput(QWidget* page, const char* name, QRect geometry)
{
    auto* entry = new widgets::NumberEntry(QString(), page);
    entry->setObjectName(name);
    entry->setMaxLength(KineticEnergyModel::kWholeMaxLength);
    entry->setGeometry(geometry);
    auto* arrows = new widgets::UpDown(entry, KineticEnergyModel::kWholeMinimum,
                                       KineticEnergyModel::kWholeMaximum,
                                       KineticEnergyModel::kWholeStep, page);
    arrows->setObjectName(QString(name) + "UpDown");
    arrows->setGeometry(geometry.right() + 2, geometry.top(), 18, geometry.height());
}

} // namespace

TKECalc2::TKECalc2(MessageSink* messages, QWidget* parent) : QDialog(parent), boxes_(this)
{
    setObjectName("TKECalc2");
    setWindowTitle("2011 Kinetic Energy and Front of Center Calculators");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    widgets::fixLook(this, kPageFallback, kCaptionColour);
    model_ = std::make_unique<KineticEnergyModel>(messages ? *messages : boxes_);

    auto* pages = new widgets::FixedTabWidget(QSize(200, 35), this);
    pages->setObjectName("PageControl1");
    pages->setGeometry(0, 0, kClientWidth, kClientHeight);
    QWidget* energy = tiledPage("TabSheet1", kKeTile, kPageFallback);
    QWidget* foc = tiledPage("TabSheet2", kFocTile, kPageFallback);
    for (QWidget* page : {energy, foc})
        page->setFont(widgets::designFont()); // made before they join the window
    pages->addTab(energy, "Kinetic Energy");
    pages->addTab(foc, "Front of Center");
    buildEnergyPage(energy);
    buildFocPage(foc);

    binder_ = std::make_unique<FormBinder>(model_->form(), this);
    connectControls();
    showModel();
    // Enter calculates on the page in front.
    widgets::KeyboardAccess::install(this)->setMainCommand([this, pages]() -> QAbstractButton* {
        return findChild<QAbstractButton*>(pages->currentIndex() == 0 ? "KECalculateBtn"
                                                                      : "FOCCalculateBtn");
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TKECalc2::~TKECalc2() = default;

void TKECalc2::buildEnergyPage(QWidget* page)
{
    caption(page, "Total Grain Weight of Arrow Shaft:", {20, 30, 270, 28});
    wholeInput(page, "GrainWt", {290, 30, 70, 28});
    caption(page, "Impact Velocity (Feet/Second):", {20, 72, 270, 28});
    wholeInput(page, "Velocity", {290, 72, 70, 28});
    caption(page, "Kinetic Energy (Foot Lbs.)", {20, 124, 270, 34});
    output(page, "Label6", {290, 122, 100, 38}, QFrame::Raised);
    caption(page, "Momentum (Slug Ft./Sec.)", {20, 170, 270, 24}, false);
    auto* momentum = output(page, "MomentumLbl", {290, 168, 100, 28}, QFrame::Sunken);
    QFont small = momentum->font();
    small.setPointSize(small.pointSize() - 3);
    momentum->setFont(small);

    animatorPage_ = page;

    button(page, "KECalculateBtn", {40, 400, 130, 34});
    button(page, "KECloseBtn", {190, 400, 130, 34});

    caption(page, "Hunting Usage", {kBarX - 10, 24, 200, 24});
    bar_ = new widgets::GradientBar(page);
    bar_->setObjectName("ALProgressBar1");
    bar_->setGeometry(kBarX, kBarTop, 34, kBarHeight);
    // Ticks at the class boundaries, each class's caption between its ticks.
    for (int level : {65, 41, 25}) {
        auto* tick = new QFrame(page);
        tick->setObjectName(QString("Tick%1").arg(level));
        tick->setFrameShape(QFrame::HLine);
        tick->setGeometry(kBarX + 36, levelY(level), 150, 2);
        QPalette p = tick->palette();
        p.setColor(QPalette::WindowText, kCaptionColour);
        tick->setPalette(p);
    }
    const std::pair<const char*, std::pair<int, int>> classes[] = {{"Largest Game", {100, 65}},
                                                                   {"Big Game", {65, 41}},
                                                                   {"Medium Game", {41, 25}},
                                                                   {"Small Game", {25, 0}}};
    for (const auto& [text, levels] : classes) {
        const int middle = (levelY(levels.first) + levelY(levels.second)) / 2;
        caption(page, text, {kBarX + 44, middle - 11, 150, 22});
    }
}

void TKECalc2::buildFocPage(QWidget* page)
{
    pictureLabel(page, "FocDiagram", kFocDiagram, {20, 16, 600, 170});
    caption(page, "Arrow Length (L):", {20, 210, 300, 28});
    decimalInput(page, "FSpinLenEdit", {330, 210, 90, 28});
    caption(page, "Balance distance from nock groove (A):", {20, 252, 300, 28});
    decimalInput(page, "FSpinBalEdit", {330, 252, 90, 28});
    caption(page, "Front-of-Center Percent:", {20, 306, 300, 30});
    output(page, "Label9", {330, 302, 100, 36}, QFrame::Sunken);
    button(page, "FOCCalculateBtn", {40, 400, 130, 34});
    button(page, "FOCCloseBtn", {190, 400, 130, 34});
}

void TKECalc2::connectControls()
{
    for (const char* entry : {"GrainWt", "Velocity", "FSpinLenEdit", "FSpinBalEdit"})
        binder_->forwardTextChanges(entry, [this, entry](std::string text) {
            model_->changeText(entry, std::move(text));
            showModel(); // a result calculated from other figures is dimmed
        });
    for (const char* entry : {"FSpinLenEdit", "FSpinBalEdit"})
        for (const auto& [suffix, direction] : {std::pair{"Up", +1}, std::pair{"Down", -1}})
            binder_->forwardClicks(QString(entry) + suffix, [this, entry, direction] {
                model_->stepDecimal(entry, direction);
                showModel();
            });
    binder_->forwardClicks("KECalculateBtn", [this] {
        model_->calculateEnergy();
        showModel();
        takeFocus();
    });
    binder_->forwardClicks("FOCCalculateBtn", [this] {
        model_->calculateFoc();
        showModel();
        takeFocus();
    });
    binder_->forwardPageChanges("PageControl1", [this](int page) { model_->changePage(page); });
    binder_->forwardClicks("KECloseBtn", [this] { accept(); });
    binder_->forwardClicks("FOCCloseBtn", [this] { accept(); });
}

void TKECalc2::showModel()
{
    binder_->apply();
    bar_->setPosition(model_->barPosition());
    bar_->setEnabled(!model_->energyOutOfDate());
    showPictures();
}

void TKECalc2::takeFocus()
{
    if (auto* focus = findChild<QWidget*>(QString::fromStdString(model_->focus())))
        focus->setFocus();
}

// The set changes with the class of the result: a new animator plays it.
void TKECalc2::showPictures()
{
    const QString set = QString::fromStdString(model_->pictureSet());
    if (set != shownSet_) {
        auto* next = new widgets::PictureAnimator(pictureFrames(kKePictureFolder, set),
                                                  kKePictureIntervalMs, animatorPage_);
        next->setObjectName("Animator1");
        next->setProperty("pictureSet", set);
        next->setGeometry(100, 222, 150, 150);
        next->setCursor(Qt::ArrowCursor);
        next->show();
        delete animator_;
        animator_ = next;
        shownSet_ = set;
    }
    if (model_->animating() && !animator_->isRunning())
        animator_->start();
}

bool TKECalc2::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        model_->activate();
        showModel();
        takeFocus();
    }
    return QDialog::event(event);
}

} // namespace qw::app
