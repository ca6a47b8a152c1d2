// The parts of the scenario reader shared by its files: where a mistake is and
// how an error text names what was found, the bounds of every number a scenario
// holds, and the checked fields of one object of the file.
#pragma once

#include <cmath>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/world/vec3.h"

namespace sim::scenario {

using nlohmann::json;

// "PATH: " before a message about the value at PATH; nothing for the whole file.
std::string PlaceOf(const std::string& path);

// A mistake in the scenario: where it is (a key path) and what is wrong.
class ScenarioMistake : public std::runtime_error {
public:
    ScenarioMistake(const std::string& path, const std::string& message)
        : std::runtime_error(PlaceOf(path) + message) {}
};

std::string NumberText(double value);
// A text of the file in double quotes, its control characters escaped as JSON
// escapes them, so that an error text stays on one line.
std::string Quoted(const std::string& text);
// A JSON value as an error text quotes what was found.
std::string Found(const json& value);
std::string ListOf(std::initializer_list<std::string_view> names);

// The Sun, the Earth and the Moon, in the file format, for every scenario that
// lists no bodies of its own.
std::string_view SolarSystemText();

// What a number in the file may be, and how an error text names it: `what`, then
// its range. With `smallestSize`, 0 is admitted and otherwise no smaller size.
struct Quantity {
    std::string_view what;
    double low;
    double high;
    bool lowIncluded = true;
    double smallestSize = 0;

    bool Admits(double value) const {
        return std::isfinite(value) && (lowIncluded ? value >= low : value > low) && value <= high &&
               (value == 0 || std::fabs(value) >= smallestSize);
    }
    std::string Expected() const {
        std::string range;
        if (smallestSize > 0)
            range = "0 or from " + NumberText(smallestSize) + " to " + NumberText(high) + (low < 0 ? " in size" : "");
        else if (lowIncluded)
            range = "from " + NumberText(low) + " to " + NumberText(high);
        else
            range = "greater than " + NumberText(low) + " and at most " + NumberText(high);
        return std::string(what) + ", " + range;
    }
};

// An object of the scenario and its key path; refuses keys it does not know.
class Fields {
public:
    Fields(const json& node, std::string path, std::initializer_list<std::string_view> keys)
        : node_(node), path_(std::move(path)) {
        if (!node.is_object()) throw ScenarioMistake(path_, "expected an object, found " + Found(node));
        for (const auto& [key, value] : node.items()) {
            bool known = false;
            for (const auto allowed : keys) known |= key == allowed;
            if (!known)
                throw ScenarioMistake(path_, "unknown key " + Quoted(key) + " (expected one of " + ListOf(keys) + ")");
        }
    }

    std::string PathOf(std::string_view key) const {
        return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
    }
    bool Has(std::string_view key) const { return node_.contains(key); }
    const json& At(std::string_view key, std::string_view expected = "a value") const {
        const auto found = node_.find(key);
        if (found == node_.end()) throw ScenarioMistake(PathOf(key), "missing; expected " + std::string(expected));
        return *found;
    }

    double Number(std::string_view key, const Quantity& quantity) const {
        const std::string expected = quantity.Expected();
        const json& value = At(key, expected);
        const double number = value.is_number() ? value.get<double>() : std::numeric_limits<double>::quiet_NaN();
        if (!value.is_number() || !quantity.Admits(number))
            throw ScenarioMistake(PathOf(key), "expected " + expected + ", found " + Found(value));
        return number;
    }
    double Number(std::string_view key, const Quantity& quantity, double fallback) const {
        return Has(key) ? Number(key, quantity) : fallback;
    }

    std::string Text(std::string_view key) const {
        const json& value = At(key, "a text");
        if (!value.is_string() || value.get<std::string>().empty())
            throw ScenarioMistake(PathOf(key), "expected a text that is not empty, found " + Found(value));
        return value.get<std::string>();
    }
    std::string Text(std::string_view key, std::string fallback) const { return Has(key) ? Text(key) : fallback; }

    Vec3 Vector(std::string_view key, const Quantity& component) const {
        if (!Has(key)) return {};
        const std::string expected = "a list of three numbers, each " + component.Expected();
        const json& value = At(key, expected);
        if (!value.is_array() || value.size() != 3)
            throw ScenarioMistake(PathOf(key), "expected " + expected + ", found " + Found(value));
        double xyz[3];
        for (int i = 0; i < 3; ++i) {
            if (!value[i].is_number() || !component.Admits(value[i].get<double>()))
                throw ScenarioMistake(PathOf(key) + "[" + std::to_string(i) + "]",
                                      "expected " + component.Expected() + ", found " + Found(value[i]));
            xyz[i] = value[i].get<double>();
        }
        return {xyz[0], xyz[1], xyz[2]};
    }

    // Exactly one of two keys that do the same job.
    std::string_view OneOf(std::string_view first, std::string_view second, std::string_view job) const {
        const std::string either = "\"" + std::string(first) + "\" or \"" + std::string(second) + "\"";
        if (Has(first) && Has(second)) throw ScenarioMistake(path_, "expected " + either + ", not both");
        if (!Has(first) && !Has(second))
            throw ScenarioMistake(path_, "missing " + either + "; expected one of them " + std::string(job));
        return Has(first) ? first : second;
    }

private:
    const json& node_;
    std::string path_;
};

}  // namespace sim::scenario
