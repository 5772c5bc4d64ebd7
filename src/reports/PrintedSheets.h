#pragma once

// The five printed sheets of a run, created together at start-up in the
// program's order (Hunting, Target, Kavel, customer, Youth), each with its
// own handle on SHOPINFO.DBF. Creating them throws the storage layer's
// error when the shop table cannot be opened, which ends start-up.

#include "CustomerSheet.h"
#include "SetupSheets.h"

#include <filesystem>

namespace qw::reports {

struct PrintedSheets {
    explicit PrintedSheets(const std::filesystem::path& dataFolder)
        : hunting(dataFolder), target(dataFolder), kavel(dataFolder), customer(dataFolder),
          youth(dataFolder)
    {
    }

    SetupSheet& forPage(selection::Page page)
    {
        switch (page) {
        case selection::Page::Targ:
            return target;
        case selection::Page::Kavl:
            return kavel;
        case selection::Page::Youth:
            return youth;
        case selection::Page::Hunt:
            break;
        }
        return hunting;
    }

    TReportForm hunting;
    TTargPrintForm target;
    TKavlRpt kavel;
    TCustInfoRpt customer;
    TYouthRpt1 youth;
};

} // namespace qw::reports
