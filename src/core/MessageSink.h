#pragma once

#include <string>

namespace qw {

// Where the models' message boxes go: the window shows them, tests and the
// command-line tool record them. Each call returns when the user has
// dismissed the box.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // An information box with a single OK button.
    virtual void information(const std::string& text, int helpContext) = 0;
    // An error that ended the command in progress (conversion or storage).
    virtual void error(const std::string& text) = 0;
};

} // namespace qw
