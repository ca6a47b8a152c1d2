// Readings of the simulation. No directory has a reading yet: Get and Get All
// change nothing until the readings of the simulated world are in place.
#include "catalogue/solver_mfd.h"

namespace kalvo {

void SolverMFD::GetSystemValue() {}
void SolverMFD::GetAllValues() {}

}  // namespace kalvo
