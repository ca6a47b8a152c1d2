// The catalogue: the nine directories of the page, their equations and variables,
// in the order the page shows them. Every list, count and index elsewhere in the
// module is derived from these tables.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace kalvo {

struct VariableRow {
    std::string_view symbol;
    std::string_view longName;
    std::string_view unit;  // one blank for a dimensionless variable
    bool fetchable;         // a reading of the simulation can supply it
};

struct EquationRow {
    std::array<std::string_view, 3> help;  // the formula, continued or followed by a remark
    std::string_view variables;            // symbols the user can select, blank-separated, ascending
};

struct DirectoryRow {
    std::string_view code;
    std::span<const EquationRow> equations;
    std::span<const VariableRow> variables;
};

inline constexpr bool kFetchable = true;
inline constexpr bool kTypedOnly = false;

// clang-format off
inline constexpr EquationRow kBasicEquations[] = {
    {{"a=b+c", "", ""}, "a b c"},
    {{"a=b*c", "", ""}, "a b c"},
    {{"a=sqrt(b)", "", ""}, "a b"},
    {{"a=sin(b)", "", ""}, "a b"},
    {{"a=cos(b)", "", ""}, "a b"},
    {{"a=tan(b)", "", ""}, "a b"},
    {{"a=ln(b)", "", ""}, "a b"},
    {{"a=log(b)", "", ""}, "a b"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kBasicVariables[] = {
    {"a", "a", " ", kTypedOnly},
    {"b", "b", " ", kTypedOnly},
    {"c", "c", " ", kTypedOnly},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kOrbitEquations[] = {
    {{"r=p/(1+e*cos(v))", "", ""}, "r p e v"},
    {{"Vt=sqrt(p*G*M)/r", "", ""}, "r p Vt M"},
    {{"Vr=e*sqrt(G*M/p)*sin(v)", "", ""}, "p e v Vr M"},
    {{"e=sqrt(Vr^2*p/(G*M)", "+p^2/r^2-2*p/r+1)", ""}, "r p e Vr M"},
    {{"V=sqrt(Vt^2+Vr^2)", "", ""}, "Vt Vr V"},
    {{"E=G*M/p*((1+e^2)/2-1)", "", ""}, "p e M E"},
    {{"e=(ra-rp)/(rp+ra)", "", ""}, "e ra rp"},
    {{"p=rp(1+e)", "", ""}, "p e rp"},
    {{"e=(ra/r-1)/(cos(v)+ra/r)", "", ""}, "r e v ra"},
    {{"t=(2*atanh(sqrt(e-1)*(cos(v)-1)/sin(v)",
      "*sqrt(1+e))*(1+e*cos(v))+e*sin(v)*sqrt(e^2-1))",
      "/((e*cos(v)+1)*sqrt((e^2-1)^3))*p^2/sqrt(p*G*M)"},
     "p e v M t"},
    {{"t=2*pi()*sqrt(((ra+rp)/2)^3/(G*M))", "", "t=T=t(v=360dg)"}, "M ra rp t"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kOrbitVariables[] = {
    {"r", "Distance", "m", kFetchable},
    {"p", "Semi-Latus", "m", kTypedOnly},
    {"e", "Eccentricity", " ", kTypedOnly},
    {"v", "Real Anomaly", "dg", kTypedOnly},
    {"Vt", "Tangent. Velocity", "m/s", kFetchable},
    {"Vr", "Radial Velocity", "m/s", kFetchable},
    {"V", "Total Velocity", "m/s", kFetchable},
    {"G", "Univ. Constant", "m^3/s^2/kg", kTypedOnly},
    {"M", "Mass", "kg", kFetchable},
    {"E", "Energy", "J/kg", kTypedOnly},
    {"ra", "Apogee Distance", "m", kTypedOnly},
    {"rp", "Perigee Distance", "m", kTypedOnly},
    {"t", "Time frm Perigee", "s", kTypedOnly},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kEscapeEquations[] = {
    {{"Vhx^2=Vbo^2-Vsc^2", "", ""}, "Vhx Vsc Vbo"},
    {{"lbo=ls+k-vinf", "", "k=90(ins.to perigee) or k=270(ins.to apogee)"}, "vnf ls k lbo"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kEscapeVariables[] = {
    {"Vhx", "Hyper.Excess Spd", "m/s", kTypedOnly},
    {"Vsc", "Parab.Escape Spd", "m/s", kTypedOnly},
    {"Vbo", "Burn Out Speed", "m/s", kTypedOnly},
    {"vnf", "Anomaly at Inf.", "dg", kTypedOnly},
    {"ls", "Long.to M.Body", "dg", kTypedOnly},
    {"k", "Normal to ls", "dg", kTypedOnly},
    {"lbo", "Lcl Burn Long.", "dg", kTypedOnly},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kFuelEquations[] = {
    {{"DV=ln((ms+ml+mi)/(ms+ml+mf)))*Isp", "", ""}, "DV ms ml mi mf Isp"},
    {{"tbn=(mi-mf)*Isp/THR", "", ""}, "mi mf Isp THR tbn"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kFuelVariables[] = {
    {"DV", "Speed Incr/Decr", "m/s", kTypedOnly},
    {"ms", "Ship Mass", "kg", kFetchable},
    {"ml", "Load Mass", "kg", kFetchable},
    {"mi", "Initial Fuel Mass", "kg", kFetchable},
    {"mf", "Final Fuel Mass", "kg", kTypedOnly},
    {"Isp", "Specific Impulse", "m/s", kFetchable},
    {"THR", "Thrust", "N", kFetchable},
    {"tbn", "Burn Time", "s", kTypedOnly},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kInclinationEquations[] = {
    {{"DV=Vc*Di", "", "Continous normal att.maneuver(Di rads)"}, "DV Vc Di"},
    {{"DV=Vc*sqrt(2*(1-cos(Di)))", "", "Direct Vf-Vi vector module"}, "DV Vc Di"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kInclinationVariables[] = {
    {"DV", "Speed Variation", "m/s", kTypedOnly},
    {"Vc", "Initial Speed", "m/s", kTypedOnly},
    {"Di", "Incl. Variation", "dg", kTypedOnly},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kManoeuvreEquations[] = {
    {{"r=DV^2/(2*ap)", "", "Sys. Avail. ap = Main Eng Thrust/Curr Ship Mass"}, "r DV ap"},
    {{"DV=Vf-Vi", "", ""}, "DV Vf Vi"},
    {{"DV=sqrt(DVt^2+DVr^2)", "", ""}, "DV DVt DVr"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kManoeuvreVariables[] = {
    {"r", "Distance", "m", kTypedOnly},
    {"DV", "Speed Variation", "m/s", kTypedOnly},
    {"ap", "Propelled Acc", "m/s^2", kFetchable},
    {"Vf", "Final Speed", "m/s", kTypedOnly},
    {"Vi", "Initial Speed", "m/s", kTypedOnly},
    {"DVt", "Tang. Speed Var.", "m/s", kTypedOnly},
    {"DVr", "Rad. Speed Var.", "m/s", kTypedOnly},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kLaunchEquations[] = {
    {{"rme=(-G*M*ap+rs*ap^2*rma+sqrt(G^2",
      "*M^2*ap^2-2*G*M*ap^3*rs*rma+rs^2*ap^4",
      "*rma^2+4ap^3*rma^2*G*M))/2*ap^2*rma"},
     "rme M ap rs rma"},
    {{"tme=sqrt(2*(rme-rs)/ap)", "", ""}, "rme ap rs tme"},
    {{"Vme=sqrt(2*(G*M/rma-G*M/rme))", "", ""}, "rme M rma Vme"},
    {{"sin(Azm)=cos(Inc)/cos(Lat)", "", ""}, "Az1 Az2 Inc Lat"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kLaunchVariables[] = {
    {"rme", "CutOff Distance", "m", kTypedOnly},
    {"G", "Univ. Constant", "m^3/s^2/kg", kTypedOnly},
    {"M", "Planet Mass", "kg", kFetchable},
    {"ap", "Propelled Acc", "m/s^2", kTypedOnly},
    {"rs", "Surface Distance", "m", kFetchable},
    {"rma", "Maximum Distance", "m", kTypedOnly},
    {"tme", "CutOff Time", "s", kTypedOnly},
    {"Vme", "CutOff Speed", "m/s", kTypedOnly},
    {"Az1", "Azimuth 1", "dg", kTypedOnly},
    {"Az2", "Azimuth 2", "dg", kTypedOnly},
    {"Inc", "Inclination", "dg", kTypedOnly},
    {"Lat", "Latitude", "dg", kFetchable},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kRendezvousEquations[] = {
    {{"(lb-la)=(wb-wa)*(t-to)+(lob-loa)", "", ""}, "la lb wa wb t to loa lob"},
    {{"T=360/|wb-wa|", "", "Sys. Avail. T = Ref Planet Period"}, "wa wb T"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kRendezvousVariables[] = {
    {"la", "Longitude bdy a", "dg", kTypedOnly},
    {"lb", "Longitude bdy b", "dg", kTypedOnly},
    {"wa", "Ang Speed bdy a", "dg/s", kTypedOnly},
    {"wb", "Ang Speed bdy b", "dg/s", kTypedOnly},
    {"t", "Time", "s", kTypedOnly},
    {"to", "Initial Time", "s", kTypedOnly},
    {"loa", "Init Long bdy a", "dg", kTypedOnly},
    {"lob", "Init Long bdy b", "dg", kTypedOnly},
    {"T", "Period", "s", kFetchable},
};
// clang-format on

// clang-format off
inline constexpr EquationRow kGlideEquations[] = {
    {{"a=arctan(Vh/Vd)", "", ""}, "Vd Vh a"},
    {{"a=arctan(h/d)", "", ""}, "d h a"},
};
// clang-format on
// clang-format off
inline constexpr VariableRow kGlideVariables[] = {
    {"d", "Distance", "m", kTypedOnly},
    {"h", "Altitude", "m", kFetchable},
    {"Vd", "Ground Speed", "m/s", kFetchable},
    {"Vh", "Vert. Speed", "m/s", kFetchable},
    {"a", "Glide Angle", "dg", kFetchable},
};
// clang-format on

// Directory indices, in the order of the directory row.
enum Directory : int { BOP, ORB, ESC, FUE, INC, MOV, LNC, RNT, GLD };

// clang-format off
inline constexpr DirectoryRow kCatalogue[] = {
    {"BOP", kBasicEquations, kBasicVariables},
    {"ORB", kOrbitEquations, kOrbitVariables},
    {"ESC", kEscapeEquations, kEscapeVariables},
    {"FUE", kFuelEquations, kFuelVariables},
    {"INC", kInclinationEquations, kInclinationVariables},
    {"MOV", kManoeuvreEquations, kManoeuvreVariables},
    {"LNC", kLaunchEquations, kLaunchVariables},
    {"RNT", kRendezvousEquations, kRendezvousVariables},
    {"GLD", kGlideEquations, kGlideVariables},
};
// clang-format on

static_assert(kCatalogue[BOP].code == "BOP" && kCatalogue[ORB].code == "ORB" && kCatalogue[ESC].code == "ESC" &&
              kCatalogue[FUE].code == "FUE" && kCatalogue[INC].code == "INC" && kCatalogue[MOV].code == "MOV" &&
              kCatalogue[LNC].code == "LNC" && kCatalogue[RNT].code == "RNT" && kCatalogue[GLD].code == "GLD");

}  // namespace kalvo
