#include "catalogue/solver_mfd.h"

namespace kalvo {

// The page is drawn once the display subsystem lands; until then a refresh draws nothing.
void SolverMFD::Update(HDC) {}

}  // namespace kalvo
