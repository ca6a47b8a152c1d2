#include "app/play_command.h"

#include <optional>

#include "app/module_location.h"
#include "app/page_session.h"
#include "sim/host.h"
#include "sim/render_png.h"
#include "sim/render_text.h"
#include "sim/scenario.h"
#include "sim/script.h"
#include "sim/world.h"

namespace kalvo::app {

int RunPlay(const PlayRequest& request, std::ostream& out, std::ostream& err) {
    try {
        const DisplaySize size = ParseDisplaySize(request.size);
        StartScenario(request.scenario.empty() ? sim::kDefaultScenario : request.scenario);
        PageSession session(FindModule(), size);
        const std::vector<sim::ScriptStep> steps = sim::ParseScript(request.script, session.ButtonLabels());
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
        if (request.text || request.ansi || request.png.empty())
            out << sim::RenderTextGrid(page, session.GridOptions(request.ansi));
        if (sim::InputBox().open)
            err << "kalvo play: the input box \"" << sim::InputBox().title
                << "\" was left open: nothing was typed into it\n";
        return 0;
    } catch (const std::exception& error) {
        err << "kalvo play: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace kalvo::app
