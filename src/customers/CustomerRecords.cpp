#include "CustomerRecords.h"

#include "CustomerFields.h"

#include <core/Text.h>
#include <storage/StorageError.h>

#include <algorithm>
#include <array>

namespace qw::customers {

namespace {

using storage::FieldType;

constexpr std::array<std::string_view, 10> kNameAndSetupFields = {
    field::NAME,  field::BOWWT, field::ARLEN, field::PNTWT, field::HORT,
    field::BOTYP, field::WHTYP, field::RETYP, field::BOLEN, field::ODLEN};

constexpr std::array<std::string_view, 19> kNeededFields = {
    field::NAME,  field::ADDR1,   field::ADDR2, field::CITY,     field::STATE,
    field::ZIP,   field::COUNTRY, field::CCODE, field::COMMENTS, field::DATE,
    field::BOWWT, field::ARLEN,   field::PNTWT, field::HORT,     field::BOTYP,
    field::WHTYP, field::RETYP,   field::BOLEN, field::ODLEN};

bool fits(std::string_view name, FieldType type)
{
    if (name == field::COMMENTS)
        return type == FieldType::Memo || type == FieldType::Character;
    if (name == field::DATE)
        return type == FieldType::Character || type == FieldType::Date;
    return type == FieldType::Character || type == FieldType::Numeric;
}

} // namespace

void requireCustomerFields(const storage::Table& table)
{
    const auto& fields = table.fields();
    for (const std::string_view needed : kNeededFields) {
        const auto found =
            std::find_if(fields.begin(), fields.end(),
                         [&](const storage::FieldDef& f) { return f.name == needed; });
        if (found == fields.end() || !fits(needed, found->type))
            throw storage::StorageError("The customer table cannot be used: it has no " +
                                        std::string(found == fields.end() ? "" : "usable ") +
                                        "field " + std::string(needed) +
                                        ".\nFile: " + table.filePath().filename().string());
    }
}

bool isBlankCustomer(const storage::Table& table)
{
    for (const std::string_view name : kNameAndSetupFields)
        if (!trimFieldEnd(table.getString(name)).empty())
            return false;
    return true;
}

const std::string& CustomerFieldTexts::operator[](std::string_view name) const
{
    static const std::string none;
    for (const auto& [field, text] : fields)
        if (field == name)
            return text;
    return none;
}

std::string readFieldOrEmpty(const storage::Table& table, std::string_view field,
                             std::string* reason)
{
    try {
        return table.getString(field);
    } catch (const storage::StorageError& e) {
        // Only a memo's text lives outside the record; any other failure
        // (an unknown field) is the caller's to hear about.
        const auto& fields = table.fields();
        const bool memo = std::any_of(fields.begin(), fields.end(), [&](const auto& f) {
            return f.name == field && f.type == FieldType::Memo;
        });
        if (!memo)
            throw;
        if (reason)
            *reason = e.what();
        return {};
    }
}

CustomerFieldTexts readCustomerFields(const storage::Table& table)
{
    CustomerFieldTexts texts;
    for (const storage::FieldDef& field : table.fields()) {
        std::string reason;
        std::string text = readFieldOrEmpty(table, field.name, &reason);
        if (!reason.empty())
            texts.unreadable.emplace_back(field.name, reason);
        texts.fields.emplace_back(field.name, trimFieldEnd(text));
    }
    return texts;
}

std::string unreadableNotice(std::uint32_t recordNumber, std::string_view name,
                             std::string_view field, std::string_view reason)
{
    std::string notice = "Record " + std::to_string(recordNumber) + " (" + std::string(name) +
                         "): its " + std::string(field) + " cannot be read and " +
                         (field == field::COMMENTS ? "are" : "is") + " left out.";
    if (!reason.empty())
        notice += "\n" + std::string(reason);
    return notice;
}

} // namespace qw::customers
