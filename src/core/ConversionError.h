#pragma once

// A text that is not the number it should be. It carries the text of the
// message box that reports it: "'<text>' is not a valid integer value".

#include <stdexcept>
#include <string>

namespace qw {

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    static ConversionError notInteger(const std::string& text);
    static ConversionError notFloat(const std::string& text);
};

} // namespace qw
