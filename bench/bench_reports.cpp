// A page's setup sheet from the print command to the PDF file written (aim:
// well under 50 ms), and to its job handed to the default printer (aim:
// under 200 ms): the fill step, the shop record read again, layout,
// rendering, and for printing finding the printer and the submission to the
// print server. Between two prints the clock stops until the queue has
// finished the job, so that no job's conversion runs alongside the next.
//
// Printing goes to the default printer, so give it the private test queue:
//
//     scripts/print-queue.sh start /tmp/qw-bench-queue
//     export $(scripts/print-queue.sh env /tmp/qw-bench-queue)
//     unset PRINTER LPDEST
//     build/bench/bench_reports
//     scripts/print-queue.sh stop /tmp/qw-bench-queue
//
// (The PDFs land in /tmp/qw-bench-queue/out.) Without a reachable printer
// each printing benchmark stops with "No printer is set up.".

#include "../tests/reports/PrintQueue.h" // the printing tests' queue helper

#include <core/MessageSink.h>
#include <reports/SetupSheets.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

using namespace qw;

namespace {

class SilentSink : public qw::MessageSink {
public:
    void information(const std::string&, int) override {}
    void error(const std::string& text) override { throw std::runtime_error(text); }
};

// The main window after start-up, showing the page.
struct PageShown {
    explicit PageShown(selection::Page page) : model(QW_PROGRAM_DIR, sink)
    {
        model.findRec();
        model.setActivePage(page);
        model.findRec();
    }
    SilentSink sink;
    selection::SelectionModel model;
};

bool waitUntilQueueEmpty()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000) {
        const auto jobs = test::PrintQueue::queuedJobs();
        if (jobs && jobs->isEmpty())
            return true;
        QThread::msleep(20);
    }
    return false;
}

void sheetToPdf(benchmark::State& state, selection::Page page)
{
    PageShown shown(page);
    reports::SetupSheet sheet(reports::sheetDesign(page), QW_PROGRAM_DIR);
    QTemporaryDir dir;
    const QString file = dir.filePath("sheet.pdf");
    for (auto _ : state) {
        QString error;
        if (!sheet.savePdf(shown.model.shownPage(page), file, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
}

void sheetToPrinter(benchmark::State& state, selection::Page page)
{
    PageShown shown(page);
    reports::SetupSheet sheet(reports::sheetDesign(page), QW_PROGRAM_DIR);
    for (auto _ : state) {
        QString error;
        if (sheet.print(shown.model.shownPage(page), &error) != reports::PrintOutcome::Printed) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        state.PauseTiming();
        const bool done = waitUntilQueueEmpty();
        state.ResumeTiming();
        if (!done) {
            state.SkipWithError("the print queue did not finish a job within 60 s");
            break;
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(sheetToPdf, Hunt, selection::Page::Hunt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetToPdf, Targ, selection::Page::Targ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetToPdf, Youth, selection::Page::Youth)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetToPdf, Kavl, selection::Page::Kavl)->Unit(benchmark::kMillisecond);

// Each print leaves a job for the queue to convert: ten of each page.
BENCHMARK_CAPTURE(sheetToPrinter, Hunt, selection::Page::Hunt)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(sheetToPrinter, Targ, selection::Page::Targ)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(sheetToPrinter, Youth, selection::Page::Youth)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(sheetToPrinter, Kavl, selection::Page::Kavl)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
