#include "CsvFile.h"

#include "BuildError.h"
#include "TextRules.h"

#include <core/Text.h>

#include <fstream>

namespace qw::databuild {

namespace {

std::vector<std::string> splitLine(const std::string& line, const std::string& where)
{
    std::vector<std::string> fields;
    std::string current;
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == '"' && trimBlanks(current).empty()) {
            quoted = wasQuoted = true;
            current.clear();
        } else if (c == ',') {
            fields.push_back(wasQuoted ? current : trimBlanks(current));
            current.clear();
            wasQuoted = false;
        } else {
            current += c;
        }
    }
    if (quoted)
        throw BuildError(where + ": unterminated quoted field");
    fields.push_back(wasQuoted ? current : trimBlanks(current));
    return fields;
}

} // namespace

CsvFile CsvFile::read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw BuildError(path.string() + ": cannot be read");
    CsvFile file;
    file.path_ = path;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (trimBlanks(line).empty())
            continue;
        auto fields = splitLine(line, path.string() + " line " + std::to_string(lineNumber));
        if (file.header_.empty()) {
            file.header_ = std::move(fields);
            continue;
        }
        if (fields.size() != file.header_.size())
            throw BuildError(path.string() + " line " + std::to_string(lineNumber) + ": " +
                             std::to_string(fields.size()) + " fields, the header has " +
                             std::to_string(file.header_.size()));
        file.rows_.push_back(std::move(fields));
        file.lines_.push_back(lineNumber);
    }
    if (file.header_.empty())
        throw BuildError(path.string() + ": no header line");
    return file;
}

} // namespace qw::databuild
