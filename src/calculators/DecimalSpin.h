#pragma once

// A decimal number box with step arrows: the value it holds, the text it
// shows, its range and its step. Typing is free; a typed text that is a
// number inside the range is the new value at once, anything else waits
// until editing ends, when a number is brought into the range and a text
// that is no number gives way to the value held.

#include <core/NumberText.h>

#include <optional>
#include <string>

namespace qw::calculators {

struct SpinRange {
    DecimalNumber minimum;
    DecimalNumber maximum;
};

class DecimalSpin {
public:
    DecimalSpin(std::optional<SpinRange> range, DecimalNumber step, int minDecimals,
                DecimalNumber initial);

    const DecimalNumber& value() const { return value_; }
    const std::string& text() const { return text_; }
    const std::optional<SpinRange>& range() const { return range_; }

    // Set by the program: brought into the range and shown.
    void setValue(const DecimalNumber& value);
    // Typed: returns true when the value changed.
    bool type(std::string text);
    // Editing ended: the text shows the value (clamped); true when the value changed.
    bool finish();
    // One arrow step from the value held; at an end of the range nothing moves.
    bool step(int direction);
    // The text as a number, or nullopt.
    std::optional<DecimalNumber> textValue() const;

private:
    DecimalNumber clamped(const DecimalNumber& value) const;
    bool inRange(const DecimalNumber& value) const;

    std::optional<SpinRange> range_;
    DecimalNumber step_;
    int minDecimals_;
    DecimalNumber value_;
    std::string text_;
};

} // namespace qw::calculators
