#pragma once

// Writes the shop's details into the one record of SHOPINFO.DBF in a test's
// copy of the program folder, as the shop information window saves them.

#include <reports/ShopInfo.h>
#include <storage/Table.h>

#include <filesystem>
#include <string>
#include <utility>

namespace qw::test {

inline void writeShop(const std::filesystem::path& folder, const reports::ShopInfo& shop)
{
    storage::Table table(folder);
    table.open("SHOPINFO.DBF");
    if (table.recordCount() == 0) {
        table.appendBlank();
    } else {
        table.go(1);
        table.edit();
    }
    const std::pair<const char*, const std::string*> fields[] = {
        {"NAME", &shop.name},   {"ADDR1", &shop.addr1},      {"CITY", &shop.city},
        {"STATE", &shop.state}, {"ZIP", &shop.zip},          {"PHONE", &shop.phone},
        {"FAX", &shop.fax},     {"COMMENTS", &shop.comments}};
    for (const auto& [field, text] : fields)
        table.setField(field, *text);
    table.post();
}

} // namespace qw::test
