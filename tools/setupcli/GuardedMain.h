#pragma once

// The last guard of every command-line tool: whatever escapes a command
// (a storage error no step caught, a file too large for memory, any other
// exception) ends in a message on the error stream and exit status 1,
// never in an abort with a core dump.

#include <exception>
#include <iostream>
#include <new>
#include <string_view>

namespace qw::setupcli {

inline constexpr int kExitFailure = 1;

template <typename Body> int guardedMain(std::string_view tool, Body body) noexcept
{
    const auto say = [tool](std::string_view what) noexcept {
        try {
            std::cerr << tool << ": " << what << "\n";
        } catch (...) {
        }
    };
    try {
        return body();
    } catch (const std::bad_alloc&) {
        say("not enough memory: the files given hold more than can be read at once");
    } catch (const std::exception& failure) {
        say(failure.what());
    } catch (...) {
        say("the command ended in an unexpected failure");
    }
    return kExitFailure;
}

} // namespace qw::setupcli
