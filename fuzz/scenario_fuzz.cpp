// A coverage-guided fuzzer over scenario files: any bytes, loaded as the stand-in
// host loads a scenario file. A refusal names the file, then the place in it (a key
// path, or the line and column of broken JSON) and what was expected, and leaves the
// world installed before as it was. An accepted world's numbers are all finite, and
// stay so when it is advanced in a few large steps; after each, Get All in every
// directory of a page fills every readable cell with a finite value. A broken rule
// aborts with a message naming it.
#include <sys/mman.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <random>
#include <string_view>

#include "fuzz/fuzz.h"
#include "ui/command_keys.h"

namespace {

using fuzz::Broken;
using fuzz::Require;

// The advances after which the world is read again: a minute (a single step of the
// world), an hour and a day.
constexpr double kAdvances[] = {0, 60, 3600, 86400};

std::string input;  // the text of the input, for the message of a broken rule

// The scenario file the loader reads: a file in memory, rewritten for every input.
int scenarioFile = -1;
std::string scenarioPath;

// The world installed before each input, to see that a refusal keeps it.
sim::World sentinel{{{"Sentinel", 1, 1, 0, {}, {}, -1}}, {}, 12345};

// Coverage of sizes, counted by libFuzzer as branches: an input that takes a number
// of the world to a magnitude not reached before is kept, and the search goes on
// from it towards the ends of a double, where the arithmetic of orbits overflows.
enum Size { kDistance, kSpeed, kMass, kThrust, kRotation, kOther, kSizeKinds };
constexpr int kSizeBuckets = 2 + 2100 / 8;  // ilogb from -1074 to 1023 in steps of 8, zero, not finite
__attribute__((section("__libfuzzer_extra_counters"))) std::uint8_t sizeCounters[kSizeKinds][kSizeBuckets];

// Counts every number of the world towards its size; names the first that is not
// finite, or gives an empty string when all are.
std::string Survey(const sim::World& world) {
    std::string nonFinite;
    const auto numbers = [&](Size kind, const std::string& whose, std::initializer_list<double> values) {
        for (const double value : values) {
            const bool finite = std::isfinite(value);
            ++sizeCounters[kind][!finite ? kSizeBuckets - 1 : value == 0 ? 0 : 1 + (std::ilogb(value) + 1074) / 8];
            if (!finite && nonFinite.empty()) nonFinite = whose;
        }
    };
    numbers(kOther, "the time", {world.time});
    for (const sim::Body& b : world.bodies) {
        numbers(kMass, "the mass of " + b.name, {b.mass});
        numbers(kDistance, "the radius or position of " + b.name, {b.radius, b.position.x, b.position.y, b.position.z});
        numbers(kSpeed, "the velocity of " + b.name, {b.velocity.x, b.velocity.y, b.velocity.z});
        numbers(kRotation, "the rotation period of " + b.name, {b.rotationPeriod});
    }
    const sim::Vessel& v = world.focus;
    numbers(kMass, "the vessel's masses", {v.emptyMass, v.loadMass, v.tank.mass});
    numbers(kOther, "the vessel's tank", {v.tank.efficiency});
    for (const sim::Thruster& thruster : v.mainThrusters)
        numbers(kThrust, "a thruster", {thruster.maxThrust, thruster.isp});
    numbers(kDistance, "the vessel's position", {v.position.x, v.position.y, v.position.z});
    numbers(kSpeed, "the vessel's velocity", {v.velocity.x, v.velocity.y, v.velocity.z});
    if (v.flight)
        numbers(kOther, "the vessel's flight", {v.flight->groundSpeed, v.flight->heading, v.flight->verticalSpeed});
    return nonFinite;
}

// Get All in every directory of the page, from BOP round to BOP again: every readable
// cell is then finite (a failed reading writes nothing, and the cells start at 0).
void ReadEverything(sim::Display& display) {
    using namespace kalvo;
    ValueStore = InitialValueStore();
    for (int d = 0; d < kDirectoryCount; ++d) {
        display.PressKey(kKeyGetAllValues);
        for (int v = 0; v < VariableCount(d); ++v)
            if (kCatalogue[d].variables[v].fetchable && !std::isfinite(ValueStore[0][d][v]))
                Broken("a reading of an accepted world is finite: " + std::string(kCatalogue[d].code) + " " +
                       std::string(kCatalogue[d].variables[v].symbol) + " read " + std::to_string(ValueStore[0][d][v]) +
                       " at " + std::to_string(sim::TheWorld().time) + " s");
        display.PressKey(kKeyNextDirectory);
    }
}

// A refusal names the file, then where in it and what was expected, on one line.
void CheckRefusal(const std::string& error) {
    const std::string prefix = scenarioPath + ": ";
    Require(error.starts_with(prefix), "a refusal starts with the file's name: " + error);
    Require(error.find('\n') == std::string::npos, "a refusal is one line: " + error);
    Require(error.find("expected", prefix.size()) != std::string::npos ||
                std::string_view(error).substr(prefix.size()).starts_with("not valid JSON: parse error at line "),
            "a refusal says what was expected: " + error);
    const sim::World& world = sim::TheWorld();
    Require(world.time == sentinel.time && world.bodies.size() == 1 && world.bodies[0].name == "Sentinel",
            "a refused scenario leaves the world as it was");
}

// Numbers worth putting into a scenario: the ends of a double, and values where
// the arithmetic of orbits turns (squares that overflow, a parabola's eccentricity).
// clang-format off
constexpr const char* kEdgeNumbers[] = {
    "0", "-0", "1", "-1", "1e308", "-1e308", "1.7976931348623157e308", "1e-300", "5e-324", "1e154", "1e-154",
    "1e400", "2", "0.9999999999999999", "1.0000000000000002", "90", "-90", "180", "360"};
// clang-format on

}  // namespace

const char* const fuzz::kName = "kalvo_scenario_fuzz";

void fuzz::DescribeInput() { std::fprintf(stderr, "  scenario: %.400s\n", input.c_str()); }

// libFuzzer's own mutation of the bytes.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// Half the mutations are libFuzzer's own, on the bytes; the other half replace one
// number of the text by an edge number, or by the same number scaled by a power of
// ten, which byte mutations seldom reach while the file stays readable.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
    std::minstd_rand random(seed);
    std::vector<std::pair<std::size_t, std::size_t>> numbers;  // where each starts, and its length
    for (std::size_t i = 0, end = 0; i < size; i = std::max(i + 1, end)) {
        if (data[i] != '-' && !std::isdigit(data[i])) continue;
        for (end = i + 1; end < size && std::strchr("0123456789.eE+-", data[end]) != nullptr; ++end) {
        }
        numbers.emplace_back(i, end - i);
    }
    if (numbers.empty() || random() % 2 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    const auto [start, length] = numbers[random() % numbers.size()];
    char text[48];
    std::snprintf(text, sizeof text, "%s", kEdgeNumbers[random() % std::size(kEdgeNumbers)]);
    if (random() % 2 == 0)
        std::snprintf(text, sizeof text, "%.17ge%d",
                      std::strtod(std::string(reinterpret_cast<const char*>(data + start), length).c_str(), nullptr),
                      static_cast<int>(random() % 641) - 320);
    const std::size_t textSize = std::strlen(text), newSize = size - length + textSize;
    if (newSize > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memmove(data + start + textSize, data + start + length, size - start - length);
    std::memcpy(data + start, text, textSize);
    return newSize;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartModule();
    scenarioFile = memfd_create("scenario.json", 0);
    Require(scenarioFile >= 0, "a file in memory can be made");
    scenarioPath = "/proc/self/fd/" + std::to_string(scenarioFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    input.assign(reinterpret_cast<const char*>(data), size);
    Require(ftruncate(scenarioFile, 0) == 0 && pwrite(scenarioFile, data, size, 0) == static_cast<ssize_t>(size),
            "the scenario file can be written");
    sim::TheWorld() = sentinel;
    const std::string error = sim::LoadScenario(scenarioPath);
    if (!error.empty()) {
        CheckRefusal(error);
        return 0;
    }
    sim::Display display(400, 400);
    Require(display.SelectMode(kalvo::kModeKey), "a display switches to the mode");
    for (const double seconds : kAdvances) {
        Require(seconds == 0 || sim::AdvanceTime(seconds), "the world advances");
        const std::string part = Survey(sim::TheWorld());
        Require(part.empty(), "an accepted world " + std::string(seconds == 0 ? "starts" : "stays") +
                                  " finite: " + part + " at " + std::to_string(sim::TheWorld().time) + " s");
        ReadEverything(display);
    }
    return 0;
}
