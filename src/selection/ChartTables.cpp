#include "ChartTables.h"

#include "Pages.h"

namespace qw::selection {

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
    table.open(pageInfo(page).chartFile, storage::OpenMode::ReadOnly);
    return table;
}

storage::Table* ChartTables::chartIfOpen(Page page)
{
    storage::Table& table = chart(page);
    return table.isOpen() ? &table : nullptr;
}

} // namespace qw::selection
