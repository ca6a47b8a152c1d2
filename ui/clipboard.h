// The clipboard stack and the input target.
//
// Module-wide, not per instance: the host destroys a page whenever its display
// changes mode, and a value copied on one display must be pastable on another, or
// after the page was closed and opened again.
#pragma once

namespace kalvo {

struct ClipboardStack {
    static constexpr int kSlots = 10;
    double slots[kSlots];
    int depth;  // occupied slots; the top value is slots[depth - 1]
};

extern ClipboardStack Clipboard;

// The value store cell that the next text typed into the input box goes to.
struct InputTarget {
    int variableSet;
    int directory;
    int variable;
};

extern InputTarget TypedInputTarget;

}  // namespace kalvo
