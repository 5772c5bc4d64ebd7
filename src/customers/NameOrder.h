#pragma once

// The customer table's name order, Saved.idx. Its key is made from the
// name (UPPER(NAME) as the data build writes it), so a search text becomes
// a key prefix through the same expression: "jo" finds "Johnson".
//
// The index is checked against the table before it is trusted. Another
// program may append or rename a customer without maintaining it, a crash
// between an append and the rebuild leaves the newest record out, a
// replayed journal changes a record behind it, and a damaged leaf loses
// entries. Whenever the index does not hold exactly what the table holds it
// is rebuilt from the table, and a missing or unreadable one is made anew
// with the key above. A reader that cannot write (a read-only folder, a
// full disk) uses the same order built in memory: reading never needs to
// write.
//
// The check reads the whole table, so callers that search again and again
// repeat it only when a file has changed (FilesStamp); between checks each
// record a search finds is still checked against the name it was found by.

#include <storage/Table.h>

#include <ctime>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace qw::customers {

// The prefix of the controlling order's keys that names beginning with text
// have (UTF-8, for Table::seek).
std::string nameKeyPrefix(const storage::Table& table, std::string_view text);

// Where the name order of an opening came from.
enum class NameOrderSource {
    File,    // Saved.idx as it was: it holds what the table holds
    Rebuilt, // Saved.idx rewritten from the table
    Memory,  // built in memory from the table; Saved.idx left as it was
};

struct NameOrderOpening {
    NameOrderSource source = NameOrderSource::File;
    // For the user: a missing or damaged index and what was done about it.
    // A stale index rebuilt, or read in memory in a read-only folder, is
    // not worth a message box.
    std::vector<std::string> notices;
};

// Makes the name order the open table's controlling order, checked against
// the table as described above.
NameOrderOpening openNameOrder(storage::Table& table);

// Identity and last change of the table's files (table, memo, index), to
// see whether anything was written since a check.
class FilesStamp {
public:
    FilesStamp() = default;
    static FilesStamp of(const storage::Table& table);
    bool operator==(const FilesStamp&) const = default;

private:
    struct FileState {
        bool present = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modifiedNs = 0;
        long long changedNs = 0;
        bool operator==(const FileState&) const = default;
    };
    static FileState stateOf(const std::filesystem::path& path);
    std::vector<FileState> files_;
};

} // namespace qw::customers
