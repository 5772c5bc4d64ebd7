#include "ChartTables.h"

#include "Pages.h"

#include <utility>

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
    if (!table.isOpen()) {
        table.open(pageInfo(page).chartFile, storage::OpenMode::ReadOnly);
        notices_.insert(notices_.end(), table.notices().begin(), table.notices().end());
    }
    return table;
}

std::vector<std::string> ChartTables::takeNotices()
{
    std::vector<std::string> all = std::exchange(notices_, {});
    for (std::string& notice : specs_.takeNotices())
        all.push_back(std::move(notice));
    return all;
}

storage::Table* ChartTables::chartIfOpen(Page page)
{
    storage::Table& table = chart(page);
    return table.isOpen() ? &table : nullptr;
}

} // namespace qw::selection
