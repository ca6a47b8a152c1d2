#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#ifdef _WIN32
#include <malloc.h>
#endif
#include <new>

namespace {

std::atomic<std::size_t> allocations{0};

// Windows' C library has no aligned_alloc: its aligned blocks come from
// _aligned_malloc and go back through _aligned_free.
#ifdef _WIN32
void* AlignedMalloc(std::size_t align, std::size_t size) { return _aligned_malloc(size, align); }
void AlignedFree(void* memory) { _aligned_free(memory); }
#else
void* AlignedMalloc(std::size_t align, std::size_t size) { return std::aligned_alloc(align, size); }
void AlignedFree(void* memory) { std::free(memory); }
#endif

void* Allocate(std::size_t size) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    return AlignedMalloc(align, rounded == 0 ? align : rounded);
}

void* OrThrow(void* memory) {
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

}  // namespace

namespace kalvo::test {

std::size_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }

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

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { AlignedFree(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { AlignedFree(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { AlignedFree(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { AlignedFree(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { AlignedFree(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { AlignedFree(memory); }
