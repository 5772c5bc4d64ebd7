#include "TextExport.h"

#include "CodePage.h"
#include "DbfFieldText.h"
#include "StorageError.h"

#include <core/Text.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qw::storage {
namespace {

// Spreadsheets run a cell that begins with one of these as a formula (a
// tab or carriage return first is the trick that slips past the others).
bool wouldRunAsFormula(std::string_view utf8)
{
    return !utf8.empty() &&
           std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos;
}

void appendQuoted(std::string& out, std::string_view utf8)
{
    out.push_back('"');
    if (wouldRunAsFormula(utf8))
        out.push_back('\'');
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '"') {
            out += "\"\"";
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

// The field's bytes; a memo that cannot be read gives nothing and is reported.
std::string readableBytes(const DbfFile& file, std::string_view record, std::size_t i,
                          std::uint32_t recordNumber, std::vector<UnreadableField>* unreadable)
{
    const FieldDef& field = file.layout().fields[i];
    if (field.type != FieldType::Memo)
        return fieldBytesAsText(file, record, i);
    try {
        return fieldBytesAsText(file, record, i);
    } catch (const StorageError& e) {
        if (unreadable)
            unreadable->push_back({recordNumber, field.name, e.what()});
        return {};
    }
}

void appendField(std::string& out, const DbfFile& file, std::string_view record, std::size_t i,
                 std::uint32_t recordNumber, std::vector<UnreadableField>* unreadable)
{
    const FieldDef& field = file.layout().fields[i];
    const std::string bytes = readableBytes(file, record, i, recordNumber, unreadable);
    switch (field.type) {
    case FieldType::Character:
    case FieldType::Memo:
        appendQuoted(out, toUtf8(trimFieldEnd(bytes), file.layout().codePage));
        break;
    case FieldType::Logical: {
        const std::string_view value = trimField(bytes);
        if (!value.empty() && value != "?")
            out.push_back(value.front() == 'T' || value.front() == 't' || value.front() == 'Y' ||
                                  value.front() == 'y'
                              ? 'T'
                              : 'F');
        break;
    }
    default:
        out += toUtf8(trimField(bytes), file.layout().codePage);
        break;
    }
}

StorageError cannotWrite(const std::filesystem::path& target, int error)
{
    return StorageError("Cannot create the text file.\n" + std::string(std::strerror(error)) +
                        "\nFile: " + target.filename().string());
}

} // namespace

std::string headingRow(const DbfFile& file)
{
    std::string row;
    for (std::size_t i = 0; i < file.layout().fields.size(); ++i) {
        if (i > 0)
            row.push_back(',');
        row += file.layout().fields[i].name;
    }
    return row;
}

std::string delimitedRow(const DbfFile& file, std::string_view record, std::uint32_t recordNumber,
                         std::vector<UnreadableField>* unreadable)
{
    std::string row;
    for (std::size_t i = 0; i < file.layout().fields.size(); ++i) {
        if (i > 0)
            row.push_back(',');
        appendField(row, file, record, i, recordNumber, unreadable);
    }
    return row;
}

namespace {

// Opens "<target>.tmp" as a new file of this export: never through a link,
// never a file another export is writing. A temporary of that name that no
// export holds (one a killed export left, or a link someone put there) is
// removed first. The export holds an open-file-description lock on its
// temporary while it writes it, which is how a live one is told apart.
int createTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd =
            ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            struct flock hold {};
            hold.l_type = F_WRLCK;
            hold.l_whence = SEEK_SET;
            if (::fcntl(fd, F_OFD_SETLK, &hold) == 0)
                return fd;
            ::close(fd); // another export cleared and took the name meanwhile
            continue;
        }
        if (errno != EEXIST)
            throw cannotWrite(target, errno);
        const int stale = ::open(temporary.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (stale >= 0) {
            struct flock probe {};
            probe.l_type = F_WRLCK;
            probe.l_whence = SEEK_SET;
            const bool inUse = ::fcntl(stale, F_OFD_SETLK, &probe) != 0;
            if (!inUse)
                ::unlink(temporary.c_str());
            ::close(stale);
            if (inUse)
                throw StorageError(
                    "Cannot create the text file.\nAnother export is writing " +
                    temporary.filename().string() +
                    " now; try again when it is done.\nFile: " + target.filename().string());
        } else {
            ::unlink(temporary.c_str()); // a link, or a name that is no file of ours
        }
    }
    throw cannotWrite(target, EEXIST);
}

} // namespace

void writeDelimitedText(const DbfFile& file, const std::filesystem::path& target,
                        std::vector<UnreadableField>* unreadable)
{
    const std::filesystem::path temporary = target.string() + ".tmp";
    const int fd = createTemporary(temporary, target);
    std::string buffer = "\xEF\xBB\xBF" + headingRow(file) + "\r\n";
    bool ok = true;
    int error = 0;
    auto flushBuffer = [&] {
        std::size_t done = 0;
        while (ok && done < buffer.size()) {
            const ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                ok = false;
                error = n < 0 ? errno : ENOSPC;
            } else {
                done += static_cast<std::size_t>(n);
            }
        }
        buffer.clear();
    };
    try {
        file.forEachRecord([&](std::uint32_t n, std::string_view record) {
            if (!ok || record[0] == kRecordDeleted)
                return;
            buffer += delimitedRow(file, record, n, unreadable);
            buffer += "\r\n";
            if (buffer.size() > 256 * 1024)
                flushBuffer();
        });
    } catch (...) {
        ::unlink(temporary.c_str());
        ::close(fd);
        throw;
    }
    flushBuffer();
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok)
        ::unlink(temporary.c_str());
    ::close(fd); // the lock on the temporary is held until it has its final name
    if (!ok)
        throw cannotWrite(target, error);
}

} // namespace qw::storage
