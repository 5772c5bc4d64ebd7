#include "RunExplanation.h"

#include "Pages.h"

namespace qw::selection {

namespace {

std::string rangeText(Page page)
{
    const PageInfo& info = pageInfo(page);
    return std::to_string(info.firstValidRecord) + " to " + std::to_string(info.lastValidRecord);
}

std::string notRun(const RunSummary& run, Page page)
{
    if (run.failed)
        return "No recommendation: an entry or a table could not be read";
    if (page == Page::Hunt || page == Page::Targ)
        return "Entries incomplete: bow weight and point weight need at least 2 digits, "
               "arrow length exactly 2";
    return "No recommendation";
}

std::string weightAndBand(const RunSummary& run)
{
    std::string text = "Chart weight " + std::to_string(*run.chartWeight) + " lb";
    if (!run.band)
        return text;
    if (*run.band == 0)
        return text + " is outside every band";
    return text + ", band " + std::to_string(*run.band);
}

} // namespace

std::string explainRun(const RunSummary& run, Page page)
{
    if (!run.ran || !run.chartWeight)
        return notRun(run, page);
    std::string text = weightAndBand(run);
    if (!run.record)
        return run.failed ? text + "; the chart could not be read" : text;
    const std::string position = std::to_string(*run.record);
    if (!run.valid)
        return text + "; chart position " + position + " is out of range (" + rangeText(page) +
               "), bow weight reset to " + std::string(pageInfo(page).bowWeightDefault);
    text += (run.band && *run.band == 0 ? "; chart position " : ", chart position ") + position;
    if (run.band && *run.band == 0)
        text += " from the arrow length alone";
    if (run.failed)
        text += "; a shaft's data could not be read";
    return text;
}

} // namespace qw::selection
