#include "HeaderBar.h"

#include <QLinearGradient>
#include <QPainter>

namespace qw::widgets {

HeaderBar::HeaderBar(const QStringList& captions, const QList<int>& widths,
                     const QColor& background, const QColor& text, QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
    int x = 0;
    for (int i = 0; i < captions.size(); ++i) {
        auto* label = new QLabel(captions[i], this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(x, 0, widths.value(i, 60), 20);
        x += widths.value(i, 60);
        headings_.append(label);
    }
    setFixedHeight(20);
}

GradientPanel::GradientPanel(const QColor& top, const QColor& bottom, QWidget* parent)
    : QWidget(parent), top_(top), bottom_(bottom)
{
}

void GradientPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, top_);
    gradient.setColorAt(1, bottom_);
    painter.fillRect(rect(), gradient);
}

} // namespace qw::widgets
