#pragma once

#include <stdexcept>

namespace qw::databuild {

// A source or output problem that stops the build; what() names the file
// and, where there is one, the line and field.
class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace qw::databuild
