#include "SetupDecoding.h"

#include "CustomerFields.h"

#include <core/ConversionError.h>
#include <core/NumberText.h>
#include <core/Text.h>

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

// A code outside its table gives no word.
std::string wordFor(std::span<const std::string_view> words, int code)
{
    const auto text = codeText(words, code);
    return text ? std::string(*text) : std::string();
}

// The setup fields in the order a recall reads them, with what each holds.
struct SetupField {
    std::string StoredSetup::*text;
    std::string_view meaning;
    std::string_view name;
};
constexpr SetupField kSetupFields[] = {{&StoredSetup::chartFamily, "chart family", field::HORT},
                                       {&StoredSetup::bowWeight, "bow weight", field::BOWWT},
                                       {&StoredSetup::arrowLength, "arrow length", field::ARLEN},
                                       {&StoredSetup::pointWeight, "point weight", field::PNTWT},
                                       {&StoredSetup::bowType, "bow type", field::BOTYP},
                                       {&StoredSetup::wheelType, "wheel type", field::WHTYP},
                                       {&StoredSetup::release, "release", field::RETYP},
                                       {&StoredSetup::braceHeight, "brace height", field::BOLEN},
                                       {&StoredSetup::overDraw, "over draw", field::ODLEN}};

bool isWholeNumber(const std::string& text)
{
    try {
        parseWholeNumber(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
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
        codes.chartFamily = parseWholeNumber(stored.chartFamily);
    codes.bowType = parseWholeNumber(stored.bowType);
    codes.wheelType = parseWholeNumber(stored.wheelType);
    codes.release = parseWholeNumber(stored.release);
    codes.braceHeight = parseWholeNumber(stored.braceHeight);
    codes.overDraw = parseWholeNumber(stored.overDraw);
    return codes;
}

std::string fieldText(const storage::Table& table, std::string_view name)
{
    return trimBlanks(table.getString(name));
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

SetupWords summaryWords(const StoredSetup& stored)
{
    const Codes codes = convertCodes(stored);
    const int family = codes.chartFamily.value_or(kYouthFamily);
    SetupWords words;
    words.bowWeight = stored.bowWeight + "#";
    words.arrowLength = stored.arrowLength + "\"";
    words.chartFamily = wordFor(kChartFamilies, family);
    words.bowType = wordFor(kBowTypes, codes.bowType);
    if (family == kYouthFamily) {
        for (std::string* adultOnly : {&words.pointWeight, &words.wheelType, &words.release,
                                       &words.braceHeight, &words.overDraw})
            *adultOnly = kNotApplicable;
        return words;
    }
    words.pointWeight = stored.pointWeight + "Gr";
    words.wheelType = wordFor(kWheelTypes, codes.wheelType);
    words.release = wordFor(kReleases, codes.release);
    words.braceHeight = wordFor(kBraceHeights, codes.braceHeight);
    words.overDraw = wordFor(kOverDraws, codes.overDraw);
    return words;
}

std::string recallRefusal(const StoredSetup& stored)
{
    std::string empty;
    std::string unreadable;
    for (const SetupField& setupField : kSetupFields) {
        const std::string& text = stored.*setupField.text;
        const std::string named =
            std::string(setupField.meaning) + " (" + std::string(setupField.name) + ")";
        if (text.empty())
            empty += (empty.empty() ? "" : ", ") + named;
        else if (!isWholeNumber(text))
            unreadable += (unreadable.empty() ? "" : ", ") + named + " \"" + text + "\"";
    }
    std::string message = "This record's setup cannot be returned to the main window.";
    if (!empty.empty())
        message += "\nEmpty: " + empty + ".";
    if (!unreadable.empty())
        message += "\nNot a whole number: " + unreadable + ".";
    return message;
}

SetupInputs decodeRecall(const StoredSetup& stored, const SetupInputs& current)
{
    for (const SetupField& setupField : kSetupFields)
        if ((stored.*setupField.text).empty())
            throw RecallRefused(recallRefusal(stored));
    const int family = parseWholeNumber(stored.chartFamily);
    for (const std::string* weight : {&stored.bowWeight, &stored.arrowLength, &stored.pointWeight})
        parseWholeNumber(*weight); // only a check: the text goes in as stored
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
