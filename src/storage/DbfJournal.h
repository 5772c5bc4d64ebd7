#pragma once

// The journal of one record edit: "<table>-journal" beside the table, alive
// only while the record is overwritten in place (see DbfFile.h for the
// write order).
//
// Layout (integers little-endian):
//   "QWJ2", header length (2), record length (2), record number (4),
//   the table's header as it stood when the edit began (header length),
//   the record before the edit (record length), the record after it
//   (record length), a checksum over all the bytes before it (4).
//
// A journal left beside a table is written back only when it is whole and
// was written for this very table and record: the same header bytes (a
// table that has since gained records, or another copy of the folder,
// differs there), a record number the table has, and a record on disk that
// holds, byte for byte, either the image before the edit or the one after
// it (a torn overwrite mixes the two by sectors). Anything else is never
// applied: a journal restored with an older backup or copied in from
// another folder must not overwrite a record it was not written for.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qw::storage {

std::filesystem::path journalPathFor(const std::filesystem::path& table);

std::string encodeJournal(std::string_view tableHeader, std::uint32_t recordNumber,
                          std::string_view before, std::string_view after);

// The most bytes a journal of any table can hold; a longer file is no journal.
std::size_t maxJournalSize();

struct JournalVerdict {
    bool applies = false;
    std::uint32_t recordNumber = 0;
    std::string after;  // the record to write back when it applies
    std::string reason; // why it does not apply, in words
};

// Judges journal bytes against the table as it is: its header bytes, the
// records it holds, and a reader of a record's bytes on disk.
JournalVerdict judgeJournal(std::string_view journal, std::string_view tableHeader,
                            std::uint32_t recordCount,
                            const std::function<std::string(std::uint32_t)>& recordOnDisk);

// Renames the journal to "<journal>.rejected-<n>" with the lowest n not yet
// taken (an earlier rejected journal is never overwritten). Returns the new
// path, or an empty one with the reason in error.
std::filesystem::path moveJournalAside(const std::filesystem::path& journal, std::string& error);

} // namespace qw::storage
