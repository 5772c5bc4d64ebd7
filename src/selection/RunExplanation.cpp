#include "RunExplanation.h"

#include "Pages.h"

namespace qw::selection {

namespace {

std::string number(ChartNumber value)
{
    return std::to_string(value);
}

std::string span(const ChartSpan& covered)
{
    return number(covered.lowest) + " to " + number(covered.highest);
}

// Messages of the storage layer run over several lines; the status line has one.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::string notRun(const RunSummary& run, Page page)
{
    if (run.failed)
        return "No recommendation: " + (run.failure.empty()
                                            ? std::string("an entry or a table could not be read")
                                            : oneLine(run.failure));
    if (page == Page::Hunt || page == Page::Targ)
        return "Entries incomplete: bow weight and point weight need at least 2 digits, "
               "arrow length exactly 2";
    return "No recommendation";
}

std::string weightAndBand(const RunSummary& run)
{
    std::string text = "Chart weight " + number(*run.chartWeight) + " lb";
    if (run.band)
        text += ", band " + std::to_string(*run.band);
    return text;
}

std::string noShaftSuits(const RunSummary& run, Page page)
{
    std::string text = "No shaft on the " + std::string(pageInfo(page).tabCaption) +
                       " chart suits a chart weight of " + number(*run.chartWeight) + " lb";
    if (run.coveredWeights)
        text +=
            ": for " + run.bowInWords + " the chart covers " + span(*run.coveredWeights) + " lb";
    return text;
}

// The band is on the chart, so the arrow length is what put the setup off it:
// the text says so and gives the lengths the chart takes at this weight.
std::string offTheChart(const RunSummary& run, Page page)
{
    const PageInfo& info = pageInfo(page);
    const std::string youth = page == Page::Youth ? "youth " : "";
    std::string text = "No shafts: at a chart weight of " + number(*run.chartWeight) + " lb (band " +
                       std::to_string(run.band.value_or(0)) + ") a " + number(*run.arrowLength) +
                       " in " + youth + "arrow is chart position " + number(*run.record) +
                       ", off the chart (" + std::to_string(info.firstValidRecord) + " to " +
                       std::to_string(info.lastValidRecord) + ")";
    if (run.coveredLengths)
        text += "; at this weight the chart takes " + span(*run.coveredLengths) + " in";
    if (run.bowWeightReset)
        text += "; " + youth + "bow weight reset to " + std::string(info.bowWeightDefault);
    return text;
}

} // namespace

std::string explainRun(const RunSummary& run, Page page)
{
    if (!run.ran || !run.chartWeight)
        return notRun(run, page);
    std::string text;
    switch (run.outcome) {
    case ChartOutcome::OutsideEveryBand:
        text = noShaftSuits(run, page);
        break;
    case ChartOutcome::OutsideChart:
        text = offTheChart(run, page);
        break;
    case ChartOutcome::Shown:
        text = weightAndBand(run) + ", chart position " + number(*run.record);
        break;
    case ChartOutcome::NotReached:
        text = weightAndBand(run);
        break;
    }
    if (!run.failed)
        return text;
    if (!run.failure.empty())
        return text + "; the run stopped: " + oneLine(run.failure);
    return text + (run.outcome == ChartOutcome::Shown ? "; a shaft's data could not be read"
                                                      : "; the chart could not be read");
}

} // namespace qw::selection
