#include "sim/host/script.h"

#include <algorithm>
#include <charconv>

#include "sim/host/host.h"
#include "sim/world/world.h"

namespace sim {

namespace {

constexpr std::string_view kTypePrefix = "type:";
constexpr std::string_view kWaitPrefix = "wait:";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// Where a step stands in the script, counting from 1, for error messages.
std::string StepPlace(std::size_t index) { return "step " + std::to_string(index + 1) + ": "; }

std::string Joined(const std::vector<std::string>& labels) {
    std::string joined;
    for (const std::string& label : labels) joined += (joined.empty() ? "" : " ") + label;
    return joined;
}

double ParseSeconds(const std::string& token, std::size_t index) {
    const std::string_view number = std::string_view(token).substr(kWaitPrefix.size());
    double seconds = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), seconds);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() || !(seconds >= 0) ||
        seconds > kLongestWait)
        throw ScriptError(StepPlace(index) + "wait takes a number of seconds from 0 to " +
                          std::to_string(static_cast<long long>(kLongestWait)) + ", got " + Quoted(number));
    return seconds;
}

}  // namespace

std::vector<ScriptStep> ParseScript(const std::vector<std::string>& tokens,
                                    const std::vector<std::string>& buttonLabels) {
    std::vector<ScriptStep> steps;
    for (std::size_t index = 0; index < tokens.size(); ++index) {
        const std::string& token = tokens[index];
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
            step.seconds = ParseSeconds(token, index);
        } else {
            throw ScriptError(StepPlace(index) + "unknown step " + Quoted(token) + " (expected a button label: " +
                              Joined(buttonLabels) + "; or type:TEXT, wait:SECONDS, draw)");
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

void RunScript(Display& display, const std::vector<ScriptStep>& steps, const std::function<void(int drawing)>& draw,
               const std::function<void(std::size_t step)>& redraw) {
    int drawings = 0;
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const ScriptStep& step = steps[index];
        switch (step.kind) {
            case ScriptStep::Kind::Button:
                // Pressed, and held for one frame.
                display.PressButton(step.button);
                display.HoldButton(step.button);
                break;
            case ScriptStep::Kind::Type:
                if (!TypeIntoInputBox(step.text))
                    throw ScriptError(StepPlace(index) + "no input box is open to type " + Quoted(step.text) +
                                      " into (the Inp button opens one)");
                break;
            case ScriptStep::Kind::Draw:
                draw(++drawings);
                break;
            case ScriptStep::Kind::Wait:
                // The world moves on in bounded pieces.
                for (double left = step.seconds; left > 0; left -= kLongestAdvance)
                    if (!AdvanceTime(std::min(left, kLongestAdvance)))
                        throw ScriptError(StepPlace(index) + "the world could not move on");
                break;
        }
        // One drawing answers every request the step made.
        if (display.TakeRedrawRequest() && redraw) redraw(index);
    }
}

}  // namespace sim
