#include "GuideArt.h"

#include "ArrowGlyph.h"
#include "ArtFonts.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace qw::artwork {

namespace {
constexpr double margin = 40;
constexpr double headerHeight = 196;
constexpr double footerHeight = 96;
constexpr double sectionTitleHeight = 46;
constexpr double cardGap = 14;
constexpr double pixelsPerInch = 300; // scale of the drawn sections
const QColor ink(34, 36, 40);
const QColor muted(104, 108, 116);
const QColor cardFill(246, 246, 243);

bool isCarbon(const GuideFamily& family)
{
    return family.arrowType.compare(QLatin1String("Carbon"), Qt::CaseInsensitive) == 0;
}

bool isComposite(const GuideFamily& family)
{
    return family.arrowType.contains(QLatin1Char('/'));
}
} // namespace

QImage GuideArt::render() const
{
    QImage image(page_.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintHeader(painter);

    std::size_t cards = 0;
    for (const GuideSection& section : page_.sections)
        cards += section.families.size();
    const double available = page_.size.height() - headerHeight - footerHeight -
                             sectionTitleHeight * page_.sections.size() - cardGap * cards;
    const double cardHeight = std::min(240.0, available / cards);
    const double width = page_.size.width() - 2 * margin;
    double y = headerHeight;
    for (const GuideSection& section : page_.sections) {
        painter.setFont(ArtFonts::instance().withSpacing(ArtFonts::instance().sans(15, true), 2));
        painter.setPen(page_.accent.darker(125));
        painter.drawText(QRectF(margin, y + 12, width, 24), Qt::AlignLeft | Qt::AlignVCenter,
                         section.title.toUpper());
        painter.setPen(QPen(page_.accent, 2));
        const double textWidth = QFontMetricsF(painter.font()).horizontalAdvance(section.title.toUpper());
        painter.drawLine(QPointF(margin + textWidth + 16, y + 25), QPointF(margin + width, y + 25));
        y += sectionTitleHeight;
        for (const GuideFamily& family : section.families) {
            paintCard(painter, QRectF(margin, y, width, cardHeight), family);
            y += cardHeight + cardGap;
        }
    }
    paintFooter(painter, QRectF(margin, page_.size.height() - footerHeight, width,
                                footerHeight - 18));
    return image;
}

void GuideArt::paintHeader(QPainter& painter) const
{
    const double width = page_.size.width();
    QLinearGradient band(0, 0, 0, headerHeight - 30);
    band.setColorAt(0, QColor(28, 30, 34));
    band.setColorAt(1, QColor(6, 6, 8));
    painter.fillRect(QRectF(0, 0, width, headerHeight - 30), band);
    QRadialGradient glow(QPointF(width * 0.72, 70), width * 0.45);
    QColor light = page_.accent;
    light.setAlpha(60);
    glow.setColorAt(0, light);
    light.setAlpha(0);
    glow.setColorAt(1, light);
    painter.fillRect(QRectF(0, 0, width, headerHeight - 30), glow);
    painter.fillRect(QRectF(0, headerHeight - 30, width, 5), page_.accent);

    const ArtFonts& fonts = ArtFonts::instance();
    const QFont tagFont = fonts.withSpacing(fonts.sans(16, true), 3);
    const double tagWidth = QFontMetricsF(tagFont).horizontalAdvance(page_.brand) + 24;
    painter.setPen(Qt::NoPen);
    painter.setBrush(page_.accent);
    painter.drawRoundedRect(QRectF(margin, 30, tagWidth, 28), 3, 3);
    painter.setFont(tagFont);
    painter.setPen(page_.brand == QLatin1String("KAVEL") ? Qt::white : QColor(16, 16, 12));
    painter.drawText(QRectF(margin, 30, tagWidth, 28), Qt::AlignCenter, page_.brand);
    painter.setFont(fonts.display(50));
    painter.setPen(QColor(246, 246, 242));
    painter.drawText(QRectF(margin, 64, width - 2 * margin, 62), Qt::AlignLeft | Qt::AlignVCenter,
                     page_.title);
    painter.setFont(fonts.sans(17, false));
    painter.setPen(QColor(176, 180, 188));
    painter.drawText(QRectF(margin, 126, width - 2 * margin, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Shaft selection guide: every model, its sizes and its "
                                    "specifications at a glance"));

    // An arrow across the right of the band.
    ArrowStyle style;
    style.thickness = 9;
    style.fletchLength = 80;
    style.fletchHeight = 19;
    style.vane = page_.accent;
    style.cockVane = QColor(236, 236, 230);
    style.nock = page_.accent.lighter(120);
    style.wrap = QColor(236, 236, 230);
    style.point = page_.title.contains(QLatin1String("Target")) ? ArrowStyle::Point::Field
                                                                 : ArrowStyle::Point::Broadhead;
    ArrowGlyph(style).paint(painter, QPointF(width * 0.56, 40), QPointF(width - 36, 40));

    painter.setFont(fonts.sans(14, false));
    painter.setPen(muted);
    painter.drawText(QRectF(margin, headerHeight - 22, width - 2 * margin, 20),
                     Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Sections drawn to scale, %1 pixels to the inch")
                         .arg(static_cast<int>(pixelsPerInch)));
}

void GuideArt::paintCard(QPainter& painter, const QRectF& box, const GuideFamily& family) const
{
    painter.setPen(QPen(QColor(222, 222, 216), 1));
    painter.setBrush(cardFill);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(page_.accent);
    painter.drawRoundedRect(QRectF(box.left(), box.top(), 7, box.height()), 3, 3);

    const QRectF sectionBox(box.left() + 20, box.top() + 14, 300, box.height() - 28);
    paintSection(painter, sectionBox, family);

    const ArtFonts& fonts = ArtFonts::instance();
    const double left = sectionBox.right() + 30, right = box.right() - 24;
    double y = box.top() + 16;
    // Code badge and family line.
    const QFont badgeFont = fonts.sans(17, true);
    const double badgeWidth = QFontMetricsF(badgeFont).horizontalAdvance(family.code) + 22;
    painter.setBrush(QColor(24, 24, 26));
    painter.drawRoundedRect(QRectF(left, y, badgeWidth, 30), 4, 4);
    painter.setFont(badgeFont);
    painter.setPen(page_.accent.lighter(115));
    painter.drawText(QRectF(left, y, badgeWidth, 30), Qt::AlignCenter, family.code);
    painter.setFont(fonts.sans(22, true));
    painter.setPen(ink);
    painter.drawText(QRectF(left + badgeWidth + 14, y - 2, right - left - badgeWidth - 14, 34),
                     Qt::AlignLeft | Qt::AlignVCenter, family.legend);
    y += 38;
    painter.setFont(fonts.withSpacing(fonts.sans(12, true), 1.4));
    painter.setPen(muted);
    painter.drawText(QRectF(left, y, right - left, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1 SHAFT  \u00B7  %2 SIZES")
                         .arg(family.arrowType.toUpper())
                         .arg(family.sizes.size()));
    y += 26;

    // The figures, as three ruled columns.
    const struct {
        QString label, value;
    } figures[] = {{QStringLiteral("GPI (grains per inch)"), family.gpiRange},
                   {QStringLiteral("Spine (deflection, in)"), family.spineRange},
                   {QStringLiteral("Lengths up to"), family.lengthRange}};
    const double columnWidths[] = {0.46, 0.3, 0.24};
    double x = left;
    for (int i = 0; i < 3; ++i) {
        const double w = (right - left) * columnWidths[i];
        painter.setFont(fonts.sans(12, false));
        painter.setPen(muted);
        painter.drawText(QRectF(x, y, w - 10, 16), Qt::AlignLeft | Qt::AlignVCenter,
                         figures[i].label);
        painter.setFont(fonts.sans(17, true));
        painter.setPen(ink);
        painter.drawText(QRectF(x, y + 16, w - 10, 24), Qt::AlignLeft | Qt::AlignVCenter,
                         figures[i].value);
        if (i > 0) {
            painter.setPen(QPen(QColor(214, 214, 208), 1));
            painter.drawLine(QPointF(x - 10, y + 2), QPointF(x - 10, y + 38));
        }
        x += w;
    }
    y += 48;

    // The sizes as chips, as many rows as they need.
    const QFont chipFont = fonts.sans(13, true);
    const double chipHeight = 22, chipGap = 6;
    double chipX = left;
    const double noteSpace = family.note.isEmpty() ? 0 : 22;
    for (const QString& size : family.sizes) {
        const double chipWidth = std::max(46.0, QFontMetricsF(chipFont).horizontalAdvance(size) + 16);
        if (chipX + chipWidth > right) {
            chipX = left;
            y += chipHeight + chipGap;
        }
        if (y + chipHeight > box.bottom() - 10 - noteSpace)
            break; // never reached with the supplied catalogue: cards are sized for it
        const bool sample = size == family.sampleSize;
        painter.setPen(QPen(sample ? page_.accent.darker(115) : QColor(200, 200, 194), 1));
        painter.setBrush(sample ? page_.accent : Qt::white);
        painter.drawRoundedRect(QRectF(chipX, y, chipWidth, chipHeight), 3, 3);
        painter.setFont(chipFont);
        const bool darkAccent = page_.accent.lightness() < 110;
        painter.setPen(sample ? (darkAccent ? Qt::white : QColor(16, 16, 12)) : ink);
        painter.drawText(QRectF(chipX, y, chipWidth, chipHeight), Qt::AlignCenter, size);
        chipX += chipWidth + chipGap;
    }
    if (!family.note.isEmpty()) {
        painter.setFont(fonts.serifItalic(15));
        painter.setPen(page_.accent.darker(150));
        painter.drawText(QRectF(left, box.bottom() - 30, right - left, 20),
                         Qt::AlignLeft | Qt::AlignVCenter, family.note);
    }
}

void GuideArt::paintSection(QPainter& painter, const QRectF& box, const GuideFamily& family) const
{
    const double outer = family.sampleOd * pixelsPerInch / 2;
    const double inner = family.sampleId * pixelsPerInch / 2;
    const QPointF centre(box.left() + 70, box.top() + box.height() / 2 - 12);
    const bool carbon = isCarbon(family), composite = isComposite(family);

    // The cut end, seen along the shaft.
    QConicalGradient metal(centre, 35);
    if (carbon) {
        metal.setColorAt(0, QColor(70, 72, 78));
        metal.setColorAt(0.25, QColor(24, 24, 28));
        metal.setColorAt(0.5, QColor(60, 62, 68));
        metal.setColorAt(0.75, QColor(20, 20, 24));
        metal.setColorAt(1, QColor(70, 72, 78));
    } else {
        metal.setColorAt(0, QColor(238, 240, 244));
        metal.setColorAt(0.25, QColor(150, 156, 166));
        metal.setColorAt(0.5, QColor(226, 230, 236));
        metal.setColorAt(0.75, QColor(136, 142, 152));
        metal.setColorAt(1, QColor(238, 240, 244));
    }
    painter.setPen(QPen(QColor(40, 40, 44), 1));
    painter.setBrush(metal);
    painter.drawEllipse(centre, outer, outer);
    if (composite) {
        // Carbon laid over an aluminium core: the outer half of the wall.
        const double core = inner + (outer - inner) * 0.45;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(36, 36, 40));
        QPainterPath skin;
        skin.addEllipse(centre, outer - 0.5, outer - 0.5);
        skin.addEllipse(centre, core, core);
        painter.drawPath(skin);
    }
    QRadialGradient bore(centre - QPointF(inner * 0.3, inner * 0.3), inner * 1.4);
    bore.setColorAt(0, QColor(84, 86, 92));
    bore.setColorAt(1, QColor(10, 10, 12));
    painter.setPen(QPen(QColor(30, 30, 32), 0.8));
    painter.setBrush(bore);
    painter.drawEllipse(centre, inner, inner);

    // A length of the shaft beside it with its near wall cut away.
    const double x0 = centre.x() + 70, x1 = box.right() - 6;
    const double cut = x0 + (x1 - x0) * 0.45;
    QLinearGradient tube(0, centre.y() - outer, 0, centre.y() + outer);
    if (carbon) {
        tube.setColorAt(0, QColor(58, 60, 66));
        tube.setColorAt(0.3, QColor(150, 154, 162));
        tube.setColorAt(0.55, QColor(44, 46, 52));
        tube.setColorAt(1, QColor(14, 14, 16));
    } else {
        tube.setColorAt(0, QColor(170, 176, 186));
        tube.setColorAt(0.3, QColor(246, 248, 250));
        tube.setColorAt(0.55, QColor(176, 182, 192));
        tube.setColorAt(1, QColor(100, 104, 112));
    }
    if (composite)
        tube.setColorAt(0.3, QColor(120, 124, 132));
    painter.setPen(QPen(QColor(40, 40, 44), 1));
    painter.setBrush(tube);
    painter.drawRect(QRectF(x0, centre.y() - outer, cut - x0, 2 * outer));
    // The cut-away part: both walls in section and the bore between them.
    const double wall = outer - inner;
    painter.setBrush(QColor(18, 18, 20));
    painter.drawRect(QRectF(cut, centre.y() - inner, x1 - cut, 2 * inner));
    painter.setBrush(QBrush(carbon || composite ? QColor(52, 54, 60) : QColor(196, 200, 208),
                            Qt::SolidPattern));
    painter.drawRect(QRectF(cut, centre.y() - outer, x1 - cut, wall));
    painter.drawRect(QRectF(cut, centre.y() + inner, x1 - cut, wall));
    painter.setBrush(QBrush(QColor(40, 40, 44), Qt::BDiagPattern));
    painter.drawRect(QRectF(cut, centre.y() - outer, x1 - cut, wall));
    painter.drawRect(QRectF(cut, centre.y() + inner, x1 - cut, wall));

    const ArtFonts& fonts = ArtFonts::instance();
    painter.setFont(fonts.sans(13, true));
    painter.setPen(ink);
    painter.drawText(QRectF(box.left(), box.bottom() - 36, box.width(), 18),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Size %1 in section").arg(family.sampleSize));
    painter.setFont(fonts.sans(12, false));
    painter.setPen(muted);
    painter.drawText(QRectF(box.left(), box.bottom() - 18, box.width(), 18),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("OD %1 in  \u00B7  ID %2 in  \u00B7  wall %3 in")
                         .arg(family.sampleOd, 0, 'f', 3)
                         .arg(family.sampleId, 0, 'f', 3)
                         .arg(family.sampleWall, 0, 'f', 3));
}

void GuideArt::paintFooter(QPainter& painter, const QRectF& box) const
{
    painter.setPen(QPen(QColor(214, 214, 208), 1));
    painter.drawLine(box.topLeft(), box.topRight());
    const ArtFonts& fonts = ArtFonts::instance();
    painter.setFont(fonts.sans(13, true));
    painter.setPen(ink);
    painter.drawText(QRectF(box.left(), box.top() + 10, box.width(), 18),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Reading the sizes"));
    painter.setFont(fonts.sans(13, false));
    painter.setPen(muted);
    painter.drawText(
        QRectF(box.left(), box.top() + 30, box.width(), box.height() - 30),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QStringLiteral(
            "Aluminum sizes give the outside diameter in 64ths of an inch and the wall in "
            "thousandths: 2117 is 21/64 in across with a 0.017 in wall. Carbon and "
            "aluminum/carbon sizes give the static spine: a 400 shaft deflects 0.400 in under "
            "1.94 lb hung midway between supports 28 in apart. GPI is the bare shaft's weight "
            "in grains per inch; multiply by the cut length for the bare shaft weight."));
}

} // namespace qw::artwork
