// The page: one instance per display showing the mode.
//
// An instance holds its own copy of the catalogue tables and the selection; the
// values live in the module-wide ValueStore. Its commands, drawing, solving and
// readings are defined beside the subsystems they belong to.
#pragma once

#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/constants.h"
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

    // Runs the solver of the selected (directory, equation, variable) on the current
    // variable set and returns its status code.
    int SolveForVariable();

    // Get System Value: runs the reading of the selected variable, when it has one,
    // and replaces the status with its code.
    void GetSystemValue();
    // Get All Values: runs every reading of the current directory in turn and adds
    // their codes to the status.
    void GetAllValues();

    // Readings of the simulation (readings/readings.cpp), for the focus vessel and its
    // reference body. Each writes its one cell of the current variable set, only on
    // success, and returns its status code.
    int ReadDistance();
    int ReadTangentialVelocity();
    int ReadRadialVelocity();
    int ReadTotalVelocity();
    int ReadBodyMass();
    int ReadShipMass();
    int ReadLoadMass();
    int ReadFuelMass();
    int ReadMainIsp();
    int ReadMainThrust();
    int ReadPropelledAcc();
    int ReadPlanetMass();
    int ReadPlanetSize();
    int ReadLatitude();
    int ReadPlanetPeriod();
    int ReadAltitude();
    int ReadGroundSpeed();
    int ReadVerticalSpeed();
    int ReadGlideAngle();

protected:
    // Writes a reading's value into its cell (directory d, variable v) of the
    // current variable set and returns kSolved.
    int StoreReading(Directory d, int v, double value);
    // The selected variable's cell in the current variable set.
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
