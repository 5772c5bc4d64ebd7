// libFuzzer target: any bytes as a table file. Opening and reading every
// field of every record may refuse the file, but must never crash, hang or
// read outside it.

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / ("fuzz_dbf_" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(workFolder() / "F.DBF", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        qw::storage::Table table(workFolder());
        table.open("F.DBF", qw::storage::OpenMode::ReadOnly);
        std::size_t total = 0;
        for (table.goTop(); !table.eof(); table.next()) {
            for (const auto& field : table.fields()) {
                total += table.getString(field.name).size();
                total += static_cast<std::size_t>(table.getInteger(field.name) & 1);
            }
            total += table.recordAsDelimitedText().size();
            total += table.isDeleted() ? 1 : 0;
        }
        table.goBottom();
        table.previous();
        table.go(table.recordCount() / 2 + 1);
        (void)total;
    } catch (const qw::storage::StorageError&) {
    }
    return 0;
}
