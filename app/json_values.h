// Values as kalvo's JSON output writes them, for `kalvo solve --json` and
// `kalvo play --json` alike.
#pragma once

#include <functional>
#include <nlohmann/json.hpp>

namespace kalvo::app {

// A value exactly: the shortest number that reads back as this very double; a value
// that is not finite as the text "inf", "-inf" or "nan".
nlohmann::ordered_json JsonOfValue(double value);

// The values of directory d's variables, by symbol in the directory's order, as
// `value` gives them for each variable's index.
nlohmann::ordered_json JsonOfDirectoryValues(int d, const std::function<double(int variable)>& value);

}  // namespace kalvo::app
