// A coverage-guided fuzzer over the whole page, driven through the stand-in host
// the way a pilot and the simulator drive it, with what must always hold checked
// after every step. A broken rule aborts with a message naming it.
//
// An input is a string of steps. Each step starts with an operation byte (taken
// modulo the number of operations) followed by that operation's bytes; a string
// that runs out reads as zeros.
//   0..5  command key      1 byte: the key of button (byte mod 15)      [+ display byte]
//   6     any key          4 bytes: a key code, little endian           [+ display byte]
//   7     button event     1 byte button (signed), 1 byte event         [+ display byte]
//   8     type into box    1 byte length (mod 32), then that many bytes of text
//   9     cancel the box
//   10    write a cell     set, directory, variable, value index; index 255 takes 8 raw bytes
//   11    draw             display byte
//   12    open display     slot byte, width byte, height byte (each picks a size)
//   13    close display    slot byte
//   14    advance time     1 byte: minutes
//   15    change world     1 byte: which world
//   16    host asks        the labels and the button menu            [+ display byte]
// Every input starts as a freshly loaded module would: initial values, an empty
// clipboard, no input box, the first world, one 400 x 400 display in the mode.
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/solver_mfd.h"
#include "catalogue/status.h"
#include "catalogue/value_store.h"
#include "host/entry.h"
#include "sim/gdi/gdi.h"
#include "sim/host/display.h"
#include "sim/host/host.h"
#include "sim/world/scenario.h"
#include "sim/world/world.h"
#include "ui/buttons.h"
#include "ui/clipboard.h"

namespace {

using kalvo::SolverMFD;
using kalvo::ValueStoreCells;

// What went on, for the message of a broken rule.
char lastStep[160] = "none";
int stepNumber = 0;

[[noreturn]] void Broken(const char* rule) {
    std::fprintf(stderr, "\nkalvo_page_fuzz: invariant broken: %s\n  at step %d: %s\n", rule, stepNumber, lastStep);
    std::abort();
}

void Require(bool holds, const char* rule) {
    if (!holds) Broken(rule);
}

// The input, read a byte at a time; zeros once it runs out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    // Little endian, `count` bytes.
    std::uint64_t NextBytes(int count) {
        std::uint64_t bits = 0;
        for (int i = 0; i < count; ++i) bits |= static_cast<std::uint64_t>(Next()) << (8 * i);
        return bits;
    }
    double NextDouble() {
        const std::uint64_t bits = NextBytes(8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

using namespace kalvo;  // the command keys, the buttons and the mode key
constexpr DWORD kNoCommand = 0;

// Values worth writing into a cell: the edges of a double and the numbers the
// formulas treat specially.
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kValues[] = {
    0.0,       -0.0,     1.0,      -1.0,     0.5,       2.0,         3.0,       90.0,   180.0,
    270.0,     360.0,    -90.0,    1e7,      6.371e6,   5.9736e24,   7.3e22,    1e-300, 1e300,
    DBL_MAX,   -DBL_MAX, DBL_MIN,  4.9e-324, -4.9e-324, kInf,        -kInf,     kNaN,   -kNaN,
    1.0000001, 0.999999, 1.000001, 1e154,    -1e9,      6.67259e-11, 3.1415926,
};
constexpr int kValueCount = static_cast<int>(std::size(kValues));

// Display sizes, in pixels: from one pixel (a cell of one pixel) to the largest a
// message procedure can be given, by way of the sizes displays have.
constexpr DWORD kSizes[] = {1, 2, 39, 40, 41, 160, 200, 256, 300, 400, 512, 640, 1024, 4096, 65534, 65535};
constexpr int kSizeCount = static_cast<int>(std::size(kSizes));

// The worlds a step can switch to: the host's scenarios, a world without bodies,
// and a vessel resting at the centre of the Earth.
std::vector<sim::World>& Worlds() {
    static std::vector<sim::World> worlds;
    return worlds;
}

void BuildWorlds() {
    for (const sim::BuiltInScenario& scenario : sim::BuiltInScenarios()) {
        auto built = sim::BuildScenario(scenario.name);
        if (const auto* world = std::get_if<sim::World>(&built)) Worlds().push_back(*world);
    }
    Require(!Worlds().empty(), "the host's scenarios build");
    sim::World empty = Worlds().front();
    empty.bodies.clear();
    empty.focus.reference = -1;
    empty.focus.flight.reset();
    Worlds().push_back(empty);
    sim::World centred = Worlds().front();
    centred.focus.position = {};
    centred.focus.velocity = {};
    centred.focus.flight.reset();
    centred.focus.landed = true;
    Worlds().push_back(centred);
}

// The two displays a step can use. Never destroyed: the host's list of open
// displays may already be gone when the program exits.
std::array<std::unique_ptr<sim::Display>, 2>& displays = *new std::array<std::unique_ptr<sim::Display>, 2>;

const SolverMFD* PageOf(const sim::Display& display) {
    const auto* page = dynamic_cast<const SolverMFD*>(display.Page());
    Require(page != nullptr, "a display in the mode shows a page of the module");
    return page;
}

// What the host can see of a page.
struct PageView {
    bool open = false;
    int directory = 0, equation = 0, variableSet = 0, variable = 0, position = 0, scrollOffset = 0, status = 0;
    bool operator==(const PageView&) const = default;
};

PageView ViewOf(int slot) {
    PageView view;
    if (!displays[slot]) return view;
    const SolverMFD* page = PageOf(*displays[slot]);
    view = {true,
            page->CurrentDirectory(),
            page->CurrentEquation(),
            page->CurrentVariableSet(),
            page->CurrentVariable(),
            page->VariablePosition(),
            page->DirectoryScrollOffset(),
            page->Status()};
    return view;
}

struct CellIndex {
    int set, directory, variable;
};

// The cell the next typed text goes to, as the fuzzer saw the box opened.
CellIndex inputTarget{};

// What one step may change.
struct Allowance {
    CellIndex cells[2];
    int cellCount = 0;
    bool solve = false;
    // Get All: the fetchable cells of this set and directory.
    int readAllSet = -1;
    int readAllDirectory = -1;
    int actingSlot = -1;  // the page the step went to; -1 for none
    DWORD command = kNoCommand;
    bool drawn = false;
    bool opened = false;  // the acting display switched to the mode afresh

    void Allow(CellIndex cell) { cells[cellCount++] = cell; }
    bool Allows(int s, int d, int v) const {
        for (int i = 0; i < cellCount; ++i)
            if (cells[i].set == s && cells[i].directory == d && cells[i].variable == v) return true;
        return false;
    }
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

int FetchableCount(int d) { return kalvo::SystemValueNumbers(d).count; }
bool Fetchable(int d, int v) { return kalvo::kCatalogue[d].variables[v].fetchable; }

// The cells a command on a page with selection `before` may write: at once, or
// (Input Value) when text is typed into the box it opens.
void AllowCommandWrites(const PageView& before, DWORD command, Allowance& allowance) {
    const CellIndex selected{before.variableSet, before.directory, before.variable};
    allowance.command = command;
    switch (command) {
        case kKeySolve:
            allowance.solve = true;
            allowance.Allow(selected);
            // Either azimuth of the launch directory's last equation gives both.
            if (before.directory == kalvo::LNC && before.equation == 3) {
                constexpr int az1 = kalvo::Var(kalvo::LNC, "Az1");
                constexpr int az2 = kalvo::Var(kalvo::LNC, "Az2");
                if (before.variable == az1 || before.variable == az2) {
                    allowance.cellCount = 0;
                    allowance.Allow({before.variableSet, kalvo::LNC, az1});
                    allowance.Allow({before.variableSet, kalvo::LNC, az2});
                }
            }
            break;
        case kKeyGetSystemValue:
            if (Fetchable(before.directory, before.variable)) allowance.Allow(selected);
            break;
        case kKeyGetAllValues:
            allowance.readAllSet = before.variableSet;
            allowance.readAllDirectory = before.directory;
            break;
        case kKeyInputValue:
            inputTarget = selected;
            break;
        case kKeyZeroValue:
        case kKeyPaste:
            allowance.Allow(selected);
            break;
        default:
            break;
    }
}

void CheckGravitationalConstant() {
    for (int s = 0; s < kalvo::kVariableSetCount; ++s) {
        Require(SameBits(kalvo::ValueStore[s][kalvo::ORB][kalvo::Var(kalvo::ORB, "G")], kalvo::kGravitationalConstant),
                "the ORB cell of G holds 6.67259e-11");
        Require(SameBits(kalvo::ValueStore[s][kalvo::LNC][kalvo::Var(kalvo::LNC, "G")], kalvo::kGravitationalConstant),
                "the LNC cell of G holds 6.67259e-11");
    }
}

void CheckCells(const ValueStoreCells& before, const Allowance& allowance, int statusAfter) {
    for (int s = 0; s < kalvo::kVariableSetCount; ++s)
        for (int d = 0; d < kalvo::kDirectoryCount; ++d)
            for (int v = 0; v < kalvo::kMaxVariables; ++v) {
                if (SameBits(before[s][d][v], kalvo::ValueStore[s][d][v])) continue;
                const bool getAll = s == allowance.readAllSet && d == allowance.readAllDirectory &&
                                    v < kalvo::VariableCount(d) && Fetchable(d, v);
                if (allowance.solve) {
                    Require(allowance.Allows(s, d, v), "a solve changes no cell but its own");
                    Require(statusAfter == kalvo::kSolved, "a solve changes its cell only with status 0");
                } else {
                    Require(allowance.Allows(s, d, v) || getAll, "a step changes only the cells it may write");
                }
            }
}

// A reading returns 0, 1, 2 or 4; Solve and Get replace the status with one code,
// Get All adds the codes of the directory's readings (MOV's one reading replaces
// it), a drawing shows it and sets it to 0, and nothing else touches it.
void CheckStatus(const PageView& before, const PageView& after, const Allowance& allowance) {
    using kalvo::kError, kalvo::kNotApplicable, kalvo::kNotAvailable, kalvo::kSolved;
    const auto isCode = [](int code) {
        return code == kSolved || code == kError || code == kNotAvailable || code == kNotApplicable;
    };
    Require(after.status >= 0, "the status is not negative");
    if (allowance.opened) {
        Require(after.status == kSolved, "a new page starts with status 0");
        return;
    }
    if (allowance.drawn) {
        Require(after.status == kSolved, "a drawing leaves the status 0");
        return;
    }
    switch (allowance.command) {
        case kKeySolve:
            Require(after.status == kSolved || after.status == kError || after.status == kNotAvailable,
                    "a solve sets a status of 0, 1 or 2");
            return;
        case kKeyGetSystemValue:
            Require(Fetchable(before.directory, before.variable) ? isCode(after.status) : after.status == before.status,
                    "Get sets the code of one reading, or keeps the status without one");
            return;
        case kKeyGetAllValues: {
            const int readings = FetchableCount(before.directory);
            if (before.directory == kalvo::MOV) {
                Require(isCode(after.status), "Get All in MOV sets the code of its reading");
            } else {
                // Each reading adds 0, 1, 2 or 4: every sum from 0 to 4 per reading can arise.
                const int added = after.status - before.status;
                Require(added >= 0 && added <= kNotApplicable * readings, "Get All adds a sum of its readings' codes");
            }
            return;
        }
        default:
            Require(after.status == before.status, "a step that neither solves, reads nor draws keeps the status");
    }
}

void CheckSelection(const PageView& page) {
    if (!page.open) return;
    Require(page.directory >= 0 && page.directory < kalvo::kDirectoryCount, "the directory is in range");
    Require(page.equation >= 0 && page.equation < kalvo::EquationCount(page.directory), "the equation is in range");
    Require(page.variableSet >= 0 && page.variableSet < kalvo::kVariableSetCount, "the variable set is in range");
    const kalvo::VariableNumbers list = kalvo::EquationVariableNumbers(page.directory, page.equation);
    Require(page.position >= 0 && page.position < list.count, "the variable position is in range");
    Require(page.variable == list.number[page.position] - 1,
            "the selected variable is the list entry at the variable position minus 1");
    Require(page.scrollOffset >= 0 && page.scrollOffset <= kalvo::kDirectoryCount - 8,
            "the directory scroll offset is in range");
}

int ChooseSlot(std::uint8_t byte) {
    const int wanted = byte & 1;
    if (displays[wanted]) return wanted;
    if (displays[1 - wanted]) return 1 - wanted;
    return -1;
}

void NoteStep(const char* format, long a = 0, long b = 0, long c = 0) {
    std::snprintf(lastStep, sizeof lastStep, format, a, b, c);
}

void OpenDisplay(int slot, DWORD width, DWORD height) {
    // Two displays of the mode at once are of different sizes.
    const int other = 1 - slot;
    if (displays[other] && displays[other]->Width() == width && displays[other]->Height() == height)
        width = width == kSizes[0] ? kSizes[1] : kSizes[0];
    if (!displays[slot] || displays[slot]->Width() != width || displays[slot]->Height() != height)
        displays[slot] = std::make_unique<sim::Display>(width, height);
    Require(displays[slot]->SelectMode(kModeKey), "a display switches to the mode");
}

void Draw(sim::Display& display) {
    sim::DeviceContext dc(static_cast<int>(display.Width()), static_cast<int>(display.Height()));
    const long liveBefore = sim::GdiAccounting().Live();
    sim::ClearGdiFaults();
    display.Draw(dc.Handle());
    Require(sim::GdiFaults().empty(), "a drawing deletes no GDI object while selected, and none twice");
    Require(sim::GdiAccounting().Live() == liveBefore, "a drawing leaves no GDI object alive");
}

// Runs one step; says what it may change.
Allowance RunStep(Bytes& in, const PageView views[2]) {
    Allowance allowance;
    const int operation = in.Next() % 17;
    switch (operation) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
        case 7: {
            DWORD key = kNoCommand;
            int button = -1, event = 0;
            if (operation <= 5) {
                key = kButtons[in.Next() % kButtonCount].key;
            } else if (operation == 6) {
                key = static_cast<DWORD>(in.NextBytes(4));
            } else {
                button = static_cast<std::int8_t>(in.Next());
                event = in.Next();
            }
            const int slot = ChooseSlot(in.Next());
            if (slot < 0) {
                NoteStep("no display for a key or button");
                break;
            }
            allowance.actingSlot = slot;
            if (operation == 7) {
                NoteStep("button %ld, event %ld on display %ld", button, event, slot);
                const bool pressed = (event & PANEL_MOUSE_LBDOWN) != 0 && button >= 0 && button < kButtonCount;
                const bool consumed = displays[slot]->ClickButton(button, event);
                AllowCommandWrites(views[slot], pressed && consumed ? kButtons[button].key : kNoCommand, allowance);
            } else {
                NoteStep("key %ld on display %ld", static_cast<long>(key), slot);
                AllowCommandWrites(views[slot], displays[slot]->PressKey(key) ? key : kNoCommand, allowance);
            }
            break;
        }
        case 8: {
            char text[32];
            const int length = in.Next() % 32;
            for (int i = 0; i < length; ++i) text[i] = static_cast<char>(in.Next());
            NoteStep("typing %ld bytes into the input box", length);
            if (sim::InputBox().open) allowance.Allow(inputTarget);
            sim::TypeIntoInputBox(std::string(text, static_cast<std::size_t>(length)));
            break;
        }
        case 9:
            NoteStep("input box cancelled");
            sim::CancelInputBox();
            break;
        case 10: {
            const int set = in.Next() & 1;
            const int d = in.Next() % kalvo::kDirectoryCount;
            int v = in.Next() % kalvo::VariableCount(d);
            if (kalvo::kCatalogue[d].variables[v].symbol == "G") v = (v + 1) % kalvo::VariableCount(d);
            const int choice = in.Next();
            const double value = choice == 255 ? in.NextDouble() : kValues[choice % kValueCount];
            NoteStep("cell (%ld, %ld, %ld) written", set, d, v);
            *KalvoValueCell(set, d, v) = value;
            allowance.Allow({set, d, v});
            break;
        }
        case 11: {
            const int slot = ChooseSlot(in.Next());
            NoteStep("drawing display %ld", slot);
            if (slot < 0) break;
            allowance.actingSlot = slot;
            allowance.drawn = true;
            Draw(*displays[slot]);
            break;
        }
        case 12: {
            const int slot = in.Next() & 1;
            const DWORD width = kSizes[in.Next() % kSizeCount];
            const DWORD height = kSizes[in.Next() % kSizeCount];
            NoteStep("display %ld opened, %ld x %ld", slot, static_cast<long>(width), static_cast<long>(height));
            OpenDisplay(slot, width, height);
            allowance.actingSlot = slot;
            allowance.opened = true;
            break;
        }
        case 13: {
            const int slot = in.Next() & 1;
            NoteStep("display %ld closed", slot);
            displays[slot].reset();
            break;
        }
        case 14: {
            const int minutes = in.Next();
            NoteStep("world advanced by %ld minutes", minutes);
            sim::AdvanceTime(60.0 * minutes);
            break;
        }
        case 15: {
            const int world = in.Next() % static_cast<int>(Worlds().size());
            NoteStep("world %ld installed", world);
            sim::TheWorld() = Worlds()[world];
            break;
        }
        case 16: {
            const int slot = ChooseSlot(in.Next());
            NoteStep("labels and menu of display %ld", slot);
            if (slot < 0) break;
            const MFDBUTTONMENU* menu = nullptr;
            Require(displays[slot]->ButtonLabels().size() == kButtonCount &&
                        displays[slot]->ButtonMenu(&menu) == kButtonCount && menu != nullptr,
                    "the page has a label and a menu entry for each of its fifteen buttons");
            break;
        }
    }
    return allowance;
}

void StartAfresh() {
    for (auto& display : displays) display.reset();
    sim::CancelInputBox();
    kalvo::ValueStore = kalvo::InitialValueStore();
    kalvo::Clipboard = {};
    kalvo::TypedInputTarget = {};
    inputTarget = {};
    sim::TheWorld() = Worlds().front();
    sim::ClearGdiFaults();
    sim::ForgetDeletedObjects();
    OpenDisplay(0, 400, 400);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // As the host starts a module: its initialisation registers the mode.
    opcDLLInit(nullptr);
    Require(sim::FindModeByKey(kModeKey) != nullptr, "the module registers its mode under key 18");
    BuildWorlds();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartAfresh();
    Bytes in(data, size);
    for (stepNumber = 1; !in.Empty(); ++stepNumber) {
        const ValueStoreCells cellsBefore = kalvo::ValueStore;
        const PageView before[2] = {ViewOf(0), ViewOf(1)};
        const Allowance allowance = RunStep(in, before);
        const PageView after[2] = {ViewOf(0), ViewOf(1)};

        CheckGravitationalConstant();
        const int actingStatus = allowance.actingSlot >= 0 ? after[allowance.actingSlot].status : 0;
        CheckCells(cellsBefore, allowance, actingStatus);
        for (int slot = 0; slot < 2; ++slot) {
            CheckSelection(after[slot]);
            if (slot == allowance.actingSlot)
                CheckStatus(before[slot], after[slot], allowance);
            else if (before[slot].open && after[slot].open)
                Require(after[slot] == before[slot], "a step on one display leaves the other's page as it was");
        }
    }
    return 0;
}
