// Customer retrieval on a customer table of 100,000 records, in a copy of
// the program's folder: opening the retrieval model until its first record
// is shown (Saved.idx checked against the whole table), the check alone,
// Search by two letters (the order checked again only when a file changed,
// each found record against its name), and Return Data until the main
// window's grid is recomputed.

#include "core/RecordingSink.h"
#include "customers/CustomerRetrieval.h"
#include "customers/NameOrder.h"
#include "selection/SelectionModel.h"
#include "storage/Table.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using qw::customers::CustomerRetrieval;

namespace {

constexpr std::uint32_t kRecords = 100000;

std::string randomName(std::mt19937& random)
{
    std::string name(1, static_cast<char>('A' + random() % 26));
    for (int i = 0; i < 7; ++i)
        name.push_back(static_cast<char>('a' + random() % 26));
    return name + ", Kim";
}

// A copy of the program's tables whose customer table holds kRecords setups.
class Folder {
public:
    Folder()
    {
        path_ = fs::temp_directory_path() / ("qw-bench-retrieval-" + std::to_string(getpid()));
        fs::create_directories(path_);
        for (const auto& entry : fs::directory_iterator(QW_PROGRAM_DIR)) {
            const auto perms = entry.status().permissions();
            if (entry.is_regular_file() && (perms & fs::perms::owner_exec) == fs::perms::none)
                fs::copy_file(entry.path(), path_ / entry.path().filename());
        }
        std::mt19937 random(7);
        qw::storage::Table table(path_);
        table.open("Saveddb.dbf");
        table.setDurableWrites(false);
        for (std::uint32_t n = 0; n < kRecords; ++n) {
            table.appendBlank();
            table.setField("NAME", randomName(random));
            table.setField("ADDR1", std::to_string(random() % 9999) + " Archery Lane");
            table.setField("CITY", "Springfield");
            table.setField("STATE", "OH");
            table.setField("BOWWT", std::to_string(40 + random() % 40));
            table.setField("ARLEN", std::to_string(25 + random() % 7));
            table.setField("PNTWT", "100");
            table.setField("HORT", std::to_string(random() % 4));
            for (const char* code : {"BOTYP", "WHTYP", "RETYP", "BOLEN", "ODLEN"})
                table.setField(code, std::to_string(random() % 2));
            table.post();
        }
        table.indexOpen("Saved.idx");
        table.reindex();
    }
    ~Folder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

const Folder& folder()
{
    static const Folder shared;
    return shared;
}

// The main window after start-up.
struct MainWindow {
    MainWindow() : model(folder().path(), messages) { model.findRec(); }
    qw::RecordingSink messages;
    qw::selection::SelectionModel model;
};

void requireQuiet(const qw::RecordingSink& messages, benchmark::State& state)
{
    if (!messages.messages.empty())
        state.SkipWithError(messages.messages.front().text.c_str());
}

void BM_OpenUntilFirstRecordShown(benchmark::State& state)
{
    MainWindow main;
    qw::RecordingSink messages;
    for (auto _ : state) {
        CustomerRetrieval retrieval(folder().path(), main.model, messages);
        retrieval.open();
        benchmark::DoNotOptimize(retrieval.form()["NameEdit"].text);
    }
    requireQuiet(messages, state);
}
BENCHMARK(BM_OpenUntilFirstRecordShown)->Unit(benchmark::kMillisecond);

void BM_CheckNameIndexAgainstTable(benchmark::State& state)
{
    qw::storage::Table table(folder().path());
    table.open("Saveddb.dbf", qw::storage::OpenMode::ReadOnly);
    for (auto _ : state) {
        const auto opening = qw::customers::openNameOrder(table);
        if (opening.source != qw::customers::NameOrderSource::File)
            state.SkipWithError("Saved.idx was not taken as it is");
    }
}
BENCHMARK(BM_CheckNameIndexAgainstTable)->Unit(benchmark::kMillisecond);

void BM_SearchByTwoLetters(benchmark::State& state)
{
    MainWindow main;
    qw::RecordingSink messages;
    CustomerRetrieval retrieval(folder().path(), main.model, messages);
    retrieval.open();
    std::mt19937 random(11);
    for (auto _ : state) {
        const std::string prefix = {static_cast<char>('A' + random() % 26),
                                    static_cast<char>('a' + random() % 26)};
        benchmark::DoNotOptimize(retrieval.search(prefix));
    }
    // A two-letter prefix of 26 x 26 may begin no name among 100,000 now and then.
    std::erase_if(messages.messages, [](const auto& m) { return m.text == "Name not found"; });
    requireQuiet(messages, state);
}
BENCHMARK(BM_SearchByTwoLetters)->Unit(benchmark::kMillisecond);

void BM_ReturnDataUntilGridRecomputed(benchmark::State& state)
{
    MainWindow main;
    qw::RecordingSink messages;
    CustomerRetrieval retrieval(folder().path(), main.model, messages);
    std::mt19937 random(13);
    for (auto _ : state) {
        state.PauseTiming();
        retrieval.open();
        retrieval.search(std::string(1, static_cast<char>('A' + random() % 26)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(retrieval.returnData());
        benchmark::DoNotOptimize(main.model.lastRun().ran);
    }
    requireQuiet(messages, state);
}
BENCHMARK(BM_ReturnDataUntilGridRecomputed)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
