#pragma once

// The fields of the customer table Saveddb.dbf and the words its codes stand
// for, shared by the windows and tools that write records and those that
// read them back.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace qw::customers {

namespace field {
inline constexpr std::string_view NAME = "NAME";
inline constexpr std::string_view ADDR1 = "ADDR1";
inline constexpr std::string_view ADDR2 = "ADDR2";
inline constexpr std::string_view CITY = "CITY";
inline constexpr std::string_view STATE = "STATE";
inline constexpr std::string_view ZIP = "ZIP";
inline constexpr std::string_view COUNTRY = "COUNTRY";
inline constexpr std::string_view CCODE = "CCODE";
inline constexpr std::string_view COMMENTS = "COMMENTS";
inline constexpr std::string_view DATE = "DATE";
inline constexpr std::string_view BOWWT = "BOWWT";
inline constexpr std::string_view ARLEN = "ARLEN";
inline constexpr std::string_view PNTWT = "PNTWT";
inline constexpr std::string_view HORT = "HORT";
inline constexpr std::string_view BOTYP = "BOTYP";
inline constexpr std::string_view WHTYP = "WHTYP";
inline constexpr std::string_view RETYP = "RETYP";
inline constexpr std::string_view BOLEN = "BOLEN";
inline constexpr std::string_view ODLEN = "ODLEN";
} // namespace field

// The customer's details as the entry windows offer them, in tab order.
inline constexpr std::array<std::string_view, 9> kCustomerDetailFields = {
    field::NAME, field::ADDR1,   field::ADDR2, field::CITY,    field::STATE,
    field::ZIP,  field::COUNTRY, field::CCODE, field::COMMENTS};
// What must not be empty when a record is first stored, in the order checked.
inline constexpr std::array<std::string_view, 4> kRequiredDetailFields = {
    field::NAME, field::ADDR1, field::CITY, field::STATE};

// Chart family codes (HORT).
inline constexpr std::string_view kHortHunt = "0";
inline constexpr std::string_view kHortTarg = "1";
inline constexpr std::string_view kHortKavl = "2";
inline constexpr std::string_view kHortYouth = "3";

// Words for each code, indexed by the code.
inline constexpr std::array<std::string_view, 4> kChartFamilyTexts = {
    "Hunting Shafts", "Target Shafts", "Kavel Shafts", "Youth Shafts"};
inline constexpr std::array<std::string_view, 3> kBowTypeTexts = {"Compound", "Recurve", "Longbow"};
inline constexpr std::array<std::string_view, 3> kWheelTypeTexts = {"Hard", "Medium", "Soft"};
inline constexpr std::array<std::string_view, 2> kReleaseTexts = {"Mechanical", "Fingers"};
inline constexpr std::array<std::string_view, 2> kBraceHeightTexts = {"Over 6.5\"", "Under 6.5\""};
inline constexpr std::array<std::string_view, 6> kOverDrawTexts = {"None", "1\"", "2\"",
                                                                   "3\"",  "4\"", "5\""};
// Shown where a recurve or a longbow has no cam, release, brace or overdraw to speak of.
inline constexpr std::string_view kNotApplicable = "N/A";

// Unit marks after the stored weights.
inline constexpr std::string_view kBowWeightMark = "#";
inline constexpr std::string_view kInchMark = "\"";

// The words for a code; nothing for a code outside the table (the label
// then keeps what it showed).
inline std::optional<std::string_view> codeText(std::span<const std::string_view> texts, long code)
{
    if (code < 0 || code >= static_cast<long>(texts.size()))
        return std::nullopt;
    return texts[static_cast<std::size_t>(code)];
}

} // namespace qw::customers
