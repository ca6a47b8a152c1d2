// What the page costs the simulator's thread: a solve in every directory, the
// worst anomaly searches, one whole drawing, and the readings against worlds of
// 3, 100 and 1000 bodies. Pages are driven through their keys, as the host does.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/status.h"
#include "catalogue/value_store.h"
#include "readings/readings.h"
#include "sim/gdi/gdi.h"
#include "sim/host/display.h"
#include "sim/host/host.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"
#include "solvers/orbit_time.h"
#include "ui/command_keys.h"
#include "ui/solver_mfd.h"

namespace {

using namespace kalvo;

constexpr double kEarthMass = 5.9736e24;

struct Given {
    std::string_view symbol;
    double value;
};

// A page of a 400 x 400 display, moved with its keys to (d, e, symbol).
class BenchPage {
public:
    BenchPage(Directory d, int e, std::string_view symbol) : page_(400, 400, nullptr) {
        sim::SetCellOfPage(page_);
        for (int i = 0; i < d; ++i) page_.ConsumeKeyBuffered(kKeyNextDirectory);
        for (int i = 0; i < e; ++i) page_.ConsumeKeyBuffered(kKeyNextEquation);
        while (kCatalogue[d].variables[page_.CurrentVariable()].symbol != symbol)
            page_.ConsumeKeyBuffered(kKeyNextVariable);
    }
    SolverMFD& operator*() { return page_; }
    SolverMFD* operator->() { return &page_; }

private:
    SolverMFD page_;
};

void SetValues(Directory d, std::initializer_list<Given> values) {
    ValueStore = InitialValueStore();
    for (const Given& given : values) ValueStore[0][d][FindVariable(d, given.symbol)] = given.value;
}

// Presses Solve until the benchmark has its time; fails the benchmark unless the
// solve succeeds, so that a guard taking the short way out is never what is timed.
void TimeSolve(benchmark::State& state, BenchPage& page) {
    page->ConsumeKeyBuffered(kKeySolve);
    if (page->Status() != kSolved) {
        state.SkipWithError("the solve did not succeed");
        return;
    }
    for (auto _ : state) {
        page->ConsumeKeyBuffered(kKeySolve);
        benchmark::DoNotOptimize(ValueStore);
    }
}

// One typical solve per directory, with the worked values of the page's examples.
struct DirectorySolve {
    Directory directory;
    int equation;
    std::string_view target;
    std::initializer_list<Given> values;
};

const DirectorySolve kDirectorySolves[] = {
    {BOP, 5, "a", {{"b", 45}}},
    {ORB, 3, "e", {{"r", 7e6}, {"p", 7.2e6}, {"Vr", 150}, {"M", kEarthMass}}},
    {ESC, 0, "Vhx", {{"Vbo", 11200}, {"Vsc", 11000}}},
    {FUE, 0, "DV", {{"ms", 1000}, {"ml", 0}, {"mi", 1000}, {"mf", 0}, {"Isp", 3000}}},
    {INC, 1, "Di", {{"DV", 7800}, {"Vc", 7800}}},
    {MOV, 0, "r", {{"DV", 100}, {"ap", 2}}},
    {LNC, 0, "rme", {{"M", kEarthMass}, {"rs", 6371000}, {"ap", 30}, {"rma", 7e6}}},
    {RNT, 0, "t", {{"la", 20}, {"lb", 50}, {"wa", 0.1}, {"wb", 0.2}, {"to", 0}, {"loa", 0}, {"lob", 20}}},
    {GLD, 0, "a", {{"Vd", 100}, {"Vh", -10}}},
};

void BM_SolveInDirectory(benchmark::State& state) {
    const DirectorySolve& solve = kDirectorySolves[state.range(0)];
    state.SetLabel(std::string(kCatalogue[solve.directory].code) + " " + std::to_string(solve.equation) + " " +
                   std::string(solve.target));
    SetValues(solve.directory, solve.values);
    BenchPage page(solve.directory, solve.equation, solve.target);
    TimeSolve(state, page);
}
BENCHMARK(BM_SolveInDirectory)->DenseRange(0, std::size(kDirectorySolves) - 1);

// ORB equation 9 solved for the anomaly: one search that converges at once, and
// the worst cases, whose false-position search runs to its 10000-step limit: a
// time beyond the reach of the table on a hyperbola (the bracket's far end is the
// unreachable-anomaly marker, so each step moves a hair) and on a nearly parabolic
// ellipse (times so large that the tolerance lies below their rounding).
struct AnomalySolve {
    const char* name;
    double p, e, t;
};

const AnomalySolve kAnomalySolves[] = {
    {"ellipse e=0.5, back to 90 dg", 1e7, 0.5, 1497.759},
    {"hyperbola e=2, far past the asymptote", 1e7, 2.0, -1e9},
    {"hyperbola e=1.0001, far past the asymptote", 1e7, 1.0001, -1e9},
    {"ellipse e=0.999999, late in the orbit", 1e7, 0.999999, 5e7},
};

double ScaledTime(const AnomalySolve& solve) {
    return solve.t / (solve.p * solve.p / std::sqrt(kGravitationalConstant * kEarthMass * solve.p));
}

void BM_AnomalySearch(benchmark::State& state) {
    const AnomalySolve& solve = kAnomalySolves[state.range(0)];
    state.SetLabel(solve.name);
    SetValues(ORB, {{"p", solve.p}, {"e", solve.e}, {"t", solve.t}, {"M", kEarthMass}});
    BenchPage page(ORB, 9, "v");
    TimeSolve(state, page);
    state.counters["kernel_evaluations"] = SearchAnomaly(solve.e, ScaledTime(solve), kShortPi).kernelEvaluations;
}
BENCHMARK(BM_AnomalySearch)->DenseRange(0, std::size(kAnomalySolves) - 1)->Unit(benchmark::kMicrosecond);

// The kernel alone, over the anomalies of the range the search scans, for the
// eccentricities above: the cost of the evaluations the search is made of.
void BM_PerigeeTimeKernel(benchmark::State& state) {
    const AnomalySolve& solve = kAnomalySolves[state.range(0)];
    state.SetLabel(solve.name);
    const double range = solve.e < 1 ? 360.0 : std::acos(-1 / solve.e) * 180 / kShortPi;
    std::vector<double> anomalies;
    for (int i = 1; i < 1000; ++i) anomalies.push_back(range * i / 1000);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScaledPerigeeTime(solve.e, anomalies[next], kShortPi));
        next = next + 1 == anomalies.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_PerigeeTimeKernel)->DenseRange(0, std::size(kAnomalySolves) - 1);

// One whole drawing of the fullest page (ORB, thirteen rows) into the host's
// recording device context, prepared as the host prepares every drawing.
void BM_DrawPage(benchmark::State& state) {
    ValueStore = InitialValueStore();
    BenchPage page(ORB, 9, "t");
    sim::DeviceContext dc(400, 400);
    for (auto _ : state) sim::DrawPage(*page, dc);
    state.counters["texts"] = static_cast<double>(dc.DrawingsOf<sim::DrawnText>().size());
}
BENCHMARK(BM_DrawPage)->Unit(benchmark::kMicrosecond);

// A world of `count` bodies: a planet at the origin, the rest moons on circles
// about it, and the vessel in low orbit about the planet.
void InstallWorldOfBodies(int count) {
    sim::World world;
    world.bodies.push_back({"Planet", kEarthMass, 6.371e6, 86164.1, {}, {}, -1});
    for (int i = 1; i < count; ++i) {
        const double radius = 4e8 + 1e6 * i;
        const double speed = std::sqrt(sim::kGravitationalConstant * kEarthMass / radius);
        const double angle = 0.1 * i;
        world.bodies.push_back({"Moon " + std::to_string(i),
                                7.3e22,
                                1.7e6,
                                0,
                                {radius * std::cos(angle), radius * std::sin(angle), 0},
                                {-speed * std::sin(angle), speed * std::cos(angle), 0},
                                0});
    }
    world.focus.emptyMass = 10000;
    world.focus.position = {6.771e6, 0, 0};
    world.focus.velocity = {0, 7670, 0};
    world.focus.reference = 0;
    sim::TheWorld() = std::move(world);
}

void BM_FindReferenceBody(benchmark::State& state) {
    InstallWorldOfBodies(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(FindReferenceBody());
}
BENCHMARK(BM_FindReferenceBody)->Arg(3)->Arg(100)->Arg(1000);

// Get All in ORB: five readings, each of which walks the whole body list.
void BM_GetAllValuesInOrbit(benchmark::State& state) {
    InstallWorldOfBodies(static_cast<int>(state.range(0)));
    ValueStore = InitialValueStore();
    BenchPage page(ORB, 0, "r");
    for (auto _ : state) {
        page->ConsumeKeyBuffered(kKeyGetAllValues);
        benchmark::DoNotOptimize(ValueStore);
    }
    if (page->Status() != kSolved) state.SkipWithError("a reading failed");
}
BENCHMARK(BM_GetAllValuesInOrbit)->Arg(3)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
