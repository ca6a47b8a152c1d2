// The page's solves whose shown values tell IEEE double arithmetic from wider
// arithmetic: each case's inputs typed through the input box, the solve, and the
// text drawn for the solved cell, compared with the shared table that the
// Windows builds check too.
#include <gtest/gtest.h>

#include "catalogue/value_store.h"
#include "tests/support/drawn_page.h"
#include "tests/support/ieee_cases.h"
#include "tests/support/page_probe.h"

namespace kalvo {
namespace {

TEST(IeeeDouble, EveryCaseShowsTheDoubleResult) {
    const test::FreshModuleState fresh;
    for (const IeeeCase& c : kIeeeCases) {
        SCOPED_TRACE(c.name);
        test::ResetValueStore();
        test::PageProbe page;
        for (const IeeeInput& input : c.inputs) {
            if (input.symbol == nullptr) continue;
            page.Select(c.directory, c.equation, input.symbol);
            ASSERT_TRUE(page.ConsumeKeyBuffered(OAPI_KEY_L));
            ASSERT_TRUE(sim::TypeIntoInputBox(input.text));
        }
        page.Select(c.directory, c.equation, c.solved);
        ASSERT_TRUE(page.ConsumeKeyBuffered(OAPI_KEY_S));
        test::DrawnPage drawn(page);
        drawn.Draw();
        const auto shown = drawn.TextAt(11, 9 + page.CurrentVariable());
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->text, c.expected);
    }
}

}  // namespace
}  // namespace kalvo
