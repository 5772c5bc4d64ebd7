#pragma once

// The four chart pages as data: page keys, grid sizes, cell names and the
// bow weight entry that the invalid-selection step resets.

#include "Page.h"

#include <core/FormState.h>

#include <array>
#include <string>
#include <string_view>

namespace qw::selection {

enum class CellKind { Size, Spine, Model, Weight };

struct PageInfo {
    Page page;
    std::string_view key;            // TmpLbl2 text: "Hunt", "Targ", "Youth", "Kavl"
    std::string_view tabCaption;     // "Hunting", "Target", "Youth", "Kavel"
    char prefix;                     // cell and button name prefix: H, T, Y, K
    int rows;                        // 16, 13, 8, 6
    std::string_view bowWeightEntry; // reset by the invalid-selection step
    std::string_view bowWeightDefault;
    std::string_view chartFile;
    int firstValidRecord;
    int lastValidRecord;
    Rgb accent; // the page's colour on its black buttons and headings
};

const PageInfo& pageInfo(Page page);
inline constexpr std::array<Page, 4> kAllPages = {Page::Hunt, Page::Targ, Page::Youth, Page::Kavl};

// "HSzBtn1", "TWtBtn13", ...; row is 1-based.
std::string cellName(Page page, CellKind kind, int row);
// "HPrintBtn", "KSizeHdr", ...: the page prefix followed by suffix.
std::string pageControlName(Page page, std::string_view suffix);
// "TSP1LBL" .. "TSP13LBL"
std::string targetSpineLabelName(int row);

} // namespace qw::selection
