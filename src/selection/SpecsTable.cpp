#include "SpecsTable.h"

#include <core/Text.h>
#include <storage/ProgramFiles.h>

#include <algorithm>

namespace qw::selection {

SpecsTable::SpecsTable(const std::filesystem::path& dataFolder) : table_(dataFolder) {}

void SpecsTable::open()
{
    if (!table_.isOpen()) {
        table_.open(storage::files::kSpecs, storage::OpenMode::ReadOnly);
        notices_.insert(notices_.end(), table_.notices().begin(), table_.notices().end());
    }
    table_.indexCloseAll();
    key_.reset();
    table_.indexOpen("specs.idx");
    try {
        key_.emplace(storage::KeyExpression::parse(table_.orderExpression(), table_.fields()));
    } catch (const storage::StorageError&) {
        // An expression this side cannot evaluate: the seek result is all
        // there is to go on.
        key_.reset();
    }
}

void SpecsTable::close()
{
    key_.reset();
    table_.close();
}

bool SpecsTable::currentKeyIs(const std::string& key)
{
    if (!key_)
        return true;
    // Only the fields the expression names are read.
    const auto& fields = table_.fields();
    keyFieldTexts_.assign(fields.size(), std::string());
    std::vector<bool> read(fields.size(), false);
    const std::string recordKey = key_->evaluate([&](std::size_t index) -> std::string_view {
        if (!read.at(index)) {
            keyFieldTexts_[index] = table_.getString(fields[index].name);
            read[index] = true;
        }
        return keyFieldTexts_[index];
    });
    return equalsIgnoringCase(trimTrailingBlanks(recordKey), trimTrailingBlanks(key));
}

bool SpecsTable::seekExact(const std::string& key)
{
    return table_.seek(key) && currentKeyIs(key);
}

std::optional<ShaftSpec> SpecsTable::findSpec(const std::string& key, std::string_view modelsField)
{
    if (!seekExact(key))
        return std::nullopt;
    return ShaftSpec{table_.getString("SPINE"), table_.getString(modelsField),
                     table_.getString("GPI")};
}

} // namespace qw::selection
