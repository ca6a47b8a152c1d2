// Readings of the simulation: the reference body, one function per quantity read
// for the focus vessel, and which reading fills which variable.
#pragma once

#include <iterator>

#include "catalogue/catalogue.h"
#include "catalogue/value_store.h"
#include "host/host_api.h"

namespace kalvo {

// The body of the host's list whose gravity acts most strongly on the focus vessel:
// the greatest mass over squared distance. Equal scores keep the lower index and a
// score that is not a number never wins. Null when the host lists no body.
OBJHANDLE FindReferenceBody();

// What a reading gives: its status code and, with status 0 only, the value read.
struct Reading {
    int status;
    double value;
};

// Distances and velocities relative to the reference body: " N/Av " without a
// body, "ERROR!" when the host left the position or velocity unwritten, and for
// the two velocity parts at the body's centre.
Reading Distance();
Reading TangentialVelocity();
Reading RadialVelocity();
Reading TotalVelocity();

// The reference body's mass, size (mean radius) and rotation period: " N/Av "
// without a body.
Reading ReferenceBodyMass();
Reading ReferenceBodySize();
Reading ReferenceBodyPeriod();

// The focus vessel's masses and main engines: " N/Ap " for the specific impulse
// without main engines, "ERROR!" for the propelled acceleration of a mass that is
// not positive.
Reading EmptyMass();
Reading LoadMass();
Reading FuelMass();
Reading MainIsp();
Reading MainThrust();
Reading PropelledAcceleration();

// Over the surface, as the host measures them: " N/Av " when its query fails.
// Angles in degrees, converted with the page's short pi.
Reading Latitude();
Reading Altitude();
Reading GroundSpeed();
Reading VerticalSpeed();
Reading GlideAngle();

struct ReadingRow {
    Directory directory;
    int variable;
    Reading (*read)();
};

// Every fetchable variable and its reading. Get System Value looks the selected
// variable up here; Get All Values runs a directory's rows in this order.
// clang-format off
inline constexpr ReadingRow kReadings[] = {
    {ORB, Var(ORB, "r"), Distance},
    {ORB, Var(ORB, "Vt"), TangentialVelocity},
    {ORB, Var(ORB, "Vr"), RadialVelocity},
    {ORB, Var(ORB, "V"), TotalVelocity},
    {ORB, Var(ORB, "M"), ReferenceBodyMass},
    {FUE, Var(FUE, "ms"), EmptyMass},
    {FUE, Var(FUE, "ml"), LoadMass},
    {FUE, Var(FUE, "mi"), FuelMass},
    {FUE, Var(FUE, "Isp"), MainIsp},
    {FUE, Var(FUE, "THR"), MainThrust},
    {MOV, Var(MOV, "ap"), PropelledAcceleration},
    {LNC, Var(LNC, "M"), ReferenceBodyMass},
    {LNC, Var(LNC, "rs"), ReferenceBodySize},
    {LNC, Var(LNC, "Lat"), Latitude},
    {RNT, Var(RNT, "T"), ReferenceBodyPeriod},
    {GLD, Var(GLD, "h"), Altitude},
    {GLD, Var(GLD, "Vd"), GroundSpeed},
    {GLD, Var(GLD, "Vh"), VerticalSpeed},
    {GLD, Var(GLD, "a"), GlideAngle},
};
// clang-format on

// The table's rows are exactly the catalogue's fetchable variables, each once, so
// every arrow on the page has its reading and no reading fills an unmarked cell.
consteval bool ReadingsMatchTheFetchableVariables() {
    int fetchable = 0;
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int v = 0; v < VariableCount(d); ++v) {
            int rows = 0;
            for (const ReadingRow& row : kReadings) rows += row.directory == d && row.variable == v;
            if (rows != (kCatalogue[d].variables[v].fetchable ? 1 : 0)) return false;
            fetchable += rows;
        }
    return fetchable == static_cast<int>(std::size(kReadings));
}
static_assert(ReadingsMatchTheFetchableVariables(),
              "the readings table must name every fetchable variable once and nothing else");

// The reading of variable v of directory d, or null when it has none.
const ReadingRow* FindReading(int d, int v);

// Runs the reading of `row` and, with status 0 only, writes its value into `cells`
// (the selected directory's, in the current variable set) at the row's variable.
// Returns the reading's status.
int TakeReading(const ReadingRow& row, DirectoryCells& cells);

// Takes every reading of directory d into `cells`, in the table's order, also
// after one fails, and returns the sum of their status codes (0 without readings).
int TakeAllReadings(int d, DirectoryCells& cells);

}  // namespace kalvo
