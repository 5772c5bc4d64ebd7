#include "BannerArt.h"

#include "ArtFonts.h"
#include "TargetFace.h"

#include <QFontMetricsF>
#include <QRadialGradient>

namespace qw::artwork {

namespace {
const QColor nameColour(244, 244, 240);
const QColor captionColour(150, 150, 146);

// Largest font no bigger than the wanted size whose text fits the width.
QFont fitted(QFont font, const QString& text, double maxWidth)
{
    while (font.pixelSize() > 7 && QFontMetricsF(font).horizontalAdvance(text) > maxWidth)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}
} // namespace

QImage BannerArt::render(int frameIndex) const
{
    const BannerProduct& product = family_.productForFrame(frameIndex);
    const Frame frame{product,
                      product.slogans.at(frameIndex % static_cast<int>(product.slogans.size())),
                      frameIndex % layoutCount};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintBackdrop(painter, frame);
    switch (frame.layout) {
    case 0:
        paintHero(painter, frame);
        break;
    case 1:
        paintDiagonal(painter, frame);
        break;
    case 2:
        paintCloseUp(painter, frame);
        break;
    case 3:
        paintTarget(painter, frame);
        break;
    case 4:
        paintSpines(painter, frame);
        break;
    default:
        paintQuiver(painter, frame);
        break;
    }
    return image;
}

void BannerArt::paintBackdrop(QPainter& painter, const Frame& frame) const
{
    // A faint accent glow behind the product keeps the black from looking empty.
    const QPointF centres[layoutCount] = {{110, 70}, {120, 60}, {60, 90},
                                          {168, 60}, {80, 64},  {30, 70}};
    QColor glow = family_.accent;
    glow.setAlpha(46);
    QRadialGradient gradient(centres[frame.layout], 92);
    gradient.setColorAt(0.0, glow);
    glow.setAlpha(0);
    gradient.setColorAt(1.0, glow);
    painter.fillRect(QRect(0, 0, width, height), gradient);
    // A hairline frame in the accent colour ties the frames together.
    QColor edge = family_.accent;
    edge.setAlpha(150);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
}

void BannerArt::paintHero(QPainter& painter, const Frame& frame) const
{
    paintBrandTag(painter, QPointF(10, 9));
    paintName(painter, QRectF(10, 24, 200, 26), frame.product.name, Qt::AlignLeft);
    paintCaption(painter, QRectF(10, 49, 200, 12), frame.product.material, Qt::AlignLeft);
    ArrowGlyph(arrowStyle(frame.product, 4.0)).paint(painter, QPointF(8, 75), QPointF(212, 75));
    paintSlogan(painter, QRectF(10, 92, 200, 22), frame.slogan, Qt::AlignLeft);
}

void BannerArt::paintDiagonal(QPainter& painter, const Frame& frame) const
{
    ArrowGlyph(arrowStyle(frame.product, 4.2)).paint(painter, QPointF(-6, 104), QPointF(214, 20));
    paintBrandTag(painter, QPointF(10, 9));
    paintName(painter, QRectF(10, 22, 130, 26), frame.product.name, Qt::AlignLeft);
    paintCaption(painter, QRectF(80, 70, 132, 12), frame.product.material, Qt::AlignRight);
    paintSlogan(painter, QRectF(46, 84, 166, 30), frame.slogan, Qt::AlignRight);
}

void BannerArt::paintCloseUp(QPainter& painter, const Frame& frame) const
{
    // The fletched end, large, running off the right edge.
    ArrowStyle style = arrowStyle(frame.product, 8.0);
    style.fletchLength = 74;
    style.fletchHeight = 17;
    ArrowGlyph(style).paint(painter, QPointF(6, 96), QPointF(420, 96));
    paintBrandTag(painter, QPointF(10, 9));
    paintName(painter, QRectF(10, 24, 200, 26), frame.product.name, Qt::AlignLeft);
    paintCaption(painter, QRectF(10, 49, 200, 12), frame.product.material, Qt::AlignLeft);
    paintSlogan(painter, QRectF(10, 62, 202, 16), frame.slogan, Qt::AlignLeft);
}

void BannerArt::paintTarget(QPainter& painter, const Frame& frame) const
{
    TargetFace(QPointF(172, 58), 40).paint(painter, 0.0);
    // A shaft home in the gold, fletching towards the viewer's left.
    ArrowGlyph(arrowStyle(frame.product, 3.4)).paint(painter, QPointF(118, 98), QPointF(171, 59));
    paintBrandTag(painter, QPointF(10, 9));
    paintName(painter, QRectF(10, 24, 118, 26), frame.product.name, Qt::AlignLeft);
    paintSlogan(painter, QRectF(10, 52, 112, 42), frame.slogan, Qt::AlignLeft);
    paintCaption(painter, QRectF(10, 104, 202, 12), frame.product.material, Qt::AlignLeft);
}

void BannerArt::paintSpines(QPainter& painter, const Frame& frame) const
{
    paintBrandTag(painter, QPointF(10, 9));
    paintName(painter, QRectF(70, 5, 142, 24), frame.product.name, Qt::AlignRight);
    // Three sizes of the family, light spine to stiff, each with its number.
    const ArtFonts& fonts = ArtFonts::instance();
    painter.setFont(fonts.sans(11, true));
    for (int i = 0; i < 3; ++i) {
        const double y = 42 + i * 15;
        ArrowStyle style = arrowStyle(frame.product, 2.8 + i * 0.6);
        style.fletchLength = 22;
        style.fletchHeight = 5.0;
        ArrowGlyph(style).paint(painter, QPointF(10, y), QPointF(164, y));
        painter.setPen(family_.accent.lighter(130));
        painter.drawText(QRectF(168, y - 7, 44, 14), Qt::AlignLeft | Qt::AlignVCenter,
                         frame.product.spines.at(i));
    }
    paintSlogan(painter, QRectF(10, 90, 202, 24), frame.slogan, Qt::AlignLeft);
}

void BannerArt::paintQuiver(QPainter& painter, const Frame& frame) const
{
    // Four shafts standing points-up, as they would sit in a shop display.
    const QColor crests[4] = {family_.accent, QColor(236, 236, 230), family_.accent.darker(140),
                              QColor(70, 70, 72)};
    for (int i = 0; i < 4; ++i) {
        ArrowStyle style = arrowStyle(frame.product, 3.4);
        style.fletchLength = 24;
        style.fletchHeight = 5.5;
        style.wrap = crests[i];
        const double x = 14 + i * 12;
        ArrowGlyph(style).paint(painter, QPointF(x, 116), QPointF(x, 6 + (i % 2) * 6));
    }
    paintBrandTag(painter, QPointF(70, 9));
    paintName(painter, QRectF(70, 24, 142, 26), frame.product.name, Qt::AlignLeft);
    paintCaption(painter, QRectF(70, 49, 142, 12), frame.product.material, Qt::AlignLeft);
    paintSlogan(painter, QRectF(70, 70, 142, 40), frame.slogan, Qt::AlignLeft);
}

void BannerArt::paintBrandTag(QPainter& painter, QPointF topLeft) const
{
    const ArtFonts& fonts = ArtFonts::instance();
    const QFont font = fonts.withSpacing(fonts.sans(9, true), 1.6);
    const double textWidth = QFontMetricsF(font).horizontalAdvance(family_.brand);
    const QRectF tag(topLeft, QSizeF(textWidth + 9, 13));
    painter.setPen(Qt::NoPen);
    painter.setBrush(family_.accent);
    painter.drawRoundedRect(tag, 2, 2);
    painter.setPen(family_.brandText);
    painter.setFont(font);
    painter.drawText(tag.adjusted(4.5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, family_.brand);
}

void BannerArt::paintName(QPainter& painter, const QRectF& box, const QString& name,
                          Qt::Alignment alignment) const
{
    const QFont font = fitted(ArtFonts::instance().display(23), name, box.width());
    painter.setFont(font);
    painter.setPen(nameColour);
    painter.drawText(box, alignment | Qt::AlignVCenter, name);
}

void BannerArt::paintSlogan(QPainter& painter, const QRectF& box, const QString& slogan,
                            Qt::Alignment alignment) const
{
    painter.setFont(ArtFonts::instance().sans(11, true));
    // Rust is too dark for small type on black; lighten it more than the others.
    const int lighten = family_.brand == QLatin1String("KAVEL") ? 175 : 125;
    painter.setPen(family_.accent.lighter(lighten));
    painter.drawText(box, alignment | Qt::AlignTop | Qt::TextWordWrap, slogan);
}

void BannerArt::paintCaption(QPainter& painter, const QRectF& box, const QString& text,
                             Qt::Alignment alignment) const
{
    const QString caps = text.toUpper();
    painter.setFont(fitted(ArtFonts::instance().sans(9, false), caps, box.width()));
    painter.setPen(captionColour);
    painter.drawText(box, alignment | Qt::AlignVCenter, caps);
}

ArrowStyle BannerArt::arrowStyle(const BannerProduct& product, double thickness) const
{
    ArrowStyle style;
    style.shaft = product.shaft;
    style.point = product.point;
    style.thickness = thickness;
    style.fletchLength = thickness * 8.5;
    style.fletchHeight = thickness * 2.1;
    style.vane = family_.accent;
    style.cockVane = QColor(236, 236, 230);
    style.nock = family_.accent.lighter(120);
    style.wrap = product.shaft == ArrowStyle::Shaft::Carbon ? QColor(236, 236, 230) : QColor();
    return style;
}

} // namespace qw::artwork
