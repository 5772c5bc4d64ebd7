#include "NumberEntry.h"

namespace qw::widgets {

NumberEntry::NumberEntry(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bigger = font();
    bigger.setPointSize(bigger.pointSize() + 2);
    bigger.setBold(true);
    setFont(bigger);
}

void NumberEntry::setFontColour(const QColor& colour)
{
    if (colour == fontColour())
        return;
    QPalette p = palette();
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

QColor NumberEntry::fontColour() const
{
    return palette().color(QPalette::Text);
}

} // namespace qw::widgets
