// Table storage speed on a customer table of 100,000 records: open + seek
// by name prefix, append one record + rebuild the name index, a full scan
// reading every field, and the copy to text. The same full scan by
// python3-dbfread runs in the same process run, and the ratio is printed.

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

using namespace qw::storage;

namespace {

constexpr std::uint32_t kRecords = 100000;
double ourScanSeconds = 0;
double dbfreadScanSeconds = 0;

std::vector<FieldDef> customerFields()
{
    return {{"NAME", FieldType::Character, 30, 0},    {"ADDR1", FieldType::Character, 30, 0},
            {"ADDR2", FieldType::Character, 30, 0},   {"CITY", FieldType::Character, 20, 0},
            {"STATE", FieldType::Character, 2, 0},    {"ZIP", FieldType::Character, 10, 0},
            {"COUNTRY", FieldType::Character, 20, 0}, {"CCODE", FieldType::Character, 5, 0},
            {"COMMENTS", FieldType::Memo, 10, 0},     {"DATE", FieldType::Character, 10, 0},
            {"BOWWT", FieldType::Character, 3, 0},    {"ARLEN", FieldType::Character, 3, 0},
            {"PNTWT", FieldType::Character, 3, 0},    {"HORT", FieldType::Character, 1, 0},
            {"BOTYP", FieldType::Character, 1, 0},    {"WHTYP", FieldType::Character, 1, 0},
            {"RETYP", FieldType::Character, 1, 0},    {"BOLEN", FieldType::Character, 1, 0},
            {"ODLEN", FieldType::Character, 1, 0}};
}

std::string randomName(std::mt19937& random)
{
    static const char* first[] = {"Anna",          "Bj\u00f6rn", "Carl", "Dana", "Eli",
                                  "Fran\u00e7ois", "Gus",        "Hana", "Ivo",  "Jos\u00e9"};
    std::string last;
    last.push_back(static_cast<char>('A' + random() % 26));
    for (int i = 0; i < 6; ++i)
        last.push_back(static_cast<char>('a' + random() % 26));
    return last + ", " + first[random() % 10];
}

void setCustomer(Table& t, std::mt19937& random)
{
    t.setField("NAME", randomName(random));
    t.setField("ADDR1", std::to_string(random() % 9999) + " Archery Lane");
    t.setField("CITY", "Springfield");
    t.setField("STATE", "OH");
    t.setField("ZIP", std::to_string(40000 + random() % 9999));
    t.setField("COUNTRY", "USA");
    t.setField("COMMENTS", "Left-handed.\r\nWants a quiet bow.");
    t.setField("DATE", "12/07/2026");
    t.setField("BOWWT", std::to_string(40 + random() % 40));
    t.setField("ARLEN", std::to_string(26 + random() % 6));
    t.setField("PNTWT", "100");
    t.setField("HORT", "0");
    t.setField("BOTYP", "0");
    t.setField("WHTYP", "1");
    t.setField("RETYP", "0");
    t.setField("BOLEN", "0");
    t.setField("ODLEN", "0");
}

const std::filesystem::path& folder()
{
    static const std::filesystem::path path = [] {
        auto dir = std::filesystem::temp_directory_path() /
                   ("qw_bench_storage_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        createTable(dir, "Saveddb.dbf", customerFields());
        Table t(dir);
        t.open("Saveddb.dbf");
        t.setDurableWrites(false); // bulk load only; the benchmarks post durably
        std::mt19937 random(2026);
        for (std::uint32_t i = 0; i < kRecords; ++i) {
            t.appendBlank();
            setCustomer(t, random);
            t.post();
        }
        t.close();
        createIndex(dir, "Saveddb.dbf", "Saved.idx", "NAME");
        return dir;
    }();
    return path;
}

std::string prefixFor(std::mt19937& random)
{
    return std::string(1, static_cast<char>('A' + random() % 26)) +
           static_cast<char>('a' + random() % 26);
}

void BM_OpenAndSeek(benchmark::State& state)
{
    std::mt19937 random(7);
    for (auto _ : state) {
        Table t(folder());
        t.open("Saveddb.dbf");
        t.indexOpen("Saved.idx");
        benchmark::DoNotOptimize(t.seek(prefixFor(random)));
    }
}
BENCHMARK(BM_OpenAndSeek)->Unit(benchmark::kMicrosecond);

void BM_Seek(benchmark::State& state)
{
    Table t(folder());
    t.open("Saveddb.dbf");
    t.indexOpen("Saved.idx");
    std::mt19937 random(11);
    std::size_t found = 0;
    for (auto _ : state) {
        found += t.seek(prefixFor(random)) ? 1 : 0;
        benchmark::DoNotOptimize(t.getString("NAME"));
    }
    state.counters["found"] = benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Seek)->Unit(benchmark::kMicrosecond);

void BM_AppendAndReindex(benchmark::State& state)
{
    std::mt19937 random(13);
    for (auto _ : state) {
        Table t(folder());
        t.open("Saveddb.dbf");
        t.appendBlank();
        setCustomer(t, random);
        t.post();
        t.indexOpen("Saved.idx");
        t.reindex();
        t.indexCloseAll();
    }
}
BENCHMARK(BM_AppendAndReindex)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FullScan(benchmark::State& state)
{
    Table t(folder());
    t.open("Saveddb.dbf");
    std::vector<std::string> names;
    for (const FieldDef& f : t.fields())
        names.push_back(f.name);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (t.goTop(); !t.eof(); t.next())
            for (const std::string& name : names)
                bytes += t.getString(name).size();
        ourScanSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["records"] = t.recordCount();
}
BENCHMARK(BM_FullScan)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CopyToText(benchmark::State& state)
{
    Table t(folder());
    t.open("Saveddb.dbf");
    for (auto _ : state)
        t.copyToText("custdb.txt", kTextTypeDelimited);
}
BENCHMARK(BM_CopyToText)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same scan by python3-dbfread, timed inside Python (interpreter start
// and imports excluded).
void BM_DbfreadScan(benchmark::State& state)
{
    const std::string command = "/usr/bin/python3 -c \"import sys, time, dbfread\n"
                                "start = time.perf_counter()\n"
                                "n = 0\n"
                                "for r in dbfread.DBF(sys.argv[1], encoding='cp1252'):\n"
                                "    for v in r.values(): n += 1\n"
                                "print(time.perf_counter() - start)\" " +
                                (folder() / "Saveddb.dbf").string();
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        double seconds = 0;
        if (!pipe || std::fscanf(pipe, "%lf", &seconds) != 1) {
            state.SkipWithError("python3-dbfread did not run");
            if (pipe)
                pclose(pipe);
            return;
        }
        pclose(pipe);
        dbfreadScanSeconds = seconds;
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_DbfreadScan)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    folder(); // build the table before any timing
    benchmark::RunSpecifiedBenchmarks();
    if (ourScanSeconds > 0 && dbfreadScanSeconds > 0)
        std::printf("Full scan: ours %.1f ms, python3-dbfread %.1f ms, ours is %.1f times faster\n",
                    ourScanSeconds * 1000, dbfreadScanSeconds * 1000,
                    dbfreadScanSeconds / ourScanSeconds);
    benchmark::Shutdown();
    std::filesystem::remove_all(folder());
    return 0;
}
