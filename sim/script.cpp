#include "sim/script.h"

#include <algorithm>
#include <charconv>

#include "sim/host.h"
#include "sim/world.h"

namespace sim {

namespace {

constexpr std::string_view kTypePrefix = "type:";
constexpr std::string_view kWaitPrefix = "wait:";

std::string Joined(const std::vector<std::string>& labels) {
    std::string joined;
    for (const std::string& label : labels) joined += (joined.empty() ? "" : " ") + label;
    return joined;
}

double ParseSeconds(const std::string& token) {
    const std::string_view number = std::string_view(token).substr(kWaitPrefix.size());
    double seconds = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), seconds);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() || !(seconds >= 0) ||
        seconds > kLongestWait)
        throw ScriptError("bad step \"" + token + "\": expected wait:SECONDS with SECONDS a number from 0 to 1e9");
    return seconds;
}

}  // namespace

std::vector<ScriptStep> ParseScript(const std::vector<std::string>& tokens,
                                    const std::vector<std::string>& buttonLabels) {
    std::vector<ScriptStep> steps;
    for (const std::string& token : tokens) {
        ScriptStep step;
        step.token = token;
        const auto label = std::find(buttonLabels.begin(), buttonLabels.end(), token);
        if (label != buttonLabels.end()) {
            step.kind = ScriptStep::Kind::Button;
            step.button = static_cast<int>(label - buttonLabels.begin());
        } else if (token.starts_with(kTypePrefix)) {
            step.kind = ScriptStep::Kind::Type;
            step.text = token.substr(kTypePrefix.size());
        } else if (token == "draw") {
            step.kind = ScriptStep::Kind::Draw;
        } else if (token.starts_with(kWaitPrefix)) {
            step.kind = ScriptStep::Kind::Wait;
            step.seconds = ParseSeconds(token);
        } else {
            throw ScriptError("unknown step \"" + token + "\" (expected a button label " + Joined(buttonLabels) +
                              ", type:TEXT, draw or wait:SECONDS)");
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

void RunScript(Display& display, const std::vector<ScriptStep>& steps, const std::function<void(int drawing)>& draw) {
    int drawings = 0;
    for (const ScriptStep& step : steps) {
        switch (step.kind) {
            case ScriptStep::Kind::Button:
                display.ClickButton(step.button);
                break;
            case ScriptStep::Kind::Type:
                if (!TypeIntoInputBox(step.text))
                    throw ScriptError("step \"" + step.token + "\": no input box is open (the Inp button opens one)");
                break;
            case ScriptStep::Kind::Draw:
                draw(++drawings);
                break;
            case ScriptStep::Kind::Wait:
                // The world moves on in bounded pieces.
                for (double left = step.seconds; left > 0; left -= kLongestAdvance)
                    AdvanceTime(std::min(left, kLongestAdvance));
                break;
        }
    }
}

}  // namespace sim
