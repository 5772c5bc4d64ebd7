// libFuzzer target: a sound table whose memo file is any bytes. The first
// twelve input bytes choose the block numbers of the three memo fields; the
// rest is the FPT. Reading every memo and then writing one (which trusts the
// memo header's next free block only as far as the file bears it out) may
// fail, but must never crash, hang or read outside the file.

#include "storage/StorageError.h"
#include "storage/Table.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace qw::storage;

const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / ("fuzz_fpt_" + std::to_string(getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// The DBF image once: three ten-digit memo fields, one record.
std::string tableImage(const std::uint32_t blocks[3])
{
    static const std::vector<FieldDef> fields{{"A", FieldType::Memo, 10, 0},
                                              {"B", FieldType::Memo, 10, 0},
                                              {"C", FieldType::Memo, 10, 0}};
    std::string header(32 + 3 * 32 + 1, '\0');
    header[0] = static_cast<char>(0xF5);
    header[4] = 1; // one record
    header[8] = static_cast<char>(header.size() & 0xFF);
    header[9] = static_cast<char>(header.size() >> 8);
    header[10] = 31; // 1 + 3 * 10
    header[29] = 0x03;
    for (int i = 0; i < 3; ++i) {
        char* d = header.data() + 32 + 32 * i;
        d[0] = fields[i].name[0];
        d[11] = 'M';
        d[16] = 10;
    }
    header.back() = '\r';
    std::string record = " ";
    for (int i = 0; i < 3; ++i) {
        std::string digits = std::to_string(blocks[i]);
        record += std::string(10 - digits.size(), ' ') + digits;
    }
    return header + record + '\x1A';
}

void writeFile(const std::filesystem::path& path, const char* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 12)
        return 0;
    std::uint32_t blocks[3];
    std::memcpy(blocks, data, sizeof blocks);
    for (auto& block : blocks)
        block %= 100000; // ten digits hold any of these
    const std::string table = tableImage(blocks);
    writeFile(workFolder() / "M.DBF", table.data(), table.size());
    writeFile(workFolder() / "M.FPT", reinterpret_cast<const char*>(data) + 12, size - 12);
    try {
        Table t(workFolder());
        t.open("M.DBF");
        t.setDurableWrites(false);
        std::size_t total = 0;
        for (const char* name : {"A", "B", "C"})
            total += t.getString(name).size();
        t.edit();
        t.setField("B", "a new memo text");
        t.post();
        total += t.getString("B").size();
        (void)total;
    } catch (const StorageError&) {
    }
    return 0;
}
