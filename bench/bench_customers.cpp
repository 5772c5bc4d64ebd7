// Customer records on a table of 100,000 customers, in a copy of the
// program folder: "Save Record" as the Customer Information window runs it
// (open, pending record, post, Saved.idx rebuilt), the full rebuild of
// Saved.idx alone beside a full scan of the table's records, and the export
// of the whole table to custdb.txt. Aims: a save under 100 ms, the rebuild
// under 25 ms, the export under 1 s.

#include "core/RecordingSink.h"
#include "customers/CustInfoModel.h"
#include "customers/CustomerExport.h"
#include "customers/CustomerFields.h"
#include "customers/SavedSetups.h"
#include "selection/SelectionModel.h"
#include "storage/ProgramFiles.h"
#include "storage/Table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

using namespace qw;

namespace {

constexpr int kCustomers = 100000;

struct Folder {
    std::filesystem::path path;
    Folder()
    {
        char pattern[] = "/tmp/qw-bench-customers-XXXXXX";
        path = ::mkdtemp(pattern);
        for (const auto& entry : std::filesystem::directory_iterator(QW_PROGRAM_DIR)) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && ext != "" && ext != ".sh")
                std::filesystem::copy_file(entry.path(), path / entry.path().filename());
        }
        fill();
    }
    ~Folder() { std::filesystem::remove_all(path); }

    // 100,000 customers written in bulk, then the name index built once.
    void fill() const
    {
        storage::Table table(path);
        table.open(storage::files::kSavedSetups);
        table.setDurableWrites(false);
        std::mt19937 random(2026);
        for (int n = table.recordCount(); n < kCustomers; ++n) {
            table.appendBlank();
            std::string name(1, static_cast<char>('A' + random() % 26));
            for (int i = 0; i < 7; ++i)
                name.push_back(static_cast<char>('a' + random() % 26));
            table.setField("NAME", name + ", Jos\u00e9");
            table.setField("ADDR1", std::to_string(random() % 9999) + " Archery Lane");
            table.setField("CITY", "Springfield");
            table.setField("STATE", "OH");
            table.setField("COMMENTS", "Left-handed.\r\nWants a quiet bow.");
            table.setField("BOWWT", "60");
            table.setField("HORT", "0");
            table.post();
        }
        table.indexOpen(storage::files::kSavedIndex);
        table.reindex();
    }
};

Folder& folder()
{
    static Folder shared;
    return shared;
}

void BM_SaveRecord(benchmark::State& state)
{
    qw::RecordingSink sink;
    selection::SelectionModel window(folder().path, sink);
    window.findRec();
    int saved = 0;
    for (auto _ : state) {
        customers::CustInfoModel entry(folder().path, sink);
        entry.open(window.setup(), window.pageKey());
        entry.changeDetail("NAME", "Bench Customer " + std::to_string(++saved));
        entry.changeDetail("ADDR1", "1 Bench Road");
        entry.changeDetail("CITY", "Kingston");
        entry.changeDetail("STATE", "on");
        if (entry.saveRecord() != customers::CustInfoModel::SaveOutcome::Stored)
            state.SkipWithError("the save was not stored");
    }
}
BENCHMARK(BM_SaveRecord)->Unit(benchmark::kMillisecond)->Iterations(20);

// The rebuild that every Save Record runs, under the table lock.
void BM_RebuildSavedIdx(benchmark::State& state)
{
    storage::Table table(folder().path);
    table.open(storage::files::kSavedSetups);
    table.indexOpen(storage::files::kSavedIndex);
    for (auto _ : state)
        table.reindex();
}
BENCHMARK(BM_RebuildSavedIdx)->Unit(benchmark::kMillisecond)->Iterations(20);

// Every record read once through the table, as a browse from first to last
// does: the cost of touching all the data, beside which the rebuild stands.
void BM_FullScan(benchmark::State& state)
{
    storage::Table table(folder().path);
    table.open(storage::files::kSavedSetups, storage::OpenMode::ReadOnly);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (table.goTop(); !table.eof(); table.next())
            bytes += table.getString("NAME").size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_FullScan)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Export(benchmark::State& state)
{
    qw::RecordingSink sink;
    customers::SavedSetups handles(folder().path);
    for (auto _ : state)
        if (!customers::exportCustomerDatabase(handles.ExportTbl(), sink))
            state.SkipWithError("the export failed");
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
