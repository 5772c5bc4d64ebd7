#pragma once

// The main window as it is designed: every control the engine, the window
// and the other windows address by name, with its state before the first
// run of FindRec (texts, items, defaults, hints, fills, fonts, visibility).

#include "Page.h"
#include "SetupInputs.h"

#include <core/FormState.h>

#include <string>
#include <string_view>
#include <vector>

namespace qw::selection {

// Design colours that the engine and the window share.
inline constexpr Rgb kSilver = rgb(192, 192, 192);     // #C0C0C0
inline constexpr Rgb kGrey = rgb(128, 128, 128);       // #808080
inline constexpr Rgb kKavlOddRow = rgb(194, 149, 122); // #C2957A
inline constexpr Rgb kKavlEvenRow = rgb(188, 113, 84); // #BC7154

// Range and step of the up/down arrows beside an entry; typing is free.
struct EntryRange {
    std::string_view entry;
    std::string_view upDown;
    int minimum;
    int maximum;
    int step;
};
const std::vector<EntryRange>& entryRanges();

// The ground of a result row's cells as designed: Kavel's two browns, the
// Target and Youth rows in pairs of silver and white, Hunting white.
Rgb designRowFill(Page page, int row);

// Adds every control of the main window to form (which must not hold them yet).
void fillMainFormDesign(FormState& form);
FormState mainFormDesign();
// The items a setup choice group offers, as the window lists them.
const std::vector<std::string>& setupGroupItems(SetupGroup group);

} // namespace qw::selection
