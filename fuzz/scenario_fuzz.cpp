// A coverage-guided fuzzer over scenario files: any bytes, loaded as the stand-in
// host loads a scenario file. Every input must either be refused or start a world
// that stays finite; a broken rule aborts with a message naming it.
//
// Refused: the message names the file, then the place in it (a key path, or the
// line and column of broken JSON) and says what was expected; the world installed
// before is left as it was.
// Accepted: every number of the world is finite, and stays so when the world is
// advanced in a few large steps; after each, Get All in every directory of a page
// fills every readable cell with a finite value. (A scenario file holds only
// finite numbers: JSON has no others, and a number beyond a double is refused.)
#include <sys/mman.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/value_store.h"
#include "host/entry.h"
#include "sim/host/display.h"
#include "sim/host/host.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"
#include "ui/command_keys.h"

namespace {

constexpr DWORD kKalvoModeKey = 18;

// The advances after which the world is read: a minute (a single step of the
// world), an hour and a day; a day in all, two days after the start.
constexpr double kAdvances[] = {60, 3600, 86400};

std::string input;  // the text of the input, for the message of a broken rule

[[noreturn]] void Broken(const std::string& rule) {
    std::fprintf(stderr, "\nkalvo_scenario_fuzz: invariant broken: %s\n  scenario: %.400s\n", rule.c_str(),
                 input.c_str());
    std::abort();
}

void Require(bool holds, const std::string& rule) {
    if (!holds) Broken(rule);
}

// The scenario file the loader reads: a file in memory, rewritten for every input.
int scenarioFile = -1;
std::string scenarioPath;

void WriteScenarioFile(const std::uint8_t* data, std::size_t size) {
    Require(ftruncate(scenarioFile, 0) == 0, "the scenario file can be emptied");
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = pwrite(scenarioFile, data + written, size - written, static_cast<off_t>(written));
        Require(n > 0, "the scenario file can be written");
        written += static_cast<std::size_t>(n);
    }
}

// Coverage of sizes: libFuzzer counts these counters as it counts branches, so an
// input that takes a distance, a speed or a mass of the world to a power of two
// not reached before is kept, and the search goes on from it towards the ends of
// a double, where the arithmetic of orbits overflows.
enum Size { kDistance, kSpeed, kMass, kThrust, kRotation, kSizeKinds };
constexpr int kSizeBuckets = 2 + 2100 / 8;  // ilogb from -1074 to 1023 in steps of 8, zero, not finite
__attribute__((section("__libfuzzer_extra_counters"))) std::uint8_t sizeCounters[kSizeKinds][kSizeBuckets];

void NoteSize(Size kind, double value) {
    int bucket = 0;
    if (!std::isfinite(value))
        bucket = kSizeBuckets - 1;
    else if (value != 0)
        bucket = 1 + (std::ilogb(value) + 1074) / 8;
    ++sizeCounters[kind][bucket];
}

void NoteSizes(const sim::World& world) {
    // States are relative to the body orbited, or to the world's origin.
    for (const sim::Body& body : world.bodies) {
        NoteSize(kDistance, Length(body.position));
        NoteSize(kSpeed, Length(body.velocity));
        NoteSize(kMass, body.mass);
        NoteSize(kRotation, body.rotationPeriod);
    }
    const sim::Vessel& vessel = world.focus;
    NoteSize(kDistance, Length(vessel.position));
    NoteSize(kSpeed, Length(vessel.velocity));
    NoteSize(kMass, vessel.emptyMass + vessel.loadMass + vessel.tank.mass);
    for (const sim::Thruster& thruster : vessel.mainThrusters) NoteSize(kThrust, thruster.maxThrust);
}

bool Finite(const sim::Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The first number of the world that is not finite, named; empty when all are.
std::string NonFinitePart(const sim::World& world) {
    if (!std::isfinite(world.time)) return "the time";
    for (const sim::Body& body : world.bodies) {
        if (!std::isfinite(body.mass) || !std::isfinite(body.radius) || !std::isfinite(body.rotationPeriod))
            return "the mass, radius or period of " + body.name;
        if (!Finite(body.position) || !Finite(body.velocity)) return "the position or velocity of " + body.name;
    }
    const sim::Vessel& vessel = world.focus;
    if (!std::isfinite(vessel.emptyMass) || !std::isfinite(vessel.loadMass) || !std::isfinite(vessel.tank.mass) ||
        !std::isfinite(vessel.tank.efficiency))
        return "the vessel's masses";
    for (const sim::Thruster& thruster : vessel.mainThrusters)
        if (!std::isfinite(thruster.maxThrust) || !std::isfinite(thruster.isp)) return "a thruster of the vessel";
    if (!Finite(vessel.position) || !Finite(vessel.velocity)) return "the vessel's position or velocity";
    if (vessel.flight && (!std::isfinite(vessel.flight->groundSpeed) || !std::isfinite(vessel.flight->heading) ||
                          !std::isfinite(vessel.flight->verticalSpeed)))
        return "the vessel's flight";
    return "";
}

// Get All in every directory of the page, from BOP round to BOP again; every
// readable cell of the directory is then finite (a reading that fails writes
// nothing, and the cells start at 0).
void ReadEverything(sim::Display& display, double time) {
    kalvo::ValueStore = kalvo::InitialValueStore();
    for (int d = 0; d < kalvo::kDirectoryCount; ++d) {
        display.PressKey(kalvo::kKeyGetAllValues);
        for (int v = 0; v < kalvo::VariableCount(d); ++v)
            if (kalvo::kCatalogue[d].variables[v].fetchable && !std::isfinite(kalvo::ValueStore[0][d][v]))
                Broken("a reading of an accepted world is finite: " + std::string(kalvo::kCatalogue[d].code) + " " +
                       std::string(kalvo::kCatalogue[d].variables[v].symbol) + " read " +
                       std::to_string(kalvo::ValueStore[0][d][v]) + " at " + std::to_string(time) + " s");
        display.PressKey(kalvo::kKeyNextDirectory);
    }
}

// A refusal names the file, then where in it and what was expected, on one line.
void CheckRefusal(const std::string& error) {
    const std::string prefix = scenarioPath + ": ";
    Require(error.rfind(prefix, 0) == 0, "a refusal starts with the file's name: " + error);
    Require(error.find('\n') == std::string::npos, "a refusal is one line: " + error);
    const std::string rest = error.substr(prefix.size());
    const bool brokenJson = rest.rfind("not valid JSON: parse error at line ", 0) == 0;
    Require(brokenJson || rest.find("expected") != std::string::npos, "a refusal says what was expected: " + error);
}

sim::World& Sentinel() {
    static sim::World world;
    return world;
}

// Numbers worth putting into a scenario: the ends of a double, and values where
// the arithmetic of orbits turns (squares that overflow, a parabola's eccentricity).
constexpr const char* kEdgeNumbers[] = {"0",
                                        "-0",
                                        "1",
                                        "-1",
                                        "1e308",
                                        "-1e308",
                                        "1.7976931348623157e308",
                                        "1e-300",
                                        "5e-324",
                                        "1e154",
                                        "1e-154",
                                        "1e400",
                                        "2",
                                        "0.9999999999999999",
                                        "1.0000000000000002",
                                        "90",
                                        "-90",
                                        "180",
                                        "360"};

// A number of the text outside its strings: where it starts and how long it is.
struct NumberSpan {
    std::size_t start, length;
};

std::vector<NumberSpan> NumbersIn(const std::uint8_t* data, std::size_t size) {
    std::vector<NumberSpan> numbers;
    bool inString = false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t end = i + 1;
            while (end < size && std::strchr("0123456789.eE+-", static_cast<char>(data[end])) != nullptr) ++end;
            numbers.push_back({i, end - i});
            i = end - 1;
        }
    }
    return numbers;
}

}  // namespace

// libFuzzer's own mutation of the bytes.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// Half the mutations are libFuzzer's own, on the bytes; the other half replace one
// number of the text by an edge number, or by the same number scaled by a power of
// ten, which byte mutations seldom reach while the file stays readable.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
    std::minstd_rand random(seed);
    const std::vector<NumberSpan> numbers = NumbersIn(data, size);
    if (numbers.empty() || random() % 2 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    const NumberSpan number = numbers[random() % numbers.size()];
    std::string replacement;
    if (random() % 2 == 0) {
        replacement = kEdgeNumbers[random() % std::size(kEdgeNumbers)];
    } else {
        const std::string old(reinterpret_cast<const char*>(data + number.start), number.length);
        const int power = static_cast<int>(random() % 641) - 320;
        char text[40];
        std::snprintf(text, sizeof text, "%.17ge%d", std::strtod(old.c_str(), nullptr), power);
        replacement = text;
    }
    const std::size_t newSize = size - number.length + replacement.size();
    if (newSize > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
    std::memmove(data + number.start + replacement.size(), data + number.start + number.length,
                 size - number.start - number.length);
    std::memcpy(data + number.start, replacement.data(), replacement.size());
    return newSize;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    opcDLLInit(nullptr);
    Require(sim::FindModeByKey(kKalvoModeKey) != nullptr, "the module registers its mode under key 18");
    scenarioFile = memfd_create("scenario.json", 0);
    Require(scenarioFile >= 0, "a file in memory can be made");
    scenarioPath = "/proc/self/fd/" + std::to_string(scenarioFile);
    // The world installed before each input, to see that a refusal keeps it.
    Sentinel().bodies.push_back({"Sentinel", 1, 1, 0, {}, {}, -1});
    Sentinel().time = 12345;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    input.assign(reinterpret_cast<const char*>(data), size);
    WriteScenarioFile(data, size);
    sim::TheWorld() = Sentinel();
    const std::string error = sim::LoadScenario(scenarioPath);
    if (!error.empty()) {
        CheckRefusal(error);
        const sim::World& world = sim::TheWorld();
        Require(world.time == Sentinel().time && world.bodies.size() == 1 && world.bodies[0].name == "Sentinel",
                "a refused scenario leaves the world as it was");
        return 0;
    }
    NoteSizes(sim::TheWorld());
    Require(NonFinitePart(sim::TheWorld()).empty(),
            "an accepted world starts finite: " + NonFinitePart(sim::TheWorld()));
    sim::Display display(400, 400);
    Require(display.SelectMode(kKalvoModeKey), "a display switches to the mode");
    ReadEverything(display, sim::TheWorld().time);
    for (const double seconds : kAdvances) {
        Require(sim::AdvanceTime(seconds), "the world advances");
        NoteSizes(sim::TheWorld());
        const std::string part = NonFinitePart(sim::TheWorld());
        Require(part.empty(),
                "an accepted world stays finite: " + part + " at " + std::to_string(sim::TheWorld().time) + " s");
        ReadEverything(display, sim::TheWorld().time);
    }
    return 0;
}
