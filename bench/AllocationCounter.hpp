#pragma once
// Counts heap allocations and the bytes they hold, through replaced global
// operator new and delete (AllocationCounter.cpp). Single-threaded use only.

#include <cstddef>
#include <cstdint>

namespace teds::bench {

struct AllocationCounts {
    std::uint64_t allocations = 0;
    std::int64_t liveBytes = 0;  // usable bytes allocated and not yet freed
};

AllocationCounts allocationCounts();

}  // namespace teds::bench
