#include "DbfJournal.h"

#include "DbfFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace qw::storage {
namespace {

constexpr char kMagic[] = "QWJ2";
constexpr std::size_t kFixedPart = 12; // magic, two lengths, record number
constexpr std::size_t kChecksumSize = 4;
constexpr std::uint64_t kSectorSize = 512;
// Far more rejected journals than a folder ever collects; a bound on the search.
constexpr int kMostRejected = 10000;

std::uint32_t checksum(std::string_view bytes)
{
    std::uint32_t h = 2166136261u;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// The record as it was before the edit, as it is after it, or torn between
// the two: a disk writes whole sectors, so each part of the record within
// one 512-byte sector of the file is wholly old or wholly new.
bool isBeforeOrAfter(std::string_view onDisk, std::string_view before, std::string_view after,
                     std::uint64_t offset)
{
    if (onDisk.size() != before.size())
        return false;
    for (std::size_t at = 0; at < onDisk.size();) {
        const std::size_t sectorEnd = static_cast<std::size_t>(
            (offset + at) / kSectorSize * kSectorSize + kSectorSize - offset);
        const std::size_t length = std::min(sectorEnd, onDisk.size()) - at;
        const std::string_view part = onDisk.substr(at, length);
        if (part != before.substr(at, length) && part != after.substr(at, length))
            return false;
        at += length;
    }
    return true;
}

JournalVerdict refused(std::string reason)
{
    JournalVerdict verdict;
    verdict.reason = std::move(reason);
    return verdict;
}

} // namespace

std::filesystem::path journalPathFor(const std::filesystem::path& table)
{
    return table.parent_path() / (table.filename().string() + "-journal");
}

std::string encodeJournal(std::string_view tableHeader, std::uint32_t recordNumber,
                          std::string_view before, std::string_view after)
{
    std::string bytes(kMagic, 4);
    bytes.resize(kFixedPart);
    writeLe16(bytes.data() + 4, static_cast<std::uint16_t>(tableHeader.size()));
    writeLe16(bytes.data() + 6, static_cast<std::uint16_t>(after.size()));
    writeLe32(bytes.data() + 8, recordNumber);
    bytes.append(tableHeader);
    bytes.append(before);
    bytes.append(after);
    std::string sum(kChecksumSize, '\0');
    writeLe32(sum.data(), checksum(bytes));
    return bytes + sum;
}

std::size_t maxJournalSize()
{
    return kFixedPart + 3 * 0xFFFFu + kChecksumSize;
}

JournalVerdict judgeJournal(std::string_view journal, std::string_view tableHeader,
                            std::uint32_t recordCount,
                            const std::function<std::string(std::uint32_t)>& recordOnDisk)
{
    if (journal.size() < kFixedPart + kChecksumSize || journal.substr(0, 4) != kMagic)
        return refused("it is incomplete or damaged");
    const std::size_t headerLength = readLe16(journal.data() + 4);
    const std::size_t recordLength = readLe16(journal.data() + 6);
    const std::uint32_t recordNumber = readLe32(journal.data() + 8);
    const std::size_t body = journal.size() - kChecksumSize;
    if (body != kFixedPart + headerLength + 2 * recordLength ||
        readLe32(journal.data() + body) != checksum(journal.substr(0, body)))
        return refused("it is incomplete or damaged");
    const std::string_view header = journal.substr(kFixedPart, headerLength);
    const std::string_view before = journal.substr(kFixedPart + headerLength, recordLength);
    const std::string_view after =
        journal.substr(kFixedPart + headerLength + recordLength, recordLength);
    if (tableHeader.size() < kDbfHeaderSize || header.size() != tableHeader.size() ||
        recordLength != readLe16(tableHeader.data() + 10))
        return refused("it was written for a table of another layout");
    if (header != tableHeader)
        return refused("it was written for another state of the table (the table's header "
                       "has changed since)");
    if (recordNumber == 0 || recordNumber > recordCount)
        return refused("it names record " + std::to_string(recordNumber) +
                       ", which the table does not have");
    const std::uint64_t offset =
        tableHeader.size() + std::uint64_t(recordNumber - 1) * recordLength;
    if (!isBeforeOrAfter(recordOnDisk(recordNumber), before, after, offset))
        return refused("record " + std::to_string(recordNumber) +
                       " holds neither the text it had before the journalled edit nor the "
                       "text after it");
    JournalVerdict verdict;
    verdict.applies = true;
    verdict.recordNumber = recordNumber;
    verdict.after = std::string(after);
    return verdict;
}

std::filesystem::path moveJournalAside(const std::filesystem::path& journal, std::string& error)
{
    for (int n = 1; n <= kMostRejected; ++n) {
        std::filesystem::path target = journal;
        target += ".rejected-" + std::to_string(n);
        // A hard link never replaces an existing name, as a rename would.
        if (::link(journal.c_str(), target.c_str()) == 0) {
            if (::unlink(journal.c_str()) != 0) {
                error = std::strerror(errno);
                ::unlink(target.c_str());
                return {};
            }
            return target;
        }
        if (errno == EPERM || errno == EOPNOTSUPP) {
            // A file system without hard links: rename, after looking first.
            std::error_code ec;
            if (std::filesystem::exists(target, ec) || ec)
                continue;
            if (::rename(journal.c_str(), target.c_str()) == 0)
                return target;
        }
        if (errno != EEXIST) {
            error = std::strerror(errno);
            return {};
        }
    }
    error = "too many rejected journals beside it";
    return {};
}

} // namespace qw::storage
