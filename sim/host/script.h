// Play scripts: what a pilot does on one display, one step per token.
//
//   Dr> Eq> Slv ...   a button label, as the page shows it, clicks that button:
//                     pressed and held for one frame
//   type:TEXT         confirms the open input box with TEXT
//   draw              has the page draw itself (the host saves or shows the drawing)
//   wait:SECONDS      moves the simulated world on
//
// A host that draws as the simulator does follows a step after which the page asked
// for a redraw (MFD::InvalidateDisplay) with one drawing before the next step.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/host/display.h"

namespace sim {

class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScriptStep {
    enum class Kind { Button, Type, Draw, Wait };
    Kind kind = Kind::Draw;
    std::string token;   // as written
    int button = -1;     // Button: its number
    std::string text;    // Type: what is typed
    double seconds = 0;  // Wait: how long
};

// The longest wait of one step, about three years of the world's time: long enough
// for any orbit of the stand-in world, a second or so of work.
inline constexpr double kLongestWait = 1e8;

// Reads the tokens against the page's button labels (exactly as the page reports
// them). Throws ScriptError naming the first bad token, its place in the script
// (from 1) and what would be valid.
std::vector<ScriptStep> ParseScript(const std::vector<std::string>& tokens,
                                    const std::vector<std::string>& buttonLabels);

// Runs the steps on `display`, calling `draw` for every draw step with its number
// (from 1) and `redraw`, when given, once after every other step after which the
// page asked for a redraw however often it asked, with the step's place (from 0).
// Throws ScriptError when typing finds no input box open or the world cannot move on.
void RunScript(Display& display, const std::vector<ScriptStep>& steps, const std::function<void(int drawing)>& draw,
               const std::function<void(std::size_t step)>& redraw = nullptr);

}  // namespace sim
