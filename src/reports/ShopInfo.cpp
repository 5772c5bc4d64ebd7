#include "ShopInfo.h"

#include <core/Text.h>
#include <storage/ProgramFiles.h>

namespace qw::reports {

namespace {

std::string trimmedField(const storage::Table& table, std::string_view field)
{
    return std::string(trimTrailingBlanks(table.getString(field)));
}

} // namespace

ShopInfo readShopInfo(storage::Table& table)
{
    ShopInfo shop;
    if (table.recordCount() == 0)
        return shop;
    table.go(1);
    shop.name = trimmedField(table, "NAME");
    shop.addr1 = trimmedField(table, "ADDR1");
    shop.city = trimmedField(table, "CITY");
    shop.state = trimmedField(table, "STATE");
    shop.zip = trimmedField(table, "ZIP");
    shop.phone = trimmedField(table, "PHONE");
    shop.fax = trimmedField(table, "FAX");
    shop.comments = trimmedField(table, "COMMENTS");
    return shop;
}

ShopTable::ShopTable(const std::filesystem::path& dataFolder) : table_(dataFolder)
{
    table_.open(storage::files::kShopInfo, storage::OpenMode::ReadOnly);
}

ShopInfo ShopTable::read()
{
    return readShopInfo(table_);
}

} // namespace qw::reports
