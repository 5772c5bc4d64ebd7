#pragma once

// The recommendation for one setup on one page, as a value: what the chart
// rules make of the inputs (chart weight, band, chart record), the shafts of
// that record with their captions and weight classes, and how the run ended.
// recommend() works it out from the setup and the tables alone; the
// main window's painter writes it into the form, and every other consumer
// takes it as it is.

#include "ChartTables.h"
#include "Page.h"
#include "RunSummary.h"
#include "SetupInputs.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qw::selection {

// The weight classes of the hunting aluminium shafts, light to dark, that
// the page's colour key explains; None is the key's white (carbon).
enum class WeightClass { None, Light, Mid, Dark };
// The edge drawn round a shaded row; Unchanged keeps what it had.
enum class ShadeEdge { Unchanged, Silver, Grey };

struct RowShade {
    WeightClass weightClass = WeightClass::None;
    ShadeEdge edge = ShadeEdge::Unchanged;
};

struct RecommendedRow {
    enum class Kind {
        Empty,       // no shaft in this column
        Shaft,       // a shaft found in Specs.DBF
        WithoutSpec, // listed by the chart, not in Specs.DBF
        Carbon,      // a hunting carbon shaft given by its spine deflection
        Unfinished,  // its weight text did not convert: size, spine, model only
    };
    Kind kind = Kind::Empty;
    std::string size;
    std::string spine;
    std::string model;
    std::string weight;
    // Spine (hunting, target) or model code (youth, Kavel): the size
    // followed directly by it is the row's specification key.
    std::string keySuffix;
    // An empty Target row 1 keeps its size cell enabled.
    bool sizeStaysEnabled = false;
    // Hunting rows 3 to 9: the weight cell opens the carbon panel (a carbon row).
    bool weightOpensCarbonPanel = false;

    std::string specKey() const { return size + keySuffix; }
};

struct Recommendation {
    Page page = Page::Hunt;
    // Chart weight, band, record, outcome and the words of the status line.
    RunSummary summary;
    // How far the run got, which says what a painter may write:
    bool gatePassed = false;   // the adult entries passed the entry gate
    bool pageWorked = false;   // the page's work started
    bool bowRulesRead = false; // the bow type's rules were applied to the inputs
    bool chartReached = false; // the band is known and the tables are open
    // The bow the rules were read for: compound, or recurve (and longbow).
    bool compoundBow = true;
    // Hunting rows 1 to 4 when the chart was reached (all None off it).
    std::array<RowShade, 4> shades{};
    // From row 1 on: every row of the page when the chart was reached, fewer
    // when a row's weight did not convert (the last is then Unfinished and
    // the rows after it keep what they showed).
    std::vector<RecommendedRow> rows;
    // Off the chart: the page's bow weight entry and its default text, which
    // the invalid-selection step sets. nullopt when the entry holds it.
    std::optional<SetupEntry> resetEntry;
    std::string resetText;
    // A conversion error at a named entry (nullopt when a row or a table failed).
    std::optional<SetupEntry> failedEntry;
    bool conversionFailed = false; // an entry or a row's weight text, not a table
    std::string failure;           // the message of the error that ended the run

    bool offTheChart() const { return summary.outcome == ChartOutcome::OutsideChart; }
};

// How the cells of a row stand on the main window.
struct RowCells {
    bool captionsShown = true;  // the captions are drawn
    bool sizeEnabled = true;    // the size cell takes a click
    bool weightEnabled = false; // the weight cell takes a click (a carbon row's panel)
    Rgb fill = kWhite;          // the ground of the row's cells
};

// A page as the main window shows it: the setup as typed and, from row 1
// on, the rows as last painted there (an empty row where none has been;
// an unfinished row with the weight its cell kept) with their cells.
struct ShownPage {
    SetupInputs setup;
    std::vector<RecommendedRow> rows;
    std::vector<RowCells> cells; // one for each row
};

// The entry gate, the page's chart weight and band, its chart record and
// rows. Tables are opened as needed and the chart left on the record
// shown; nothing else is written anywhere.
Recommendation recommend(const SetupInputs& setup, Page page, ChartTables& tables);

} // namespace qw::selection
