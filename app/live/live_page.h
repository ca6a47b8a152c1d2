// The live page: the Kalvo MFD page in the terminal as the simulator shows it, over
// a world whose time runs, with its buttons on a bezel around it.
#pragma once

#include <ostream>
#include <string>

#include "app/page_session.h"
#include "sim/world/scenario.h"

namespace kalvo::app {

struct LiveRequest {
    std::string scenario{sim::kDefaultScenario};  // a built-in scenario or a scenario file
    std::string size = DisplaySizeText(kDefaultDisplaySize);
};

// Runs the live page until the pilot quits. Without a terminal (standard input or
// output not one) it prints the page once as text to `out` and returns 0. A bad
// request or a module that cannot be loaded prints an error to `err` and returns
// non-zero.
int RunLivePage(const LiveRequest& request, std::ostream& out, std::ostream& err);

}  // namespace kalvo::app
