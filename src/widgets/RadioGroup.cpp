#include "RadioGroup.h"

#include <QGridLayout>

namespace qw::widgets {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, caption.isEmpty() ? 4 : 2, 4, 2);
    layout->setSpacing(0);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setFocusPolicy(Qt::NoFocus);
        group_.addButton(button, i);
        buttons_.append(button);
        layout->addWidget(button, i % rows, i / rows); // fill down, then across
    }
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const
{
    return group_.checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index >= 0 && index < buttons_.size()) {
        buttons_[index]->setChecked(true);
        return;
    }
    // No item: an exclusive group cannot uncheck its last button itself.
    group_.setExclusive(false);
    for (auto* button : buttons_)
        button->setChecked(false);
    group_.setExclusive(true);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (const auto* button : buttons_)
        texts << button->text();
    return texts;
}

void RadioGroup::setFontColour(const QColor& colour)
{
    if (colour == fontColour())
        return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    setPalette(p);
}

QColor RadioGroup::fontColour() const
{
    return palette().color(QPalette::WindowText);
}

} // namespace qw::widgets
