#pragma once

// Failures that end a run of FindRec. Each carries the text of the message
// box; the outermost run reports it once, nested runs let it pass through.

#include <stdexcept>
#include <string>

namespace qw::selection {

// A text that is not the number it should be.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    static ConversionError notInteger(const std::string& text);
    static ConversionError notFloat(const std::string& text);
};

// invsel.txt missing or unreadable.
class InputOutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace qw::selection
