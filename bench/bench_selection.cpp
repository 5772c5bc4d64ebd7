// One complete run of FindRec per page, with the tables already open as in
// the window, and the floor under it: the storage work a run needs (one
// chart record read and one seek per listed shaft). The ratio of the two
// medians is printed at the end. Beside them, a typed digit on the real
// main window to the painted Hunting grid (BM_KeystrokeToPaintedGrid), with
// its ratio to FindRec alone.

#include <core/MessageSink.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>
#include <storage/Table.h>

#include <benchmark/benchmark.h>

#ifdef QW_BENCH_WINDOW
#include <app/TArrowSel.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#endif

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace qw;
using namespace qw::selection;

namespace {

const std::filesystem::path kProgramDir = QW_PROGRAM_DIR;

class SilentSink : public MessageSink {
public:
    void information(const std::string&, int) override { ++messages; }
    void error(const std::string& text) override { throw std::runtime_error(text); }
    int messages = 0;
};

const char* pageName(Page page)
{
    return std::string_view(pageInfo(page).key).data();
}

void runOnePage(benchmark::State& state, Page page)
{
    SilentSink sink;
    SelectionModel model(kProgramDir, sink);
    model.findRec();
    model.setActivePage(page);
    model.findRec(); // opens the page's chart
    for (auto _ : state) {
        model.findRec();
        benchmark::DoNotOptimize(model.form()["TmpLbl2"].text.data());
    }
    if (sink.messages != 0 || !model.lastRun().valid)
        state.SkipWithError("the default setup should show a chart position");
}

// The keys a run of the default setup seeks on this page, taken from the
// chart record it shows: only the fields the storage floor has to read.
struct Floor {
    std::uint32_t record;
    std::vector<std::string> sizeFields;
    std::vector<std::string> codeFields;
};

Floor floorFor(Page page)
{
    SilentSink sink;
    SelectionModel model(kProgramDir, sink);
    model.setActivePage(page);
    model.findRec();
    Floor floor{static_cast<std::uint32_t>(*model.lastRun().record), {}, {}};
    const char* code = page == Page::Youth ? "MODL" : page == Page::Kavl ? "MODEL" : "SPINE";
    for (int n = 1; n <= pageInfo(page).rows; ++n) {
        floor.sizeFields.push_back("SH" + std::to_string(n) + "SIZE");
        floor.codeFields.push_back("SH" + std::to_string(n) + code);
    }
    return floor;
}

void storageFloor(benchmark::State& state, Page page)
{
    const Floor floor = floorFor(page);
    qw::storage::Table chart(kProgramDir);
    qw::storage::Table specs(kProgramDir);
    chart.open(pageInfo(page).chartFile);
    specs.open("Specs.DBF", qw::storage::OpenMode::ReadOnly);
    specs.indexOpen("specs.idx");
    std::string key;
    for (auto _ : state) {
        chart.go(floor.record);
        for (std::size_t i = 0; i < floor.sizeFields.size(); ++i) {
            key = chart.getString(floor.sizeFields[i]);
            const auto end = key.find_last_not_of(' ');
            key.erase(end == std::string::npos ? 0 : end + 1);
            std::string code = chart.getString(floor.codeFields[i]);
            code.erase(code.find_last_not_of(' ') + 1);
            key += code;
            if (!key.empty())
                benchmark::DoNotOptimize(specs.seek(key));
        }
    }
}

#ifdef QW_BENCH_WINDOW
// A digit typed over the last one of the bow weight (60 and 65 in turn), as
// a key event to the real entry, up to the grid painted on screen: the
// model's run, the painter, the binder and the page's repaint.
void keystrokeToPaintedGrid(benchmark::State& state)
{
    SilentSink sink;
    qw::app::TArrowSel window(kProgramDir, &sink);
    window.show();
    QApplication::processEvents();
    auto* entry = window.findChild<QLineEdit*>("BowWeightSpin");
    auto* pages = window.findChild<QTabWidget*>("ShaftsNB");
    if (!entry || !pages) {
        state.SkipWithError("no bow weight entry or page control");
        return;
    }
    entry->setFocus();
    const Qt::Key digits[] = {Qt::Key_5, Qt::Key_0};
    const char* texts[] = {"5", "0"};
    int turn = 0;
    for (auto _ : state) {
        entry->setSelection(1, 1);
        QKeyEvent press(QEvent::KeyPress, digits[turn], Qt::NoModifier, texts[turn]);
        QApplication::sendEvent(entry, &press);
        pages->currentWidget()->repaint();
        turn = 1 - turn;
    }
    if (sink.messages != 0 || !window.model().lastRun().valid || entry->text().size() != 2)
        state.SkipWithError("each digit should give a chart position");
}
#endif

// Collects the medians and prints run / floor per page after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median") {
                const std::string name = run.benchmark_name();
                // CPU time: the machine is shared, wall time carries others' load.
                medians_[name.substr(0, name.find("/repeats:"))] = run.GetAdjustedCPUTime();
            }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-6s %14s %14s %8s\n", "page", "run median", "floor median", "ratio");
        std::printf("(median CPU time per run)\n");
        for (Page page : kAllPages) {
            const std::string name = pageName(page);
            const auto run = medians_.find("BM_FindRec/" + name);
            const auto floor = medians_.find("BM_StorageFloor/" + name);
            if (run == medians_.end() || floor == medians_.end())
                continue;
            // Both are in the benchmarks' unit, microseconds.
            std::printf("%-6s %11.2f us %11.2f us %8.2f\n", name.c_str(), run->second,
                        floor->second, run->second / floor->second);
        }
        const auto keystroke = medians_.find("BM_KeystrokeToPaintedGrid");
        const auto findRec = medians_.find("BM_FindRec/Hunt");
        if (keystroke != medians_.end() && findRec != medians_.end())
            std::printf("\nkeystroke to painted grid %.2f us, %.2f x FindRec on Hunt\n",
                        keystroke->second, keystroke->second / findRec->second);
    }

private:
    std::map<std::string, double> medians_;
};

void registerPages()
{
    for (Page page : kAllPages) {
        const std::string name = pageName(page);
        benchmark::RegisterBenchmark(("BM_FindRec/" + name).c_str(), runOnePage, page)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("BM_StorageFloor/" + name).c_str(), storageFloor, page)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(7)
            ->ReportAggregatesOnly(true);
    }
}

} // namespace

int main(int argc, char** argv)
{
#ifdef QW_BENCH_WINDOW
    // The window needs a display; without one it draws offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    registerPages();
#ifdef QW_BENCH_WINDOW
    benchmark::RegisterBenchmark("BM_KeystrokeToPaintedGrid", keystrokeToPaintedGrid)
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(7)
        ->ReportAggregatesOnly(true);
#endif
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
