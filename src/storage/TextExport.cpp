#include "TextExport.h"

#include "CodePage.h"
#include "DbfFieldText.h"
#include "StorageError.h"

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
        appendQuoted(out, toUtf8(trimRight(bytes), file.layout().codePage));
        break;
    case FieldType::Logical: {
        const std::string_view value = trimBoth(bytes);
        if (!value.empty() && value != "?")
            out.push_back(value.front() == 'T' || value.front() == 't' || value.front() == 'Y' ||
                                  value.front() == 'y'
                              ? 'T'
                              : 'F');
        break;
    }
    default:
        out += toUtf8(trimBoth(bytes), file.layout().codePage);
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

void writeDelimitedText(const DbfFile& file, const std::filesystem::path& target,
                        std::vector<UnreadableField>* unreadable)
{
    const std::filesystem::path temporary = target.string() + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw cannotWrite(target, errno);
    std::string buffer = "\xEF\xBB\xBF" + headingRow(file) + "\r\n";
    std::string record;
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
        for (std::uint32_t n = 1; n <= file.recordCount() && ok; ++n) {
            file.readRecord(n, record);
            if (record[0] == kRecordDeleted)
                continue;
            buffer += delimitedRow(file, record, n, unreadable);
            buffer += "\r\n";
            if (buffer.size() > 256 * 1024)
                flushBuffer();
        }
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    flushBuffer();
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    ::close(fd);
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        throw cannotWrite(target, error);
    }
}

} // namespace qw::storage
