#pragma once

// The tables the main window owns for the whole run: the four charts and
// the specification table. Each is opened on first use and stays open; the
// specification index is reopened for every run.

#include "Page.h"

#include <storage/KeyExpression.h>
#include <storage/Table.h>

#include <filesystem>
#include <optional>
#include <string>

namespace qw::selection {

// The fields of one specification record that a grid row shows.
struct ShaftSpec {
    std::string spine;  // SPINE as read
    std::string models; // HMODELS or TMODELS, as read
    std::string gpi;    // GPI as read
};

class ChartTables {
public:
    explicit ChartTables(const std::filesystem::path& dataFolder);

    const std::filesystem::path& dataFolder() const { return dataFolder_; }

    // The page's chart, opened when it is not yet.
    storage::Table& openChart(Page page);
    // The chart as it stands, or nullptr when it was never opened.
    storage::Table* chartIfOpen(Page page);

    // Opens Specs.DBF (once) and specs.idx again as its controlling order.
    void openSpecs();
    // Seeks the specification key. Only a record whose key is the key itself
    // counts: the seek also stops on a longer key that merely begins with it,
    // which would be another shaft.
    std::optional<ShaftSpec> findSpec(const std::string& key, std::string_view modelsField);

    storage::Table& HuntTbl() { return hunt_; }
    storage::Table& TargTbl() { return targ_; }
    storage::Table& YouthTbl() { return youth_; }
    storage::Table& KavlTbl() { return kavl_; }
    storage::Table& SpecsTbl() { return specs_; }

private:
    storage::Table& chart(Page page);
    bool currentKeyIs(const std::string& key);

    std::filesystem::path dataFolder_;
    storage::Table hunt_;
    storage::Table targ_;
    storage::Table youth_;
    storage::Table kavl_;
    storage::Table specs_;
    std::optional<storage::KeyExpression> specsKey_;
    std::vector<std::string> keyFieldTexts_;
};

} // namespace qw::selection
