#include "TAboutBox1.h"

#include "AppConfig.h"
#include "selection/SetupInputs.h"
#include "widgets/CaptionButton.h"
#include "widgets/FixedLook.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/LinkColours.h"
#include "widgets/LinkLabel.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>

namespace qw::app {

namespace {

constexpr int kClientWidth = 795;
constexpr int kClientHeight = 595;

struct Picture {
    const char* name;
    const char* resource;
    QSize size;
};

const Picture kPictures[] = {
    {"HuntGuideImg", ":/artwork/guide/hunt_guide.jpg", {1201, 1593}},
    {"TargGuideImg", ":/artwork/guide/targ_guide.jpg", {1201, 1628}},
    {"KavlGuideImg", ":/artwork/guide/kavl_guide.jpg", {1213, 911}},
};

struct Link {
    const char* name;
    const QString& url;
};

} // namespace

TAboutBox1::TAboutBox1(const QString& pageKey, QWidget* parent)
    : TAboutBox1([key = pageKey.toStdString()] { return key; }, parent)
{
}

TAboutBox1::TAboutBox1(std::function<std::string()> pageKey, QWidget* parent)
    : QDialog(parent), pageKey_(std::move(pageKey))
{
    setObjectName("TAboutBox1");
    setWindowTitle(selection::ModelGuide::kInitialCaption);
    buildWindow();
    binder_ = std::make_unique<FormBinder>(guide_.form(), this);
    binder_->apply();
}

TAboutBox1::~TAboutBox1() = default;

void TAboutBox1::buildWindow()
{
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName("ScrollBox1");
    scrollBox_->setGeometry(0, 0, 796, 529);
    scrollBox_->setWidgetResizable(false);
    scrollBox_->setFrameShape(QFrame::NoFrame);
    auto* sheet = new QWidget;
    sheet->setObjectName("ScrollSheet");
    for (const Picture& picture : kPictures) {
        auto* label = new QLabel(sheet);
        label->setObjectName(picture.name);
        label->setPixmap(QPixmap(QString::fromLatin1(picture.resource)));
        label->setGeometry(QRect(QPoint(0, 0), picture.size));
        label->setToolTip(QStringLiteral("Use scroll bars and\narrows to view all items"));
        label->hide();
    }
    sheet->resize(0, 0);
    scrollBox_->setWidget(sheet);

    const Link links[] = {{"HyperLblHunt", kHuntingProductsUrl},
                          {"HyperLblTarg", kTargetProductsUrl},
                          {"HyperLblYouth", kTargetProductsUrl}, // the same page as target
                          {"HyperLblKavl", kKavelProductsUrl}};
    for (const Link& link : links) {
        auto* label = new widgets::LinkLabel(QString(), QUrl(link.url), this);
        label->setObjectName(link.name);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(16);
        font.setBold(true);
        font.setUnderline(true);
        label->setFont(font);
        label->setGeometry(12, 550, 560, 24);
        label->hide();
        widgets::LinkColours::attach(label);
    }

    auto* close = new widgets::CaptionButton(this);
    close->setObjectName("KECloseBtn");
    close->setText(QStringLiteral("Close"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(24);
    font.setBold(true);
    close->setFont(font);
    close->setHoverColours(Qt::black, QColor::fromRgb(selection::ModelGuide::kCloseColour));
    close->setGeometry(kClientWidth - 118 - 14, 547, 118, 32);
    connect(close, &QAbstractButton::clicked, this, &TAboutBox1::KECloseBtnClick);

    widgets::fixLook(this, Qt::white, Qt::black);
    widgets::KeyboardAccess::install(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool TAboutBox1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TAboutBox1::FormActivate()
{
    guide_.activate(pageKey_());
    binder_->apply();
    setWindowTitle(QString::fromStdString(guide_.caption()));
    // The scroll box scrolls over the picture that is shown.
    QWidget* sheet = scrollBox_->widget();
    QSize shown(0, 0);
    for (const Picture& picture : kPictures)
        if (guide_.shownPicture() == picture.name)
            shown = picture.size;
    sheet->resize(shown);
}

void TAboutBox1::KECloseBtnClick()
{
    reject();
}

} // namespace qw::app
