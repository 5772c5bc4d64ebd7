// libFuzzer target for the IDX readers: any bytes as an index file, then
// every operation. Only crashes, hangs and sanitizer reports count; a
// StorageError is the expected answer to a bad file.

#include "storage/IndexFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace qw::storage;

namespace {

// The input lives in an anonymous in-memory file, reached by path through
// /proc, so that no run leaves files behind.
const std::string& scratchPath()
{
    static const int fd = ::memfd_create("fuzz_idx", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0)
        std::abort();
    return path;
}

void store(const std::uint8_t* data, std::size_t size)
{
    static const int fd = std::stoi(scratchPath().substr(14));
    if (::ftruncate(fd, 0) != 0 ||
        (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)))
        std::abort();
}

void exercise(const IndexFile& index)
{
    // Bounded walks: the inputs here hold at most a few thousand entries,
    // so a walk that runs on means the reader let a loop through.
    int steps = 0;
    for (auto e = index.first(); e && steps < 200000; e = index.next(*e), ++steps) {
    }
    steps = 0;
    for (auto e = index.last(); e && steps < 200000; e = index.previous(*e), ++steps) {
    }
    index.seekPrefix("");
    index.seekPrefix("M");
    index.seekPrefix(std::string(300, 'Z'));
    index.next(IndexEntry{"K", 7});
    index.previous(IndexEntry{"K", 7});
    index.findRecord(3);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    store(data, size);
    try {
        exercise(*IndexFile::open(scratchPath()));
    } catch (const StorageError&) {
    }
    return 0;
}
