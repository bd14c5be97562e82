#include "AllocationCounter.hpp"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

teds::bench::AllocationCounts counts;

void* allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    ++counts.allocations;
    counts.liveBytes += static_cast<std::int64_t>(malloc_usable_size(p));
    return p;
}

void release(void* p) noexcept {
    if (p == nullptr) return;
    counts.liveBytes -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}

}  // namespace

namespace teds::bench {
AllocationCounts allocationCounts() { return counts; }
}  // namespace teds::bench

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
