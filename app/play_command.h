// `kalvo play`: the page driven by a script of the pilot's actions, then drawn once
// more and written out as text or as a PNG image.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "app/page_session.h"

namespace kalvo::app {

// A click on the button with this label.
struct PressButton {
    int button;
};
// Text typed into the open input box, then confirmed.
struct TypeText {
    std::string text;
};
// The world's time moves on.
struct WaitSeconds {
    double seconds;
};
// The host's periodic refresh: the page draws itself, showing its status message once.
struct DrawPage {};
using ScriptStep = std::variant<PressButton, TypeText, WaitSeconds, DrawPage>;

// The longest wait one step may ask for: about three years of the world's time,
// a second or so of work.
inline constexpr double kLongestWait = 1e8;

// The steps of `tokens`: a button label of `labels` (exactly as the page reports
// it), "type:TEXT", "wait:SECONDS" or "draw". Throws UsageError naming the first
// bad token, its place in the script and what is valid.
std::vector<ScriptStep> ParseScript(std::span<const std::string> tokens, std::span<const std::string> labels);

struct PlayRequest {
    std::vector<std::string> script;
    std::string size = DisplaySizeText(kDefaultDisplaySize);
    std::string png;  // a file to write the final page to, or empty
    bool text = false;
    bool ansi = false;  // text with the page's colours as terminal escapes
    std::string scenario;
};

// Loads the scenario and the module, runs the script and writes the final page:
// the PNG first, then the text to `out` (text is the default when no PNG is asked
// for). A bad request, a step that cannot be carried out or a file that cannot be
// written prints an error to `err`, writes nothing to `out` and returns non-zero.
int RunPlay(const PlayRequest& request, std::ostream& out, std::ostream& err);

}  // namespace kalvo::app
