// Whether the terminal can show the live page, as its terminfo entry says.
#pragma once

#include <string>

namespace kalvo::app {

// Why the terminal of standard output, of the type TERM names, cannot show the live
// page, or empty when it can: its type must be known here and able to put the
// cursor anywhere (TERM=dumb cannot).
std::string TerminalShortcoming();

}  // namespace kalvo::app
