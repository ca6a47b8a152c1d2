// The stand-in host's GDI: the faults it flags, which the page tests rely on to see
// a leak or a bad deletion; then the renderers of a recorded drawing, on a fresh
// page as a user sees it: the character grid in colour, and the PNG image (where
// text and the separators land, with the arrows, is checked through kalvo play's
// page).
#include "sim/gdi/gdi.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/gdi/render_png.h"
#include "sim/gdi/render_text.h"
#include "sim/host/host.h"
#include "tests/support/drawn_page.h"
#include "tests/support/page_probe.h"

namespace {

using sim::GdiFault;
using sim::Point;

TEST(Gdi, SelectionDeletionAndAccounting) {
    sim::ClearGdiFaults();
    sim::DeviceContext dc{200, 100};
    const HDC hdc = dc.Handle();
    const sim::GdiAccount start = sim::GdiAccounting();
    const HPEN initialPen = dc.SelectedPen();
    const HBRUSH initialBrush = dc.SelectedBrush();
    const HPEN red = CreatePen(PS_SOLID, 1, 0x0000FF);
    const HBRUSH grey = CreateSolidBrush(0xA0A0A0);
    EXPECT_EQ(sim::GdiAccounting().Live(), start.Live() + 2);
    EXPECT_EQ(SelectObject(hdc, red), initialPen);
    EXPECT_EQ(SelectObject(hdc, grey), initialBrush);
    EXPECT_EQ(dc.SelectedPen(), red);  // a brush does not displace the pen
    EXPECT_FALSE(DeleteObject(red));   // still selected: refused
    SelectObject(hdc, initialPen);
    SelectObject(hdc, initialBrush);
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(grey));
    EXPECT_FALSE(DeleteObject(red));
    int notAnObject = 0;
    HDC gone = sim::DeviceContext(1, 1).Handle();
    EXPECT_EQ(SelectObject(hdc, red), nullptr);
    EXPECT_EQ(SelectObject(hdc, &notAnObject), nullptr);
    EXPECT_FALSE(LineTo(gone, 1, 1));
    EXPECT_EQ(dc.SelectedPen(), initialPen);
    const std::vector<GdiFault> faults = {{GdiFault::DeletedWhileSelected, red},
                                          {GdiFault::DeletedTwice, red},
                                          {GdiFault::UsedAfterDelete, red},
                                          {GdiFault::UnknownObject, &notAnObject},
                                          {GdiFault::UnknownContext, gone}};
    EXPECT_EQ(sim::GdiFaults(), faults);
    // The host's stock objects are not counted, and deleting one does nothing.
    const HFONT stock = sim::HostDefaultFont(0, 11, 17);
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_NE(SelectObject(hdc, stock), nullptr);
    EXPECT_EQ(sim::GdiAccounting().created - start.created, 2);
    EXPECT_EQ(sim::GdiAccounting().Live(), start.Live());
    sim::ClearGdiFaults();
}

TEST(PageRender, ColourGridAndPng) {
    const kalvo::test::FreshModuleState fresh;
    kalvo::test::PageProbe probe;  // 400 x 400: cells of 10 x 16 pixels
    kalvo::test::DrawnPage page(probe);
    page.Draw();

    // In 24-bit escapes: the title in the host's grey (0xE0E0E0), with no
    // background of its own; the selected BOP in white on blue; and the help line of
    // row 4 in black over the band's grey, which fills the rest of the row (the band's
    // path covers the centres of all its cells).
    const std::string grid = sim::RenderTextGrid(page.Context(), {10, 16, true});
    EXPECT_TRUE(grid.starts_with("\x1b[0;38;2;224;224;224mKalvo MFD  V1.20\x1b[0m\n")) << grid;
    const std::string grey = "48;2;160;160;160m";
    EXPECT_NE(grid.find("\x1b[0;38;2;255;255;255;48;2;0;0;192mBOP\x1b[0m"), std::string::npos) << grid;
    EXPECT_NE(grid.find("\n\x1b[0;" + grey + " \x1b[0;38;2;0;0;0;" + grey + "a=b+c\x1b[0;" + grey +
                        std::string(34, ' ') + "\x1b[0m\n"),
              std::string::npos)
        << grid;

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
        {390, 61, 0xA0A0A0},   // band, right of the short help line
        {390, 124, 0xA0A0A0},  // down to the lower separator
        {399, 100, 0x000000},  // a filled path's right edge stays unfilled
        {200, 125, 0x00FF00},  // lower separator
        {200, 126, 0x000000},  // nothing below it
        {45, 16, 0xC00000},    // the selected BOP's background, at the corner of cell (4, 1)
    };
    for (const auto& p : pixels) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << ", " << p.y;

    // Glyphs: BOP in white (cells 4 to 6 of row 1), and the directory row's right
    // arrow, of the symbol font, in yellow at cell (35, 1).
    const auto count = [&](int left, int right, COLORREF colour) {
        int found = 0;
        for (int y = 16; y < 32; ++y)
            for (int x = left; x < right; ++x) found += at(x, y) == colour;
        return found;
    };
    EXPECT_GT(count(45, 75, 0xFFFFFF), 20);
    EXPECT_GT(count(355, 365, 0x00FFFF), 10);
    cairo_surface_destroy(image);
}

}  // namespace
