// A whole session on the page, as a pilot plays it, with the real DLL and GDI.
#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/status.h"
#include "sim/page_geometry.h"
#include "tests/windows/host_fixture.h"

namespace kalvo::test {
namespace {

class Session : public HostedKalvo {};

// ORB equation 1, Vt = sqrt(p*G*M)/r: r and M read from the default scenario's
// orbit, p typed, Vt solved; the relation checked on the values the page holds.
TEST_F(Session, ReadTypeAndSolveThenDraw) {
    auto page = OpenPage();
    page->Play({"Dr>", "Eq>", "Get", "Vr>", "Vr>", "Vr>", "Get", "Vr<", "Vr<", "Inp", "type:6771000", "Vr>", "Slv"});
    EXPECT_EQ(pageStatus(page->display.Page()), kSolved);
    const double r = Cell(0, ORB, "r");
    const double M = Cell(0, ORB, "M");
    const double G = Cell(0, ORB, "G");
    EXPECT_EQ(Cell(0, ORB, "p"), 6771000.0);
    EXPECT_GT(r, 6.371e6);  // above the Earth's surface
    EXPECT_NEAR(M / 5.972e24, 1.0, 1e-3);
    EXPECT_NEAR(Cell(0, ORB, "Vt"), std::sqrt(6771000.0 * G * M) / r, 1e-9 * Cell(0, ORB, "Vt"));

    // Vt, the fifth of ORB's variables (row 13), is the selected one: its symbol,
    // value and unit "m/s" white on blue; ORB at column 8 of the directory row.
    const sim::PageGeometry geometry = sim::MeasurePage(page->Draw(), 10, 16);
    std::vector<sim::CellPosition> expected = {{8, 1}, {9, 1}, {10, 1}, {4, 2}, {25, 2}, {4, 13}, {5, 13}};
    for (int column = 11; column < 11 + 13; ++column) expected.push_back({column, 13});  // the value's 13 characters
    for (int column = 26; column < 26 + 3; ++column) expected.push_back({column, 13});   // "m/s"
    EXPECT_EQ(geometry.highlighted, expected);
}

}  // namespace
}  // namespace kalvo::test
