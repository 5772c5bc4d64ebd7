#include "SelectReport.h"

#include <selection/Pages.h>
#include <selection/RunExplanation.h>

#include <cstdio>
#include <sstream>

namespace qw::select {

namespace {

using json = nlohmann::ordered_json;
using selection::RecommendedRow;
using selection::SetupEntry;

template <typename Number> json optionalNumber(const std::optional<Number>& value)
{
    return value ? json(*value) : json(nullptr);
}

std::string hexColour(Rgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour & 0xFFFFFF));
    return text;
}

// A row as the page shows it: an empty row shows no captions.
json row(const RecommendedRow& shown, const selection::RowCells& cells)
{
    const bool empty = shown.kind == RecommendedRow::Kind::Empty;
    const auto caption = [empty](const std::string& text) { return empty ? std::string() : text; };
    return {
        {"size", caption(shown.size)},          {"spine", caption(shown.spine)},
        {"model", caption(shown.model)},        {"weight", caption(shown.weight)},
        {"shown", cells.captionsShown},         {"sizeEnabled", cells.sizeEnabled},
        {"weightEnabled", cells.weightEnabled}, {"fill", hexColour(cells.fill)},
    };
}

std::string padded(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

} // namespace

nlohmann::ordered_json pageReport(const selection::SelectionModel& model, selection::Page page,
                                  const std::vector<std::string>& messages)
{
    const selection::ShownPage shown = model.shownPage(page);
    const selection::SetupInputs& setup = shown.setup;
    const auto& run = model.lastRun();
    json rows = json::array();
    for (std::size_t number = 0; number < shown.rows.size(); ++number)
        rows.push_back(row(shown.rows[number], shown.cells[number]));
    return {
        {"page", selection::pageInfo(page).key},
        {"ran", run.ran},
        {"chartWeight", optionalNumber(run.chartWeight)},
        {"band", optionalNumber(run.band)},
        {"record", optionalNumber(run.record)},
        {"valid", run.valid},
        {"status", selection::explainRun(run, page)},
        {"messages", messages},
        {"inputs",
         {
             {"bowWeight", setup.text(SetupEntry::BowWeight)},
             {"arrowLength", setup.text(SetupEntry::ArrowLength)},
             {"pointWeight", setup.text(SetupEntry::PointWeight)},
             {"youthBowWeight", setup.text(SetupEntry::YouthBowWeight)},
             {"youthArrowLength", setup.text(SetupEntry::YouthArrowLength)},
         }},
        {"rows", rows},
    };
}

std::string pageTable(const nlohmann::ordered_json& report)
{
    std::ostringstream out;
    out << "Page " << report["page"].get<std::string>() << "\n";
    const auto& inputs = report["inputs"];
    out << "Bow weight " << inputs["bowWeight"].get<std::string>() << ", arrow length "
        << inputs["arrowLength"].get<std::string>() << ", point weight "
        << inputs["pointWeight"].get<std::string>() << ", youth bow weight "
        << inputs["youthBowWeight"].get<std::string>() << ", youth arrow length "
        << inputs["youthArrowLength"].get<std::string>() << "\n";
    for (const auto& message : report["messages"])
        out << "Message: " << message.get<std::string>() << "\n";
    out << "\n"
        << padded("Row", 5) << padded("Size", 12) << padded("Spine", 12) << padded("Models", 16)
        << padded("Weight", 12) << "\n";
    int number = 0;
    for (const auto& row : report["rows"]) {
        ++number;
        const bool shown = row["shown"].get<bool>();
        const auto cell = [&](const char* key) {
            return shown ? row[key].get<std::string>() : std::string();
        };
        out << padded(std::to_string(number), 5) << padded(cell("size"), 12)
            << padded(cell("spine"), 12) << padded(cell("model"), 16) << padded(cell("weight"), 12)
            << (shown && !row["sizeEnabled"].get<bool>() && cell("model").empty() ? "(no specs)"
                                                                                  : "")
            << "\n";
    }
    return out.str();
}

} // namespace qw::select
