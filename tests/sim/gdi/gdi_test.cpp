// The stand-in host's GDI rules and its account of pens, brushes and fonts.
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

TEST_F(Gdi, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
    const HPEN initialPen = dc_.SelectedPen();
    const HBRUSH initialBrush = dc_.SelectedBrush();
    const HPEN red = CreatePen(PS_SOLID, 1, 0x0000FF);
    const HPEN blue = CreatePen(PS_SOLID, 1, 0xFF0000);
    const HBRUSH grey = CreateSolidBrush(0xA0A0A0);

    EXPECT_EQ(SelectObject(hdc_, red), initialPen);
    EXPECT_EQ(SelectObject(hdc_, grey), initialBrush);  // a brush does not displace the pen
    EXPECT_EQ(SelectObject(hdc_, blue), red);
    EXPECT_EQ(dc_.SelectedPen(), blue);

    SelectObject(hdc_, initialPen);
    SelectObject(hdc_, initialBrush);
    for (HGDIOBJ object : std::vector<HGDIOBJ>{red, blue, grey}) EXPECT_TRUE(DeleteObject(object));
    // What is no live object cannot be selected, nor drawn on what is no live context.
    int notAnObject = 0;
    HDC gone = sim::DeviceContext(1, 1).Handle();
    EXPECT_EQ(SelectObject(hdc_, red), nullptr);
    EXPECT_EQ(SelectObject(hdc_, &notAnObject), nullptr);
    EXPECT_FALSE(LineTo(gone, 1, 1));
    EXPECT_EQ(dc_.SelectedPen(), initialPen);
    const std::vector<GdiFault> faults = {
        {GdiFault::UsedAfterDelete, red}, {GdiFault::UnknownObject, &notAnObject}, {GdiFault::UnknownContext, gone}};
    EXPECT_EQ(sim::GdiFaults(), faults);
}

TEST_F(Gdi, TextAtTheCurrentPositionAdvancesByTheCharacterWidth) {
    const HFONT font = CreateFont(16, 7, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "Face");
    const HGDIOBJ initial = SelectObject(hdc_, font);
    // Without TA_UPDATECP (a new context's alignment) the text goes where it is told.
    MoveToEx(hdc_, 5, 5, nullptr);
    TextOut(hdc_, 30, 40, "abc", 3);
    EXPECT_EQ(dc_.CurrentPosition(), (Point{5, 5}));
    // With it, at the current position, which moves on by 5 characters of 7 pixels.
    EXPECT_EQ(SetTextAlign(hdc_, TA_UPDATECP), TA_NOUPDATECP);
    TextOut(hdc_, 30, 40, "hello", 5);
    EXPECT_EQ(dc_.CurrentPosition(), (Point{40, 5}));
    TextOut(hdc_, 0, 0, "!", 1);
    const std::vector<DrawnText> texts = dc_.DrawingsOf<DrawnText>();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].at, (Point{30, 40}));
    EXPECT_EQ(texts[1].at, (Point{5, 5}));
    EXPECT_EQ(texts[2].at, (Point{40, 5}));
    EXPECT_EQ(texts[2].font.width, 7);
    SelectObject(hdc_, initial);
    DeleteObject(font);
}

TEST_F(Gdi, AccountsForEveryObjectAndFlagsBadDeletions) {
    const sim::GdiAccount start = sim::GdiAccounting();
    const HPEN pen = CreatePen(PS_SOLID, 1, 0);
    const HBRUSH brush = CreateSolidBrush(0);
    EXPECT_EQ(sim::GdiAccounting().Live(), start.Live() + 2);

    const HGDIOBJ initial = SelectObject(hdc_, pen);
    EXPECT_FALSE(DeleteObject(pen));  // still selected: refused, and the pen lives on
    EXPECT_EQ(dc_.SelectedPen(), pen);
    SelectObject(hdc_, initial);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    const std::vector<GdiFault> faults = {{GdiFault::DeletedWhileSelected, pen}, {GdiFault::DeletedTwice, pen}};
    EXPECT_EQ(sim::GdiFaults(), faults);
    EXPECT_EQ(sim::GdiAccounting().created - start.created, 2);
    EXPECT_EQ(sim::GdiAccounting().Live(), start.Live());

    // The host's stock objects are not counted, and deleting one does nothing.
    const HFONT stock = sim::HostDefaultFont(11, 17);
    EXPECT_EQ(sim::HostDefaultFont(11, 17), stock);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_NE(SelectObject(hdc_, stock), nullptr);
    EXPECT_EQ(sim::GdiAccounting().created - start.created, 2);
}

class Page : public MFD {
public:
    using MFD::MFD;
    void Update(HDC) override {}
    void DrawTitle(HDC hdc) {
        SelectDefaultFont(hdc, 0);
        SelectDefaultPen(hdc, 0);
        Title(hdc, "Page Title");
    }
};

TEST_F(Gdi, TheHostsFontPenAndTitle) {
    Page page(400, 240, nullptr);  // cells of 10 x 10 pixels
    SetTextColor(hdc_, 0x0000C000);
    SetBkMode(hdc_, OPAQUE);
    SetTextAlign(hdc_, TA_UPDATECP);
    MoveToEx(hdc_, 3, 0, nullptr);
    page.DrawTitle(hdc_);

    EXPECT_EQ(dc_.SelectedFont(), sim::HostDefaultFont(10, 10));
    EXPECT_EQ(sim::ColourOf(dc_.SelectedPen()), sim::kHostPenColour);
    const std::vector<DrawnText> texts = dc_.DrawingsOf<DrawnText>();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].at, (Point{3, 0}));
    EXPECT_EQ(texts[0].colour, sim::kHostTitleColour);
    EXPECT_EQ(texts[0].backgroundMode, TRANSPARENT);
    // Monospaced, one character per cell.
    EXPECT_EQ(texts[0].font.face, sim::kHostFontFace);
    EXPECT_EQ(texts[0].font.height, 10);
    EXPECT_EQ(texts[0].font.width, 10);
    // The page's own colour and background mode are as it left them; the position moved on.
    EXPECT_EQ(SetTextColor(hdc_, 0), 0x0000C000u);
    EXPECT_EQ(SetBkMode(hdc_, OPAQUE), OPAQUE);
    EXPECT_EQ(dc_.CurrentPosition(), (Point{103, 0}));
}

}  // namespace
