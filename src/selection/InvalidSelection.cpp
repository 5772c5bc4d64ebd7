#include "InvalidSelection.h"

#include "RunError.h"

#include <storage/ProgramFiles.h>
#include <storage/Table.h>

#include <fstream>

namespace qw::selection {

namespace {

constexpr std::size_t kMaxCharacters = 150;

// Cuts after maxCharacters UTF-8 characters, never inside one.
std::string cutToCharacters(const std::string& text, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (characters == maxCharacters)
            return text.substr(0, i);
        ++characters;
    }
    return text;
}

} // namespace

std::string readInvalidSelectionText(const std::filesystem::path& dataFolder)
{
    const std::filesystem::path path =
        storage::findFile(dataFolder, storage::files::kInvalidSelection);
    if (path.empty())
        throw InputOutputError("I/O error: file not found.\nFile: invsel.txt");
    std::ifstream file(path, std::ios::binary);
    std::string line;
    if (!file || (!std::getline(file, line) && !file.eof()))
        throw InputOutputError("I/O error: the file cannot be read.\nFile: invsel.txt");
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return cutToCharacters(line, kMaxCharacters);
}

} // namespace qw::selection
