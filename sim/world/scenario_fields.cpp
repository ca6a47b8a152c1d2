#include "sim/world/scenario_fields.h"

#include <cmath>
#include <cstdio>

namespace sim::scenario {

std::string PlaceOf(const std::string& path) { return path.empty() ? "" : path + ": "; }

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string Quoted(const std::string& text) { return json(text).dump(); }

std::string Found(const json& value) {
    if (value.is_number()) return NumberText(value.get<double>());
    if (value.is_string()) return value.dump() + " (a text)";
    if (value.is_object()) return "an object";
    if (value.is_array()) return value.empty() ? "an empty list" : "a list of " + std::to_string(value.size());
    return value.dump();
}

std::string ListOf(std::initializer_list<std::string_view> names) {
    std::string list;
    for (const auto name : names) list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

}  // namespace sim::scenario
