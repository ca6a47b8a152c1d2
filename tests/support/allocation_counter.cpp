#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> releases{0};
std::atomic<std::size_t> failing{0};

// Every unaligned form is replaced, the nothrow ones included: a sanitizer's runtime
// does not route those through the throwing ones. Nothing in the module or the host
// is over-aligned, so the aligned forms are left to the library, as a pair.
void* Allocate(std::size_t size) noexcept {
    if (allocations.fetch_add(1, std::memory_order_relaxed) + 1 == failing.load(std::memory_order_relaxed))
        return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

void* OrThrow(void* memory) {
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

void Release(void* memory) noexcept {
    if (memory == nullptr) return;
    releases.fetch_add(1, std::memory_order_relaxed);
    std::free(memory);
}

}  // namespace

namespace kalvo::test {

std::size_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }
std::size_t ReleaseCount() { return releases.load(std::memory_order_relaxed); }
void FailAllocationNumber(std::size_t count) { failing.store(count, std::memory_order_relaxed); }

}  // namespace kalvo::test

void* operator new(std::size_t size) { return OrThrow(Allocate(size)); }
void* operator new[](std::size_t size) { return OrThrow(Allocate(size)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { Release(memory); }
