// Counts the calls of the global operator new in the benchmark binary, so a benchmark can show
// that the code it measures allocates nothing. The replacement operators live in
// allocation_counter.cpp; one such replacement may exist per program, so share this one.
#pragma once
#include <cstddef>

namespace tandrel::bench {

// Calls of operator new (and new[]) since the program started.
std::size_t AllocationCount();

}  // namespace tandrel::bench
