#include "DecimalSpin.h"

#include <core/ConversionError.h>

namespace qw::calculators {

DecimalSpin::DecimalSpin(std::optional<SpinRange> range, DecimalNumber step, int minDecimals,
                         DecimalNumber initial)
    : range_(range), step_(step), minDecimals_(minDecimals)
{
    setValue(initial);
}

DecimalNumber DecimalSpin::clamped(const DecimalNumber& value) const
{
    if (!range_)
        return value;
    if (compare(value, range_->minimum) < 0)
        return range_->minimum;
    if (compare(value, range_->maximum) > 0)
        return range_->maximum;
    return value;
}

bool DecimalSpin::inRange(const DecimalNumber& value) const
{
    return compare(clamped(value), value) == 0;
}

void DecimalSpin::setValue(const DecimalNumber& value)
{
    value_ = clamped(value);
    text_ = decimalText(value_, minDecimals_);
}

std::optional<DecimalNumber> DecimalSpin::textValue() const
{
    try {
        return parseRealNumber(text_);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

bool DecimalSpin::type(std::string text)
{
    text_ = std::move(text);
    const auto typed = textValue();
    if (!typed || !inRange(*typed) || compare(*typed, value_) == 0)
        return false;
    value_ = *typed;
    return true;
}

bool DecimalSpin::finish()
{
    const DecimalNumber before = value_;
    setValue(textValue().value_or(value_));
    return compare(before, value_) != 0;
}

bool DecimalSpin::step(int direction)
{
    const DecimalNumber from = textValue().value_or(value_);
    const auto moved =
        addExact(from, direction >= 0 ? step_ : DecimalNumber{-step_.mantissa, step_.scale});
    if (!moved)
        return false;
    const DecimalNumber before = value_;
    setValue(*moved);
    return compare(before, value_) != 0;
}

} // namespace qw::calculators
