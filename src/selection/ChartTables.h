#pragma once

// The tables the main window owns for the whole run: the four charts and
// the specification table. Each is opened on first use and stays open; the
// specification index is reopened for every run.

#include "Page.h"
#include "SpecsTable.h"

#include <storage/Table.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qw::selection {

class ChartTables {
public:
    explicit ChartTables(const std::filesystem::path& dataFolder);

    const std::filesystem::path& dataFolder() const { return dataFolder_; }

    // The page's chart, opened when it is not yet. Charts are only ever
    // read, so they are opened read-only.
    storage::Table& openChart(Page page);
    // The chart as it stands, or nullptr when it was never opened.
    storage::Table* chartIfOpen(Page page);

    // Opens Specs.DBF (once) and specs.idx again as its controlling order.
    void openSpecs() { specs_.open(); }
    // The specification of exactly this key, or nullopt.
    std::optional<ShaftSpec> findSpec(const std::string& key, std::string_view modelsField)
    {
        return specs_.findSpec(key, modelsField);
    }

    // What opening the tables reported without failing, each notice once.
    std::vector<std::string> takeNotices();

    storage::Table& HuntTbl() { return hunt_; }
    storage::Table& TargTbl() { return targ_; }
    storage::Table& YouthTbl() { return youth_; }
    storage::Table& KavlTbl() { return kavl_; }
    storage::Table& SpecsTbl() { return specs_.table(); }

private:
    storage::Table& chart(Page page);

    std::filesystem::path dataFolder_;
    storage::Table hunt_;
    storage::Table targ_;
    storage::Table youth_;
    storage::Table kavl_;
    SpecsTable specs_;
    std::vector<std::string> notices_;
};

} // namespace qw::selection
