#include "FixedLook.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace qw::widgets {

QFont designFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

namespace {

QColor mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

} // namespace

QPalette fixedPalette(const QColor& background, const QColor& text)
{
    const QColor base(Qt::white);
    const QColor entryText(Qt::black);
    QPalette p(text, background, background.lighter(150), background.darker(200),
               background.darker(130), entryText, Qt::white, base, background);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::ButtonText, text);
        p.setColor(group, QPalette::AlternateBase, QColor(0xF4, 0xF4, 0xF4));
        p.setColor(group, QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
        p.setColor(group, QPalette::ToolTipText, Qt::black);
        p.setColor(group, QPalette::PlaceholderText, QColor(0x70, 0x70, 0x70));
        p.setColor(group, QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::Link, QColor(0x1F, 0x4E, 0x9A));
        p.setColor(group, QPalette::LinkVisited, QColor(0x5B, 0x2C, 0x8F));
    }
    // Off controls: their text halfway to the background on the window,
    // dark grey in an entry.
    p.setColor(QPalette::Disabled, QPalette::WindowText, mix(text, background, 0.45));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, mix(text, background, 0.45));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x60, 0x60, 0x60));
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
    return p;
}

void fixLook(QWidget* root, const QColor& background, const QColor& text)
{
    root->setFont(designFont());
    root->setPalette(fixedPalette(background, text));
}

double contrastRatio(const QColor& first, const QColor& second)
{
    auto luminance = [](const QColor& colour) {
        auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
               0.0722 * linear(colour.blueF());
    };
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

} // namespace qw::widgets
