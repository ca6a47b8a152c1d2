#include "ui/clipboard.h"

namespace kalvo {

// Once per loaded module: the host destroys a page whenever its display changes
// mode, and a value copied on one display must be pastable on another, or after
// the page was closed and opened again.
ClipboardStack Clipboard{};

}  // namespace kalvo
