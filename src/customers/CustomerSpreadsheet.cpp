#include "CustomerSpreadsheet.h"

#include "CustomerFields.h"
#include "SavedSetups.h"

#include "core/Text.h"
#include "storage/ProgramFiles.h"
#include "storage/StorageError.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qw::customers {

namespace {

// Stored as text, meant as numbers: the weights and the setup codes.
constexpr std::string_view kNumberFields[] = {field::BOWWT, field::ARLEN, field::PNTWT,
                                              field::HORT,  field::BOTYP, field::WHTYP,
                                              field::RETYP, field::BOLEN, field::ODLEN};
// Column widths in characters of the default font.
constexpr double kNarrowest = 6;
constexpr double kWidest = 60;

class SpreadsheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool isNumberField(std::string_view name)
{
    return std::find(std::begin(kNumberFields), std::end(kNumberFields), name) !=
           std::end(kNumberFields);
}

// A number a spreadsheet shows exactly as stored: no leading zero or plus,
// no trailing zero after a point, at most 15 digits. "060" or "29.50" would
// come back as 60 and 29.5, so they stay text.
bool readsBackAsNumber(std::string_view text)
{
    std::string_view digits = text;
    if (digits.starts_with('-'))
        digits.remove_prefix(1);
    const auto point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    const auto allDigits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || !allDigits(whole) || !allDigits(fraction))
        return false;
    if (whole.size() > 1 && whole.front() == '0')
        return false;
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0'))
        return false;
    if (text == "-0" || whole.size() + fraction.size() > 15)
        return false;
    return true;
}

// A cell's line breaks are line feeds; memo lines end in CR LF.
std::string withLineFeeds(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// Characters of the longest line (UTF-8 continuation bytes not counted).
double longestLine(std::string_view text)
{
    std::size_t longest = 0;
    std::size_t current = 0;
    for (const char c : text) {
        if (c == '\n') {
            longest = std::max(longest, current);
            current = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++current;
        }
    }
    return double(std::max(longest, current));
}

struct Column {
    std::string name;
    bool number = false;
    bool memo = false;
    double width = 0;
};

// The workbook being written, closed (and so written out) exactly once.
class Workbook {
public:
    // Written to file; messages name shownName, the file the user asked for.
    Workbook(const std::filesystem::path& file, std::string shownName)
        : shownName_(std::move(shownName)), book_(workbook_new(file.c_str()))
    {
        if (!book_)
            fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
        sheet_ = workbook_add_worksheet(book_, "Customers");
        heading_ = workbook_add_format(book_);
        format_set_bold(heading_);
        text_ = workbook_add_format(book_);
        format_set_num_format(text_, "@"); // typing into the cell keeps it text too
        format_set_align(text_, LXW_ALIGN_VERTICAL_TOP);
        memo_ = workbook_add_format(book_);
        format_set_num_format(memo_, "@");
        format_set_text_wrap(memo_);
        format_set_align(memo_, LXW_ALIGN_VERTICAL_TOP);
        number_ = workbook_add_format(book_);
        format_set_align(number_, LXW_ALIGN_VERTICAL_TOP);
    }
    ~Workbook()
    {
        if (book_)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    void heading(lxw_col_t column, const std::string& name)
    {
        check(worksheet_write_string(sheet_, 0, column, name.c_str(), heading_), 0, name);
    }

    void cell(lxw_row_t row, lxw_col_t column, const Column& kind, const std::string& text)
    {
        if (text.empty())
            return; // an empty field is an empty cell
        if (kind.number && readsBackAsNumber(text)) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            check(worksheet_write_number(sheet_, row, column, value, number_), row, kind.name);
            return;
        }
        check(worksheet_write_string(sheet_, row, column, text.c_str(), kind.memo ? memo_ : text_),
              row, kind.name);
    }

    void finish(const std::vector<Column>& columns)
    {
        worksheet_freeze_panes(sheet_, 1, 0);
        for (lxw_col_t i = 0; i < columns.size(); ++i) {
            const double width = std::clamp(columns[i].width + 2, kNarrowest, kWidest);
            check(worksheet_set_column(sheet_, i, i, width, nullptr), 0, columns[i].name);
        }
        lxw_workbook* book = std::exchange(book_, nullptr);
        if (const lxw_error error = workbook_close(book); error != LXW_NO_ERROR)
            fail(error);
    }

private:
    void check(lxw_error error, lxw_row_t row, const std::string& fieldName)
    {
        if (error != LXW_NO_ERROR)
            fail(error, "Record " + std::to_string(row) + ", " + fieldName + ": ");
    }
    [[noreturn]] void fail(lxw_error error, const std::string& where = {})
    {
        throw SpreadsheetError("Cannot create the spreadsheet file.\n" + where +
                               lxw_strerror(error) + "\nFile: " + shownName_);
    }

    std::string shownName_;
    lxw_workbook* book_;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* heading_ = nullptr;
    lxw_format* text_ = nullptr;
    lxw_format* memo_ = nullptr;
    lxw_format* number_ = nullptr;
};

// The library reports a file it cannot create only when closing, and in
// words of its own; the system's reason is what the user needs.
void requireCreatable(const std::filesystem::path& file, const std::string& shownName)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw SpreadsheetError("Cannot create the spreadsheet file.\n" +
                               std::string(std::strerror(errno)) + "\nFile: " + shownName);
    ::close(fd);
}

void writeWorkbook(storage::Table& table, const std::filesystem::path& file,
                   const std::string& shownName)
{
    requireCreatable(file, shownName);
    std::vector<Column> columns;
    for (const storage::FieldDef& def : table.fields())
        columns.push_back({def.name, isNumberField(def.name), def.type == storage::FieldType::Memo,
                           double(def.name.size())});
    Workbook book(file, shownName);
    for (lxw_col_t i = 0; i < columns.size(); ++i)
        book.heading(i, columns[i].name);
    lxw_row_t row = 0;
    for (table.goTop(); !table.eof(); table.next()) {
        if (table.isDeleted())
            continue;
        ++row;
        for (lxw_col_t i = 0; i < columns.size(); ++i) {
            const std::string text =
                withLineFeeds(std::string(trimFieldEnd(table.getString(columns[i].name))));
            columns[i].width = std::max(columns[i].width, longestLine(text));
            book.cell(row, i, columns[i], text);
        }
    }
    book.finish(columns);
}

} // namespace

std::string spreadsheetCreatedMessage(const std::filesystem::path& file)
{
    return "File " + file.filename().string() + " has been created";
}

std::string proposedSpreadsheetName(std::string_view isoDate)
{
    return "Customer database " + std::string(isoDate) + ".xlsx";
}

bool exportCustomerSpreadsheet(storage::Table& exportTbl, MessageSink& messages,
                               const std::filesystem::path& file)
{
    struct CloseOnExit {
        storage::Table& table;
        ~CloseOnExit() { table.close(); }
    } closer{exportTbl};
    // Written beside the target and put in its place once complete, so an
    // earlier workbook is never replaced by a broken one.
    const std::filesystem::path partial = file.string() + ".tmp";
    try {
        exportTbl.open(storage::files::kSavedSetups, storage::OpenMode::ReadOnly);
        writeWorkbook(exportTbl, partial, file.filename().string());
        std::filesystem::rename(partial, file);
    } catch (const std::exception& e) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        const auto* renameFailure = dynamic_cast<const std::filesystem::filesystem_error*>(&e);
        messages.error(renameFailure ? "Cannot create the spreadsheet file.\n" +
                                           renameFailure->code().message() +
                                           "\nFile: " + file.filename().string()
                                     : std::string(e.what()));
        return false;
    }
    messages.information(spreadsheetCreatedMessage(file), 0);
    return true;
}

} // namespace qw::customers
