#include "app/play_command.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "app/exit_status.h"
#include "app/json_values.h"
#include "app/module_location.h"
#include "app/page_session.h"
#include "catalogue/catalogue.h"
#include "sim/gdi/render_png.h"
#include "sim/gdi/render_text.h"
#include "sim/host/host.h"
#include "sim/host/script.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"
#include "ui/status_messages.h"

namespace kalvo::app {

namespace {

// A step that cannot be read is a mistake on the command line.
std::vector<sim::ScriptStep> ReadSteps(const std::vector<std::string>& tokens, const PageSession& session) {
    try {
        return sim::ParseScript(tokens, session.ButtonLabels());
    } catch (const sim::ScriptError& error) {
        throw UsageError(error.what());
    }
}

// The page it ended on: its selection, which its last drawing shows, the status that
// drawing showed, and every value of the directory in both variable sets, exactly.
nlohmann::ordered_json PageJson(PageSession& session) {
    const KalvoSelection shown = session.Selection();
    const int d = shown.directory;
    nlohmann::ordered_json sets = nlohmann::ordered_json::object();
    for (int set = 0; set < kVariableSetCount; ++set)
        sets[std::to_string(set + 1)] = JsonOfDirectoryValues(d, [&](int v) { return session.Cell(set, d, v); });
    return {{"directory", std::string(kCatalogue[d].code)},
            {"equation", shown.equation},
            {"variable", std::string(kCatalogue[d].variables[shown.variable].symbol)},
            {"set", shown.variableSet + 1},
            {"status", session.ShownStatus()},
            {"message", MessageOfStatus(session.ShownStatus()).text},
            {"sets", sets}};
}

}  // namespace

int RunPlay(const PlayRequest& request, std::ostream& out, std::ostream& err) {
    try {
        if (request.json && (request.text || request.ansi))
            throw UsageError("--json and --text or --ansi all write to standard output: give one of them");
        const DisplaySize size = ParseDisplaySize(request.size);
        StartScenario(request.scenario);
        PageSession session(FindModule(), size);
        const std::vector<sim::ScriptStep> steps = ReadSteps(request.script, session);
        std::optional<std::size_t> redrawnAfter;
        sim::RunScript(
            session.Display(), steps, [&](int) { session.Draw(); },
            [&](std::size_t step) {
                session.Draw();
                redrawnAfter = step;
            });
        // The page it ends on: the last drawing, unless a step came after it, which
        // the host's next refresh shows.
        const bool drawnLast =
            !steps.empty() && (steps.back().kind == sim::ScriptStep::Kind::Draw || redrawnAfter == steps.size() - 1);
        if (!drawnLast) session.Draw();
        const sim::DeviceContext& page = session.LastDrawing();
        if (!request.png.empty()) sim::WritePng(page, request.png);
        if (request.json)
            out << PageJson(session).dump() << '\n';
        else if (request.text || request.ansi || request.png.empty())
            out << sim::RenderTextGrid(page, session.GridOptions(request.ansi));
        if (sim::InputBox().open)
            err << "kalvo play: the input box \"" << sim::InputBox().title
                << "\" was left open: nothing was typed into it\n";
        return kExitDone;
    } catch (...) {
        return ReportFailure("kalvo play", err);
    }
}

}  // namespace kalvo::app
