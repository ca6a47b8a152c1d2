// The module's one clipboard stack: ten values, pushed by Copy and popped by Paste.
#pragma once

namespace kalvo {

struct ClipboardStack {
    static constexpr int kSlots = 10;
    double slots[kSlots];
    int depth;  // occupied slots; the top value is slots[depth - 1]
};

extern ClipboardStack Clipboard;

}  // namespace kalvo
