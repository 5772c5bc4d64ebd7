#pragma once

// Failures that end a run of FindRec besides a conversion error. Each
// carries the text of the message box that reports it.

#include <stdexcept>
#include <string>

namespace qw::selection {

// invsel.txt missing or unreadable.
class InputOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace qw::selection
