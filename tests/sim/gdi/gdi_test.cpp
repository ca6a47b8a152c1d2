// The stand-in host's GDI: the faults it flags, which the page tests rely on to see
// a leak or a bad deletion, its text positions and the host's own look.
#include "sim/gdi/gdi.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/host/host.h"

namespace {

using sim::DrawnText;
using sim::GdiFault;
using sim::Point;

class Gdi : public ::testing::Test {
protected:
    void SetUp() override { sim::ClearGdiFaults(); }
    void TearDown() override { sim::ClearGdiFaults(); }

    sim::DeviceContext dc_{200, 100};
    HDC hdc_ = dc_.Handle();
};

TEST_F(Gdi, SelectionDeletionAndAccounting) {
    const sim::GdiAccount start = sim::GdiAccounting();
    const HPEN initialPen = dc_.SelectedPen();
    const HBRUSH initialBrush = dc_.SelectedBrush();
    const HPEN red = CreatePen(PS_SOLID, 1, 0x0000FF);
    const HBRUSH grey = CreateSolidBrush(0xA0A0A0);
    EXPECT_EQ(sim::GdiAccounting().Live(), start.Live() + 2);
    EXPECT_EQ(SelectObject(hdc_, red), initialPen);
    EXPECT_EQ(SelectObject(hdc_, grey), initialBrush);
    EXPECT_EQ(dc_.SelectedPen(), red);  // a brush does not displace the pen
    EXPECT_FALSE(DeleteObject(red));    // still selected: refused
    SelectObject(hdc_, initialPen);
    SelectObject(hdc_, initialBrush);
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(grey));
    EXPECT_FALSE(DeleteObject(red));
    int notAnObject = 0;
    HDC gone = sim::DeviceContext(1, 1).Handle();
    EXPECT_EQ(SelectObject(hdc_, red), nullptr);
    EXPECT_EQ(SelectObject(hdc_, &notAnObject), nullptr);
    EXPECT_FALSE(LineTo(gone, 1, 1));
    EXPECT_EQ(dc_.SelectedPen(), initialPen);
    const std::vector<GdiFault> faults = {{GdiFault::DeletedWhileSelected, red},
                                          {GdiFault::DeletedTwice, red},
                                          {GdiFault::UsedAfterDelete, red},
                                          {GdiFault::UnknownObject, &notAnObject},
                                          {GdiFault::UnknownContext, gone}};
    EXPECT_EQ(sim::GdiFaults(), faults);
    // The host's stock objects are not counted, and deleting one does nothing.
    const HFONT stock = sim::HostDefaultFont(11, 17);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_NE(SelectObject(hdc_, stock), nullptr);
    EXPECT_EQ(sim::GdiAccounting().created - start.created, 2);
    EXPECT_EQ(sim::GdiAccounting().Live(), start.Live());
}

class Titled : public MFD {
public:
    using MFD::MFD;
    void Update(HDC) override {}
};

// The title at the current position, which moves on by its characters' width (the
// rest of the page's text positions are checked through kalvo play), in the host's
// colour; the page's own colour and background mode are kept.
TEST_F(Gdi, TheHostsFontPenAndTitle) {
    const Titled page(400, 240, nullptr);  // cells of 10 x 10 pixels
    MoveToEx(hdc_, 3, 0, nullptr);
    SetTextColor(hdc_, 0x0000C000);
    SetBkMode(hdc_, OPAQUE);
    EXPECT_EQ(SetTextAlign(hdc_, TA_UPDATECP), TA_NOUPDATECP);
    page.SelectDefaultFont(hdc_, 0);
    page.SelectDefaultPen(hdc_, 0);
    page.Title(hdc_, "Page Title");
    EXPECT_EQ(dc_.SelectedFont(), sim::HostDefaultFont(10, 10));
    EXPECT_EQ(sim::ColourOf(dc_.SelectedPen()), sim::kHostPenColour);
    const std::vector<DrawnText> texts = dc_.DrawingsOf<DrawnText>();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].at, (Point{3, 0}));
    EXPECT_EQ((std::pair{texts[0].colour, texts[0].backgroundMode}), (std::pair{sim::kHostTitleColour, TRANSPARENT}));
    EXPECT_EQ(SetTextColor(hdc_, 0), 0x0000C000u);
    EXPECT_EQ(SetBkMode(hdc_, OPAQUE), OPAQUE);
    EXPECT_EQ(dc_.CurrentPosition(), (Point{103, 0}));
}

}  // namespace
