#include "IndexFile.h"

#include "IdxTreeReader.h"
#include "StandardIdxWriter.h"

namespace qw::storage {

std::unique_ptr<IndexFile> IndexFile::open(const std::filesystem::path& path)
{
    return std::make_unique<IdxTreeReader>(path);
}

void IndexFile::writeStandard(const std::filesystem::path& path, std::string_view expression,
                              std::uint16_t keyLength, std::vector<IndexEntry> entries)
{
    StandardIdxWriter(expression, keyLength).write(path, std::move(entries));
}

} // namespace qw::storage
