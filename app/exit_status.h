// How kalvo ends: its exit statuses, for every command, and their one description.
#pragma once

#include <sysexits.h>

namespace kalvo::app {

// The work was done; for `kalvo solve`, the solve succeeded.
inline constexpr int kExitDone = 0;
// `kalvo solve` ends with the page's status after the solve: "ERROR!" (a guard of
// the formula failed) or " N/Av " (the equation has no formula for the variable).
inline constexpr int kExitSolveError = 1;
inline constexpr int kExitSolveNotAvailable = 2;
// Another command's work failed: a script step that could not be carried out, a
// file that could not be written.
inline constexpr int kExitFailed = 1;
// A bad command line: an unknown command or option, a missing or bad argument,
// step, size or scenario. The statuses from here on are sysexits.h's.
inline constexpr int kExitUsage = EX_USAGE;
// The Kalvo MFD module could not be found or loaded, or did not act as the page.
inline constexpr int kExitNoModule = EX_UNAVAILABLE;

// The statuses as `kalvo --help` lists them, in order.
struct ExitStatusMeaning {
    int status;
    const char* meaning;
};
inline constexpr ExitStatusMeaning kExitStatuses[] = {
    {kExitDone, "done; for solve, the solve succeeded"},
    {kExitSolveError,
     "solve: \"ERROR!\" (a guard of the formula failed); play: a step could not be carried out, "
     "or a file written"},
    {kExitSolveNotAvailable, "solve: \" N/Av \" (the equation has no formula for the variable)"},
    {kExitUsage, "a bad command line: an unknown command or option, a missing or bad argument, step, size or scenario"},
    {kExitNoModule, "the Kalvo MFD module could not be found or loaded"},
};

}  // namespace kalvo::app
