// A page whose selection a test can set directly, for exercising the parts of the
// module below the commands.
#pragma once

#include "catalogue/value_store.h"
#include "sim/host/host.h"
#include "sim/world/world.h"
#include "ui/clipboard.h"
#include "ui/solver_mfd.h"

namespace kalvo::test {

class PageProbe : public SolverMFD {
public:
    // Given its character cell as the host gives a page it opens.
    explicit PageProbe(DWORD width = 400, DWORD height = 400) : SolverMFD(width, height, nullptr) {
        sim::SetCellOfPage(*this);
    }

    // Selects directory d, equation e and the variable with `symbol`, which must be
    // in the equation's list, and variable set `set`.
    void Select(int d, int e, std::string_view symbol, int set = 0) {
        directory = d;
        equation = e;
        variableSet = set;
        for (int k = 0; k < variablesPerEquation[d][e]; ++k)
            if (kCatalogue[d].variables[equationVariableLists[d][e][k] - 1].symbol == symbol) SelectVariableAt(k);
    }
    void SetStatus(int code) { status = code; }
    void SetHelpView(bool on) { helpFlag = on; }
};

// Puts the value store back as the module loads it.
inline void ResetValueStore() { ValueStore = InitialValueStore(); }

// Starts the values as the module loads them and the clipboard empty; puts the
// simulated world and the clipboard back as they were, and the values as loaded,
// when it goes out of scope: also when a failed assertion ends the test early.
class FreshModuleState {
public:
    FreshModuleState() {
        ResetValueStore();
        Clipboard = {};
    }
    ~FreshModuleState() {
        sim::TheWorld() = savedWorld_;
        Clipboard = savedClipboard_;
        ResetValueStore();
    }

private:
    sim::World savedWorld_ = sim::TheWorld();
    ClipboardStack savedClipboard_ = Clipboard;
};

}  // namespace kalvo::test
