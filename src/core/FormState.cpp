#include "FormState.h"

#include <stdexcept>

namespace qw {

ControlState& FormState::add(std::string name, ControlState initial)
{
    auto [it, inserted] = controls_.emplace(std::move(name), std::move(initial));
    if (!inserted)
        throw std::logic_error("control added twice: " + it->first);
    return it->second;
}

ControlState& FormState::operator[](std::string_view name)
{
    auto it = controls_.find(name);
    if (it == controls_.end())
        throw std::out_of_range("no control named " + std::string(name));
    return it->second;
}

const ControlState& FormState::operator[](std::string_view name) const
{
    auto it = controls_.find(name);
    if (it == controls_.end())
        throw std::out_of_range("no control named " + std::string(name));
    return it->second;
}

bool FormState::contains(std::string_view name) const
{
    return controls_.find(name) != controls_.end();
}

} // namespace qw
