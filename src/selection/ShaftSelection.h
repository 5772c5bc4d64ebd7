#pragma once

// The shaft a size-cell click hands to the shaft specifications window, as plain
// data: its specification key and captions, the page it was clicked on and
// the setup entries the finished arrow starts from.

#include "Page.h"

#include <core/FormState.h>

#include <optional>
#include <string>

namespace qw::selection {

struct ShaftSelection {
    std::string key;    // the size caption followed directly by the row's key suffix
    std::string size;   // the size caption
    std::string models; // the model caption of the same row
    Page page = Page::Hunt;
    std::string arrowLength; // the page's arrow length entry (the youth one on Youth)
    // The point weight entry where it takes part (the Hunting page); none
    // elsewhere, where the shaft's default point is used.
    std::optional<std::string> pointWeight;
    std::string bowWeight; // the page's bow weight entry
};

// The hand-off texts of the last size-cell click (TmpLbl, SpcLbl, Mods), the
// page key in TmpLbl2 (Hunting for any other text) and that page's entries.
ShaftSelection shaftSelection(const FormState& mainForm);

} // namespace qw::selection
