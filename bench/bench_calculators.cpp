// From the click to the first paint of the specifications window (the
// size-cell hand-off, the table lookup, the window built and shown) and of
// the kinetic energy window, each against an empty dialog shown the same
// way in the same run. The ratio counters are what the windows add over
// what any dialog costs on this machine. Run it on a display server
// (xvfb-run with QT_QPA_PLATFORM=xcb): there showing a window costs what it
// costs a user; the offscreen platform, used when none is set, paints an
// empty dialog almost for free and so inflates the ratio.

#include "app/TKECalc2.h"
#include "app/TSpecsFrm.h"
#include "core/MessageSink.h"
#include "selection/SelectionModel.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

class SilentSink : public qw::MessageSink {
public:
    void information(const std::string&, int) override {}
    void error(const std::string& text) override { throw std::runtime_error(text); }
};

class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Seconds from the click until the window made by `open` has painted.
double clickToPaint(const std::function<std::unique_ptr<QWidget>()>& open)
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QWidget> window = open();
    PaintWatch watch;
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (clock.elapsed() > 10000)
            throw std::runtime_error("the window never painted");
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    window->removeEventFilter(&watch);
    window.reset();
    QApplication::processEvents();
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::unique_ptr<QWidget> emptyDialog()
{
    auto dialog = std::make_unique<QDialog>();
    dialog->resize(611, 490);
    return dialog;
}

// Alternating with the empty dialog, so that the machine's load at the
// moment weighs on both alike.
void measureAgainstEmpty(benchmark::State& state,
                         const std::function<std::unique_ptr<QWidget>()>& open)
{
    std::vector<double> window;
    std::vector<double> empty;
    for (auto _ : state) {
        empty.push_back(clickToPaint(emptyDialog));
        window.push_back(clickToPaint(open));
        state.SetIterationTime(window.back());
    }
    state.counters["window_ms"] = median(window) * 1000;
    state.counters["empty_ms"] = median(empty) * 1000;
    state.counters["ratio"] = median(window) / median(empty);
}

void BM_SpecsWindowFromClick(benchmark::State& state)
{
    SilentSink sink;
    qw::selection::SelectionModel main(QW_PROGRAM_DIR, sink);
    main.findRec();
    measureAgainstEmpty(state, [&]() -> std::unique_ptr<QWidget> {
        if (!main.sizeCellClick(qw::selection::Page::Hunt, 1))
            throw std::runtime_error("hunting row 1 is not enabled");
        return std::make_unique<qw::app::TSpecsFrm>(
            QW_PROGRAM_DIR, main.handedOffShaft(), main.setup(), [] {}, &sink);
    });
}

void BM_KineticEnergyWindowFromClick(benchmark::State& state)
{
    SilentSink sink;
    measureAgainstEmpty(state, [&]() -> std::unique_ptr<QWidget> {
        return std::make_unique<qw::app::TKECalc2>(&sink);
    });
}

} // namespace

BENCHMARK(BM_SpecsWindowFromClick)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(41);
BENCHMARK(BM_KineticEnergyWindowFromClick)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(41);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
