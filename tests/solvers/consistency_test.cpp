// Catalogue-wide consistency: for every equation, values that satisfy it are made
// from the textbook relation, and every variable that has a formula, solved from
// the others, gives its own value back.
#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/value_store.h"
#include "tests/support/solver_harness.h"

namespace kalvo {
namespace {

using test::Given;

constexpr double pi = kShortPi;
constexpr double GM = 5.9736e24 * kGravitationalConstant;

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
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int e = 0; e < EquationCount(d); ++e)
            EXPECT_TRUE(
                std::any_of(points.begin(), points.end(), [&](const Point& p) { return p.d == d && p.equation == e; }))
                << kCatalogue[d].code << " " << e << " has no point";

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
            // Differences of nearly equal terms (V^2 - Vt^2, 1 + 2 E p / G M) and
            // inverse functions cost a few of the last digits.
            EXPECT_TRUE(test::Near(outcome.value, target.value, 1e-12));
        }
    }
}

}  // namespace
}  // namespace kalvo
