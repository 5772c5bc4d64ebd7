#include "Recommendation.h"

#include "Bands.h"
#include "PageRowRules.h"
#include "Pages.h"

#include <core/ConversionError.h>
#include <core/NumberText.h>
#include <core/Text.h>

#include <stdexcept>

namespace qw::selection {

namespace {

using Row = RecommendedRow;

// The part of the weight cell caption that comes from one GPI text. A
// negative arrow length (possible on the pages without the entry gate, where
// it is always off the chart) gives no weight rather than a shaft weighing
// less than nothing.
std::string singleModelWeight(const std::string& gpiText, const DecimalNumber& length)
{
    const DecimalNumber grainsPerInch = parseRealField(gpiText);
    return length.mantissa < 0 ? std::string() : bareShaftWeight(grainsPerInch, length);
}

std::string part(const std::string& text, std::size_t from, std::size_t count)
{
    return from < text.size() ? text.substr(from, count) : std::string();
}

// Two models in one cell: characters 1-4 and 6-9 of the GPI text are the
// grains per inch of each; the caption is "<first>,<second>".
std::string twoModelWeights(const std::string& gpiText, const DecimalNumber& length)
{
    const std::string first = singleModelWeight(part(gpiText, 0, 4), length);
    const std::string second = singleModelWeight(part(gpiText, 5, 4), length);
    return length.mantissa < 0 ? std::string() : first + "," + second;
}

// One run's reading of the setup and the tables into a Recommendation.
class Engine {
public:
    Engine(const SetupInputs& setup, Page page, ChartTables& tables, Recommendation& result)
        : setup_(setup), page_(page), tables_(tables), result_(result)
    {
    }

    void run();

private:
    bool entryGatePasses() const;
    int whole(SetupEntry entry);
    DecimalNumber real(SetupEntry entry);
    int item(SetupGroup group) const { return setup_.item(group); }
    void openTables();

    void hunting();
    void target();
    void youth();
    void kavel();

    int findBand(ChartNumber chartWeight, const BandTable& bands, std::string bowInWords);
    // The rows for a band from 1 up at this arrow length: false when the
    // setup is off the chart (every row then empty).
    bool goToChartRecord(int band, ChartNumber arrowLength, int lengthOffset);
    void showNoShafts(ChartOutcome outcome);
    void fillRows(const std::vector<ChartColumn>& columns, const DecimalNumber& length);
    void lookUp(Row row, std::string_view modelsField, std::string_view twoModelCode,
                const DecimalNumber& length);

    const SetupInputs& setup_;
    Page page_;
    ChartTables& tables_;
    Recommendation& result_;
};

void Engine::run()
{
    const bool gate = entryGatePasses();
    result_.summary.ran = gate || page_ == Page::Youth || page_ == Page::Kavl;
    if (gate) {
        whole(SetupEntry::BowWeight); // only a check here
        result_.gatePassed = true;
    }
    if (!result_.summary.ran)
        return;
    result_.pageWorked = true;
    switch (page_) {
    case Page::Hunt:
        hunting();
        break;
    case Page::Targ:
        target();
        break;
    case Page::Youth:
        youth();
        break;
    case Page::Kavl:
        kavel();
        break;
    }
}

// The Hunting and Target pages run only on entries that can be a bow
// weight, an arrow length and a point weight.
bool Engine::entryGatePasses() const
{
    return characterCount(setup_.text(SetupEntry::BowWeight)) >= 2 &&
           characterCount(setup_.text(SetupEntry::ArrowLength)) == 2 &&
           characterCount(setup_.text(SetupEntry::PointWeight)) >= 2;
}

int Engine::whole(SetupEntry entry)
{
    try {
        return parseWholeNumber(setup_.text(entry));
    } catch (const ConversionError&) {
        result_.failedEntry = entry;
        throw;
    }
}

DecimalNumber Engine::real(SetupEntry entry)
{
    try {
        return parseRealNumber(setup_.text(entry));
    } catch (const ConversionError&) {
        result_.failedEntry = entry;
        throw;
    }
}

void Engine::openTables()
{
    tables_.openChart(page_);
    tables_.openSpecs();
}

void Engine::hunting()
{
    const int bowWeight = whole(SetupEntry::BowWeight);
    const int pointWeight = whole(SetupEntry::PointWeight);
    const int length = whole(SetupEntry::ArrowLength);
    const int bowType = item(SetupGroup::BowType);
    result_.compoundBow = bowType != 1 && bowType != 2;
    result_.bowRulesRead = true;
    int band = 0;
    int lengthOffset = 23;
    if (bowType == 1) {
        band = findBand(ChartNumber{bowWeight} +
                            pointWeightAdjustment(huntRecurvePointSteps(), pointWeight),
                        huntRecurveBands(), "a recurve bow");
    } else if (bowType == 2) {
        band = findBand(ChartNumber{bowWeight} +
                            pointWeightAdjustment(huntLongbowPointSteps(), pointWeight),
                        huntLongbowBands(), "a modern longbow");
        // Longbow arrows are two inches longer for the same chart position.
        lengthOffset = 25;
    } else {
        ChartNumber weight = bowWeight;
        if (item(SetupGroup::BraceHt) == 1)
            weight += 5;
        if (item(SetupGroup::ReleaseType) == 1)
            weight += 5;
        weight += pointWeightAdjustment(huntCompoundPointSteps(), pointWeight);
        weight += overdrawAdjustment(item(SetupGroup::OverDraw), weight);
        const int cam = item(SetupGroup::HuntCamType);
        band = findBand(weight, huntCompoundBands(cam),
                        cam == 1 ? "a compound bow with a medium cam"
                                 : "a compound bow with a hard cam");
    }
    openTables();
    result_.chartReached = true;
    if (band == 0)
        return showNoShafts(ChartOutcome::OutsideEveryBand);
    if (!goToChartRecord(band, length, lengthOffset))
        return;
    result_.shades = huntingShades(*result_.summary.record);
    fillRows(huntingColumns(tables_.HuntTbl()), real(SetupEntry::ArrowLength));
}

std::string compoundInWords(int wheel)
{
    switch (wheel) {
    case 1:
        return "a compound bow with a medium cam";
    case 2:
        return "a compound bow with a soft cam";
    default:
        return "a compound bow with a single or hard cam";
    }
}

void Engine::target()
{
    openTables();
    const int bowWeight = whole(SetupEntry::BowWeight);
    const int pointWeight = whole(SetupEntry::PointWeight);
    const int length = whole(SetupEntry::ArrowLength);
    const bool compound = item(SetupGroup::TargBowType) != 1;
    result_.compoundBow = compound;
    result_.bowRulesRead = true;
    int band = 0;
    if (compound) {
        ChartNumber weight = bowWeight;
        if (item(SetupGroup::BraceHt) == 1)
            weight += 5;
        weight += pointWeightAdjustment(targCompoundPointSteps(), pointWeight);
        weight += 5 * ChartNumber{item(SetupGroup::ReleaseType)};
        weight += overdrawAdjustment(item(SetupGroup::OverDraw), weight);
        const int wheel = item(SetupGroup::WheelType);
        band = findBand(weight, targCompoundBands(wheel), compoundInWords(wheel));
    } else {
        band = findBand(bowWeight, targRecurveBands(), "a recurve bow");
    }
    result_.chartReached = true;
    if (band == 0)
        return showNoShafts(ChartOutcome::OutsideEveryBand);
    if (!goToChartRecord(band, length, 23))
        return;
    // On the chart, the record is one of the page's few.
    const int record = static_cast<int>(*result_.summary.record);
    fillRows(targetColumns(tables_.TargTbl(), compound, length, record),
             real(SetupEntry::ArrowLength));
}

void Engine::youth()
{
    const int weight = whole(SetupEntry::YouthBowWeight);
    result_.summary.chartWeight = weight;
    openTables();
    const int band = findBand(weight, youthBands(), "a youth bow");
    const int length = whole(SetupEntry::YouthArrowLength);
    result_.chartReached = true;
    if (band == 0)
        return showNoShafts(ChartOutcome::OutsideEveryBand);
    if (!goToChartRecord(band, length, 21))
        return;
    fillRows(youthColumns(tables_.YouthTbl()), real(SetupEntry::YouthArrowLength));
}

void Engine::kavel()
{
    ChartNumber weight = whole(SetupEntry::BowWeight);
    openTables();
    const bool compound = item(SetupGroup::TargBowType) != 1;
    result_.compoundBow = compound;
    int band = 0;
    if (compound) {
        weight += 5 * ChartNumber{item(SetupGroup::ReleaseType)};
        if (item(SetupGroup::BraceHt) == 1)
            weight += 5;
        if (whole(SetupEntry::PointWeight) > 100)
            weight += 3;
        result_.bowRulesRead = true;
        const int cam = item(SetupGroup::HuntCamType);
        band = findBand(weight, kavlBands(cam),
                        cam == 1 ? "a compound bow with a medium cam"
                                 : "a compound bow with a hard cam");
    } else {
        result_.bowRulesRead = true;
        // Recurve bows use the hard cam column.
        band = findBand(weight, kavlBands(0), "a recurve bow");
    }
    const int length = whole(SetupEntry::ArrowLength);
    result_.chartReached = true;
    if (band == 0)
        return showNoShafts(ChartOutcome::OutsideEveryBand);
    if (!goToChartRecord(band, length, 23))
        return;
    fillRows(kavelColumns(tables_.KavlTbl()), real(SetupEntry::ArrowLength));
}

int Engine::findBand(ChartNumber chartWeight, const BandTable& bands, std::string bowInWords)
{
    const WeightRange covered = coveredWeights(bands);
    const int band = bandOf(bands, chartWeight);
    RunSummary& summary = result_.summary;
    summary.chartWeight = chartWeight;
    summary.band = band;
    summary.bowInWords = std::move(bowInWords);
    summary.coveredWeights = ChartSpan{covered.lowest, covered.highest};
    return band;
}

bool Engine::goToChartRecord(int band, ChartNumber arrowLength, int lengthOffset)
{
    const PageInfo& info = pageInfo(page_);
    RunSummary& summary = result_.summary;
    const ChartNumber record = band + (arrowLength - lengthOffset);
    summary.record = record;
    summary.arrowLength = arrowLength;
    summary.coveredLengths = ChartSpan{ChartNumber{info.firstValidRecord} - band + lengthOffset,
                                       ChartNumber{info.lastValidRecord} - band + lengthOffset};
    if (record < info.firstValidRecord || record > info.lastValidRecord) {
        showNoShafts(ChartOutcome::OutsideChart);
        const SetupEntry entry =
            page_ == Page::Youth ? SetupEntry::YouthBowWeight : SetupEntry::BowWeight;
        if (setup_.text(entry) != info.bowWeightDefault) {
            result_.resetEntry = entry;
            result_.resetText = std::string(info.bowWeightDefault);
        }
        return false;
    }
    tables_.openChart(page_).go(static_cast<std::uint32_t>(record));
    summary.valid = true;
    summary.outcome = ChartOutcome::Shown;
    return true;
}

// No chart row is used: every row is empty, as a blank column leaves it.
void Engine::showNoShafts(ChartOutcome outcome)
{
    result_.summary.valid = false;
    result_.summary.outcome = outcome;
    result_.rows.assign(static_cast<std::size_t>(pageInfo(page_).rows), Row{});
}

void Engine::fillRows(const std::vector<ChartColumn>& columns, const DecimalNumber& length)
{
    int number = 0;
    for (const ChartColumn& column : columns) {
        ++number;
        const RowRule rule = rowRule(page_, number);
        Row row;
        row.size = column.size;
        row.keySuffix = column.code;
        if (!column.present) {
            row.sizeStaysEnabled = rule.emptySizeStaysEnabled;
            result_.rows.push_back(std::move(row));
            continue;
        }
        if (rule.carbonAllowed && column.code == "caw") {
            // A carbon shaft given by its spine deflection: 400 is 0.400.
            row.kind = Row::Kind::Carbon;
            row.spine = "0." + row.size;
            row.model = "Carbon";
            row.weight = "Details";
            row.weightOpensCarbonPanel = rule.weightCellForCarbon;
            result_.rows.push_back(std::move(row));
            continue;
        }
        lookUp(std::move(row), modelsField(page_), rule.twoModelCode, length);
    }
}

void Engine::lookUp(Row row, std::string_view modelsField, std::string_view twoModelCode,
                    const DecimalNumber& length)
{
    const auto spec = tables_.findSpec(row.specKey(), modelsField);
    if (!spec) {
        row.kind = Row::Kind::WithoutSpec;
        result_.rows.push_back(std::move(row));
        return;
    }
    row.spine = spec->spine;
    row.model = trimBlanks(spec->models);
    // Unfinished until the weight converts: a failure leaves it so.
    row.kind = Row::Kind::Unfinished;
    Row& shown = result_.rows.emplace_back(std::move(row));
    shown.weight = !twoModelCode.empty() && shown.model == twoModelCode
                       ? twoModelWeights(spec->gpi, length)
                       : singleModelWeight(spec->gpi, length);
    shown.kind = Row::Kind::Shaft;
}

} // namespace

Recommendation recommend(const SetupInputs& setup, Page page, ChartTables& tables)
{
    Recommendation result;
    result.page = page;
    try {
        Engine(setup, page, tables, result).run();
    } catch (const std::runtime_error& error) {
        result.summary.failed = true;
        result.conversionFailed = dynamic_cast<const ConversionError*>(&error) != nullptr;
        result.failure = error.what();
        // The status line names the error once the page's work has started.
        if (result.pageWorked)
            result.summary.failure = error.what();
    }
    return result;
}

} // namespace qw::selection
