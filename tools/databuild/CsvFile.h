#pragma once

// Comma-separated sources: a header line of field names, then one record a
// line. A field may be enclosed in double quotes (needed for model texts such
// as "QK,52"); a doubled quote inside stands for one. Blanks around a field
// are not part of it.

#include <filesystem>
#include <string>
#include <vector>

namespace qw::databuild {

class CsvFile {
public:
    // Throws BuildError naming the file and line for a malformed line.
    static CsvFile read(const std::filesystem::path& path);

    const std::vector<std::string>& header() const { return header_; }
    const std::vector<std::vector<std::string>>& rows() const { return rows_; }
    // Line number in the file of a data row (for messages).
    int lineOf(std::size_t row) const { return lines_.at(row); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<int> lines_;
};

} // namespace qw::databuild
