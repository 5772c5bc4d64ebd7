#include "ChangeCheck.h"

#include <atomic>

namespace qw::storage {
namespace {

std::atomic<std::uint64_t> writeGeneration{0};

} // namespace

void ChangeCheck::noteWrite()
{
    writeGeneration.fetch_add(1, std::memory_order_release);
}

bool ChangeCheck::due()
{
    const std::uint64_t generation = writeGeneration.load(std::memory_order_acquire);
    const auto now = std::chrono::steady_clock::now();
    if (generation == generationSeen_ && now - lastAsked_ < kRecheckInterval)
        return false;
    generationSeen_ = generation;
    lastAsked_ = now;
    return true;
}

void ChangeCheck::markChecked()
{
    generationSeen_ = writeGeneration.load(std::memory_order_acquire);
    lastAsked_ = std::chrono::steady_clock::now();
}

} // namespace qw::storage
