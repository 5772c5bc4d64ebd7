#pragma once

// Compiles the catalogue sources into the program's folder.
//
// The supplied tables (charts, specifications with their index, trajectory
// table, invsel.txt, legends) are written every time: each is first built
// complete in a staging folder beside the targets and then renamed over the
// old file, so an interrupted build leaves each file either old or new.
// The shop's own tables (the customer table with its name index, the shop
// record) are created only where they are missing and are never rewritten.

#include "TableLayouts.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qw::databuild {

class CatalogueBuilder {
public:
    CatalogueBuilder(std::filesystem::path sourceFolder, std::filesystem::path programFolder);

    // Throws BuildError (sources) or storage::StorageError (tables).
    void build();

    // What the last build did, one line a step, for the build log.
    const std::vector<std::string>& log() const { return log_; }

private:
    void buildSpecs(const std::filesystem::path& staging);
    void buildTrajectory(const std::filesystem::path& staging);
    void copyTexts(const std::filesystem::path& staging);
    void fillFromCsv(const TableLayout& layout, const std::filesystem::path& staging);
    void install(const std::filesystem::path& staging);
    void ensureSavedSetups();
    void ensureShopInfo();

    std::filesystem::path source_;
    std::filesystem::path program_;
    std::vector<std::string> log_;
};

} // namespace qw::databuild
