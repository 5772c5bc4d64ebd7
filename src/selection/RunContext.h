#pragma once

// What the work of one page needs during a run of FindRec: the form, the
// tables, the run's summary, and the invalid-selection step (which goes
// back through the model's change path, so it can start a nested run).

#include "ChartTables.h"
#include "FormState.h"
#include "GridCells.h"
#include "NumberText.h"
#include "Page.h"
#include "RunSummary.h"

#include <functional>
#include <string>
#include <string_view>

namespace qw::selection {

struct RunContext {
    FormState& form;
    GridCells& grid;
    ChartTables& tables;
    RunSummary& summary;
    std::function<void(Page)> invalidSelection;

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
// The record the page shows: in range, the chart goes there; out of range,
// the invalid-selection step runs and the chart stays where it is.
bool goToChartRecord(RunContext& run, Page page, int record);

} // namespace qw::selection
