#include "TAboutBox.h"

#include "AppConfig.h"
#include "widgets/LinkColours.h"
#include "widgets/LinkLabel.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace qw::app {

namespace {

constexpr int kClientWidth = 506;
constexpr int kClientHeight = 599;
constexpr int kLineHeight = 34;

QFont whiteTextFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(27);
    font.setBold(true);
    return font;
}

QLabel* centredLine(QWidget* parent, const QString& name, const QString& text, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(whiteTextFont());
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->setGeometry(0, y, kClientWidth, kLineHeight);
    return label;
}

} // namespace

const QStringList& TAboutBox::makerLines()
{
    static const QStringList lines = {
        QStringLiteral("Norvane Archery Company"), QStringLiteral("1480 Ridgeline Road"),
        QStringLiteral("Cedar Falls, Montana 59801"), QStringLiteral("\u00A9 2001\u20132011")};
    return lines;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("TAboutBox");
    setWindowTitle(QStringLiteral("About 2011"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    background_ = QPixmap::fromImage(QImageReader(kSplashPicture).read());

    for (int line = 0; line < makerLines().size(); ++line)
        centredLine(this, QStringLiteral("MakerLbl%1").arg(line + 1), makerLines().at(line),
                    16 + line * kLineHeight);
    centredLine(this, QStringLiteral("VisitLbl"), QStringLiteral("Visit our WWW site:"), 378);

    auto* link = new widgets::LinkLabel(kMakerSiteCaption, QUrl(kMakerSiteUrl), this);
    link->setObjectName("HyperLblSite");
    QFont linkFont = whiteTextFont();
    linkFont.setUnderline(true);
    link->setFont(linkFont);
    link->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    link->setAttribute(Qt::WA_TranslucentBackground);
    link->setLinkColour(Qt::white);
    // Only the text takes clicks, centred across the window.
    const int linkWidth = link->sizeHint().width() + 8;
    link->setGeometry((kClientWidth - linkWidth) / 2, 409, linkWidth, kLineHeight);
    widgets::LinkColours::attach(link);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("OKButton");
    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPixelSize(15);
    buttonFont.setBold(true);
    ok->setFont(buttonFont);
    QPalette p = ok->palette();
    p.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    p.setColor(QPalette::Button, QColor(0xE8, 0xE8, 0xE8)); // navy needs a light face
    ok->setPalette(p);
    ok->setGeometry(206, 479, 98, 32);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    // Placed at the top left at its own size; the window's edges cut it off.
    painter.drawPixmap(0, 0, background_);
    // Where the window is wider than the picture, its edge column carries the
    // sky on instead of leaving a black strip.
    if (!background_.isNull() && background_.width() < width())
        painter.drawPixmap(
            QRect(background_.width(), 0, width() - background_.width(), background_.height()),
            background_, QRect(background_.width() - 1, 0, 1, background_.height()));
}

} // namespace qw::app
