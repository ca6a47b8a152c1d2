// The live page's input box: a one-line field the pilot edits before confirming it,
// as the host's input box does.
#pragma once

#include <cstddef>
#include <string>

namespace kalvo::app {

enum class PromptOutcome { Editing, Confirmed, Cancelled };

class PromptLine {
public:
    // More than any number needs; characters beyond it are refused.
    static constexpr std::size_t kLongestText = 255;

    // Applies a key (see keys:: in app/live/live_keys.h): printable characters are
    // inserted at the cursor; Backspace and Delete remove the character before and
    // at the cursor; Left, Right, Home and End move it; Ctrl-U clears the line;
    // Enter confirms and Escape cancels. Other keys change nothing.
    PromptOutcome Apply(int key);

    const std::string& Text() const { return text_; }
    std::size_t Cursor() const { return cursor_; }

    // The first character to show in a field of `width` cells: the whole text when
    // it fits with the cursor after it, else a window that keeps the cursor (which
    // may stand after the last character) in the field and moves only when the
    // cursor would leave it.
    std::size_t FirstShown(std::size_t width);

private:
    std::string text_;
    std::size_t cursor_ = 0;
    std::size_t firstShown_ = 0;
};

}  // namespace kalvo::app
