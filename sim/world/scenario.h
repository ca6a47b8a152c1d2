// Scenarios: the worlds the stand-in host can start from. A few are built in; a
// user's own come from scenario files (JSON, described in docs/scenarios/README.md).
//
// For the front end:
//   sim::BuiltInScenarios()          names, descriptions and texts, the default first;
//   sim::LoadScenario(nameOrPath)    builds the world and installs it as TheWorld();
//                                    returns "" or an error text for the user;
//   sim::BuildScenario(nameOrPath)   builds without installing: the world or the error;
//   sim::AdvanceTime(seconds)        (sim/world/world.h) moves the installed world on.
// A name of a built-in scenario is taken as that scenario; anything else as the
// path of a scenario file. Error texts say what is wrong and where: the file, the
// key path in it (vessel.orbit.periapsis, bodies[2].mass) and what was expected.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "sim/world/world.h"

namespace sim {

struct BuiltInScenario {
    std::string_view name;
    std::string_view description;
    std::string_view text;  // in the file format: a starting point for a scenario of one's own
};

// The scenarios built into the host, the default first.
std::span<const BuiltInScenario> BuiltInScenarios();
inline constexpr std::string_view kDefaultScenario = "leo";

// The world of a built-in scenario or a scenario file, or an error text.
std::variant<World, std::string> BuildScenario(std::string_view nameOrPath);

// The world described by scenario text; `source` names the text in error texts.
std::variant<World, std::string> BuildScenarioFromText(std::string_view text, std::string_view source);

// Builds a scenario and installs it as TheWorld(). Returns "" on success; on failure
// the error text, and the installed world is left as it was.
std::string LoadScenario(std::string_view nameOrPath);

}  // namespace sim
