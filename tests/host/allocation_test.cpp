// A failed allocation while a display opens in the mode: the message procedure gives
// no page and leaves nothing allocated. Allocations are counted and made to fail
// through the program's own operator new, which the loaded module's allocations use
// too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "sim/host.h"
#include "sim/module_loader.h"

namespace {

// Allocations made and released while armed, and the one to fail (0: none).
bool armed = false;
long allocations = 0;
long releases = 0;
long failAt = 0;

// Null when the allocation is the one made to fail or memory is out.
void* Allocate(std::size_t size) noexcept {
    if (armed && ++allocations == failAt) return nullptr;
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
    if (void* memory = Allocate(size)) return memory;
    throw std::bad_alloc();
}

void Release(void* memory) {
    if (memory == nullptr) return;
    if (armed) ++releases;
    std::free(memory);
}

// Calls the mode's message procedure to open a 400 x 256 display, with allocation
// number `failing` failing; the page, if any, is destroyed before counting stops.
OAPI_MSGTYPE OpenWithFailure(sim::MfdMessageProc messageProc, long failing) {
    allocations = releases = 0;
    failAt = failing;
    armed = true;
    const OAPI_MSGTYPE page = messageProc(1, 0, 0x01000190, 0);
    if (page != 0) delete reinterpret_cast<MFD*>(page);
    armed = false;
    return page;
}

TEST(MessageProcedure, AFailedAllocationGivesNoPageAndLeaksNothing) {
    sim::LoadedModule module(KALVO_MODULE_PATH);
    const sim::RegisteredMode* mode = sim::FindModeByKey(18);
    ASSERT_NE(mode, nullptr);

    // The page itself and its seven text tables: eight allocations.
    ASSERT_NE(OpenWithFailure(mode->messageProc, 0), 0);
    const long needed = allocations;
    EXPECT_EQ(needed, 8);
    EXPECT_EQ(releases, needed);

    for (long failing = 1; failing <= needed; ++failing) {
        SCOPED_TRACE(failing);
        EXPECT_EQ(OpenWithFailure(mode->messageProc, failing), 0);
        EXPECT_EQ(allocations, failing);
        EXPECT_EQ(releases, failing - 1);
    }
}

TEST(MessageProcedure, OtherMessagesAllocateNothing) {
    sim::LoadedModule module(KALVO_MODULE_PATH);
    const sim::RegisteredMode* mode = sim::FindModeByKey(18);
    ASSERT_NE(mode, nullptr);
    allocations = releases = 0;
    failAt = 0;
    armed = true;
    for (const UINT message : {0u, 2u}) EXPECT_EQ(mode->messageProc(message, 0, 0x01000190, 0), 0);
    armed = false;
    EXPECT_EQ(allocations, 0);
}

}  // namespace

// Every form the module may use, the nothrow ones included: a sanitizer's runtime
// does not route those through the throwing ones.
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { Release(memory); }
