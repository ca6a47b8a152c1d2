// Counts the program's calls of the global allocation and release functions and can
// make one allocation fail; the one place in a test program that replaces them.
#pragma once

#include <cstddef>

namespace kalvo::test {

// Allocations made through any unaligned form of the global operator new so far,
// and the memory released through operator delete.
std::size_t AllocationCount();
std::size_t ReleaseCount();
// The allocation that brings AllocationCount() to `count` fails: the nothrow forms
// give null, the others throw std::bad_alloc. 0 fails none.
void FailAllocationNumber(std::size_t count);

}  // namespace kalvo::test
