// What the two fuzzers share: the module and the host they drive, a broken rule
// that aborts with a message naming it and where the input was, and the module
// started as the host starts it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/value_store.h"
#include "host/entry.h"
#include "sim/host/display.h"
#include "sim/host/host.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"

namespace fuzz {

// Each fuzzer's name, and its account of where in the input a rule broke.
extern const char* const kName;
void DescribeInput();

[[noreturn]] inline void Broken(const std::string& rule) {
    std::fprintf(stderr, "\n%s: invariant broken: %s\n", kName, rule.c_str());
    DescribeInput();
    std::abort();
}

// A template, so that a rule given as a literal builds no string while it holds.
template <typename Rule>
void Require(bool holds, const Rule& rule) {
    if (!holds) Broken(rule);
}

// Its initialisation registers the mode. The module's load-time code has called the
// host's InitLib as the program started, which finds the initialisation only where
// the program exports it; otherwise it runs here.
inline void StartModule() {
    if (sim::FindModeByKey(kalvo::kModeKey) == nullptr) opcDLLInit(nullptr);
    Require(sim::FindModeByKey(kalvo::kModeKey) != nullptr, "the module registers its mode under its key");
}

}  // namespace fuzz
