#include "UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qw::widgets {

UpDown::UpDown(QLineEdit* entry, int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), entry_(entry), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum), step_(step), position_(minimum)
{
    position_ = startingPosition();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto* button : {up_, down_}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName("up");
    down_->setObjectName("down");
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

int UpDown::startingPosition() const
{
    bool ok = false;
    const int typed = entry_->text().trimmed().toInt(&ok);
    return std::clamp(ok ? typed : position_, minimum_, maximum_);
}

void UpDown::stepBy(int direction)
{
    const int from = startingPosition();
    const int to = std::clamp(from + direction * step_, minimum_, maximum_);
    position_ = to;
    const QString text = QString::number(to);
    if (text != entry_->text())
        entry_->setText(text);
}

} // namespace qw::widgets
