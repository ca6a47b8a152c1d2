#include "app/live/terminal_type.h"

#define NCURSES_NOMACROS
#include <curses.h>
#include <term.h>
#include <unistd.h>

#include <cstdlib>

namespace kalvo::app {

std::string TerminalShortcoming() {
    const char* type = std::getenv("TERM");
    const std::string terminal = "this terminal (TERM=" + std::string(type != nullptr ? type : "") + ")";
    int status = 0;
    if (setupterm(nullptr, STDOUT_FILENO, &status) != OK) return terminal + " is of a type unknown here";
    const char* moveCursor = tigetstr("cup");
    // tigetstr's answer for a capability that is not a string at all.
    const char* const kNotAString = reinterpret_cast<char*>(-1);  // NOLINT(performance-no-int-to-ptr)
    const bool placesCursor = moveCursor != nullptr && moveCursor != kNotAString;
    del_curterm(cur_term);
    return placesCursor ? "" : terminal + " cannot place the cursor, which the live page needs";
}

}  // namespace kalvo::app
