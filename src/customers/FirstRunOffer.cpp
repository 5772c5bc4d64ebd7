#include "FirstRunOffer.h"

#include "ShopInfModel.h"
#include "storage/ProgramFiles.h"
#include "storage/Table.h"

#include <algorithm>
#include <fstream>

namespace qw::customers {

namespace {

bool blank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\0'; });
}

} // namespace

FirstRunOffer::FirstRunOffer(std::filesystem::path dataFolder) : folder_(std::move(dataFolder)) {}

bool FirstRunOffer::due() const
{
    std::error_code error;
    if (std::filesystem::exists(folder_ / kMarkerFile, error))
        return false;
    try {
        storage::Table shop(folder_);
        shop.open(storage::files::kShopInfo, storage::OpenMode::ReadOnly);
        if (shop.recordCount() == 0)
            return true;
        shop.go(1);
        return std::all_of(ShopInfModel::shopFields().begin(), ShopInfModel::shopFields().end(),
                           [&](const ShopInfModel::ShopField& field) {
                               return !shop.hasField(field.field) ||
                                      blank(shop.getString(field.field));
                           });
    } catch (const std::exception&) {
        return false;
    }
}

bool FirstRunOffer::markMade() const
{
    std::ofstream marker(folder_ / kMarkerFile, std::ios::trunc);
    marker << "The Shop Information window was offered on the first start here.\n";
    return static_cast<bool>(marker.flush());
}

} // namespace qw::customers
