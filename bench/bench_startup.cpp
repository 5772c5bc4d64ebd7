// Launch-to-first-paint of the program's main window (splash, main window,
// first run filling the Hunting grid) against a bare Qt window, each a fresh
// process printing one line on its first paint. The ratio of the two medians
// is the cost the program adds over what any Qt window costs on this machine.
//
// One source, three programs: the two probes and the benchmark.

#if defined(QW_STARTUP_PROBE_APP) || defined(QW_STARTUP_PROBE_BARE)

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#ifdef QW_STARTUP_PROBE_APP
#include "app/Startup.h"
#include "app/TArrowSel.h"

#include <QAbstractButton>
#endif

namespace {

// Reports the first paint of the watched window and ends the program.
class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            std::printf("painted %s\n", qPrintable(detail_(watched)));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
    std::function<QString(QObject*)> detail_ = [](QObject*) { return QString(); };

private:
    bool reported_ = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    FirstPaint watch;
#ifdef QW_STARTUP_PROBE_APP
    qw::app::StartupResult started = qw::app::startUp(QW_PROGRAM_DIR);
    if (!started.mainWindow)
        return 1;
    QWidget* window = started.mainWindow.get();
    // The Hunting grid must be filled by then: print its first size.
    watch.detail_ = [window](QObject*) {
        return window->findChild<QAbstractButton*>("HSzBtn1")->text();
    };
#else
    QWidget bare;
    bare.resize(788, 542);
    QWidget* window = &bare;
#endif
    window->installEventFilter(&watch);
    window->show();
    return application.exec();
}

#else

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kProgramProbe = "bench_startup_probe_app";
constexpr const char* kBareProbe = "bench_startup_probe_bare";

// Seconds from launch until the probe reports its first paint. The
// program's probe must also report a filled Hunting grid.
double launchToPaint(const char* probe)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains("QT_QPA_PLATFORM"))
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    const auto start = Clock::now();
    process.start(QStringLiteral(QW_PROBE_DIR "/") + probe, {});
    while (!process.canReadLine())
        if (!process.waitForReadyRead(10000))
            throw std::runtime_error(std::string(probe) + " reported no paint");
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const QByteArray line = process.readLine();
    const bool gridEmpty = line.trimmed() == "painted";
    if (!line.startsWith("painted") || (probe == kProgramProbe && gridEmpty))
        throw std::runtime_error(std::string(probe) + ": " + line.toStdString());
    process.waitForFinished(10000);
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void timeProbe(benchmark::State& state, const char* probe)
{
    for (auto _ : state)
        state.SetIterationTime(launchToPaint(probe));
}

void BM_MainWindowStartup(benchmark::State& state)
{
    timeProbe(state, kProgramProbe);
}
void BM_BareWindowStartup(benchmark::State& state)
{
    timeProbe(state, kBareProbe);
}

// Both, alternating, so that the machine's load at the moment hits both alike.
void BM_StartupRatio(benchmark::State& state)
{
    std::vector<double> program;
    std::vector<double> bare;
    for (auto _ : state) {
        bare.push_back(launchToPaint(kBareProbe));
        program.push_back(launchToPaint(kProgramProbe));
        state.SetIterationTime(program.back());
    }
    state.counters["program_ms"] = median(program) * 1000;
    state.counters["bare_ms"] = median(bare) * 1000;
    state.counters["ratio"] = median(program) / median(bare);
}

} // namespace

BENCHMARK(BM_BareWindowStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_MainWindowStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_StartupRatio)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);

BENCHMARK_MAIN();

#endif
