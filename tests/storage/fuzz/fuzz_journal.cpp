// libFuzzer target: a sound table with any bytes as the journal left beside
// it. A read-only open judges the journal and reads the table through it or
// past it; it must never crash, hang or read outside either file, and it
// writes nothing, so the table stays as it was made.

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace qw::storage;

// Three records of one ten-character field, with fixed header bytes (no
// date), so that seed journals can be written for it.
const std::string& tableImage()
{
    static const std::string image = [] {
        std::string bytes(32 + 32 + 1, '\0');
        bytes[0] = 0x03;
        bytes[4] = 3;   // records
        bytes[8] = 65;  // header length
        bytes[10] = 11; // record length
        bytes[29] = 0x03;
        bytes.replace(32, 4, "NAME");
        bytes[32 + 11] = 'C';
        bytes[32 + 16] = 10;
        bytes[64] = 0x0D;
        return bytes + " Anderson   Baker      Carter    \x1A";
    }();
    return image;
}

const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = [] {
        auto f =
            std::filesystem::temp_directory_path() / ("fuzz_journal_" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        std::ofstream(f / "T.DBF", std::ios::binary) << tableImage();
        return f;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path& folder = workFolder();
    {
        std::ofstream out(folder / "T.DBF-journal", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        Table table(folder);
        table.open("T.DBF", OpenMode::ReadOnly);
        std::size_t total = table.notices().size() + table.deletedCount();
        for (table.goTop(); !table.eof(); table.next())
            total += table.getString("NAME").size();
        (void)total;
    } catch (const StorageError&) {
    }
    std::ifstream in(folder / "T.DBF", std::ios::binary);
    const std::string after{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (after != tableImage())
        std::abort(); // a read-only open wrote to the table
    return 0;
}
