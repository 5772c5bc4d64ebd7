#include "KeyboardAccess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include <climits>

namespace qw::widgets {

namespace {

bool isEntry(const QObject* object)
{
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QPlainTextEdit*>(object) ||
           qobject_cast<const QTextEdit*>(object);
}

bool isMultiLine(const QObject* object)
{
    return qobject_cast<const QPlainTextEdit*>(object) || qobject_cast<const QTextEdit*>(object);
}

bool isEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// "CityEdit" -> "City", "YouthBowWtSpin" -> "Youth Bow Wt", "Addr1Edit" -> "Addr 1".
QString humanised(QString name)
{
    static const QRegularExpression suffix("(Edit|Spin|Memo|Lbl|Btn|Box)$");
    static const QRegularExpression wordStart("(?<=[a-z])(?=[A-Z0-9])");
    name.remove(suffix);
    return name.replace(wordStart, " ");
}

QString plainCaption(QString caption)
{
    caption.replace("&&", QChar(0x1));
    caption.remove('&');
    caption.replace(QChar(0x1), '&');
    caption = caption.simplified();
    while (caption.endsWith(':'))
        caption.chop(1);
    return caption;
}

// The caption label standing left of control on its row, if any.
QLabel* captionLabel(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return nullptr;
    const QRect place = control->geometry();
    QLabel* best = nullptr;
    int bestGap = INT_MAX;
    for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->text().trimmed().isEmpty() || !label->pixmap().isNull())
            continue;
        const QRect caption = label->geometry();
        const int gap = place.left() - caption.right();
        if (caption.center().y() < place.top() || caption.center().y() > place.bottom() ||
            gap < -4 || gap >= bestGap)
            continue;
        best = label;
        bestGap = gap;
    }
    return best;
}

} // namespace

QString KeyboardAccess::captionFor(const QWidget* control)
{
    QLabel* label = captionLabel(control);
    if (!label)
        return humanised(control->objectName());
    int sharing = 0;
    for (QWidget* sibling :
         control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (isEntry(sibling) && captionLabel(sibling) == label)
            ++sharing;
    const QString caption = plainCaption(label->text());
    return sharing > 1 ? caption + ", " + humanised(control->objectName()) : caption;
}

KeyboardAccess::KeyboardAccess(QWidget* window) : QObject(window), window_(window)
{
    window->installEventFilter(this);
    for (QWidget* control : window->findChildren<QWidget*>())
        if (isEntry(control))
            watch(control);
}

KeyboardAccess* KeyboardAccess::install(QWidget* window)
{
    return new KeyboardAccess(window);
}

void KeyboardAccess::watch(QWidget* control)
{
    control->installEventFilter(this);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        memo->setTabChangesFocus(true);
    if (auto* memo = qobject_cast<QTextEdit*>(control))
        memo->setTabChangesFocus(true);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(captionFor(control));
}

void KeyboardAccess::setMainCommand(std::function<QAbstractButton*()> command)
{
    mainCommand_ = std::move(command);
}

void KeyboardAccess::setMainCommand(QAbstractButton* command)
{
    QPointer<QAbstractButton> button(command);
    mainCommand_ = [button] { return button.data(); };
}

bool KeyboardAccess::pressMainCommand()
{
    QAbstractButton* command = mainCommand_ ? mainCommand_() : nullptr;
    if (!command || !command->isEnabled() || !command->isVisible())
        return false;
    command->click();
    return true;
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == window_) {
        // An Enter that a single-line entry passed on.
        if (isEnter(key) && qobject_cast<QLineEdit*>(QApplication::focusWidget()) &&
            window_->isAncestorOf(QApplication::focusWidget()))
            return pressMainCommand();
        return false;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    // Alt+letter is a command key, never text; AltGr (reported with Ctrl on
    // some systems) still types.
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier) &&
        !key->text().isEmpty())
        return true;
    if (isMultiLine(watched) && key->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier) {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(watched))
            memo->insertPlainText("\t");
        else if (auto* rich = qobject_cast<QTextEdit*>(watched))
            rich->insertPlainText("\t");
        return true;
    }
    return false;
}

MenuBarKeys::MenuBarKeys(QMenuBar* bar) : QObject(bar), bar_(bar)
{
    qApp->installEventFilter(this);
}

void MenuBarKeys::attach(QMenuBar* bar)
{
    new MenuBarKeys(bar);
}

// Keys typed in the bar's own window while no menu and no dialog is open.
bool MenuBarKeys::ownsKey(QObject* receiver) const
{
    const auto* widget = qobject_cast<QWidget*>(receiver);
    return bar_ && widget && widget->window() == bar_->window() &&
           !QApplication::activePopupWidget() && !QApplication::activeModalWidget();
}

void MenuBarKeys::open()
{
    const QList<QAction*> menus = bar_->actions();
    if (!menus.isEmpty())
        bar_->setActiveAction(menus.first());
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!ownsKey(watched)) {
            loneAlt_ = false;
            break;
        }
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
            open();
            return true;
        }
        // Alt pressed on its own arms; any other key before its release
        // makes it part of a combination.
        loneAlt_ = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && loneAlt_ && ownsKey(watched)) {
            loneAlt_ = false;
            open();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::WindowDeactivate:
        loneAlt_ = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qw::widgets
