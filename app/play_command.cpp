#include "app/play_command.h"

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
        StartScenario(request.scenario);
        PageSession session(FindModule(), size);
        sim::RunScript(session.Display(), sim::ParseScript(request.script, session.ButtonLabels()),
                       [&](int) { session.Draw(); });

        const sim::DeviceContext& page = session.Draw();
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
