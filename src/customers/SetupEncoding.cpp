#include "SetupEncoding.h"

#include "CustomerFields.h"

#include <clocale>
#include <ctime>
#include <locale.h>

namespace qw::customers {

using selection::SetupEntry;
using selection::SetupGroup;

namespace {

std::string code(int item)
{
    return std::to_string(item);
}

} // namespace

std::vector<FieldText> encodeSetup(const selection::SetupInputs& setup, std::string_view pageKey,
                                   std::string date)
{
    const bool hunt = pageKey == "Hunt";
    const bool targ = pageKey == "Targ";
    const bool kavl = pageKey == "Kavl";
    const bool youth = pageKey == "Youth";

    const SetupEntry bowWeight = youth ? SetupEntry::YouthBowWeight : SetupEntry::BowWeight;
    const SetupEntry arrowLength = youth ? SetupEntry::YouthArrowLength : SetupEntry::ArrowLength;
    const SetupGroup cam = camGroup(pageKey);

    std::vector<FieldText> fields = {
        {field::BOWWT, setup.text(bowWeight)},
        {field::ARLEN, setup.text(arrowLength)},
        {field::PNTWT, setup.text(SetupEntry::PointWeight)},
        {field::BOTYP, code(setup.item(SetupGroup::BowType))},
        {field::WHTYP, code(setup.item(cam))},
        {field::RETYP, code(setup.item(SetupGroup::ReleaseType))},
        {field::BOLEN, code(setup.item(SetupGroup::BraceHt))},
        {field::ODLEN, code(setup.item(SetupGroup::OverDraw))},
    };
    if (hunt) {
        fields.push_back({field::HORT, std::string(kHortHunt)});
        fields.push_back({field::BOTYP, code(setup.item(SetupGroup::BowType))});
    } else if (targ || kavl) {
        fields.push_back({field::HORT, std::string(targ ? kHortTarg : kHortKavl)});
        fields.push_back({field::BOTYP, code(setup.item(SetupGroup::TargBowType))});
    } else if (youth) {
        fields.push_back({field::HORT, std::string(kHortYouth)});
    }
    fields.push_back({field::DATE, std::move(date)});
    return fields;
}

// The hunting and Kavel pages choose the cam with HuntCamType; WheelType
// is hidden there and would store a choice the user never saw.
SetupGroup camGroup(std::string_view pageKey)
{
    return pageKey == "Hunt" || pageKey == "Kavl" ? SetupGroup::HuntCamType
                                                  : SetupGroup::WheelType;
}

std::optional<int> chartFamilyCode(std::string_view pageKey)
{
    const std::pair<std::string_view, std::string_view> families[] = {
        {"Hunt", kHortHunt}, {"Targ", kHortTarg}, {"Kavl", kHortKavl}, {"Youth", kHortYouth}};
    for (const auto& [key, family] : families)
        if (key == pageKey)
            return family[0] - '0';
    return std::nullopt;
}

void writeFields(storage::Table& table, const std::vector<FieldText>& fields)
{
    for (const FieldText& value : fields)
        table.setField(value.field, value.text);
}

std::string todayShortDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64] = {};
    // The user's own locale, whatever the program set for itself.
    locale_t userLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (userLocale == static_cast<locale_t>(0))
        userLocale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    const std::size_t length = strftime_l(text, sizeof text, "%x", &local, userLocale);
    freelocale(userLocale);
    return std::string(text, length);
}

} // namespace qw::customers
