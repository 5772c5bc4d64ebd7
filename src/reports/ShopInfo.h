#pragma once

// The shop's own details that head every sheet, read from the one record of
// SHOPINFO.DBF.

#include <storage/Table.h>

#include <filesystem>
#include <string>

namespace qw::reports {

struct ShopInfo {
    std::string name;     // NAME
    std::string addr1;    // ADDR1
    std::string city;     // CITY
    std::string state;    // STATE
    std::string zip;      // ZIP
    std::string phone;    // PHONE
    std::string fax;      // FAX
    std::string comments; // COMMENTS

    bool operator==(const ShopInfo&) const = default;
};

// The first record in file order, trailing blanks removed; all empty when
// the table has no record. The table must be open.
ShopInfo readShopInfo(storage::Table& table);

// A sheet's own handle on SHOPINFO.DBF (CoInfoTbl): opened once, read again
// before every printing so that details saved in the meantime show.
// Opening throws the storage layer's StorageError, as start-up reports it.
class ShopTable {
public:
    explicit ShopTable(const std::filesystem::path& dataFolder);
    ShopInfo read();

private:
    storage::Table table_;
};

} // namespace qw::reports
