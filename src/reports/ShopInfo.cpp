#include "ShopInfo.h"

namespace qw::reports {

namespace {

std::string trimmedField(const storage::Table& table, std::string_view field)
{
    std::string text = table.getString(field);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
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
    table_.open("SHOPINFO.DBF", storage::OpenMode::ReadOnly);
}

ShopInfo ShopTable::read()
{
    return readShopInfo(table_);
}

} // namespace qw::reports
