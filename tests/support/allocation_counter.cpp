#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> releases{0};
std::atomic<std::size_t> failing{0};

// Every form is replaced, the nothrow ones included: a sanitizer's runtime does not
// route those through the throwing ones.
void* Allocate(std::size_t size, std::size_t align = 0) noexcept {
    if (allocations.fetch_add(1, std::memory_order_relaxed) + 1 == failing.load(std::memory_order_relaxed))
        return nullptr;
    if (align == 0) return std::malloc(size == 0 ? 1 : size);
    const std::size_t rounded = (size + align - 1) / align * align;
    return std::aligned_alloc(align, rounded == 0 ? align : rounded);
}
void* AllocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
    return Allocate(size, static_cast<std::size_t>(alignment));
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
void* operator new(std::size_t size, std::align_val_t alignment) { return OrThrow(AllocateAligned(size, alignment)); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return OrThrow(AllocateAligned(size, alignment)); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}

void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { Release(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { Release(memory); }
