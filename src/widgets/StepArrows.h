#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;
class QWheelEvent;

namespace qw::widgets {

// The up and down arrows beside a number entry, as one control. An arrow
// clicked, the Up or Down key in the entry, a notch of the mouse wheel over
// the entry or the arrows, and a screen reader's increase and decrease
// actions all step the same way: by pressing the arrow, whose clicked signal
// the window hands to its model. A screen reader finds the arrows as one
// spin button named after the entry, as it finds a desktop spin box; the
// arrows themselves take no focus, the keys being the keyboard's way.
class StepArrows : public QWidget {
    Q_OBJECT
public:
    StepArrows(QLineEdit* entry, const QString& upName, const QString& downName,
               QWidget* parent = nullptr);

    QLineEdit* entry() const { return entry_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    // Steps once, up for a positive direction, as a click on that arrow.
    void stepOnce(int direction);
    // Steps are taken while the arrows and their entry are enabled and the
    // entry can be typed into.
    bool acceptsInput() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool wheel(QWheelEvent* event);

    QLineEdit* entry_;
    QToolButton* up_;
    QToolButton* down_;
    int wheelRemainder_ = 0; // part of a notch left over from fine-grained wheels
};

} // namespace qw::widgets
