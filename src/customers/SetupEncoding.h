#pragma once

// Composing a new customer record from the main window's setup: the three
// weights as the entries show them, each choice group's item as a code, the
// chart family of the page and the day of saving.
//
// The page decides which inputs stand for the setup:
// - Hunting: the cam is HuntCamType's item (the page hides WheelType);
// - Target: the cam is WheelType's item, the bow type TargBowType's;
// - Kavel: the cam is HuntCamType's item, the bow type TargBowType's;
// - Youth: the weights are the youth entries (YouthBowWtSpin,
//   YouthArrowLenSpin), the family code is "3" and the bow type stays
//   BowType's item.

#include "selection/SetupInputs.h"
#include "storage/Table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::customers {

struct FieldText {
    std::string_view field;
    std::string text;
    bool operator==(const FieldText&) const = default;
};

// The setup fields of the record, in the order they are written. pageKey is
// the main window's page key ("Hunt", "Targ", "Youth", "Kavl"); another key
// stores no family and the adult entries.
std::vector<FieldText> encodeSetup(const selection::SetupInputs& setup, std::string_view pageKey,
                                   std::string date);
// The choice group that stands for the cam on the page, and the page's
// chart family code (HORT) as a number (nullopt for another key).
selection::SetupGroup camGroup(std::string_view pageKey);
std::optional<int> chartFamilyCode(std::string_view pageKey);

// Sets each field of the table's pending record.
void writeFields(storage::Table& table, const std::vector<FieldText>& fields);

// Today as the short-date text of the user's locale (LC_TIME from the
// environment).
std::string todayShortDate();

} // namespace qw::customers
