#include "ShopInfModel.h"

#include "core/Text.h"
#include "storage/ProgramFiles.h"
#include "storage/StorageError.h"

#include <stdexcept>
#include <utility>

namespace qw::customers {

const std::array<ShopInfModel::ShopField, 9>& ShopInfModel::shopFields()
{
    static const std::array<ShopField, 9> fields = {{
        {"NAME", "ShopNameEdit", "Shop Name:"},
        {"ADDR1", "ShopAddr1Edit", "Address 1:"},
        {"ADDR2", "ShopAddr2Edit", "Address 2:"},
        {"CITY", "ShopCityEdit", "City / St / Zip:"},
        {"STATE", "ShopStateEdit", ""},
        {"ZIP", "ShopZipEdit", ""},
        {"PHONE", "ShopPhoneEdit", "Phone:"},
        {"FAX", "ShopFaxEdit", "FAX:"},
        {"COMMENTS", "ShopCommentsEdit", "Additional Report Text:"},
    }};
    return fields;
}

namespace {

const ShopInfModel::ShopField& shopField(std::string_view field)
{
    for (const auto& known : ShopInfModel::shopFields())
        if (known.field == field)
            return known;
    throw std::out_of_range("no shop field " + std::string(field));
}

} // namespace

ShopInfModel::ShopInfModel(std::filesystem::path dataFolder, MessageSink& messages)
    : messages_(messages), apollo1_(std::move(dataFolder))
{
    for (const ShopField& field : shopFields()) {
        ControlState edit;
        edit.kind = ControlKind::Entry;
        form_.add(std::string(field.control), edit);
    }
    ControlState status;
    status.kind = ControlKind::Label;
    status.font = kStatusColour;
    form_.add(kStatusLabel, status);
}

bool ShopInfModel::open()
{
    try {
        apollo1_.open(storage::files::kShopInfo);
        for (const std::string& notice : apollo1_.notices())
            messages_.information(notice, 0);
        apollo1_.goTop();
        // An empty table: editing begins a new record, which Save appends.
        apollo1_.edit();
        for (const ShopField& field : shopFields())
            form_[field.control].text = trimFieldEnd(apollo1_.getString(field.field));
    } catch (const storage::StorageError& e) {
        apollo1_.close();
        messages_.error(e.what());
        return false;
    }
    return true;
}

void ShopInfModel::changeField(std::string_view field, std::string text)
{
    form_[shopField(field).control].text = text;
    form_[kStatusLabel].text.clear(); // what is typed now is not saved yet
    try {
        apollo1_.edit(); // after a Save, typing begins editing again
        apollo1_.setField(field, text);
    } catch (const storage::StorageError& e) {
        messages_.error(e.what());
    }
}

bool ShopInfModel::save()
{
    // Nothing typed since the last Save: the record already holds what the
    // window shows, so the refusal is a notice, not a failure.
    const bool editing = apollo1_.isOpen() && apollo1_.state() != storage::EditState::Browse;
    try {
        apollo1_.post();
    } catch (const storage::StorageError& e) {
        form_[kStatusLabel].text.clear();
        if (editing)
            messages_.error(e.what());
        else
            messages_.information(e.what(), 0);
        return false;
    }
    form_[kStatusLabel].text = kSavedStatus;
    return true;
}

void ShopInfModel::exit()
{
    apollo1_.close();
}

int ShopInfModel::fieldWidth(std::string_view field) const
{
    if (!apollo1_.isOpen())
        return 0;
    for (const storage::FieldDef& def : apollo1_.fields())
        if (def.name == field)
            return def.length;
    return 0;
}

} // namespace qw::customers
