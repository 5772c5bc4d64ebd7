#include "RadioGroup.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace qw::widgets {

namespace {

// The columns of a group's items in one font: where the figures start,
// measured from the left of an item's label, and the width both need.
struct Columns {
    int figureOffset = 0;
    int width = 0;
};

// A radio item that can draw its text as a name and a figure part, the
// figure part starting at the same place in every item of its group.
class RadioItem : public QRadioButton {
public:
    RadioItem(const QString& text, RadioGroup* group) : QRadioButton(text, group), group_(group) {}

    void setColumns(const QString& name, const QString& figures)
    {
        name_ = name;
        figures_ = figures;
        split_ = true;
        updateGeometry();
        update();
    }

    QSize sizeHint() const override
    {
        if (!split_)
            return QRadioButton::sizeHint();
        QStyleOptionButton option;
        initStyleOption(&option);
        const QFontMetrics metrics = fontMetrics();
        const QSize label(columns(metrics).width, metrics.height());
        return style()->sizeFromContents(QStyle::CT_RadioButton, &option, label, this);
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!split_) {
            QRadioButton::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        QRect label = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
        option.text.clear(); // indicator and focus frame only; the text follows in columns
        painter.drawControl(QStyle::CE_RadioButton, option);
        const QFont text = fittingFont(label.width());
        painter.setFont(text);
        const int flags = Qt::AlignLeft | Qt::AlignVCenter;
        painter.drawItemText(label, flags, option.palette, isEnabled(), name_, foregroundRole());
        label.setLeft(label.left() + columns(QFontMetrics(text)).figureOffset);
        painter.drawItemText(label, flags, option.palette, isEnabled(), figures_, foregroundRole());
    }

private:
    // The same for every item of the group, so that their figures line up.
    Columns columns(const QFontMetrics& metrics) const
    {
        int names = 0;
        int figures = 0;
        for (int i = 0; i < group_->count(); ++i) {
            const auto* item = static_cast<const RadioItem*>(group_->item(i));
            names = std::max(names, metrics.horizontalAdvance(item->name_));
            figures = std::max(figures, metrics.horizontalAdvance(item->figures_));
        }
        const int offset = names + metrics.horizontalAdvance(QStringLiteral("  "));
        return {offset, offset + figures};
    }

    // The item's own font, narrowed just enough when the columns would not
    // fit the width the group has (a wide desktop font in a narrow column):
    // cutting off the figures or shrinking the type would be worse.
    QFont fittingFont(int available) const
    {
        QFont text = font();
        const int needed = columns(QFontMetrics(text)).width;
        if (needed <= available || available <= 0)
            return text;
        for (int stretch = 100 * available / needed; stretch > 50; --stretch) {
            text.setStretch(stretch);
            if (columns(QFontMetrics(text)).width <= available)
                break;
        }
        return text;
    }

    RadioGroup* group_;
    QString name_;
    QString figures_;
    bool split_ = false;
};

bool isArrowKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

} // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, caption.isEmpty() ? 4 : 2, 4, 2);
    layout->setSpacing(0);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new RadioItem(items[i], this);
        button->installEventFilter(this);
        group_.addButton(button, i);
        buttons_.append(button);
        layout->addWidget(button, i % rows, i / rows); // fill down, then across
    }
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
    connect(&group_, &QButtonGroup::idToggled, this, &RadioGroup::updateTabStop);
    updateTabStop();
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
    updateTabStop();
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
    for (auto state : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(state, QPalette::WindowText, colour);
        p.setColor(state, QPalette::ButtonText, colour);
    }
    setPalette(p);
}

QColor RadioGroup::fontColour() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void RadioGroup::setFigureColumn(const QRegularExpression& figures)
{
    for (auto* button : buttons_) {
        const QString text = button->text();
        const QRegularExpressionMatch match = figures.match(text);
        const qsizetype start = match.hasMatch() ? match.capturedStart() : text.size();
        static_cast<RadioItem*>(button)->setColumns(text.left(start).trimmed(),
                                                    text.mid(start).trimmed());
    }
}

// Only the selected item (or the first, while none is) is a Tab stop, so
// Tab enters the group on the selection and the next Tab leaves the group.
void RadioGroup::updateTabStop()
{
    const int tabStop = std::max(itemIndex(), 0);
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setFocusPolicy(i == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

// Up and Left select the previous item, Down and Right the next, in item
// order and round the end, skipping items that cannot be chosen.
void RadioGroup::selectByKeyboard(int from, int direction)
{
    const int n = int(buttons_.size());
    for (int step = 1; step < n; ++step) {
        QRadioButton* next = buttons_[((from + direction * step) % n + n) % n];
        if (!next->isEnabled() || next->isHidden())
            continue;
        next->setFocus(Qt::TabFocusReason);
        next->click(); // fires itemClicked, as a click by the mouse would
        return;
    }
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event)
{
    // A press that ends off the item focuses it without selecting it; once
    // focus moves on, the selection is the group's Tab stop again.
    if (event->type() == QEvent::FocusOut)
        updateTabStop();
    if (event->type() != QEvent::KeyPress)
        return QGroupBox::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int from = int(buttons_.indexOf(qobject_cast<QRadioButton*>(watched)));
    if (from < 0 || !isArrowKey(key->key()) || (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    const bool back = key->key() == Qt::Key_Up || key->key() == Qt::Key_Left;
    selectByKeyboard(from, back ? -1 : +1);
    return true;
}

} // namespace qw::widgets
