// The page: one instance per display showing the mode.
//
// An instance holds its own copy of the catalogue tables and the selection; the
// values live in the module-wide ValueStore. Its commands, buttons and drawing
// are defined in their own files beside it (commands.cpp, buttons.cpp,
// update.cpp); solving and reading are free functions of the solvers and the
// readings, which the commands call with the page's cells.
#pragma once

#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/constants.h"
#include "catalogue/value_store.h"
#include "host/host_api.h"

namespace kalvo {

class SolverMFD : public MFD {
public:
    // Builds the catalogue tables; when memory runs out on the way, the tables not
    // yet made stay missing and HasTables() says so.
    SolverMFD(DWORD width, DWORD height, VESSEL* vessel);
    ~SolverMFD() override;
    bool HasTables() const;
    SolverMFD(const SolverMFD&) = delete;
    SolverMFD& operator=(const SolverMFD&) = delete;

    void Update(HDC hdc) override;

    // The page's commands: every button stands for one key, and every key command has
    // one handler (ui/buttons.cpp, ui/commands.cpp).
    bool ConsumeKeyBuffered(DWORD key) override;
    bool ConsumeButton(int button, int event) override;
    char* ButtonLabel(int button) override;
    int ButtonMenu(const MFDBUTTONMENU** menu) const override;

    // Catalogue lookups: directory d, equation e, variable v, list position k, all from 0.
    const char* DirectoryCode(int d) const;
    int EquationsOf(int d) const;
    int VariablesOf(int d) const;
    const char* HelpLine(int line, int d, int e) const;  // line 1, 2 or 3
    int VariablesOfEquation(int d, int e) const;
    int EquationVariableNumber(int d, int e, int k) const;
    const char* Symbol(int d, int v) const;
    const char* Unit(int d, int v) const;
    const char* LongName(int d, int v) const;
    int SystemValueNumber(int d, int k) const;

    // The selection, as the commands leave it.
    int CurrentDirectory() const { return directory; }
    int CurrentEquation() const { return equation; }
    int CurrentVariableSet() const { return variableSet; }
    int CurrentVariable() const { return variable; }
    int VariablePosition() const { return variablePosition; }
    bool HelpView() const { return helpFlag; }
    int Status() const { return status; }
    int DirectoryScrollOffset() const { return directoryScrollOffset; }

protected:
    // The current directory's cells in the current variable set, which Solve, Get
    // and Get All work on, and the selected variable's cell among them.
    DirectoryCells& CurrentDirectoryCells();
    double& CurrentCell();
    // Moves the selection to variable position `position` of the current equation.
    void SelectVariableAt(int position);

    double pi;
    int directory;
    int equation;
    int variableSet;
    int variable;
    int variablePosition;
    bool helpFlag;
    int status;
    int directoryCount;
    int variableSetCount;
    int directoryScrollOffset;

    std::unique_ptr<char[]> codeTable;
    std::unique_ptr<char[]> helpTable1;
    std::unique_ptr<char[]> helpTable2;
    std::unique_ptr<char[]> helpTable3;
    std::unique_ptr<char[]> symbolTable;
    std::unique_ptr<char[]> unitTable;
    std::unique_ptr<char[]> longNameTable;

    int equationsPerDirectory[kDirectoryCount];
    int variablesPerDirectory[kDirectoryCount];
    int variablesPerEquation[kDirectoryCount][kMaxEquations];
    int equationVariableLists[kDirectoryCount][kMaxEquations][kMaxEquationVariables];
    int systemValueLists[kDirectoryCount][kMaxVariables];

private:
    // The commands of ConsumeKeyBuffered (ui/commands.cpp).
    void NextDirectory();
    void PrevDirectory();
    void NextEquation();
    void PrevEquation();
    void NextVariable();
    void PrevVariable();
    void SelectVariableSet();
    void ToggleVariableHelp();
    void ZeroValue();
    void CopyToClipboard();
    void PasteFromClipboard();
    void InputValue();
    void SelectDirectory(int d);
    void SelectEquation(int e);
};

}  // namespace kalvo
