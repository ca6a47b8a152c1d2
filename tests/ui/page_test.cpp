// The drawn page, read back from the recorded drawing and the character grid, and
// the page's one value format.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catalogue/value_store.h"
#include "tests/support/drawn_page.h"
#include "tests/support/page_probe.h"
#include "ui/clipboard.h"
#include "ui/value_format.h"

namespace kalvo {
namespace {

using test::DrawnPage;
using test::PageProbe;

// The page's twelve colours (COLORREF 0x00BBGGRR) as its colour table gives them,
// written out here so that a fault in the module's own constants shows.
constexpr COLORREF kLineGreen = 0x0000FF00, kGreen = 0x0000C000, kWhite = 0x00FFFFFF, kBlue = 0x00C00000,
                   kBandGrey = 0x00A0A0A0, kBlack = 0x00000000, kYellow = 0x0000FFFF, kRed = 0x000000FF,
                   kDarkYellow = 0x0000C0C0, kDarkRed = 0x000000C0, kTeal = 0x00C0C000, kPurple = 0x00C000C0;

class Page : public ::testing::Test {
protected:
    void SetUp() override { sim::ClearGdiFaults(); }

    // Selects directory d, equation e and that equation's first variable, as the commands do.
    static void Enter(PageProbe& probe, int d, int e) {
        probe.Select(d, e, probe.Symbol(d, probe.EquationVariableNumber(d, e, 0) - 1));
    }

private:
    test::FreshModuleState fresh_;
};

TEST_F(Page, LayoutTextsColoursFontsAndHelpView) {
    PageProbe probe(280, 240);   // cells of 7 x 10 pixels, 40 columns and 24 rows
    probe.Select(ORB, 1, "Vt");  // Vt=sqrt(p*G*M)/r with r, p, Vt and M
    ValueStore[0][ORB][Var(ORB, "r")] = 6.771e6;
    DrawnPage page(probe);
    page.Draw();

    const std::string mono = sim::kHostFontFace;
    const struct {
        int column, row;
        std::string text;
        COLORREF colour;
        int mode;
        COLORREF background;  // compared only when opaque
        std::string face;
    } cases[] = {
        // clang-format off
        {0, 0, "Kalvo MFD  V1.20", 0x00E0E0E0, TRANSPARENT, 0, mono},  // MFD::Title's grey (HOST.md 4.3)
        {0, 1, "DR:", kGreen, TRANSPARENT, 0, mono},
        {8, 1, "ORB", kWhite, OPAQUE, kBlue, mono},
        {35, 1, "\xE8", kYellow, TRANSPARENT, 0, "Wingdings"},
        {0, 2, "EQ:", kGreen, TRANSPARENT, 0, mono},
        {4, 2, "1", kWhite, OPAQUE, kBlue, mono},
        {13, 2, "10", kGreen, TRANSPARENT, 0, mono},  // ORB's eleventh equation takes two cells
        {18, 2, "VARSET:", kGreen, TRANSPARENT, 0, mono},
        {25, 2, "1", kWhite, OPAQUE, kBlue, mono},
        {1, 4, "Vt=sqrt(p*G*M)/r", kBlack, OPAQUE, kBandGrey, "Times New Roman"},
        {3, 9, "\xE8", kYellow, TRANSPARENT, 0, "Wingdings"},  // r: in the equation and fetchable
        {4, 9, "r", kWhite, TRANSPARENT, 0, mono},
        {11, 9, "6.771000E+006", kWhite, TRANSPARENT, 0, mono},
        {4, 11, "e", kGreen, TRANSPARENT, 0, mono},  // not in the equation
        {4, 13, "Vt", kWhite, OPAQUE, kBlue, mono},  // selected, the whole row
        {11, 13, "0.000000E+000", kWhite, OPAQUE, kBlue, mono},
        {11, 16, "6.672590E-011", kGreen, TRANSPARENT, 0, mono},  // G as loaded
        // clang-format on
    };
    for (const auto& c : cases) {
        const auto text = page.TextAt(c.column, c.row);
        ASSERT_TRUE(text) << "nothing at (" << c.column << ", " << c.row << ")";
        EXPECT_EQ(text->text, c.text) << c.column << ", " << c.row;
        EXPECT_EQ(text->colour, c.colour) << c.text;
        EXPECT_EQ(text->backgroundMode, c.mode) << c.text;
        if (c.mode == OPAQUE) {
            EXPECT_EQ(text->background, c.background) << c.text;
        }
        EXPECT_EQ(text->font.face, c.face) << c.text;
    }
    EXPECT_EQ(page.Rows()[22], "");                                    // ORB has 13 variables: rows 9 to 21 and no more
    EXPECT_EQ(page.Rows()[2], "EQ:012345678910   VARSET:12  CSP: 0");  // and no equation 11
    // Cell (column, row) starts at x = 7 column + 7 / 2, y = 10 row.
    EXPECT_EQ(page.TextAt(11, 13)->at, (sim::Point{80, 130}));
    // Help font 10 + 10/4 high, 7 - 7/4 wide, italic, ANSI; the arrows and the rest one cell.
    EXPECT_EQ(page.TextAt(1, 4)->font,
              (sim::FontRequest{12, 6, 0, 0, 0, true, false, false, 0, 5, 1, 0, 0, "Times New Roman"}));
    EXPECT_EQ(page.TextAt(35, 1)->font,
              (sim::FontRequest{10, 7, 0, 0, 0, false, false, false, 1, 5, 1, 0, 0, "Wingdings"}));
    EXPECT_EQ((std::pair{page.TextAt(0, 1)->font.height, page.TextAt(0, 1)->font.width}), (std::pair{10, 7}));

    // In help view the long names take the place of the values, in the colours of their rows.
    probe.SetHelpView(true);
    page.Draw();
    EXPECT_EQ(page.Rows()[11], "    e   Eccentricity");
    EXPECT_EQ(page.Rows()[13], "   \u2192Vt  Tangent. Velocity m/s");
    ASSERT_TRUE(page.TextAt(8, 13) && page.TextAt(8, 11));
    EXPECT_EQ(page.TextAt(8, 13)->background, kBlue);
    EXPECT_EQ(page.TextAt(8, 11)->colour, kGreen);

    // LNC equation 0 fills all three help lines, each on the band where its row starts.
    Enter(probe, LNC, 0);
    page.Draw();
    const struct {
        int column, row;
        std::string text;
    } helpLines[] = {{1, 4, "rme=(-G*M*ap+rs*ap^2*rma+sqrt(G^2"},
                     {0, 5, "*M^2*ap^2-2*G*M*ap^3*rs*rma+rs^2*ap^4"},
                     {0, 6, "*rma^2+4ap^3*rma^2*G*M))/2*ap^2*rma"}};
    for (const auto& line : helpLines) {
        const auto text = page.TextAt(line.column, line.row);
        ASSERT_TRUE(text) << line.text;
        EXPECT_EQ((std::tuple{text->text, text->colour, text->background}), (std::tuple{line.text, kBlack, kBandGrey}));
    }
}

// Sums of readings' codes other than 2 and 4 name no single failure.
TEST_F(Page, StatusMessageIsShownOnceThenCleared) {
    // clang-format off
    const struct { int status; std::string text; COLORREF colour, background; } cases[] = {
        {1, "ERROR!", kDarkYellow, kDarkRed}, {2, " N/Av ", kBlack, kTeal}, {4, " N/Ap ", kDarkYellow, kPurple},
        {3, "MultErr", kDarkYellow, kDarkRed}, {-1, "MultErr", kDarkYellow, kDarkRed},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        PageProbe probe;
        probe.SetStatus(c.status);
        DrawnPage page(probe);
        page.Draw();
        const auto message = page.TextAt(30, 0);
        ASSERT_TRUE(message);
        EXPECT_EQ((std::tuple{message->text, message->colour, message->backgroundMode, message->background}),
                  (std::tuple{c.text, c.colour, OPAQUE, c.background}));
        EXPECT_EQ(probe.Status(), 0);
        page.Draw();
        EXPECT_FALSE(page.TextAt(30, 0));
    }
}

TEST_F(Page, ClipboardDepthTurnsRedWhenTheStackIsFull) {
    for (const auto& [depth, text, colour] : {std::tuple{9, " 9", kGreen}, {10, "10", kRed}}) {
        Clipboard.depth = depth;
        PageProbe probe;
        DrawnPage page(probe);
        page.Draw();
        ASSERT_TRUE(page.TextAt(29, 2) && page.TextAt(33, 2));
        EXPECT_EQ((std::tuple{page.TextAt(29, 2)->text, page.TextAt(29, 2)->colour}), (std::tuple{"CSP:", colour}));
        EXPECT_EQ((std::tuple{page.TextAt(33, 2)->text, page.TextAt(33, 2)->colour}), (std::tuple{text, colour}));
    }
}

TEST_F(Page, DirectoryRowScrollsToShowTheCurrentDirectory) {
    const std::string shifted = "DR:\u2190ORB ESC FUE INC MOV LNC RNT GLD";
    const std::string home = "DR: BOP ORB ESC FUE INC MOV LNC RNT\u2192";
    const struct {
        Directory directory;
        std::string row;
        int highlightedColumn;
    } steps[] = {
        {GLD, shifted, 32},  // GLD needs the row shifted by one
        {BOP, home, 4},      // BOP shifts it back
    };
    PageProbe probe;
    DrawnPage page(probe);
    for (const auto& step : steps) {
        Enter(probe, step.directory, 0);
        page.Draw();
        EXPECT_EQ(page.Rows()[1], step.row) << probe.DirectoryCode(step.directory);
        ASSERT_TRUE(page.TextAt(step.highlightedColumn, 1));
        EXPECT_EQ(page.TextAt(step.highlightedColumn, 1)->text, probe.DirectoryCode(step.directory));
        EXPECT_EQ(page.TextAt(step.highlightedColumn, 1)->background, kBlue);
    }
}

TEST_F(Page, SeparatorsSpanEachDisplaysOwnWidth) {
    // Both pages exist before either draws: a width kept module-wide and set by the
    // last constructor would give the large page lines 256 pixels long.
    PageProbe large(400, 400);  // cells of 10 x 16 pixels
    PageProbe small(256, 192);  // cells of 6 x 8 pixels
    DrawnPage largePage(large);
    DrawnPage smallPage(small);
    largePage.Draw();
    smallPage.Draw();
    largePage.Draw();
    const struct {
        DrawnPage* page;
        int right, upperLine, lowerLine;  // W - 1, 4 ch - 4, 8 ch - 3
    } cases[] = {{&largePage, 399, 60, 125}, {&smallPage, 255, 28, 61}};
    for (const auto& c : cases) {
        const std::vector<sim::DrawnLine> lines = {
            {{0, c.upperLine}, {c.right, c.upperLine}, kLineGreen, 1},
            {{c.right, c.lowerLine}, {0, c.lowerLine}, kLineGreen, 1},
        };
        EXPECT_EQ(c.page->Context().DrawingsOf<sim::DrawnLine>(), lines) << c.right;
        // The band from just below the upper line down to the lower line.
        const std::vector<sim::DrawnFill> band = {
            {{{{0, c.lowerLine}, {c.right, c.lowerLine}, {c.right, c.upperLine + 1}, {0, c.upperLine + 1}}}, kBandGrey},
        };
        EXPECT_EQ(c.page->Context().DrawingsOf<sim::DrawnFill>(), band) << c.right;
    }
}

// Two pens, a brush and two fonts, all deleted again, none while selected, on the
// smallest and largest displays (the page fuzzer checks every drawing); the page
// leaves the host's font 0 selected.
TEST_F(Page, EveryDrawingDeletesWhatItCreates) {
    for (const auto& [width, height] : {std::pair{400u, 400u}, {1u, 1u}, {65535u, 65535u}}) {
        SCOPED_TRACE(width);
        PageProbe probe(width, height);
        Enter(probe, GLD, 1);  // both arrows of the directory row, and its left one scrolled
        probe.SetStatus(7);
        DrawnPage page(probe);
        const sim::GdiAccount before = sim::GdiAccounting();
        page.Draw();
        const sim::GdiAccount after = sim::GdiAccounting();
        EXPECT_EQ((std::pair{after.created - before.created, after.deleted - before.deleted}), (std::pair{5L, 5L}));
        EXPECT_TRUE(sim::GdiFaults().empty());
        EXPECT_EQ(page.Context().SelectedFont(),
                  sim::HostDefaultFont(0, MfdHostAccess::CellWidth(probe), MfdHostAccess::CellHeight(probe)));
    }
}

TEST(ValueFormat, ExponentNotationWithThreeExponentDigits) {
    // clang-format off
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {6.67259e-11, "6.672590E-011"}, {0.0, "0.000000E+000"},     {-1500, "-1.500000E+003"},
        {1e200, "1.000000E+200"},       {-0.0, "-0.000000E+000"},   {5.9736e24, "5.973600E+024"},
        {1.7976931348623157e308, "1.797693E+308"}, {4.9406564584124654e-324, "4.940656E-324"},
        {9.9999995, "9.999999E+000"},   {9.99999951, "1.000000E+001"}, {123456789, "1.234568E+008"},
        {INFINITY, "INF"},              {-INFINITY, "-INF"},        {NAN, "NAN"},
        {-NAN, "NAN"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_STREQ(FormatValue(c.value).c_str(), c.text) << c.value;
}

}  // namespace
}  // namespace kalvo
