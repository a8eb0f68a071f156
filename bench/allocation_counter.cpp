#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> markedAllocations{0};
thread_local int markDepth = 0;

void* CountedAllocate(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (markDepth > 0)
        markedAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
}  // namespace

namespace tandrel::bench {
std::size_t AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}
std::size_t MarkedAllocationCount() {
    return markedAllocations.load(std::memory_order_relaxed);
}
AllocationMark::AllocationMark() {
    ++markDepth;
}
AllocationMark::~AllocationMark() {
    --markDepth;
}
}  // namespace tandrel::bench

void* operator new(std::size_t size) {
    return CountedAllocate(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
