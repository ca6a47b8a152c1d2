// `kalvo play`: the page driven by a script of the pilot's actions, drawn whenever a
// step asks for a redraw and at every draw step, and the page it ends on written out
// as text or as a PNG image.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/page_session.h"
#include "sim/world/scenario.h"

namespace kalvo::app {

struct PlayRequest {
    std::vector<std::string> script;
    std::string size = DisplaySizeText(kDefaultDisplaySize);
    std::string png;  // a file to write the final page to, or empty
    bool text = false;
    bool ansi = false;  // text with the page's colours as terminal escapes
    bool json = false;  // the selection, the status shown and the values, exactly, in place of text
    std::string scenario{sim::kDefaultScenario};
};

// Loads the scenario and the module, runs the script and writes the final page:
// the PNG first, then the text or the JSON to `out` (text is the default when no
// PNG is asked for). A bad request (kExitUsage), a module that cannot be loaded
// (kExitNoModule), a step that cannot be carried out or a file that cannot be
// written (kExitFailed) prints an error to `err` and writes nothing to `out`.
int RunPlay(const PlayRequest& request, std::ostream& out, std::ostream& err);

}  // namespace kalvo::app
