#include "SetupInputs.h"

namespace qw::selection {

std::string_view controlName(SetupEntry entry)
{
    static constexpr std::array<std::string_view, kAllSetupEntries.size()> names = {
        "BowWeightSpin", "YouthBowWtSpin", "ArrowLengthSpin", "YouthArrowLenSpin", "PointWtSpin"};
    return names.at(std::size_t(entry));
}

std::string_view controlName(SetupGroup group)
{
    static constexpr std::array<std::string_view, kAllSetupGroups.size()> names = {
        "BowType", "TargBowType", "HuntCamType", "WheelType", "ReleaseType", "OverDraw", "BraceHt"};
    return names.at(std::size_t(group));
}

const std::string& setupText(const FormState& form, SetupEntry entry)
{
    return form[controlName(entry)].text;
}

int setupItem(const FormState& form, SetupGroup group)
{
    return form[controlName(group)].itemIndex;
}

Page activePage(const FormState& form)
{
    return static_cast<Page>(form["ShaftsNB"].itemIndex);
}

const std::string& pageKey(const FormState& form)
{
    return form["TmpLbl2"].text;
}

SetupInputs readSetup(const FormState& form)
{
    SetupInputs setup;
    for (SetupEntry entry : kAllSetupEntries)
        setup.text(entry) = setupText(form, entry);
    for (SetupGroup group : kAllSetupGroups)
        setup.item(group) = setupItem(form, group);
    setup.page = activePage(form);
    return setup;
}

} // namespace qw::selection
