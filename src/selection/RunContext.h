#pragma once

// What the work of one page needs during a run of FindRec: the form, the
// tables and the run's summary. A run never starts another: a setup off the
// chart ends the run with its outcome in the summary, and the model decides
// what the invalid-selection step does with it.

#include "Bands.h"
#include "ChartTables.h"
#include "FormState.h"
#include "GridCells.h"
#include "NumberText.h"
#include "Page.h"
#include "RunSummary.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace qw::selection {

struct RunContext {
    FormState& form;
    GridCells& grid;
    ChartTables& tables;
    RunSummary& summary;

    int wholeNumber(std::string_view entry) const { return parseWholeNumber(form[entry].text); }
    DecimalNumber realNumber(std::string_view entry) const
    {
        return parseRealNumber(form[entry].text);
    }
    int item(std::string_view group) const { return form[group].itemIndex; }

    void show(std::string_view name, bool visible) { form[name].visible = visible; }
    void enable(std::string_view name, bool enabled) { form[name].enabled = enabled; }
    void font(std::string_view name, Rgb colour) { form[name].font = colour; }
    void setText(std::string_view name, std::string text) { form[name].text = std::move(text); }
};

// Shared input settings of the pages that show the adult entries.
void showAdultEntries(RunContext& run);
// The page's command buttons and column headings in its accent colour.
void colourPageFurniture(RunContext& run, Page page, Rgb colour);
// The band of the chart weight among the bands of the chosen bow and cam
// (named in words for the status line); the summary keeps the weight, the
// band and the chart weights those bands cover.
int findBand(RunContext& run, ChartNumber chartWeight, const BandTable& bands,
             std::string bowInWords);
// The record the page shows, band + (arrow length - lengthOffset): in range,
// the chart goes there and the result is true; out of range, the summary
// says the setup is off the chart, the chart stays where it is and every
// row of the page's grid is emptied, as for a weight in no band: the rows
// of another chart position must never stand beside these entries. Only
// for a band from 1 up.
bool goToChartRecord(RunContext& run, Page page, int band, ChartNumber arrowLength,
                     int lengthOffset);
// A chart weight outside every band: no shaft of the chart suits it, so no
// chart record is used, no invalid-selection step runs and every row of the
// page's grid is empty.
void showNoShafts(RunContext& run, Page page);

// The page's work; an error that ends it leaves its message in the summary
// for the status line and goes on to the message box.
template <typename Work> void keepingFailure(RunContext& run, Work&& work)
{
    try {
        work();
    } catch (const std::runtime_error& error) {
        run.summary.failure = error.what();
        throw;
    }
}

} // namespace qw::selection
