#include "app/play_command.h"

#include <algorithm>
#include <cstdlib>

#include "app/module_location.h"
#include "app/page_session.h"
#include "sim/host.h"
#include "sim/render_png.h"
#include "sim/render_text.h"
#include "sim/scenario.h"
#include "sim/world.h"

namespace kalvo::app {

namespace {

constexpr std::string_view kTypePrefix = "type:";
constexpr std::string_view kWaitPrefix = "wait:";
constexpr std::string_view kDrawToken = "draw";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Joined(std::span<const std::string> words) {
    std::string joined;
    for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

// Where a step stands in the script, counting from 1, for error messages.
std::string StepPlace(std::size_t index) { return "step " + std::to_string(index + 1) + ": "; }

double ReadWait(const std::string& token, std::size_t index) {
    const std::string text(token.substr(kWaitPrefix.size()));
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(seconds >= 0 && seconds <= kLongestWait))
        throw UsageError(StepPlace(index) + "wait takes a number of seconds from 0 to " +
                         std::to_string(static_cast<long long>(kLongestWait)) + ", got " + Quoted(text));
    return seconds;
}

// Moves the world on in spans the world takes in one call.
void Wait(double seconds) {
    while (seconds > 0) {
        const double span = std::min(seconds, sim::kLongestAdvance);
        if (!sim::AdvanceTime(span))
            throw std::runtime_error("the world could not move on by " + std::to_string(span) + " s");
        seconds -= span;
    }
}

class ScriptRunner {
public:
    explicit ScriptRunner(PageSession& session) : session_(session) {}

    void operator()(const PressButton& press) { session_.ClickButton(press.button); }
    void operator()(const TypeText& typed) {
        if (!sim::InputBox().open)
            throw UsageError(StepPlace(index_) + "no input box is open to type " + Quoted(typed.text) + " into");
        sim::TypeIntoInputBox(typed.text);
    }
    void operator()(const WaitSeconds& wait) { Wait(wait.seconds); }
    void operator()(const DrawPage&) { session_.Draw(); }

    void Run(const std::vector<ScriptStep>& steps) {
        for (index_ = 0; index_ < steps.size(); ++index_) std::visit(*this, steps[index_]);
    }

private:
    PageSession& session_;
    std::size_t index_ = 0;
};

}  // namespace

std::vector<ScriptStep> ParseScript(std::span<const std::string> tokens, std::span<const std::string> labels) {
    std::vector<ScriptStep> steps;
    for (std::size_t index = 0; index < tokens.size(); ++index) {
        const std::string& token = tokens[index];
        const auto label = std::find(labels.begin(), labels.end(), token);
        if (label != labels.end())
            steps.emplace_back(PressButton{static_cast<int>(label - labels.begin())});
        else if (token.starts_with(kTypePrefix))
            steps.emplace_back(TypeText{token.substr(kTypePrefix.size())});
        else if (token.starts_with(kWaitPrefix))
            steps.emplace_back(WaitSeconds{ReadWait(token, index)});
        else if (token == kDrawToken)
            steps.emplace_back(DrawPage{});
        else
            throw UsageError(StepPlace(index) + "unknown step " + Quoted(token) +
                             " (expected a button label: " + Joined(labels) + "; or type:TEXT, wait:SECONDS, draw)");
    }
    return steps;
}

int RunPlay(const PlayRequest& request, std::ostream& out, std::ostream& err) {
    try {
        const DisplaySize size = ParseDisplaySize(request.size);
        StartScenario(request.scenario.empty() ? sim::kDefaultScenario : request.scenario);
        PageSession session(FindModule(), size);
        const std::vector<std::string> labels = session.ButtonLabels();
        ScriptRunner(session).Run(ParseScript(request.script, labels));

        const sim::DeviceContext& page = session.Draw();
        if (!request.png.empty()) sim::WritePng(page, request.png);
        if (request.text || request.ansi || request.png.empty())
            out << sim::RenderTextGrid(page, session.GridOptions(request.ansi));
        if (sim::InputBox().open)
            err << "kalvo play: the input box " << Quoted(sim::InputBox().title)
                << " was left open: nothing was typed into it\n";
        return 0;
    } catch (const std::exception& error) {
        err << "kalvo play: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace kalvo::app
