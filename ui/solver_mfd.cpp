#include "ui/solver_mfd.h"

#include <algorithm>
#include <new>
#include <string_view>

namespace kalvo {

namespace {

void CopyIntoSlot(char* slot, std::string_view text) {
    std::copy(text.begin(), text.end(), slot);
    slot[text.size()] = '\0';
}

// Makes `table` a zero-filled table of `count` slots of `width` characters;
// false, leaving it null, without memory.
bool MakeTextTable(std::unique_ptr<char[]>& table, int count, int width) {
    table.reset(new (std::nothrow) char[static_cast<std::size_t>(count) * width]());
    return table != nullptr;
}

// Where slot `index` of a table of slots `width` characters wide starts.
std::size_t SlotOffset(int index, int width) {
    return static_cast<std::size_t>(index) * static_cast<std::size_t>(width);
}

int HelpSlot(int d, int e) { return d * kMaxEquations + e; }
int VariableSlot(int d, int v) { return d * kMaxVariables + v; }

}  // namespace

SolverMFD::SolverMFD(DWORD width, DWORD height, VESSEL* vessel)
    : MFD(width, height, vessel),
      pi(kShortPi),
      directory(0),
      equation(0),
      variableSet(0),
      variable(0),
      variablePosition(0),
      helpFlag(false),
      status(0),
      directoryCount(kDirectoryCount),
      variableSetCount(kVariableSetCount),
      directoryScrollOffset(0) {
    if (!MakeTextTable(codeTable, kDirectoryCount, kCodeSlot)) return;
    for (int d = 0; d < kDirectoryCount; ++d) CopyIntoSlot(&codeTable[SlotOffset(d, kCodeSlot)], kCatalogue[d].code);

    for (int d = 0; d < kDirectoryCount; ++d) {
        equationsPerDirectory[d] = EquationCount(d);
        variablesPerDirectory[d] = VariableCount(d);
        for (int e = 0; e < kMaxEquations; ++e) {
            const VariableNumbers list = e < EquationCount(d) ? EquationVariableNumbers(d, e) : VariableNumbers{};
            variablesPerEquation[d][e] = list.count;
            for (int k = 0; k < kMaxEquationVariables; ++k)
                equationVariableLists[d][e][k] = k < list.count ? list.number[k] : kEndOfList;
        }
        const VariableNumbers systemValues = SystemValueNumbers(d);
        std::copy(systemValues.number.begin(), systemValues.number.end(), systemValueLists[d]);
    }

    constexpr int kHelpSlots = kDirectoryCount * kMaxEquations;
    if (!(MakeTextTable(helpTable1, kHelpSlots, kHelpSlot) && MakeTextTable(helpTable2, kHelpSlots, kHelpSlot) &&
          MakeTextTable(helpTable3, kHelpSlots, kHelpSlot)))
        return;
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int e = 0; e < EquationCount(d); ++e) {
            const auto& help = kCatalogue[d].equations[e].help;
            CopyIntoSlot(&helpTable1[SlotOffset(HelpSlot(d, e), kHelpSlot)], help[0]);
            CopyIntoSlot(&helpTable2[SlotOffset(HelpSlot(d, e), kHelpSlot)], help[1]);
            CopyIntoSlot(&helpTable3[SlotOffset(HelpSlot(d, e), kHelpSlot)], help[2]);
        }

    constexpr int kVariableSlots = kDirectoryCount * kMaxVariables;
    if (!(MakeTextTable(symbolTable, kVariableSlots, kSymbolSlot) &&
          MakeTextTable(unitTable, kVariableSlots, kUnitSlot) &&
          MakeTextTable(longNameTable, kVariableSlots, kLongNameSlot)))
        return;
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int v = 0; v < VariableCount(d); ++v) {
            const VariableRow& row = kCatalogue[d].variables[v];
            CopyIntoSlot(&symbolTable[SlotOffset(VariableSlot(d, v), kSymbolSlot)], row.symbol);
            CopyIntoSlot(&unitTable[SlotOffset(VariableSlot(d, v), kUnitSlot)], row.unit);
            CopyIntoSlot(&longNameTable[SlotOffset(VariableSlot(d, v), kLongNameSlot)], row.longName);
        }
}

SolverMFD::~SolverMFD() = default;

bool SolverMFD::HasTables() const {
    return codeTable && helpTable1 && helpTable2 && helpTable3 && symbolTable && unitTable && longNameTable;
}

const char* SolverMFD::DirectoryCode(int d) const { return &codeTable[SlotOffset(d, kCodeSlot)]; }
int SolverMFD::EquationsOf(int d) const { return equationsPerDirectory[d]; }
int SolverMFD::VariablesOf(int d) const { return variablesPerDirectory[d]; }

const char* SolverMFD::HelpLine(int line, int d, int e) const {
    const char* table = line == 1 ? helpTable1.get() : line == 2 ? helpTable2.get() : helpTable3.get();
    return &table[SlotOffset(HelpSlot(d, e), kHelpSlot)];
}

int SolverMFD::VariablesOfEquation(int d, int e) const { return variablesPerEquation[d][e]; }
int SolverMFD::EquationVariableNumber(int d, int e, int k) const { return equationVariableLists[d][e][k]; }
const char* SolverMFD::Symbol(int d, int v) const { return &symbolTable[SlotOffset(VariableSlot(d, v), kSymbolSlot)]; }
const char* SolverMFD::Unit(int d, int v) const { return &unitTable[SlotOffset(VariableSlot(d, v), kUnitSlot)]; }
const char* SolverMFD::LongName(int d, int v) const {
    return &longNameTable[SlotOffset(VariableSlot(d, v), kLongNameSlot)];
}
int SolverMFD::SystemValueNumber(int d, int k) const { return systemValueLists[d][k]; }

DirectoryCells& SolverMFD::CurrentDirectoryCells() { return ValueStore[variableSet][directory]; }
double& SolverMFD::CurrentCell() { return CurrentDirectoryCells()[variable]; }

void SolverMFD::SelectVariableAt(int position) {
    variablePosition = position;
    variable = equationVariableLists[directory][equation][position] - 1;
}

}  // namespace kalvo
