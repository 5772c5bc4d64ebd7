#include "CaptionButton.h"

#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

namespace qw::widgets {

namespace {

QString plainText(QString caption)
{
    caption.replace("&&", QChar(0x1));
    caption.remove('&');
    caption.replace(QChar(0x1), '&');
    return caption.simplified();
}

// A push button to assistive technology: its spoken name, its tip as the
// description, and a press action.
class CaptionButtonAccessible : public QAccessibleWidget {
public:
    explicit CaptionButtonAccessible(CaptionButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return button()->spokenName();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    CaptionButton* button() const { return static_cast<CaptionButton*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("qw::widgets::CaptionButton") && object->isWidgetType())
        return new CaptionButtonAccessible(static_cast<CaptionButton*>(object));
    return nullptr;
}

} // namespace

CaptionButton::CaptionButton(QWidget* parent) : QAbstractButton(parent)
{
    static const bool accessible = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

QString CaptionButton::spokenName() const
{
    const QString place = accessibleName();
    QString caption = showCaption_ ? plainText(text()) : QString();
    // A caption of signs only (the navigator's arrows) says less than its tip.
    if (!caption.contains(QRegularExpression("[A-Za-z0-9]")))
        caption = place.isEmpty() ? plainText(toolTip()) : QString();
    if (place.isEmpty() || caption == place)
        return caption.isEmpty() ? objectName() : caption;
    return caption.isEmpty() ? place : place + ": " + caption;
}

// Enter presses a focused button as Space does, at once.
void CaptionButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CaptionButton::setColour(QColor& member, const QColor& colour)
{
    if (member == colour)
        return;
    member = colour;
    update();
}

void CaptionButton::setFillColour(const QColor& colour)
{
    setColour(fill_, colour);
}
void CaptionButton::setBorderColour(const QColor& colour)
{
    setColour(border_, colour);
}
void CaptionButton::setFontColour(const QColor& colour)
{
    setColour(font_, colour);
}

void CaptionButton::setHoverColours(const QColor& fill, const QColor& font)
{
    setColour(hoverFill_, fill);
    setColour(hoverFont_, font);
}

void CaptionButton::setShowCaption(bool show)
{
    if (showCaption_ == show)
        return;
    showCaption_ = show;
    update();
}

// A grid cell keeps its colours when disabled (the grid shades by row, not
// by state) and lights up under the mouse whether or not it takes clicks:
// most cells never do. A command button that is off stays dark.
bool CaptionButton::showsHover() const
{
    return hovered_ && (isEnabled() || !dimWhenDisabled_);
}

QColor CaptionButton::paintedFill() const
{
    return showsHover() && hoverFill_.isValid() ? hoverFill_ : fill_;
}

void CaptionButton::setDimWhenDisabled(bool dim)
{
    if (dimWhenDisabled_ == dim)
        return;
    dimWhenDisabled_ = dim;
    update();
}

QColor CaptionButton::paintedFont() const
{
    if (!isEnabled() && dimWhenDisabled_) {
        // Halfway to the fill: still legible, plainly not available.
        const QColor fill = paintedFill();
        return QColor((font_.red() + fill.red()) / 2, (font_.green() + fill.green()) / 2,
                      (font_.blue() + fill.blue()) / 2);
    }
    return showsHover() && hoverFont_.isValid() ? hoverFont_ : font_;
}

QSize CaptionButton::sizeHint() const
{
    return fontMetrics().size(Qt::TextShowMnemonic, text()) + QSize(12, 8);
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), paintedFill());
    painter.setPen(border_);
    painter.drawRect(frame);
    if (hasFocus()) {
        // The focus mark: a frame inside the border in the caption colour,
        // which the design keeps legible on the fill.
        painter.setPen(QPen(paintedFont(), 2));
        painter.drawRect(rect().adjusted(3, 3, -3, -3));
    }
    if (!showCaption_ || text().isEmpty())
        return;
    painter.setPen(paintedFont());
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;
    painter.drawText(rect().adjusted(3, 1, -3, -1), flags, text());
}

void CaptionButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CaptionButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CaptionButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QAbstractButton::changeEvent(event);
}

} // namespace qw::widgets
