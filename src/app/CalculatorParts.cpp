#include "CalculatorParts.h"

#include "widgets/NumberEntry.h"
#include "widgets/StepArrows.h"

#include <QDir>
#include <QLabel>

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

} // namespace qw::app
