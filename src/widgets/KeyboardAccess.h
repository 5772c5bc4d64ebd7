#pragma once

// What desktop users expect of a window from the keyboard, for windows made
// of our controls:
// - Alt with a letter never types into an entry (Alt+F must not put an "f"
//   into a number and start a conversion error);
// - a multi-line box passes Tab and Shift+Tab on to the next control, and
//   Ctrl+Tab types a tab into it;
// - Enter in a single-line entry presses the window's main command, if it
//   has one (a focused button takes Enter itself);
// - every control carries a name a screen reader reads: buttons their
//   caption, entries the caption beside them.
// MenuBarKeys opens a main window's menu bar with F10 or a lone Alt.

#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractButton;
class QMenuBar;
class QWidget;

namespace qw::widgets {

class KeyboardAccess : public QObject {
    Q_OBJECT
public:
    // Call once the window's controls are made; the object lives as long
    // as the window.
    static KeyboardAccess* install(QWidget* window);

    // The command Enter presses; asked at each Enter, so a window with pages
    // can answer with the current page's command.
    void setMainCommand(std::function<QAbstractButton*()> command);
    void setMainCommand(QAbstractButton* command);

    // The name of a control as a screen reader would read it, from the
    // caption to its left (several entries on one caption are told apart
    // by their names), or from its object name where there is no caption.
    static QString captionFor(const QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyboardAccess(QWidget* window);
    void watch(QWidget* control);
    bool pressMainCommand();

    QWidget* window_;
    std::function<QAbstractButton*()> mainCommand_;
};

class MenuBarKeys : public QObject {
    Q_OBJECT
public:
    static void attach(QMenuBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit MenuBarKeys(QMenuBar* bar);
    bool ownsKey(QObject* receiver) const;
    void open();

    QPointer<QMenuBar> bar_;
    bool loneAlt_ = false;
};

} // namespace qw::widgets
