// A page's setup sheet from the main window's state to the PDF file written:
// the fill step, the shop record read again, layout and the PDF writer. The
// aim is well under 50 ms per sheet.

#include <reports/SetupSheets.h>
#include <selection/MessageSink.h>
#include <selection/Pages.h>
#include <selection/SelectionModel.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

using namespace qw;

namespace {

class SilentSink : public selection::MessageSink {
public:
    void information(const std::string&, int) override {}
    void error(const std::string& text) override { throw std::runtime_error(text); }
};

void sheetToPdf(benchmark::State& state, selection::Page page)
{
    SilentSink sink;
    selection::SelectionModel model(QW_PROGRAM_DIR, sink);
    model.findRec();
    model.setActivePage(page);
    model.findRec();
    reports::SetupSheet sheet(reports::sheetDesign(page), QW_PROGRAM_DIR);
    QTemporaryDir dir;
    const QString file = dir.filePath("sheet.pdf");
    for (auto _ : state) {
        QString error;
        if (!sheet.savePdf(model.form(), file, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(sheetToPdf, Hunt, selection::Page::Hunt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetToPdf, Targ, selection::Page::Targ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetToPdf, Youth, selection::Page::Youth)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sheetToPdf, Kavl, selection::Page::Kavl)->Unit(benchmark::kMillisecond);

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
