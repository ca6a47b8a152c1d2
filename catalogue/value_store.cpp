#include "catalogue/value_store.h"

namespace kalvo {

// Once per loaded module: the host destroys a page whenever its display changes
// mode, and the values must survive it, shared by every display.
ValueStoreCells ValueStore = InitialValueStore();

}  // namespace kalvo
