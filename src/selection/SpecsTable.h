#pragma once

// The shaft specification table Specs.DBF with its index specs.idx. The main
// window reads it for every grid row; the specifications window owns one of
// its own while it is open.

#include <storage/KeyExpression.h>
#include <storage/Table.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qw::selection {

// The fields of one specification record that a grid row shows.
struct ShaftSpec {
    std::string spine;  // SPINE as read
    std::string models; // HMODELS or TMODELS, as read
    std::string gpi;    // GPI as read
};

class SpecsTable {
public:
    explicit SpecsTable(const std::filesystem::path& dataFolder);

    // Opens Specs.DBF read-only (a no-op when open) and specs.idx again as
    // its controlling order.
    void open();
    void close();
    bool isOpen() const { return table_.isOpen(); }

    // Seeks the specification key and reports whether the record found has
    // exactly that key: the seek also stops on a longer key that merely
    // begins with it, which would be another shaft.
    bool seekExact(const std::string& key);
    std::optional<ShaftSpec> findSpec(const std::string& key, std::string_view modelsField);

    // What opening the table reported without failing (a leftover journal
    // it did not apply), once: the list is emptied by taking it.
    std::vector<std::string> takeNotices() { return std::exchange(notices_, {}); }

    // The table itself, on the record of the last seek (SpecsTbl).
    storage::Table& table() { return table_; }

private:
    bool currentKeyIs(const std::string& key);

    storage::Table table_;
    std::optional<storage::KeyExpression> key_;
    std::vector<std::string> keyFieldTexts_;
    std::vector<std::string> notices_;
};

} // namespace qw::selection
