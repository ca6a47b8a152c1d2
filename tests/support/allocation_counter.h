// Counts the program's calls of the global allocation functions, so a test can
// assert that a piece of code allocates nothing. allocation_counter.cpp is the one
// place in the test program that replaces operator new and operator delete.
#pragma once

#include <cstddef>

namespace kalvo::test {

// Allocations made through any form of the global operator new so far.
std::size_t AllocationCount();

}  // namespace kalvo::test
