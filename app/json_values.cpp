#include "app/json_values.h"

#include <cmath>
#include <string>

#include "catalogue/catalogue.h"

namespace kalvo::app {

nlohmann::ordered_json JsonOfValue(double value) {
    if (std::isfinite(value)) return value;
    return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
}

nlohmann::ordered_json JsonOfDirectoryValues(int d, const std::function<double(int variable)>& value) {
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (int v = 0; v < VariableCount(d); ++v)
        values[std::string(kCatalogue[d].variables[v].symbol)] = JsonOfValue(value(v));
    return values;
}

}  // namespace kalvo::app
