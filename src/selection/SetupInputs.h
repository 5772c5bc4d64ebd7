#pragma once

// Typed access to the archer's setup as the main window holds it: the five
// number entries, the seven choice groups and the active page. Windows that
// save, recall or print a setup go through these instead of spelling the
// controls' names.

#include "Page.h"

#include <core/FormState.h>

#include <array>
#include <string>
#include <string_view>

namespace qw::selection {

enum class SetupEntry { BowWeight, YouthBowWeight, ArrowLength, YouthArrowLength, PointWeight };
enum class SetupGroup {
    BowType,
    TargBowType,
    HuntCamType,
    WheelType,
    ReleaseType,
    OverDraw,
    BraceHt
};

inline constexpr std::array<SetupEntry, 5> kAllSetupEntries = {
    SetupEntry::BowWeight, SetupEntry::YouthBowWeight, SetupEntry::ArrowLength,
    SetupEntry::YouthArrowLength, SetupEntry::PointWeight};
inline constexpr std::array<SetupGroup, 7> kAllSetupGroups = {
    SetupGroup::BowType,   SetupGroup::TargBowType, SetupGroup::HuntCamType,
    SetupGroup::WheelType, SetupGroup::ReleaseType, SetupGroup::OverDraw,
    SetupGroup::BraceHt};

// "BowWeightSpin", "OverDraw", ...
std::string_view controlName(SetupEntry entry);
std::string_view controlName(SetupGroup group);

// Every setup input at one moment.
struct SetupInputs {
    std::array<std::string, kAllSetupEntries.size()> entries;
    std::array<int, kAllSetupGroups.size()> groups{};
    Page page = Page::Hunt;

    std::string& text(SetupEntry entry) { return entries[std::size_t(entry)]; }
    const std::string& text(SetupEntry entry) const { return entries[std::size_t(entry)]; }
    int& item(SetupGroup group) { return groups[std::size_t(group)]; }
    int item(SetupGroup group) const { return groups[std::size_t(group)]; }

    bool operator==(const SetupInputs&) const = default;
};

// Reads over the main window's state.
const std::string& setupText(const FormState& form, SetupEntry entry);
int setupItem(const FormState& form, SetupGroup group);
Page activePage(const FormState& form);
// TmpLbl2: the key of the page the engine last worked ("Hunt", "Targ", ...).
const std::string& pageKey(const FormState& form);
SetupInputs readSetup(const FormState& form);

} // namespace qw::selection
