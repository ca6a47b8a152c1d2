// Status codes and sums of them, as the page names them.
#include "ui/status_messages.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvo {
namespace {

TEST(StatusMessages, TextAndColoursPerCode) {
    // clang-format off
    const struct {
        int status;
        std::string text;
        COLORREF textColour, background;
    } cases[] = {
        {0, "", 0x000000, 0x000000},          {1, "ERROR!", 0x00C0C0, 0x0000C0},  {2, " N/Av ", 0x000000, 0xC0C000},
        {4, " N/Ap ", 0x00C0C0, 0xC000C0},    {3, "MultErr", 0x00C0C0, 0x0000C0}, {5, "MultErr", 0x00C0C0, 0x0000C0},
        {6, "MultErr", 0x00C0C0, 0x0000C0},   {12, "MultErr", 0x00C0C0, 0x0000C0}, {-1, "MultErr", 0x00C0C0, 0x0000C0},
    };
    // clang-format on
    for (const auto& c : cases) {
        const StatusMessage message = MessageOfStatus(c.status);
        EXPECT_EQ(message.text, c.text) << c.status;
        if (c.status == 0) continue;
        EXPECT_EQ(message.textColour, c.textColour) << c.status;
        EXPECT_EQ(message.background, c.background) << c.status;
    }
}

}  // namespace
}  // namespace kalvo
