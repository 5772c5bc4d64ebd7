#include "Pages.h"

#include <storage/ProgramFiles.h>

#include <stdexcept>

namespace qw::selection {

namespace {

constexpr std::array<PageInfo, 4> kPages = {{
    {Page::Hunt, "Hunt", "Hunting", 'H', 16, "BowWeightSpin", "60", storage::files::kHuntChart, 2,
     20, kHuntGreen},
    {Page::Targ, "Targ", "Target", 'T', 13, "BowWeightSpin", "60", storage::files::kTargChart, 2,
     19, kTargOrange},
    {Page::Youth, "Youth", "Youth", 'Y', 8, "YouthBowWtSpin", "30", storage::files::kYouthChart, 1,
     10, kTargOrange},
    {Page::Kavl, "Kavl", "Kavel", 'K', 6, "BowWeightSpin", "60", storage::files::kKavlChart, 1, 19,
     kKavlRust},
}};

std::string_view kindInfix(CellKind kind)
{
    switch (kind) {
    case CellKind::Size:
        return "SzBtn";
    case CellKind::Spine:
        return "SpBtn";
    case CellKind::Model:
        return "MdBtn";
    case CellKind::Weight:
        return "WtBtn";
    }
    throw std::logic_error("unknown cell kind");
}

} // namespace

const PageInfo& pageInfo(Page page)
{
    return kPages.at(static_cast<std::size_t>(page));
}

std::string cellName(Page page, CellKind kind, int row)
{
    std::string name(1, pageInfo(page).prefix);
    name += kindInfix(kind);
    name += std::to_string(row);
    return name;
}

std::string pageControlName(Page page, std::string_view suffix)
{
    std::string name(1, pageInfo(page).prefix);
    name += suffix;
    return name;
}

std::string targetSpineLabelName(int row)
{
    return "TSP" + std::to_string(row) + "LBL";
}

} // namespace qw::selection
