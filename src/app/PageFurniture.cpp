#include "PageFurniture.h"

#include "AppConfig.h"
#include "FormBinder.h"
#include "selection/MainFormDesign.h"
#include "widgets/CaptionButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/PictureAnimator.h"
#include "widgets/UrlOpener.h"

#include <QDir>
#include <QFile>
#include <QLabel>

#include <array>
#include <utility>

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
    button->setFontColour(look.caption);
    button->setHoverColours(look.caption, Qt::black);
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

QColor accentOf(Page page)
{
    return toQColor(selection::pageInfo(page).accent);
}

namespace {

// The colour the design gives the page's command captions.
QColor captionOf(Page page)
{
    static const FormState design = selection::mainFormDesign();
    return toQColor(design[selection::pageControlName(page, "PrintBtn")].font);
}

} // namespace

const PageLook& pageLook(Page page)
{
    static const std::array<PageLook, 4> looks = {{
        {Page::Hunt, accentOf(Page::Hunt), captionOf(Page::Hunt), QColor(0x1E, 0x24, 0x1A), "hunt",
         kHuntingProductsUrl},
        {Page::Targ, accentOf(Page::Targ), captionOf(Page::Targ), QColor(0x24, 0x1F, 0x1A), "targ",
         kTargetProductsUrl},
        {Page::Youth, accentOf(Page::Youth), captionOf(Page::Youth), QColor(0x24, 0x1F, 0x1A),
         "youth", kYouthProductsUrl},
        {Page::Kavl, accentOf(Page::Kavl), captionOf(Page::Kavl), QColor(0x2A, 0x1C, 0x17), "kavl",
         kKavelProductsUrl},
    }};
    return looks.at(static_cast<std::size_t>(page));
}

void buildPageFurniture(QWidget* page, const PageLook& look)
{
    // One column of commands, top to bottom.
    static const std::array<std::pair<const char*, const char*>, 4> commands = {{
        {"PrintBtn", "Print"},
        {"SaveBtn", "Save Setup"},
        {"GetBtn", "Get Setup"},
        {"ExitBtn", "Exit"},
    }};
    int y = 6;
    for (const auto& [suffix, caption] : commands) {
        commandButton(page, look, suffix, caption, {kColumnX, y, kColumnWidth, 25});
        y += 29;
    }
    y += 4;
    commandButton(page, look, "ModelsBtn", "2011 Shaft Models", {kColumnX, y, kColumnWidth, 30});
    y += 36;
    commandButton(page, look, "KECalcBtn", "Kinetic Energy && FOC Calculator",
                  {kColumnX, y, kColumnWidth, 30});
    y += 38;
    buildBanner(page, look, y);
    y += kBannerHeight + 8;

    auto* guide = commandButton(page, look, "Models2011Btn", "2011", {kColumnX, y, 70, 28});
    QFont large = guide->font();
    large.setPointSize(large.pointSize() + 3);
    guide->setFont(large);

    auto* mail = new widgets::LinkLabel("Email Tech Support", QUrl(kSupportMailUrl), page);
    mail->setObjectName(prefixOf(look.page) + "EmailLbl");
    mail->setLinkColour(look.caption);
    mail->setGeometry(kColumnX + 84, y + 4, kColumnWidth - 84, 20);
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
