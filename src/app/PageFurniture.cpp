#include "PageFurniture.h"

#include "AppConfig.h"
#include "widgets/CaptionButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/PictureAnimator.h"
#include "widgets/UrlOpener.h"

#include <QDir>
#include <QFile>
#include <QLabel>

#include <array>

namespace qw::app {

using selection::Page;

namespace {

constexpr int kColumnX = 372;
constexpr int kColumnWidth = 220;

QString prefixOf(Page page)
{
    return QString(QChar(selection::pageInfo(page).prefix));
}

widgets::CaptionButton* commandButton(QWidget* page, const PageLook& look, const char* suffix,
                                      const QString& caption, QRect geometry)
{
    auto* button = new widgets::CaptionButton(page);
    button->setObjectName(prefixOf(look.page) + suffix);
    button->setText(caption);
    button->setFillColour(Qt::black);
    button->setFontColour(look.accent);
    button->setHoverColours(look.accent, Qt::black);
    button->setDimWhenDisabled(true);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setGeometry(geometry);
    return button;
}

QStringList bannerFrames(const QString& prefix)
{
    QStringList frames;
    const QDir folder(kBannerFolder);
    const QStringList names = folder.entryList({prefix + "_*.png"}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        frames << folder.filePath(name);
    return frames;
}

void buildBanner(QWidget* page, const PageLook& look, int y)
{
    auto* banner =
        new widgets::PictureAnimator(bannerFrames(look.bannerPrefix), kBannerIntervalMs, page);
    banner->setObjectName(prefixOf(look.page) + "Banner");
    banner->setGeometry(kColumnX, y, kBannerWidth, kBannerHeight);
    banner->setToolTip(look.productUrl);
    const QUrl url(look.productUrl);
    QObject::connect(banner, &widgets::PictureAnimator::clicked, banner,
                     [banner, url] { widgets::UrlOpener::open(url, banner); });
    banner->start();
}

} // namespace

const PageLook& pageLook(Page page)
{
    static const std::array<PageLook, 4> looks = {{
        {Page::Hunt, QColor(136, 191, 61), QColor(0x1E, 0x24, 0x1A), "hunt", kHuntingProductsUrl},
        {Page::Targ, QColor(245, 123, 32), QColor(0x24, 0x1F, 0x1A), "targ", kTargetProductsUrl},
        {Page::Youth, QColor(245, 123, 32), QColor(0x24, 0x1F, 0x1A), "youth", kYouthProductsUrl},
        {Page::Kavl, QColor(164, 78, 45), QColor(0x2A, 0x1C, 0x17), "kavl", kKavelProductsUrl},
    }};
    return looks.at(static_cast<std::size_t>(page));
}

void buildPageFurniture(QWidget* page, const PageLook& look)
{
    const int half = (kColumnWidth - 6) / 2;
    commandButton(page, look, "PrintBtn", "Print", {kColumnX, 6, half, 26});
    commandButton(page, look, "SaveBtn", "Save Setup", {kColumnX + half + 6, 6, half, 26});
    commandButton(page, look, "GetBtn", "Get Setup", {kColumnX, 36, half, 26});
    commandButton(page, look, "ExitBtn", "Exit", {kColumnX + half + 6, 36, half, 26});
    commandButton(page, look, "ModelsBtn", "2011 Shaft Models", {kColumnX, 72, kColumnWidth, 32});
    commandButton(page, look, "KECalcBtn", "Kinetic Energy && FOC Calculator",
                  {kColumnX, 110, kColumnWidth, 32});
    buildBanner(page, look, 152);

    auto* guide = commandButton(page, look, "Models2011Btn", "2011", {kColumnX, 280, 70, 28});
    QFont large = guide->font();
    large.setPointSize(large.pointSize() + 3);
    guide->setFont(large);

    auto* mail = new widgets::LinkLabel("Email Tech Support", QUrl(kSupportMailUrl), page);
    mail->setObjectName(prefixOf(look.page) + "EmailLbl");
    mail->setLinkColour(look.accent);
    mail->setGeometry(kColumnX + 84, 284, kColumnWidth - 84, 20);
}

void buildModelLegend(QWidget* page, Page which, const std::filesystem::path& folder, int top,
                      int bottom)
{
    static const std::array<const char*, 4> files = {"HuntLegend.txt", "TargLegend.txt",
                                                     "YouthLegend.txt", "KavlLegend.txt"};
    QFile file(QString::fromStdString((folder / files.at(std::size_t(which))).string()));
    QString text;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        text = QString::fromUtf8(file.readAll()).trimmed();
    auto* legend = new QLabel(text, page);
    legend->setObjectName(prefixOf(which) + "LegendLbl");
    legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    legend->setWordWrap(true);
    QFont small = legend->font();
    small.setPointSizeF(small.pointSizeF() - 1);
    legend->setFont(small);
    QPalette p = legend->palette();
    p.setColor(QPalette::WindowText, QColor(0xE8, 0xE8, 0xE0));
    legend->setPalette(p);
    legend->setGeometry(6, top, 360, bottom - top);
}

} // namespace qw::app
