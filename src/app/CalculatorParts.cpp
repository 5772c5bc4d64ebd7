#include "CalculatorParts.h"

#include "widgets/NumberEntry.h"
#include "widgets/StepArrows.h"

#include <QDir>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTabBar>

#include <algorithm>

namespace qw::app {

QStringList pictureFrames(const QString& folder, const QString& set)
{
    const QDir dir(folder);
    QList<std::pair<int, QString>> numbered;
    for (const QString& name : dir.entryList({set + "_*.png"}, QDir::Files)) {
        bool isNumber = false;
        const int number = name.mid(set.size() + 1).chopped(4).toInt(&isNumber);
        if (isNumber)
            numbered.append({number, dir.filePath(name)});
    }
    std::sort(numbered.begin(), numbered.end());
    QStringList frames;
    for (const auto& frame : numbered)
        frames << frame.second;
    return frames;
}

QLabel* pictureLabel(QWidget* parent, const QString& name, const QString& file, QRect geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    const QPixmap picture(file);
    if (!picture.isNull())
        label->setPixmap(
            picture.size() == geometry.size()
                ? picture
                : picture.scaled(geometry.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return label;
}

void decimalInput(QWidget* parent, const QString& name, QRect geometry)
{
    auto* entry = new widgets::NumberEntry(QString(), parent);
    entry->setObjectName(name);
    entry->setGeometry(geometry);
    auto* arrows = new widgets::StepArrows(entry, name + "Up", name + "Down", parent);
    arrows->setObjectName(name + "Arrows");
    arrows->setGeometry(geometry.right() + 2, geometry.top(), 18, geometry.height());
}

QWidget* tiledPage(const QString& name, const QString& tile, const QColor& fallback)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    page->setAutoFillBackground(true);
    QPalette p = page->palette();
    const QPixmap picture(tile);
    p.setBrush(QPalette::Window, picture.isNull() ? QBrush(fallback) : QBrush(picture));
    page->setPalette(p);
    return page;
}

namespace {

class FixedTabBar : public QTabBar {
public:
    FixedTabBar(QSize size, QWidget* parent) : QTabBar(parent), size_(size)
    {
        setAttribute(Qt::WA_Hover); // tabs light up under the mouse
        setExpanding(false);
    }

protected:
    QSize tabSizeHint(int) const override { return size_; }

private:
    QSize size_;
};

} // namespace

FixedTabWidget::FixedTabWidget(QSize tabSize, QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new FixedTabBar(tabSize, this));
}

GradientBar::GradientBar(QWidget* parent) : QWidget(parent) {}

void GradientBar::setPosition(int position)
{
    position = std::clamp(position, 0, 100);
    if (position == position_)
        return;
    position_ = position;
    update();
}

void GradientBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), QColor(0x30, 0x30, 0x30));
    const int filled = frame.height() * position_ / 100;
    const QRect bar(frame.left(), frame.bottom() - filled + 1, frame.width(), filled);
    QLinearGradient gradient(frame.bottomLeft(), frame.topLeft());
    gradient.setColorAt(0.0, Qt::black);
    gradient.setColorAt(0.5, QColor(0xC0, 0xC0, 0xC0));
    gradient.setColorAt(1.0, QColor(0xCC, 0xB7, 0x76));
    painter.fillRect(bar, gradient);
    if (!isEnabled()) // a result that no longer matches the inputs
        painter.fillRect(rect(), QColor(0x80, 0x80, 0x80, 170));
    painter.setPen(Qt::black);
    painter.drawRect(frame);
}

} // namespace qw::app
