#pragma once

// When to ask the system whether an index file has been replaced since it
// was read. Asking costs a path lookup of a few microseconds, more than the
// indexed seek it guards, and the recommendation does up to sixteen seeks a
// run. So a handle asks only when a writer in this process has replaced an
// index since the handle last asked (a rebuilt index is seen at once by every
// handle in the process), or when kRecheckInterval has passed, so that a
// change made by another program is noticed within that interval.

#include <chrono>
#include <cstdint>

namespace qw::storage {

class ChangeCheck {
public:
    static constexpr std::chrono::milliseconds kRecheckInterval{250};

    // A writer in this process has replaced an index file.
    static void noteWrite();

    // True when the caller should look at the file now; remembers the moment.
    bool due();
    // The caller has just read the file: nothing is due until the next write
    // in this process or the end of the interval.
    void markChecked();

private:
    std::uint64_t generationSeen_ = ~std::uint64_t(0);
    std::chrono::steady_clock::time_point lastAsked_{};
};

} // namespace qw::storage
