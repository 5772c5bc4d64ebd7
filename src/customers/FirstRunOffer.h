#pragma once

// On the first start in a data folder whose shop record is empty, the
// program offers the Shop Information window once, so that the first
// printed sheet is not headed with blanks. That it was offered is kept as a
// small file in the data folder, so later starts say nothing, whether or not
// the shop was filled in then.

#include <filesystem>

namespace qw::customers {

class FirstRunOffer {
public:
    static constexpr const char* kText =
        "Enter your shop's name and address for the printed sheets";
    // Kept beside the tables: the offer belongs to the folder, shared or not.
    static constexpr const char* kMarkerFile = ".shop-information-offered";

    explicit FirstRunOffer(std::filesystem::path dataFolder);

    // True when the shop record is empty (no record, or only blanks) and the
    // offer was never made in this folder. A shop table that cannot be read
    // is not offered here: opening it reports that itself.
    bool due() const;
    // Records that the offer was made. False when the folder cannot be
    // written (the offer comes again next time).
    bool markMade() const;

private:
    std::filesystem::path folder_;
};

} // namespace qw::customers
