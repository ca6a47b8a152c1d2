#include "ui/clipboard.h"

namespace kalvo {

ClipboardStack Clipboard{};
InputTarget TypedInputTarget{};

}  // namespace kalvo
