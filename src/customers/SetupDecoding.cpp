#include "SetupDecoding.h"

#include "CustomerFields.h"

#include <selection/NumberText.h>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace qw::customers {

using selection::Page;
using selection::SetupEntry;
using selection::SetupGroup;
using selection::SetupInputs;

namespace {

// Youth setups are stored with HORT "3"; earlier versions left it empty.
constexpr int kYouthFamily = 3;

constexpr const auto& kChartFamilies = kChartFamilyTexts;
constexpr const auto& kBowTypes = kBowTypeTexts;
constexpr const auto& kWheelTypes = kWheelTypeTexts;
constexpr const auto& kReleases = kReleaseTexts;
constexpr const auto& kBraceHeights = kBraceHeightTexts;
constexpr const auto& kOverDraws = kOverDrawTexts;

// A code outside its table leaves the word as it was.
void putWord(std::span<const std::string_view> words, int code, std::string& word)
{
    if (const auto text = codeText(words, code))
        word = *text;
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

std::string fieldText(const storage::Table& table, std::string_view name)
{
    return selection::trimBlanks(table.getString(name));
}

} // namespace

StoredSetup readStoredSetup(const storage::Table& table)
{
    return StoredSetup{fieldText(table, field::HORT),  fieldText(table, field::BOWWT),
                       fieldText(table, field::ARLEN), fieldText(table, field::PNTWT),
                       fieldText(table, field::BOTYP), fieldText(table, field::WHTYP),
                       fieldText(table, field::RETYP), fieldText(table, field::BOLEN),
                       fieldText(table, field::ODLEN)};
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
