// What each key of the page does. Moves at a bound, Copy onto a full stack and
// Paste from an empty one change nothing and ask for no redraw; every command key
// is reported as consumed all the same. Solving, reading, copying and typed input
// ask for no redraw: the host's next periodic refresh shows their result.
#include "readings/readings.h"
#include "solvers/conventions.h"
#include "ui/clipboard.h"
#include "ui/command_keys.h"
#include "ui/solver_mfd.h"
#include "ui/typed_input.h"

namespace kalvo {

namespace {

// The input box's visible width, in characters.
constexpr int kInputBoxWidth = 20;

}  // namespace

bool SolverMFD::ConsumeKeyBuffered(DWORD key) {
    switch (key) {
        case kKeyNextDirectory:
            NextDirectory();
            return true;
        case kKeyPrevDirectory:
            PrevDirectory();
            return true;
        case kKeyNextEquation:
            NextEquation();
            return true;
        case kKeyPrevEquation:
            PrevEquation();
            return true;
        case kKeyNextVariable:
            NextVariable();
            return true;
        case kKeyPrevVariable:
            PrevVariable();
            return true;
        case kKeySelectVariableSet:
            SelectVariableSet();
            return true;
        case kKeyVariableHelp:
            ToggleVariableHelp();
            return true;
        case kKeyZeroValue:
            ZeroValue();
            return true;
        case kKeyCopy:
            CopyToClipboard();
            return true;
        case kKeyPaste:
            PasteFromClipboard();
            return true;
        case kKeyInputValue:
            InputValue();
            return true;
        // Solve, Get and Get All return their status code; how it combines with the
        // status of the commands since the last drawing is each command's rule.
        case kKeySolve:
            status = SolveForVariable(directory, equation, variable, Cells{CurrentDirectoryCells(), pi});
            return true;
        case kKeyGetSystemValue:
            // A variable without a reading leaves the status as it is.
            if (const ReadingRow* reading = FindReading(directory, variable))
                status = TakeReading(*reading, CurrentDirectoryCells());
            return true;
        case kKeyGetAllValues: {
            // The codes add up, but MOV's one reading sets the status, as Get does.
            // A directory without readings adds nothing.
            const int codes = TakeAllReadings(directory, CurrentDirectoryCells());
            status = directory == MOV ? codes : status + codes;
            return true;
        }
        default:
            return false;
    }
}

// A new directory starts on its first equation.
void SolverMFD::SelectDirectory(int d) {
    directory = d;
    SelectEquation(0);
}

// A new equation starts on the first variable of its list.
void SolverMFD::SelectEquation(int e) {
    equation = e;
    SelectVariableAt(0);
}

void SolverMFD::NextDirectory() {
    if (directory >= directoryCount - 1) return;
    SelectDirectory(directory + 1);
    InvalidateDisplay();
}

void SolverMFD::PrevDirectory() {
    if (directory <= 0) return;
    SelectDirectory(directory - 1);
    InvalidateDisplay();
}

void SolverMFD::NextEquation() {
    if (equation >= equationsPerDirectory[directory] - 1) return;
    SelectEquation(equation + 1);
    InvalidateDisplay();
}

void SolverMFD::PrevEquation() {
    if (equation <= 0) return;
    SelectEquation(equation - 1);
    InvalidateDisplay();
}

void SolverMFD::NextVariable() {
    if (variablePosition >= variablesPerEquation[directory][equation] - 1) return;
    SelectVariableAt(variablePosition + 1);
    InvalidateDisplay();
}

void SolverMFD::PrevVariable() {
    if (variablePosition <= 0) return;
    SelectVariableAt(variablePosition - 1);
    InvalidateDisplay();
}

void SolverMFD::SelectVariableSet() {
    variableSet = variableSet + 1 == variableSetCount ? 0 : variableSet + 1;
    InvalidateDisplay();
}

void SolverMFD::ToggleVariableHelp() {
    helpFlag = !helpFlag;
    InvalidateDisplay();
}

void SolverMFD::ZeroValue() {
    CurrentCell() = 0.0;
    InvalidateDisplay();
}

void SolverMFD::CopyToClipboard() {
    if (Clipboard.depth >= ClipboardStack::kSlots) return;
    ++Clipboard.depth;
    Clipboard.slots[Clipboard.depth - 1] = CurrentCell();
}

// The popped value stays in its slot; only the depth goes down.
void SolverMFD::PasteFromClipboard() {
    if (Clipboard.depth <= 0) return;
    CurrentCell() = Clipboard.slots[Clipboard.depth - 1];
    --Clipboard.depth;
    InvalidateDisplay();
}

// The typed value goes to the cell selected now, even if the selection moves before
// the box is confirmed; opening the box again retargets it.
void SolverMFD::InputValue() {
    TypedInputTarget = {variableSet, directory, variable};
    // The box's title is the variable's long name, from the page's own table; the
    // host's interface takes it as char* and only reads it.
    oapiOpenInputBox(const_cast<char*>(LongName(directory, variable)), InputCallback, nullptr, kInputBoxWidth, this);
}

}  // namespace kalvo
