// Readings of the simulation: the reference body, and which reading fills which
// variable.
#pragma once

#include "catalogue/solver_mfd.h"

namespace kalvo {

// The body of the host's list whose gravity acts most strongly on the focus vessel:
// the greatest mass over squared distance. Equal scores keep the lower index and a
// score that is not a number never wins. Null when the host lists no body.
OBJHANDLE FindReferenceBody();

using Reading = int (SolverMFD::*)();

struct ReadingEntry {
    Directory directory;
    int variable;
    Reading read;
};

// Every reading, by the variable it fills. Get System Value looks the selected
// variable up here; Get All Values runs a directory's entries in this order.
// clang-format off
inline constexpr ReadingEntry kReadings[] = {
    {ORB, Var(ORB, "r"), &SolverMFD::ReadDistance},
    {ORB, Var(ORB, "Vt"), &SolverMFD::ReadTangentialVelocity},
    {ORB, Var(ORB, "Vr"), &SolverMFD::ReadRadialVelocity},
    {ORB, Var(ORB, "V"), &SolverMFD::ReadTotalVelocity},
    {ORB, Var(ORB, "M"), &SolverMFD::ReadBodyMass},
    {FUE, Var(FUE, "ms"), &SolverMFD::ReadShipMass},
    {FUE, Var(FUE, "ml"), &SolverMFD::ReadLoadMass},
    {FUE, Var(FUE, "mi"), &SolverMFD::ReadFuelMass},
    {FUE, Var(FUE, "Isp"), &SolverMFD::ReadMainIsp},
    {FUE, Var(FUE, "THR"), &SolverMFD::ReadMainThrust},
    {MOV, Var(MOV, "ap"), &SolverMFD::ReadPropelledAcc},
    {LNC, Var(LNC, "M"), &SolverMFD::ReadPlanetMass},
    {LNC, Var(LNC, "rs"), &SolverMFD::ReadPlanetSize},
    {LNC, Var(LNC, "Lat"), &SolverMFD::ReadLatitude},
    {RNT, Var(RNT, "T"), &SolverMFD::ReadPlanetPeriod},
    {GLD, Var(GLD, "h"), &SolverMFD::ReadAltitude},
    {GLD, Var(GLD, "Vd"), &SolverMFD::ReadGroundSpeed},
    {GLD, Var(GLD, "Vh"), &SolverMFD::ReadVerticalSpeed},
    {GLD, Var(GLD, "a"), &SolverMFD::ReadGlideAngle},
};
// clang-format on

}  // namespace kalvo
