// Counts the calls of the global operator new in the benchmark binary, so a benchmark can show
// that the code it measures allocates nothing. The replacement operators live in
// allocation_counter.cpp; a program may replace them only once, so every benchmark shares these.
#pragma once
#include <cstddef>

namespace tandrel::bench {

// Calls of operator new (and new[]) since the program started.
std::size_t AllocationCount();

// Those of them made while at least one AllocationMark was alive: a benchmark marks the time
// spent in a fake to tell the fake's own allocations apart from those of the code measured.
std::size_t MarkedAllocationCount();

class AllocationMark {
  public:
    AllocationMark();
    ~AllocationMark();
    AllocationMark(const AllocationMark&) = delete;
    AllocationMark& operator=(const AllocationMark&) = delete;
};

}  // namespace tandrel::bench
