#include "SetupDecoding.h"

#include <selection/NumberText.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace qw::customers {

using selection::Page;
using selection::SetupEntry;
using selection::SetupGroup;
using selection::SetupInputs;

namespace {

// Youth setups are stored with HORT "3"; earlier versions left it empty.
constexpr int kYouthFamily = 3;

template <std::size_t N> using Words = std::array<const char*, N>;

constexpr Words<4> kChartFamilies = {"Hunting Shafts", "Target Shafts", "Kavel Shafts",
                                     "Youth Shafts"};
constexpr Words<3> kBowTypes = {"Compound", "Recurve", "Longbow"};
constexpr Words<3> kWheelTypes = {"Hard", "Medium", "Soft"};
constexpr Words<2> kReleases = {"Mechanical", "Fingers"};
constexpr Words<2> kBraceHeights = {"Over 6.5\"", "Under 6.5\""};
constexpr Words<6> kOverDraws = {"None", "1\"", "2\"", "3\"", "4\"", "5\""};

template <std::size_t N> void putWord(const Words<N>& words, int code, std::string& word)
{
    if (code >= 0 && static_cast<std::size_t>(code) < N)
        word = words[static_cast<std::size_t>(code)];
}

// The six codes of a record, each converted before any is used.
struct Codes {
    std::optional<int> chartFamily; // none for the empty HORT of earlier versions
    int bowType, wheelType, release, braceHeight, overDraw;
};

Codes convertCodes(const StoredSetup& stored)
{
    Codes codes{};
    if (!stored.chartFamily.empty())
        codes.chartFamily = selection::parseWholeNumber(stored.chartFamily);
    codes.bowType = selection::parseWholeNumber(stored.bowType);
    codes.wheelType = selection::parseWholeNumber(stored.wheelType);
    codes.release = selection::parseWholeNumber(stored.release);
    codes.braceHeight = selection::parseWholeNumber(stored.braceHeight);
    codes.overDraw = selection::parseWholeNumber(stored.overDraw);
    return codes;
}

std::string field(const storage::Table& table, std::string_view name)
{
    return selection::trimBlanks(table.getString(name));
}

} // namespace

StoredSetup readStoredSetup(const storage::Table& table)
{
    return StoredSetup{field(table, "HORT"),  field(table, "BOWWT"), field(table, "ARLEN"),
                       field(table, "PNTWT"), field(table, "BOTYP"), field(table, "WHTYP"),
                       field(table, "RETYP"), field(table, "BOLEN"), field(table, "ODLEN")};
}

void decodeWords(const StoredSetup& stored, SetupWords& words)
{
    const Codes codes = convertCodes(stored);
    words.bowWeight = stored.bowWeight + "#";
    words.arrowLength = stored.arrowLength + "\"";
    words.pointWeight = stored.pointWeight + "Gr";
    putWord(kChartFamilies, codes.chartFamily.value_or(kYouthFamily), words.chartFamily);
    putWord(kBowTypes, codes.bowType, words.bowType);
    putWord(kWheelTypes, codes.wheelType, words.wheelType);
    putWord(kReleases, codes.release, words.release);
    putWord(kBraceHeights, codes.braceHeight, words.braceHeight);
    putWord(kOverDraws, codes.overDraw, words.overDraw);
}

SetupInputs decodeRecall(const StoredSetup& stored, const SetupInputs& current)
{
    if (stored.chartFamily.empty())
        throw RecallRefused(kEarlierYouthSetupMessage);
    const int family = selection::parseWholeNumber(stored.chartFamily);
    for (const std::string* weight : {&stored.bowWeight, &stored.arrowLength, &stored.pointWeight})
        selection::parseWholeNumber(*weight); // only a check: the text goes in as stored
    const Codes codes = convertCodes(stored);

    SetupInputs setup = current;
    switch (family) {
    case 0:
        setup.page = Page::Hunt;
        break;
    case 1:
        setup.page = Page::Targ;
        break;
    case 2:
        setup.page = Page::Kavl;
        break;
    case kYouthFamily:
        setup.page = Page::Youth;
        break;
    default:
        break; // an unknown family keeps the page
    }
    const bool youth = family == kYouthFamily;
    setup.text(youth ? SetupEntry::YouthBowWeight : SetupEntry::BowWeight) = stored.bowWeight;
    setup.text(youth ? SetupEntry::YouthArrowLength : SetupEntry::ArrowLength) = stored.arrowLength;
    setup.text(SetupEntry::PointWeight) = stored.pointWeight;
    // A number past a group's last item selects the last item (the main
    // window clamps), so a stored Longbow shows "Recurve Bow" in the
    // two-item group.
    setup.item(SetupGroup::BowType) = codes.bowType;
    setup.item(SetupGroup::TargBowType) = codes.bowType;
    setup.item(SetupGroup::WheelType) = codes.wheelType;
    // The Hunting and Kavel pages store their two-item cam group in WHTYP.
    if (family == 0 || family == 2)
        setup.item(SetupGroup::HuntCamType) = std::clamp(codes.wheelType, 0, 1);
    setup.item(SetupGroup::ReleaseType) = codes.release;
    setup.item(SetupGroup::BraceHt) = codes.braceHeight;
    setup.item(SetupGroup::OverDraw) = codes.overDraw;
    return setup;
}

} // namespace qw::customers
