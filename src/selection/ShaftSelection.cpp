#include "ShaftSelection.h"

#include "Pages.h"
#include "SetupInputs.h"

namespace qw::selection {

ShaftSelection shaftSelection(const FormState& mainForm)
{
    ShaftSelection selection;
    selection.key = mainForm["TmpLbl"].text;
    selection.size = mainForm["SpcLbl"].text;
    selection.models = mainForm["Mods"].text;
    for (Page page : kAllPages)
        if (pageKey(mainForm) == pageInfo(page).key)
            selection.page = page;
    const bool youth = selection.page == Page::Youth;
    selection.arrowLength =
        setupText(mainForm, youth ? SetupEntry::YouthArrowLength : SetupEntry::ArrowLength);
    if (pageKey(mainForm) == pageInfo(Page::Hunt).key)
        selection.pointWeight = setupText(mainForm, SetupEntry::PointWeight);
    selection.bowWeight = mainForm[pageInfo(selection.page).bowWeightEntry].text;
    return selection;
}

} // namespace qw::selection
