#pragma once

#include "StepArrows.h"

namespace qw::widgets {

// The up/down arrows attached to a number entry. A step starts from the
// entry's number (or, when the text is no number, from the last position the
// arrows knew), moves by the step and stays within the range: at an end the
// arrow does nothing, so the entry's text and its change event stay quiet.
// The Up and Down keys and the mouse wheel over the entry (or the arrows)
// step it the same way. A screen reader finds the arrows as one spin button
// named after the entry, with its value, range and step actions, as it
// finds a desktop spin box; the keys are how the keyboard steps it.
class UpDown : public StepArrows {
    Q_OBJECT
public:
    UpDown(QLineEdit* entry, int minimum, int maximum, int step, QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int step() const { return step_; }
    int position() const { return position_; }

public slots:
    void stepUp() { stepBy(+1); }
    void stepDown() { stepBy(-1); }

private:
    void stepBy(int direction);
    int startingPosition() const;

    int minimum_;
    int maximum_;
    int step_;
    int position_;
};

} // namespace qw::widgets
