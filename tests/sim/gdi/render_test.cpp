// The renderers of a recorded drawing: the character grid in colour, and the PNG image.
#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/value_store.h"
#include "sim/gdi/gdi.h"
#include "sim/gdi/render_png.h"
#include "sim/gdi/render_text.h"
#include "tests/support/drawn_page.h"
#include "tests/support/page_probe.h"
#include "ui/clipboard.h"

namespace {

// A 40 x 32 pixel context: with cells of 10 x 16 pixels, 4 columns and 2 rows.
class Render : public ::testing::Test {
protected:
    void SetUp() override {
        SetTextAlign(hdc_, TA_UPDATECP);
        SetBkMode(hdc_, TRANSPARENT);
        SelectObject(hdc_, sim::HostDefaultFont(10, 16));
    }

    void Text(int x, int y, const std::string& text, COLORREF colour) {
        SetTextColor(hdc_, colour);
        MoveToEx(hdc_, x, y, nullptr);
        TextOut(hdc_, 0, 0, text.c_str(), static_cast<int>(text.size()));
    }

    void Band(int left, int top, int right, int bottom, COLORREF colour) {
        const HBRUSH brush = CreateSolidBrush(colour);
        const HGDIOBJ previous = SelectObject(hdc_, brush);
        BeginPath(hdc_);
        MoveToEx(hdc_, left, top, nullptr);
        LineTo(hdc_, right, top);
        LineTo(hdc_, right, bottom);
        LineTo(hdc_, left, bottom);
        EndPath(hdc_);
        FillPath(hdc_);
        SelectObject(hdc_, previous);
        DeleteObject(brush);
    }

    std::string Grid(bool colour = false) const { return sim::RenderTextGrid(dc_, {10, 16, colour}); }

    sim::DeviceContext dc_{40, 32};
    HDC hdc_ = dc_.Handle();
};

// Where text and the separators land, with the arrows, is checked through kalvo
// play's page; here, what only the colour grid shows.
TEST_F(Render, GridInColourUsesTwentyFourBitEscapes) {
    Band(0, 16, 40, 32, 0xA0A0A0);  // covers the centres of the second row's cells
    Text(0, 0, "R", 0x0000FF);
    SetBkMode(hdc_, OPAQUE);
    SetBkColor(hdc_, 0xC00000);
    Text(10, 16, "w", 0xFFFFFF);
    EXPECT_EQ(Grid(true),
              "\x1b[0;38;2;255;0;0mR\x1b[0m\n"
              "\x1b[0;48;2;160;160;160m \x1b[0;38;2;255;255;255;48;2;0;0;192mw\x1b[0;48;2;160;160;160m  \x1b[0m\n");
    // Without colour the band leaves nothing to see.
    EXPECT_EQ(Grid(), "R\n w\n");
}

// The page as a user sees it: the band, a separator and the selection in real pixels.
TEST(PagePng, BandSeparatorsAndSelection) {
    kalvo::test::ResetValueStore();
    const kalvo::ClipboardStack saved = kalvo::Clipboard;
    kalvo::Clipboard = {};
    kalvo::test::PageProbe probe;  // 400 x 400: cells of 10 x 16 pixels
    kalvo::test::DrawnPage page(probe);
    page.Draw();
    kalvo::Clipboard = saved;
    const std::string path = ::testing::TempDir() + "kalvo_page.png";
    sim::WritePng(page.Context(), path);
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(image), 400);
    ASSERT_EQ(cairo_image_surface_get_height(image), 400);
    // Pixels as COLORREF values, from 0xAARRGGBB.
    const auto at = [&](int x, int y) -> COLORREF {
        const auto* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
        const std::uint32_t pixel = reinterpret_cast<const std::uint32_t*>(row)[x];
        return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
    };

    // Separators at y = 4 * 16 - 4 and 8 * 16 - 3; the band between them.
    const struct {
        int x, y;
        COLORREF colour;
    } pixels[] = {
        {0, 60, 0x00FF00},     // upper separator, from the left edge
        {398, 60, 0x00FF00},   // to the last pixel before its end point,
        {399, 60, 0x000000},   // which GDI leaves undrawn
        {200, 59, 0x000000},   // one pixel thick
        {390, 61, 0xA0A0A0},   // band, right of the short help line "a=b+c"
        {390, 124, 0xA0A0A0},  // down to the lower separator
        {399, 100, 0x000000},  // a filled path's right edge stays unfilled
        {200, 125, 0x00FF00},  // lower separator
        {200, 126, 0x000000},  // nothing below it
        {45, 16, 0xC00000},    // the selected BOP's background, at the corner of cell (4, 1)
    };
    for (const auto& p : pixels) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << ", " << p.y;

    // Glyphs: BOP in white (cells 4 to 6 of row 1), help text in black on the band,
    // the directory row's right arrow in yellow at cell (35, 1).
    const auto count = [&](int left, int top, int right, int bottom, COLORREF colour) {
        int found = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) found += at(x, y) == colour;
        return found;
    };
    EXPECT_GT(count(45, 16, 75, 32, 0xFFFFFF), 20);
    EXPECT_GT(count(15, 64, 60, 80, 0x000000), 10);
    EXPECT_GT(count(355, 16, 365, 32, 0x00FFFF), 10);
    cairo_surface_destroy(image);
}

}  // namespace
