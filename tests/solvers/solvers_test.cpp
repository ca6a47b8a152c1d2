// Every directory's solvers: their guards, the NaN and infinity they let through,
// the short pi's traces and the branches they choose, worked by hand; and round
// trips of every formula through values made from the textbook relation.
#include <string>
#include <vector>

#include "catalogue/value_store.h"
#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::Given;

namespace worked {  // the guard table's own orbit and launch, apart from the round trips' ones

// An Earth orbit of 6600 by 7400 km, 60 degrees past perigee, with the page's pi.
constexpr double M = 5.9736e24, ra = 7.4e6, e = 0.05714285714285714, p = 6977142.857142857, v = 60;
constexpr double r = 6783333.32750342, Vt = 7774.293609085907, Vr = 374.04087148465806;
// A launch at 30 m/s^2 from 6371 km that coasts up to 7000 km from the centre.
constexpr double rs = 6371000, rma = 7000000, rme = 6512942.954215337;

// Where the page's pi shows: sin 180 = 5.3589793e-8, asin 1 = 90.0000015. Next to
// a zero of the sine, Windows' C library, which reduces arguments with a 66-bit
// pi, keeps only 12 or 13 digits: those rows allow 1e-12.
// clang-format off
const test::SolveCase kCases[] = {
    {BOP, 1, "b", {{"a", 12}, {"c", 0}}, kError},
    {BOP, 1, "c", {{"a", 12}, {"b", 0}}, kError},
    {BOP, 2, "a", {{"b", -1}}, kError},
    {BOP, 3, "a", {{"b", 180}}, kSolved, 5.3589793170057245e-08, 1e-12},
    {BOP, 3, "b", {{"a", 1}}, kSolved, 90.00000153523452},
    {BOP, 3, "b", {{"a", 1.0000001}}, kError},
    {BOP, 3, "b", {{"a", -1.0000001}}, kError},
    {BOP, 4, "b", {{"a", -1}}, kSolved, 180.00000307046903},
    {BOP, 4, "b", {{"a", 1.5}}, kError},
    {BOP, 5, "a", {{"b", 180}}, kSolved, -5.3589793170057325e-08, 1e-12},
    {BOP, 5, "a", {{"b", 90}}, kError},
    {BOP, 5, "a", {{"b", -90}}, kError},
    // Other multiples of 180 pass the pole test too: tan b is then k (3.1415926 - pi)
    // for b = 180 k, good to the rounding of the converted angle (about 1e-8 of it).
    {BOP, 5, "a", {{"b", 360}}, kSolved, -1.0717958647692e-07, 1e-7},
    {BOP, 5, "a", {{"b", -180}}, kSolved, 5.358979323846e-08, 1e-7},
    {BOP, 5, "a", {{"b", 540}}, kSolved, -1.6076937971538e-07, 1e-7},
    {BOP, 6, "a", {{"b", 0}}, kError},
    {BOP, 7, "a", {{"b", 0}}, kError},
    // NaN: the tangent guard compares both remainders as 0 for it, so lets it through;
    // tests for <, <= and = 0 hold for it, so the root, logarithm, arcsine and
    // quotient refuse it; an unguarded operand carries it into the result.
    {BOP, 5, "a", {{"b", NAN}}, kSolved, NAN},
    {BOP, 2, "a", {{"b", NAN}}, kError},
    {BOP, 6, "a", {{"b", NAN}}, kError},
    {BOP, 1, "b", {{"a", 1}, {"c", NAN}}, kError},
    {BOP, 7, "b", {{"a", 400}}, kSolved, INFINITY},  // an overflow is stored: no guard looks at results

    {ORB, 0, "r", {{"p", 1}, {"e", 1.5}, {"v", 180}}, kError},  // 1 + e cos v below 0
    {ORB, 0, "e", {{"p", 1}, {"r", 1}, {"v", NAN}}, kError},    // cos v = 0 holds for NaN
    {ORB, 0, "v", {{"p", 2.5}, {"r", 1}, {"e", 1}}, kError},  // cos v = 1.5
    {ORB, 0, "v", {{"p", 0}, {"r", 1}, {"e", 0.5}}, kError},  // cos v = -2
    // With the short pi, 1 + cos 180 is about 1.443e-15, which passes d <= 0.
    {ORB, 0, "r", {{"p", 1}, {"e", 1}, {"v", 180}}, kSolved, 6.928614811e14, 1e-9},
    {ORB, 1, "r", {{"p", p}, {"Vt", 0}, {"M", M}}, kError},
    {ORB, 1, "r", {{"p", -p}, {"Vt", Vt}, {"M", M}}, kError},
    {ORB, 1, "p", {{"r", r}, {"Vt", Vt}, {"M", 0}}, kError},
    {ORB, 1, "Vt", {{"r", 0}, {"p", p}, {"M", M}}, kError},
    {ORB, 1, "Vt", {{"r", r}, {"p", p}, {"M", -M}}, kError},
    {ORB, 1, "Vt", {{"r", 1}, {"p", 0}, {"M", 1}}, kSolved, 0},  // G*M*p = 0 is not below 0
    // The guards stop at 0, not at 1: G M p = 0.667259 with M = 1e10 kg and p = 1 m,
    // so r = Vt = sqrt(0.667259) = 0.81685922899848 when the other is 1.
    {ORB, 1, "r", {{"p", 1}, {"Vt", 1}, {"M", 1e10}}, kSolved, 0.81685922899848, 1e-13},
    {ORB, 1, "r", {{"p", 0}, {"Vt", 1}, {"M", 0}}, kSolved, 0},  // G*M*p = 0 passes; a quotient would be NaN
    {ORB, 1, "Vt", {{"r", 1}, {"p", 1}, {"M", 1e10}}, kSolved, 0.81685922899848, 1e-13},
    {ORB, 2, "p", {{"e", e}, {"v", v}, {"Vr", 0}, {"M", M}}, kError},
    {ORB, 2, "e", {{"p", -p}, {"v", v}, {"Vr", Vr}, {"M", M}}, kError},
    {ORB, 2, "e", {{"p", p}, {"v", 0}, {"Vr", Vr}, {"M", M}}, kError},
    {ORB, 2, "e", {{"p", 1}, {"v", 90}, {"Vr", 1}, {"M", 0}}, kError},  // G*M*p = 0 fails "at most 0"
    // p = G and M = 1 make G*M/p exactly 1, so sin v is exactly -1, which passes.
    {ORB, 2, "v", {{"p", 6.67259e-11}, {"e", 1}, {"Vr", -1}, {"M", 1}}, kSolved, -90.00000153523452},
    {ORB, 2, "v", {{"p", p}, {"e", 0.001}, {"Vr", Vr}, {"M", M}}, kError},   // sin v above 1
    {ORB, 2, "v", {{"p", p}, {"e", -0.001}, {"Vr", Vr}, {"M", M}}, kError},  // below -1
    {ORB, 2, "Vr", {{"p", p}, {"e", e}, {"v", v}, {"M", 0}}, kError},
    {ORB, 3, "r", {{"p", p}, {"e", 0}, {"Vr", Vr}, {"M", M}}, kError},  // e^2 below Vr^2 p / G M
    {ORB, 3, "p", {{"r", r}, {"e", 0}, {"Vr", 10000}, {"M", M}}, kError},  // negative discriminant
    {ORB, 3, "e", {{"r", r}, {"p", -r}, {"Vr", 20000}, {"M", M}}, kError},   // e^2 below 0
    {ORB, 3, "Vr", {{"r", r}, {"p", 2 * r}, {"e", 0.5}, {"M", M}}, kError},  // e^2 below (p/r - 1)^2
    {ORB, 3, "Vr", {{"r", r}, {"p", 0}, {"e", 1.5}, {"M", M}}, kError},
    {ORB, 4, "Vt", {{"Vr", 3}, {"V", 3}}, kSolved, 0},  // a purely radial speed
    // r and Vr fix p up to the two roots of a quadratic; the solver takes the minus
    // sign: before 90 degrees the other root (by hand), past 90 (v = 120) the orbit's p.
    {ORB, 3, "p", {{"r", r}, {"e", e}, {"Vr", Vr}, {"M", M}}, kSolved, 6573373.004574088, 1e-12},
    {ORB, 3, "p", {{"r", 7182352.928104554}, {"e", e}, {"Vr", 374.040883057513}, {"M", M}}, kSolved, p, 1e-12},
    {ORB, 4, "Vt", {{"Vr", 2}, {"V", 1}}, kError},
    {ORB, 4, "Vr", {{"Vt", 2}, {"V", 1}}, kError},
    {ORB, 4, "Vr", {{"Vt", 0.6}, {"V", 1}}, kSolved, 0.8},  // a root argument of 0.64, below 1
    {ORB, 4, "Vt", {{"Vr", 0.6}, {"V", 1}}, kSolved, 0.8},
    {ORB, 4, "V", {{"Vt", NAN}, {"Vr", 1}}, kError},
    {ORB, 4, "V", {{"Vt", 0}, {"Vr", 0}}, kSolved, 0},
    {ORB, 5, "p", {{"e", e}, {"M", M}, {"E", 0}}, kError},
    {ORB, 5, "e", {{"p", p}, {"M", M}, {"E", -1e8}}, kError},  // 1 + 2 E p / G M below 0
    {ORB, 5, "E", {{"p", 0}, {"e", e}, {"M", M}}, kError},
    {ORB, 6, "e", {{"ra", 1}, {"rp", -1}}, kError},
    {ORB, 6, "ra", {{"e", 0}, {"rp", 1}}, kError},  // even for a circle
    {ORB, 6, "ra", {{"e", 1}, {"rp", 1}}, kError},
    {ORB, 6, "rp", {{"e", 0}, {"ra", 1}}, kError},
    {ORB, 6, "rp", {{"e", -1}, {"ra", 1}}, kError},
    {ORB, 7, "e", {{"p", p}, {"rp", 0}}, kError},
    {ORB, 7, "rp", {{"p", p}, {"e", -1}}, kError},
    {ORB, 8, "r", {{"e", -1}, {"v", 0}, {"ra", ra}}, kError},
    {ORB, 8, "e", {{"r", 1}, {"v", 0}, {"ra", -1}}, kError},
    {ORB, 8, "v", {{"r", 1}, {"e", 0.5}, {"ra", 10}}, kError},  // cos v above 1
    {ORB, 8, "v", {{"r", 10}, {"e", 0.5}, {"ra", 1}}, kError},  // below -1
    {ORB, 8, "v", {{"r", 2}, {"e", 0.5}, {"ra", 7}}, kError},   // cos v = 1.5, between 1 and 2
    {ORB, 8, "ra", {{"r", r}, {"e", 1}, {"v", v}}, kError},
    // A semi-latus below 1 m is still an orbit: at t = 0 the search finds no sign
    // change and gives the end of its range, 360.
    {ORB, 9, "v", {{"p", 0.5}, {"e", 0}, {"M", M}, {"t", 0}}, kSolved, 360},

    // Strict guards: no speed comes out as 0; that of Vsc (q >= 0) lets a NaN pass.
    {ESC, 0, "Vhx", {{"Vsc", 11000}, {"Vbo", 11000}}, kError},
    {ESC, 0, "Vsc", {{"Vhx", 5}, {"Vbo", 5}}, kError},
    {ESC, 0, "Vbo", {{"Vhx", 0}, {"Vsc", 0}}, kError},
    {ESC, 0, "Vhx", {{"Vsc", NAN}, {"Vbo", 5}}, kError},
    {ESC, 0, "Vsc", {{"Vhx", NAN}, {"Vbo", 5}}, kSolved, NAN},
    {ESC, 1, "lbo", {{"vnf", 100}, {"ls", 350}, {"k", 270}}, kSolved, 520},  // never reduced to [0, 360)

    // 10 t ship, 2 t load, 18 t fuel, 3100 m/s either way at an Isp of 4400 m/s.
    {FUE, 0, "mf", {{"DV", -3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 4400}}, kSolved, 2829.9966034389226, 1e-13},
    {FUE, 0, "DV", {{"mf", 0}, {"ms", 0}, {"ml", 0}, {"mi", 1000}, {"Isp", 3000}}, kError},        // nothing left
    {FUE, 0, "DV", {{"mf", 1000}, {"ms", 500}, {"ml", 0}, {"mi", -2000}, {"Isp", 3000}}, kError},  // negative ratio
    // A ratio of exactly 0 is not refused: ln 0 = -inf, times Isp (NaN with Isp = 0).
    {FUE, 0, "DV", {{"mf", 1000}, {"ms", 0}, {"ml", 0}, {"mi", 0}, {"Isp", 3000}}, kSolved, -INFINITY},
    {FUE, 0, "mf", {{"DV", 3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 0}}, kError},
    {FUE, 0, "mf", {{"DV", 3100}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", -1}}, kError},  // e^-3100 = 0
    {FUE, 0, "mf", {{"DV", NAN}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"Isp", 4400}}, kError},
    {FUE, 1, "tbn", {{"mi", 1000}, {"mf", 500}, {"Isp", 3000}, {"THR", -30000}}, kSolved, -50},
    {FUE, 1, "tbn", {{"mi", 1000}, {"mf", 500}, {"Isp", 3000}, {"THR", 0}}, kError},
    {FUE, 1, "mf", {{"mi", 1000}, {"tbn", 50}, {"Isp", 0}, {"THR", 30000}}, kError},

    {INC, 0, "Vc", {{"DV", 100}, {"Di", 0}}, kError},
    {INC, 0, "Di", {{"DV", 100}, {"Vc", 0}}, kError},
    {INC, 1, "Di", {{"DV", -7800}, {"Vc", 7800}}, kSolved, 60.0000010235, 1e-10},  // the sign of DV does not matter
    {INC, 1, "Di", {{"DV", 15600}, {"Vc", -7800}}, kSolved, 180.000003070, 1e-10},
    {INC, 1, "Di", {{"DV", 15600.001}, {"Vc", 7800}}, kError},
    {INC, 1, "Vc", {{"DV", 100}, {"Di", 0}}, kError},
    {INC, 1, "Di", {{"DV", 1}, {"Vc", 1}}, kSolved, 60.0000010235, 1e-10},  // acos 0.5 = pi/3, as DV = Vc

    {MOV, 0, "r", {{"DV", 100}, {"ap", 0}}, kError},
    {MOV, 0, "DV", {{"r", -1}, {"ap", 2}}, kError},
    {MOV, 0, "ap", {{"r", -1}, {"DV", 100}}, kError},
    {MOV, 0, "ap", {{"r", 0}, {"DV", 100}}, kSolved, INFINITY},  // r = 0 passes the guard of ap
    {MOV, 2, "DVt", {{"DV", 3}, {"DVr", 5}}, kError},
    {MOV, 2, "DVr", {{"DV", 3}, {"DVt", 5}}, kError},
    {MOV, 2, "DVt", {{"DV", 1}, {"DVr", 0.6}}, kSolved, 0.8},  // a root argument of 0.64, below 1
    {MOV, 2, "DVr", {{"DV", 1}, {"DVt", 0.6}}, kSolved, 0.8},
    {MOV, 2, "DV", {{"DVt", NAN}, {"DVr", 4}}, kError},

    {LNC, 0, "rme", {{"M", M}, {"ap", -10}, {"rs", rs}, {"rma", rma}}, kError},  // negative discriminant
    {LNC, 0, "rme", {{"M", M}, {"ap", 0}, {"rs", rs}, {"rma", rma}}, kError},
    {LNC, 0, "ap", {{"rme", rs}, {"M", M}, {"rs", rs}, {"rma", rma}}, kError},
    {LNC, 0, "ap", {{"rme", rme}, {"M", M}, {"rs", rs}, {"rma", 0}}, kError},
    {LNC, 0, "ap", {{"rme", 0}, {"M", M}, {"rs", rs}, {"rma", rma}}, kError},
    {LNC, 0, "rma", {{"rme", rs}, {"M", 0}, {"ap", 30}, {"rs", rs}}, kError},
    {LNC, 1, "ap", {{"tme", 0}, {"rme", rme}, {"rs", rs}}, kError},
    {LNC, 1, "tme", {{"rme", rme}, {"ap", 0}, {"rs", rs}}, kError},
    {LNC, 1, "tme", {{"rme", rs - 1}, {"ap", 30}, {"rs", rs}}, kError},  // cut-off below the surface
    {LNC, 2, "Vme", {{"rme", rma}, {"M", M}, {"rma", rma}}, kSolved, 0},
    {LNC, 2, "rme", {{"Vme", 0}, {"M", 0}, {"rma", rma}}, kError},
    {LNC, 2, "rma", {{"Vme", 0}, {"M", 0}, {"rme", rme}}, kError},
    {LNC, 2, "Vme", {{"rme", 0}, {"M", M}, {"rma", rma}}, kError},
    {LNC, 2, "Vme", {{"rme", rma}, {"M", M}, {"rma", rme}}, kError},  // the coast cannot end below cut-off
    // sin Az = cos Inc / cos Lat out of range.
    {LNC, 3, "Az1", {{"Inc", 10}, {"Lat", 28.5}}, kError},
    {LNC, 3, "Az2", {{"Inc", 179}, {"Lat", 28.5}}, kError},
    {LNC, 3, "Az2", {{"Inc", 51.6}, {"Lat", NAN}}, kError},
    // On the equator cos Lat is 1: Az1 = 90 - Inc, through the short pi.
    {LNC, 3, "Az1", {{"Inc", 51.6}, {"Lat", 0}}, kSolved, 38.400001535234516},

    {RNT, 0, "wa", {{"la", 20}, {"lb", 50}, {"wb", 0.2}, {"t", 100}, {"to", 100}, {"loa", 0}, {"lob", 20}}, kError},
    {RNT, 0, "wb", {{"la", 20}, {"lb", 50}, {"wa", 0.1}, {"t", 100}, {"to", 100}, {"loa", 0}, {"lob", 20}}, kError},
    {RNT, 0, "t", {{"la", 20}, {"lb", 50}, {"wa", 0.2}, {"wb", 0.2}, {"to", 0}, {"loa", 0}, {"lob", 20}}, kError},
    {RNT, 0, "to", {{"la", 20}, {"lb", 50}, {"wa", 0.2}, {"wb", 0.2}, {"t", 100}, {"loa", 0}, {"lob", 20}}, kError},
    {RNT, 1, "T", {{"wa", 0.01}, {"wb", 0.005}}, kSolved, 72000, 1e-13},  // never negative
    {RNT, 1, "T", {{"wa", 0.01}, {"wb", 0.01}}, kError},
    {RNT, 1, "wa", {{"T", 0}, {"wb", 0.01}}, kError},
    {RNT, 1, "wb", {{"T", 0}, {"wa", 0.01}}, kError},

    // tan 180 degrees is -5.3589793e-8 with the short pi, not 0.
    {GLD, 0, "a", {{"Vd", -100}, {"Vh", -10}}, kSolved, -174.28940983555717},  // the quadrant follows the signs
    {GLD, 0, "Vd", {{"Vh", -10}, {"a", 0}}, kError},
    {GLD, 0, "Vd", {{"Vh", -10}, {"a", 180}}, kSolved, 186602698.17177394, 1e-13},
    {GLD, 0, "Vd", {{"Vh", -10}, {"a", 90}}, kSolved, -2.679489658502864e-07, 1e-13},
    {GLD, 1, "a", {{"d", -20000}, {"h", 1500}}, kSolved, 175.7108496684849},  // flown away from the point
    {GLD, 1, "d", {{"h", 1500}, {"a", 0}}, kError},

    // Pairs the catalogue does not have: G is on no list, BOP 2 has no c, BOP no
    // equation 8. They answer as a variable without a formula.
    {ORB, 1, "G", {{"r", 1}, {"p", 1}, {"Vt", 1}, {"M", 1}}, kNotAvailable},
    {BOP, 2, "c", {{"a", 2}, {"b", 4}}, kNotAvailable},
    {BOP, 8, "a", {{"b", 1}, {"c", 1}}, kNotAvailable},
};
// clang-format on

}  // namespace worked

TEST(Solvers, GuardsBranchesNaNInfinityAndTheShortPi) { test::ExpectCases(worked::kCases); }

// Indices with no directory, equation or variable behind them get the
// not-available routine too: status 2, no cell written.
TEST(SolverLookup, IndicesOutsideTheCatalogueAreNotAvailable) {
    const int outside[][3] = {{GLD + 1, 0, 0},         {-1, 0, 0},  {BOP, kMaxEquations, 0}, {BOP, -1, 0},
                              {ORB, 0, kMaxVariables}, {ORB, 0, -1}};
    for (const auto& [d, e, v] : outside) {
        std::array<double, kMaxVariables> cells;
        cells.fill(test::kUntouched);
        Cells view{cells, kShortPi};
        EXPECT_EQ(FindSolver(d, e, v)(view), kNotAvailable) << d << " " << e << " " << v;
        for (const double cell : cells) EXPECT_EQ(cell, test::kUntouched);
    }
}

constexpr double pi = 3.1415926;                // the page's short pi, written out
constexpr double GM = 5.9736e24 * 6.67259e-11;  // the Earth's mass times the 1986 CODATA G

struct Point {
    Directory d;
    int equation;
    std::vector<Given> values;
    std::string_view noFormula = {};    // the variables without a formula: each must answer 2, writing nothing
    std::string_view otherBranch = {};  // a variable this point lies off the formula's branch for
};

double Sin(double degrees) { return std::sin(Radians(degrees, pi)); }
double Cos(double degrees) { return std::cos(Radians(degrees, pi)); }

// The Earth orbit between 6600 and 7400 km from the centre at anomaly v.
std::vector<Given> Orbit(double v) {
    const double ra = 7.4e6, rp = 6.6e6, e = (ra - rp) / (ra + rp), p = rp * (1 + e);
    const double r = p / (1 + e * Cos(v)), Vt = std::sqrt(GM * p) / r, Vr = e * std::sqrt(GM / p) * Sin(v);
    // clang-format off
    return {{"r", r},   {"p", p},   {"e", e},   {"v", v},         {"Vt", Vt},   {"Vr", Vr},          {"M", 5.9736e24},
            {"ra", ra}, {"rp", rp}, {"V", std::hypot(Vt, Vr)}, {"E", -GM / (ra + rp)}};
    // clang-format on
}

std::vector<Point> Points() {
    const double rs = 6371000, rme = 6.5e6, ap = 30, rma = 1 / (1 / rme - ap * (rme - rs) / GM);
    const double az = std::asin(Cos(51.6) / Cos(28.5)) * 180 / pi;
    // clang-format off
    return {
        {BOP, 0, {{"a", -1.5}, {"b", 2.5}, {"c", -4}}},
        {BOP, 1, {{"a", -10}, {"b", 2.5}, {"c", -4}}},
        {BOP, 2, {{"a", 1.5}, {"b", 2.25}}},
        {BOP, 3, {{"a", Sin(30)}, {"b", 30}}},
        {BOP, 4, {{"a", Cos(60)}, {"b", 60}}},
        {BOP, 5, {{"a", std::tan(Radians(30, pi))}, {"b", 30}}},
        {BOP, 6, {{"a", std::log(5.0)}, {"b", 5}}},
        {BOP, 7, {{"a", std::log10(5.0)}, {"b", 5}}},
        // Equation 2 gives v back through the arcsine, so before 90 degrees only.
        // Equation 3 takes r from the root with the plus sign (e cos v >= 0) and p
        // from the one with the minus sign, which is the orbit's own past 90 degrees.
        {ORB, 0, Orbit(60)}, {ORB, 1, Orbit(60), "M"}, {ORB, 2, Orbit(60), "M"}, {ORB, 3, Orbit(60), "M", "p"},
        {ORB, 3, Orbit(120), "M", "r"}, {ORB, 4, Orbit(60)}, {ORB, 5, Orbit(60), "M"}, {ORB, 6, Orbit(60)},
        {ORB, 7, Orbit(60)}, {ORB, 8, Orbit(60)}, {ORB, 8, Orbit(120)},
        {ORB, 9, {{"p", 1e7}, {"e", 0.5}, {"v", 90}, {"M", 5.9736e24}, {"t", 1497.758877396206}}, "M e"},  // by hand
        {ORB, 10, {{"ra", 7.4e6}, {"rp", 6.6e6}, {"M", 5.9736e24}, {"t", 2 * pi * std::sqrt(std::pow(7e6, 3) / GM)}}, "M"},
        {ESC, 0, {{"Vhx", std::sqrt(11500.0 * 11500 - 11000.0 * 11000)}, {"Vsc", 11000}, {"Vbo", 11500}}},
        {ESC, 1, {{"vnf", 140}, {"ls", 30}, {"k", 90}, {"lbo", -20}}, "k"},
        {FUE, 0, {{"DV", 4400 * std::log(30000.0 / 15000)}, {"ms", 10000}, {"ml", 2000}, {"mi", 18000}, {"mf", 3000},
                  {"Isp", 4400}}, "ms ml mi Isp"},
        {FUE, 1, {{"mi", 18000}, {"mf", 3000}, {"Isp", 4400}, {"THR", 200000}, {"tbn", 15000.0 * 4400 / 200000}},
         "mi Isp THR"},
        {INC, 0, {{"DV", 7800 * Radians(10, pi)}, {"Vc", 7800}, {"Di", 10}}},
        {INC, 1, {{"DV", 7800 * std::sqrt(2 * (1 - Cos(28.5)))}, {"Vc", 7800}, {"Di", 28.5}}},
        {MOV, 0, {{"r", 2500}, {"DV", 100}, {"ap", 2}}},
        {MOV, 1, {{"DV", 100}, {"Vf", 7900}, {"Vi", 7800}}},
        {MOV, 2, {{"DV", 50}, {"DVt", 30}, {"DVr", 40}}},
        // The burn's energy ap (rme - rs) equals G M (1/rme - 1/rma).
        {LNC, 0, {{"rme", rme}, {"M", 5.9736e24}, {"ap", ap}, {"rs", rs}, {"rma", rma}}, "M rs"},
        {LNC, 1, {{"rme", rme}, {"ap", ap}, {"rs", rs}, {"tme", std::sqrt(2 * (rme - rs) / ap)}}, "rs"},
        {LNC, 2, {{"rme", rme}, {"M", 5.9736e24}, {"rma", rma}, {"Vme", std::sqrt(2 * GM * (1 / rme - 1 / rma))}}, "M"},
        {LNC, 3, {{"Az1", az}, {"Az2", 180 - az}, {"Inc", 51.6}, {"Lat", 28.5}}, "Inc Lat"},
        {RNT, 0, {{"la", 12.5}, {"lb", 12.5 + 0.052 * 4200 + 40.75}, {"wa", 0.061}, {"wb", 0.113}, {"t", 5400},
                  {"to", 1200}, {"loa", -7.25}, {"lob", 33.5}}},
        {RNT, 1, {{"wa", 0.004}, {"wb", 0.0112}, {"T", 360 / 0.0072}}},
        {GLD, 0, {{"Vd", 150}, {"Vh", -60}, {"a", std::atan(-60.0 / 150) * 180 / pi}}},
        {GLD, 1, {{"d", 20000}, {"h", 1500}, {"a", std::atan(1500.0 / 20000) * 180 / pi}}},
    };
    // clang-format on
}

// The values of the point that belong to equation e's variables, in list order.
std::vector<Given> EquationValues(const Point& point) {
    std::vector<Given> values;
    const VariableNumbers list = EquationVariableNumbers(point.d, point.equation);
    for (int k = 0; k < list.count; ++k) {
        const std::string_view symbol = kCatalogue[point.d].variables[list.number[k] - 1].symbol;
        for (const Given& given : point.values)
            if (given.symbol == symbol) values.push_back(given);
    }
    EXPECT_EQ(static_cast<int>(values.size()), list.count) << kCatalogue[point.d].code << " " << point.equation;
    return values;
}

TEST(Consistency, EveryFormulaGivesItsOwnValueBack) {
    const std::vector<Point> points = Points();
    const std::string_view azimuths[] = {"Az1", "Az2"};
    for (const Point& point : points) {
        const std::vector<Given> values = EquationValues(point);
        for (const Given& target : values) {
            SCOPED_TRACE(::testing::Message()
                         << kCatalogue[point.d].code << " " << point.equation << " for " << target.symbol);
            if (target.symbol == point.otherBranch) continue;
            std::vector<Given> others;
            for (const Given& given : values)
                if (given.symbol != target.symbol) others.push_back(given);
            const bool bothAzimuths = point.d == LNC && point.equation == 3;
            const auto outcome = test::Solve(point.d, point.equation, target.symbol, others,
                                             bothAzimuths ? azimuths : std::span<const std::string_view>{});
            const std::string noFormula = " " + std::string(point.noFormula) + " ";
            if (noFormula.find(" " + std::string(target.symbol) + " ") != std::string::npos) {
                EXPECT_EQ(outcome.status, kNotAvailable);
                continue;
            }
            EXPECT_EQ(outcome.status, kSolved);
            // Differences of nearly equal terms and inverse functions cost a few last digits.
            EXPECT_TRUE(test::Near(outcome.value, target.value, 1e-12));
        }
    }
}

}  // namespace
}  // namespace kalvo
