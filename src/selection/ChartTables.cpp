#include "ChartTables.h"

#include "NumberText.h"
#include "Pages.h"

#include <algorithm>
#include <cctype>

namespace qw::selection {

namespace {

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

ChartTables::ChartTables(const std::filesystem::path& dataFolder)
    : dataFolder_(dataFolder), hunt_(dataFolder), targ_(dataFolder), youth_(dataFolder),
      kavl_(dataFolder), specs_(dataFolder)
{
}

storage::Table& ChartTables::chart(Page page)
{
    switch (page) {
    case Page::Hunt:
        return hunt_;
    case Page::Targ:
        return targ_;
    case Page::Youth:
        return youth_;
    case Page::Kavl:
        return kavl_;
    }
    return hunt_;
}

storage::Table& ChartTables::openChart(Page page)
{
    storage::Table& table = chart(page);
    // The second brand's chart is the only chart opened read-only.
    table.open(pageInfo(page).chartFile,
               page == Page::Kavl ? storage::OpenMode::ReadOnly : storage::OpenMode::ReadWrite);
    return table;
}

storage::Table* ChartTables::chartIfOpen(Page page)
{
    storage::Table& table = chart(page);
    return table.isOpen() ? &table : nullptr;
}

void ChartTables::openSpecs()
{
    specs_.open("Specs.DBF", storage::OpenMode::ReadOnly);
    specs_.indexCloseAll();
    specsKey_.reset();
    specs_.indexOpen("specs.idx");
    try {
        specsKey_.emplace(storage::KeyExpression::parse(specs_.orderExpression(), specs_.fields()));
    } catch (const storage::StorageError&) {
        // An expression this side cannot evaluate: the seek result is all
        // there is to go on.
        specsKey_.reset();
    }
}

bool ChartTables::currentKeyIs(const std::string& key)
{
    if (!specsKey_)
        return true;
    // Only the fields the expression names are read.
    const auto& fields = specs_.fields();
    keyFieldTexts_.assign(fields.size(), std::string());
    std::vector<bool> read(fields.size(), false);
    const std::string recordKey = specsKey_->evaluate([&](std::size_t index) -> std::string_view {
        if (!read.at(index)) {
            keyFieldTexts_[index] = specs_.getString(fields[index].name);
            read[index] = true;
        }
        return keyFieldTexts_[index];
    });
    return sameIgnoringCase(withoutTrailingBlanks(recordKey), withoutTrailingBlanks(key));
}

std::optional<ShaftSpec> ChartTables::findSpec(const std::string& key, std::string_view modelsField)
{
    if (!specs_.seek(key) || !currentKeyIs(key))
        return std::nullopt;
    return ShaftSpec{specs_.getString("SPINE"), specs_.getString(modelsField),
                     specs_.getString("GPI")};
}

} // namespace qw::selection
