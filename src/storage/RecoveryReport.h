#pragma once

// What opening or writing a table found at the end of its file and dealt
// with without failing; the same events are also told in words, as notices.

#include <cstdint>
#include <string>
#include <vector>

namespace qw::storage {

struct RecoveryReport {
    // Whole records that followed the header's record count in the file and
    // were taken into the count (in the header too, when opened for writing).
    std::uint32_t adoptedRecords = 0;
    // Bytes after the last record that are no whole record (a cut-off
    // record, or bytes that are no record at all); left where they are
    // until a write needs their place.
    std::uint64_t strayBytes = 0;
    // Rescue files ("<table>.rescued-<n>") that such bytes were copied to
    // before a new record was written over them.
    std::vector<std::string> rescueFiles;

    bool empty() const { return adoptedRecords == 0 && strayBytes == 0 && rescueFiles.empty(); }
};

} // namespace qw::storage
