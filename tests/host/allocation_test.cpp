// A failed allocation while a display opens in the mode: the message procedure gives
// no page and leaves nothing allocated (the loaded module allocates through the
// program's replaced operator new too).
#include <gtest/gtest.h>

#include "host/entry.h"
#include "sim/host/host.h"
#include "sim/host/module_loader.h"
#include "tests/support/allocation_counter.h"

namespace kalvo::test {
namespace {

struct Opening {
    bool gavePage;
    std::size_t allocations, releases;
};

// Opens a 400 x 256 display through the mode's message procedure with its
// allocation number `failing` failing (0: none); a page given is destroyed again.
Opening OpenWithFailure(sim::MfdMessageProc messageProc, std::size_t failing) {
    const std::size_t allocationsBefore = AllocationCount(), releasesBefore = ReleaseCount();
    FailAllocationNumber(failing == 0 ? 0 : allocationsBefore + failing);
    const OAPI_MSGTYPE page = messageProc(1, 0, 0x01000190, 0);
    delete reinterpret_cast<MFD*>(page);
    FailAllocationNumber(0);
    return {page != 0, AllocationCount() - allocationsBefore, ReleaseCount() - releasesBefore};
}

TEST(MessageProcedure, AFailedAllocationGivesNoPageAndLeaksNothing) {
    sim::LoadedModule module(KALVO_MODULE_PATH);
    const sim::RegisteredMode* mode = sim::FindModeByKey(kalvo::kModeKey);
    ASSERT_NE(mode, nullptr);
    const Opening whole = OpenWithFailure(mode->messageProc, 0);
    ASSERT_TRUE(whole.gavePage);
    ASSERT_GT(whole.allocations, 0u);
    EXPECT_EQ(whole.releases, whole.allocations);
    for (std::size_t failing = 1; failing <= whole.allocations; ++failing) {
        SCOPED_TRACE(failing);
        const Opening opening = OpenWithFailure(mode->messageProc, failing);
        EXPECT_FALSE(opening.gavePage);
        EXPECT_EQ(opening.allocations, failing);  // it stops at the failure
        EXPECT_EQ(opening.releases, failing - 1);
    }
}

}  // namespace
}  // namespace kalvo::test
