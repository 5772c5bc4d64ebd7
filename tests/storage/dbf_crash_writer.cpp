// Helper for the crash tests: appends and edits records of CRASH.DBF in
// FOLDER for as long as it lives, until the test kills it. Every record is
// self-checking: record k, version v holds NAME "R<k>-<v>", K = k, V = v,
// CHK = crashCheck(k, v) and NOTE = crashNote(k, v), so a torn or mixed
// record shows on reading.

#include "CrashRecord.h"

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace qw::storage;

constexpr std::uint32_t kMostRecords = 300;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: dbf_crash_writer FOLDER SEED\n");
        return 2;
    }
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    try {
        Table table(argv[1]);
        table.open("CRASH.DBF");
        // Ordering, not flushing, is what survives a killed process; skipping
        // the flushes lets the kills land at many more points.
        table.setDurableWrites(false);
        // Tells the test that start-up is over, so that its kill lands in
        // the writing, however long a sanitizer build takes to start.
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        for (int op = 0; op < 100000; ++op) {
            const std::uint32_t count = table.recordCount();
            // Past a few hundred records only edits, so the table stays small
            // enough to be checked whole after every kill.
            if (count == 0 || (count < kMostRecords && random() % 3 != 0)) {
                table.appendBlank();
                writeCrashRecord(table, count + 1, 0);
            } else {
                table.go(1 + random() % count);
                const long version = table.getInteger("V") + 1;
                table.edit();
                writeCrashRecord(table, table.recordNumber(), version);
            }
            table.post();
        }
    } catch (const StorageError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
