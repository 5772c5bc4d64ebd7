#include "TTrajectory.h"

#include "CalculatorParts.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/NumberEntry.h"
#include "widgets/UpDown.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace qw::app {

namespace {

constexpr int kClientWidth = 634;
constexpr int kClientHeight = 448;
constexpr int kBannerHeight = 143;
constexpr int kMarkerY = 318;
constexpr int kMarkerHeight = 11;
const QColor kSilver(0xC0, 0xC0, 0xC0);

QLabel* text(QWidget* parent, const QString& caption, QRect geometry, bool bold = true,
             const QString& name = {}, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    return label;
}

QFrame* blackShape(QWidget* parent, const QString& name)
{
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setAutoFillBackground(true);
    QPalette p = shape->palette();
    p.setColor(QPalette::Window, Qt::black);
    shape->setPalette(p);
    return shape;
}

QString name(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

TTrajectory::TTrajectory(const std::filesystem::path& dataFolder, MessageSink* messages,
                         QWidget* parent)
    : QDialog(parent), boxes_(this)
{
    setObjectName("TTrajectory");
    setWindowTitle("Quiverwise Plus");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    widgets::fixLook(this, kSilver, Qt::black);

    model_ =
        std::make_unique<calculators::TrajectoryModel>(dataFolder, messages ? *messages : boxes_);
    pictureLabel(this, "Banner", kTrajectoryBanner, {0, 0, kClientWidth, kBannerHeight});
    buildInputs();
    buildDrawing();
    binder_ = std::make_unique<FormBinder>(model_->form(), this);
    connectControls();
    showModel();
    widgets::KeyboardAccess::install(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TTrajectory::~TTrajectory() = default;

void TTrajectory::buildInputs()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("InputPanel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, kBannerHeight + 8, 168, 236);
    const std::pair<const char*, const calculators::SpinSpec*> inputs[] = {
        {"Velocity at Bow", &calculators::kVelocitySpin},
        {"Arrow Weight", &calculators::kWeightSpin},
        {"Distance to Target", &calculators::kDistanceSpin}};
    int y = 10;
    for (const auto& [caption, spin] : inputs) {
        text(panel, caption, {12, y, 150, 20});
        auto* entry = new widgets::NumberEntry(QString(), panel);
        entry->setObjectName(name(spin->control));
        entry->setReadOnly(true); // only the arrows change it
        entry->setGeometry(12, y + 22, 80, 28);
        auto* arrows = new widgets::UpDown(entry, spin->minimum, spin->maximum, spin->step, panel);
        arrows->setObjectName(name(spin->control) + "UpDown");
        arrows->setGeometry(94, y + 22, 18, 28);
        y += 74;
    }
    auto* close = new widgets::CaptionButton(this);
    close->setObjectName("CloseBtn");
    close->setText("&Close");
    close->setFillColour(kSilver);
    close->setBorderColour(kSilver);
    close->setFontColour(Qt::red);
    close->setHoverColours(QColor(0xD8, 0xD8, 0xD8), Qt::red);
    QFont bold = close->font();
    bold.setBold(true);
    close->setFont(bold);
    close->setGeometry(8, kClientHeight - 40, 90, 30);
}

void TTrajectory::buildDrawing()
{
    const int top = kBannerHeight + 6;
    text(this, "Nearest Range", {200, top, 130, 20}, true, {}, Qt::AlignCenter);
    text(this, "(4\" High)", {200, top + 18, 130, 20}, false, {}, Qt::AlignCenter);
    auto* range = text(this, "Range", {383, top, 120, 20}, true, "RangeCaption", Qt::AlignCenter);
    QPalette red = range->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    range->setPalette(red);
    text(this, {}, {383, top + 18, 120, 20}, true, "Label17", Qt::AlignCenter);
    pictureLabel(this, "TargetPicture", kTargetPicture, {393, top + 42, 100, 100});
    text(this, "Extreme Range", {500, top, 130, 20}, true, {}, Qt::AlignCenter);
    text(this, "(4\" Low)", {500, top + 18, 130, 20}, false, {}, Qt::AlignCenter);

    auto* scale = new QFrame(this);
    scale->setObjectName("YardageScale");
    scale->setFrameShape(QFrame::HLine);
    scale->setGeometry(186, kMarkerY + kMarkerHeight + 2, kClientWidth - 190, 2);
    blackShape(this, "Shape4");
    blackShape(this, "Shape3");
    blackShape(this, "Shape2");
    text(this, {}, {0, kMarkerY - 18, 24, 16}, true, "HighLabel", Qt::AlignCenter);
    text(this, {}, {0, kMarkerY - 18, 24, 16}, true, "LowLabel", Qt::AlignCenter);

    text(this, "Kill Window Depth (Yards):", {200, 360, 200, 22});
    text(this, {}, {400, 360, 80, 22}, true, "Label8");
    text(this, "Velocity (Feet/Second):", {200, 386, 200, 22});
    text(this, {}, {400, 386, 80, 22}, true, "Label10");
}

void TTrajectory::connectControls()
{
    for (const auto* spin :
         {&calculators::kVelocitySpin, &calculators::kWeightSpin, &calculators::kDistanceSpin}) {
        const std::string control(spin->control);
        binder_->forwardTextChanges(name(spin->control), [this, control](std::string value) {
            model_->changeText(control, value);
            showModel();
        });
    }
    binder_->forwardClicks("CloseBtn", [this] { accept(); });
}

void TTrajectory::showModel()
{
    binder_->apply();
    const auto& layout = model_->layout();
    binder_->require<QWidget>("Shape3")->setGeometry(layout.nearX, kMarkerY, 3, kMarkerHeight);
    binder_->require<QWidget>("Shape2")->setGeometry(layout.farX, kMarkerY, 3, kMarkerHeight);
    binder_->require<QWidget>("Shape4")->setGeometry(layout.barLeft, kMarkerY + 4, layout.barWidth,
                                                     3);
    auto* high = binder_->require<QWidget>("HighLabel");
    high->move(layout.nearLabelX, high->y());
    auto* low = binder_->require<QWidget>("LowLabel");
    low->move(layout.farLabelX, low->y());
}

} // namespace qw::app
