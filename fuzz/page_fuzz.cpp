// A coverage-guided fuzzer over the whole page, driven through the stand-in host the
// way a pilot and the simulator drive it, with what must always hold checked after
// every step; a broken rule aborts with a message naming it. An input is a string of
// steps, each an operation byte (modulo 17) and its bytes, read as zeros past its end:
//   0..5  command key    1 byte: the key of button (byte mod 15), then a display byte
//   6     any key        4 bytes: a key code, little endian, then a display byte
//   7     button event   1 byte button (signed), 1 byte event, then a display byte
//   8     type into box  1 byte length (mod 32), then that many bytes of text
//   9     cancel the box
//   10    write a cell   set, directory, variable, value index; index 255 takes 8 raw bytes
//   11    draw           display byte
//   12    open display   slot byte, width byte, height byte (each picks a size)
//   13    close display  slot byte
//   14    advance time   1 byte: minutes
//   15    change world   1 byte: which world
//   16    host asks      the labels and the button menu, then a display byte
// A session is the input's first 256 bytes, some 80 steps: enough to reach any
// equation and solve it, short enough for thousands a second. Each starts as a
// freshly loaded module would: initial values, an empty clipboard, no input box, the
// first world, one 400 x 400 display in the mode. The module stays loaded from one
// input to the next, so one input in 64 is run twice and must end the same both
// times: state left over would show there.
#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <limits>
#include <memory>
#include <tuple>

#include "catalogue/status.h"
#include "fuzz/fuzz.h"
#include "host/inspection.h"
#include "sim/gdi/gdi.h"
#include "ui/buttons.h"
#include "ui/clipboard.h"
#include "ui/typed_input.h"

namespace {

using namespace kalvo;  // the catalogue, the command keys, the buttons and the mode key
using fuzz::Require;

constexpr std::size_t kMostBytes = 256;
// What a step did to the page it went to: a command key, or one of these.
constexpr DWORD kNoCommand = 0, kDrawn = ~DWORD{0}, kOpened = kDrawn - 1;
constexpr int kOrbG = Var(ORB, "G"), kLncG = Var(LNC, "G"), kAz1 = Var(LNC, "Az1"), kAz2 = Var(LNC, "Az2");

// Values worth writing into a cell: a double's edges, numbers the formulas treat specially.
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kValues[] = {
    0.0,       -0.0,     1.0,      -1.0,     0.5,       2.0,         3.0,       90.0,   180.0,
    270.0,     360.0,    -90.0,    1e7,      6.371e6,   5.9736e24,   7.3e22,    1e-300, 1e300,
    DBL_MAX,   -DBL_MAX, DBL_MIN,  4.9e-324, -4.9e-324, kInf,        -kInf,     kNaN,   -kNaN,
    1.0000001, 0.999999, 1.000001, 1e154,    -1e9,      6.67259e-11, 3.1415926,
};

// Display sizes, in pixels: from a cell of one pixel to the largest a message can carry.
constexpr DWORD kSizes[] = {1, 2, 39, 40, 41, 160, 200, 256, 300, 400, 512, 640, 1024, 4096, 65534, 65535};

// The step under way (0 while a session starts), told when a rule breaks.
int stepNumber = 0, operation = 0;

// The input, read a byte at a time; zeros once it runs out.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size, at = 0;
    std::uint8_t Next() { return at < size ? data[at++] : 0; }
    std::uint64_t Little(int count) {
        std::uint64_t bits = 0;
        for (int i = 0; i < count; ++i) bits |= std::uint64_t{Next()} << (8 * i);
        return bits;
    }
};

// The worlds a step can switch to: the host's scenarios, a world without bodies,
// and a vessel resting at the centre of the Earth.
std::vector<sim::World> worlds;
VariableNumbers variableLists[kDirectoryCount][kMaxEquations];  // looked up once, not at every step

// The displays a step can use. Never destroyed: the host's list of open displays may
// already be gone when the program exits.
std::array<std::unique_ptr<sim::Display>, 2>& slots = *new std::array<std::unique_ptr<sim::Display>, 2>;

// What the host can see of a page.
struct PageView {
    bool open = false;
    int directory = 0, equation = 0, variableSet = 0, variable = 0, position = 0, scrollOffset = 0, status = 0;
    bool operator==(const PageView&) const = default;
};

PageView ViewOf(int slot) {
    KalvoSelection s;
    if (!slots[slot] || !KalvoPageSelection(slots[slot]->Page(), &s)) return {};
    return {true, s.directory, s.equation, s.variableSet, s.variable, s.variablePosition, s.scrollOffset, s.status};
}

// The cell the next typed text goes to, as the fuzzer saw the box opened.
const double* inputTarget = nullptr;

// What one step may change.
struct Allowance {
    const double* cells[2] = {};
    const double* readAll = nullptr;  // Get All: the fetchable cells of the directory starting here
    int actingSlot = -1;              // the page the step went to; -1 for none
    DWORD command = kNoCommand;

    void Allow(const double* cell) { *std::find(cells, cells + 2, nullptr) = cell; }
    bool Allows(const double* cell) const { return cell == cells[0] || cell == cells[1]; }
};

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
bool Fetchable(int d, int v) { return kCatalogue[d].variables[v].fetchable; }

// The cells a command on a page with selection `page` may write: at once, or
// (Input Value) when text is typed into the box it opens.
void AllowCommandWrites(const PageView& page, DWORD command, Allowance& allowance) {
    auto& directory = ValueStore[page.variableSet][page.directory];
    const double* selected = &directory[page.variable];
    allowance.command = command;
    if (command == kKeySolve && page.directory == LNC && page.equation == 3 &&
        (page.variable == kAz1 || page.variable == kAz2)) {
        // Either azimuth of the launch directory's last equation gives both.
        allowance.Allow(&directory[kAz1]);
        allowance.Allow(&directory[kAz2]);
    } else if (command == kKeySolve || command == kKeyZeroValue || command == kKeyPaste ||
               (command == kKeyGetSystemValue && Fetchable(page.directory, page.variable))) {
        allowance.Allow(selected);
    }
    if (command == kKeyGetAllValues) allowance.readAll = directory.data();
    if (command == kKeyInputValue) inputTarget = selected;
}

// The G cells start at 6.67259e-11 (checked once), so they hold it while no step changes them.
void CheckCells(const ValueStoreCells& before, const Allowance& allowance, int statusAfter) {
    if (std::memcmp(&before, &ValueStore, sizeof before) == 0) return;  // most steps write no cell
    const bool solve = allowance.command == kKeySolve;
    for (int s = 0; s < kVariableSetCount; ++s)
        for (int d = 0; d < kDirectoryCount; ++d)
            for (int v = 0; v < kMaxVariables; ++v) {
                const double* cell = &ValueStore[s][d][v];
                if (SameBits(before[s][d][v], *cell)) continue;
                Require((d != ORB || v != kOrbG) && (d != LNC || v != kLncG), "the G cells hold 6.67259e-11");
                const bool read = allowance.readAll == &ValueStore[s][d][0] && v < VariableCount(d) && Fetchable(d, v);
                Require(allowance.Allows(cell) || read,
                        solve ? "a solve changes no cell but its own" : "a step changes only the cells it may write");
                Require(!solve || statusAfter == kSolved, "a solve changes its cell only with status 0");
            }
}

// A reading returns 0, 1, 2 or 4; Solve and Get replace the status with one code, Get
// All adds the codes of the directory's readings (MOV's one reading replaces it), a
// drawing shows it and sets it to 0, a new page starts with 0, nothing else touches it.
void CheckStatus(const PageView& before, const PageView& after, const Allowance& allowance) {
    const int status = after.status;
    const bool code = status == kSolved || status == kError || status == kNotAvailable || status == kNotApplicable;
    switch (allowance.command) {
        case kOpened:
            return;  // checked as it opened
        case kDrawn:
            return Require(status == kSolved, "a drawing leaves the status 0");
        case kKeySolve:
            return Require(code && status != kNotApplicable, "a solve sets a status of 0, 1 or 2");
        case kKeyGetSystemValue:
            return Require(Fetchable(before.directory, before.variable) ? code : status == before.status,
                           "Get sets the code of one reading, or keeps the status without one");
        case kKeyGetAllValues:
            if (before.directory == MOV) return Require(code, "Get All in MOV sets the code of its reading");
            // Each reading adds 0, 1, 2 or 4: every sum from 0 to 4 per reading can arise.
            return Require(status >= before.status &&
                               status - before.status <= kNotApplicable * SystemValueNumbers(before.directory).count,
                           "Get All adds a sum of its readings' codes");
        default:
            Require(status == before.status, "a step that neither solves, reads nor draws keeps the status");
    }
}

void CheckSelection(const PageView& page) {
    if (!page.open) return;
    Require(page.directory >= 0 && page.directory < kDirectoryCount, "the directory is in range");
    Require(page.equation >= 0 && page.equation < EquationCount(page.directory), "the equation is in range");
    Require(page.variableSet >= 0 && page.variableSet < kVariableSetCount, "the variable set is in range");
    const VariableNumbers& list = variableLists[page.directory][page.equation];
    Require(page.position >= 0 && page.position < list.count, "the variable position is in range");
    Require(page.variable == list.number[page.position] - 1, "the selected variable is the list's at the position");
    Require(page.scrollOffset >= 0 && page.scrollOffset <= kDirectoryCount - 8, "the scroll offset is in range");
}

int ChooseSlot(std::uint8_t byte) {
    const int wanted = byte & 1;
    return slots[wanted] ? wanted : slots[1 - wanted] ? 1 - wanted : -1;
}

void OpenDisplay(int slot, DWORD width, DWORD height) {
    // Two displays of the mode at once are of different sizes.
    const sim::Display* other = slots[1 - slot].get();
    if (other && other->Width() == width && other->Height() == height)
        width = width == kSizes[0] ? kSizes[1] : kSizes[0];
    std::unique_ptr<sim::Display>& opened = slots[slot];
    if (opened && opened->Width() == width && opened->Height() == height && opened->Page() != nullptr) {
        // The mode already shown: the display keeps its page as it was.
        const MFD* shown = opened->Page();
        const PageView before = ViewOf(slot);
        Require(opened->SelectMode(kModeKey) && opened->Page() == shown && ViewOf(slot) == before,
                "selecting the mode a display shows keeps its page");
        return;
    }
    if (!opened || opened->Width() != width || opened->Height() != height)
        opened = std::make_unique<sim::Display>(width, height);
    Require(opened->SelectMode(kModeKey), "a display switches to the mode");
    const PageView view = ViewOf(slot);
    Require(view.open, "a display in the mode shows a page of the module");
    CheckSelection(view);
    Require(view.status == kSolved, "a new page starts with status 0");
}

// Runs one step; says what it may change.
Allowance RunStep(Bytes& in, const PageView views[2]) {
    Allowance allowance;
    operation = in.Next() % 17;
    if (operation <= 7 || operation == 11 || operation == 16) {  // on a display
        DWORD key = kNoCommand;
        int button = -1, event = 0;
        if (operation <= 5) key = kButtons[in.Next() % kButtonCount].key;
        if (operation == 6) key = static_cast<DWORD>(in.Little(4));
        if (operation == 7) button = static_cast<std::int8_t>(in.Next()), event = in.Next();
        const int slot = allowance.actingSlot = ChooseSlot(in.Next());
        if (slot < 0) return allowance;
        sim::Display& display = *slots[slot];
        if (operation == 11) {
            sim::DeviceContext dc(static_cast<int>(display.Width()), static_cast<int>(display.Height()));
            const long liveBefore = sim::GdiAccounting().Live();
            sim::ClearGdiFaults();
            display.Draw(dc);
            Require(sim::GdiFaults().empty(), "a drawing deletes no GDI object while selected, and none twice");
            Require(sim::GdiAccounting().Live() == liveBefore, "a drawing leaves no GDI object alive");
            key = kDrawn;
        } else if (operation == 16) {
            const MFDBUTTONMENU* menu = nullptr;
            Require(display.ButtonLabels().size() == kButtonCount && display.ButtonMenu(&menu) == kButtonCount,
                    "the page has a label and a menu entry for each of its fifteen buttons");
            allowance.actingSlot = -1;  // the host only asks: neither page may change
        } else if (operation == 7) {
            const bool pressed = (event & PANEL_MOUSE_LBDOWN) != 0 && button >= 0 && button < kButtonCount;
            key = display.ClickButton(button, event) && pressed ? kButtons[button].key : kNoCommand;
        } else {
            key = display.PressKey(key) ? key : kNoCommand;
        }
        AllowCommandWrites(views[slot], key, allowance);
        return allowance;
    }
    switch (operation) {
        case 8: {
            std::string text(in.Next() % 32, '\0');
            for (char& c : text) c = static_cast<char>(in.Next());
            if (sim::InputBox().open) allowance.Allow(inputTarget);
            sim::TypeIntoInputBox(text);
            break;
        }
        case 9:
            sim::CancelInputBox();
            break;
        case 10: {
            const int set = in.Next() & 1, d = in.Next() % kDirectoryCount;
            int v = in.Next() % VariableCount(d);
            if (kCatalogue[d].variables[v].symbol == "G") v = (v + 1) % VariableCount(d);
            const int choice = in.Next();
            *KalvoValueCell(set, d, v) =
                choice == 255 ? std::bit_cast<double>(in.Little(8)) : kValues[choice % std::size(kValues)];
            allowance.Allow(&ValueStore[set][d][v]);
            break;
        }
        case 12: {
            const int slot = allowance.actingSlot = in.Next() & 1;
            const DWORD width = kSizes[in.Next() % std::size(kSizes)], height = kSizes[in.Next() % std::size(kSizes)];
            OpenDisplay(slot, width, height);
            allowance.command = kOpened;
            break;
        }
        case 13:
            slots[in.Next() & 1] = {};
            break;
        case 14:
            sim::AdvanceTime(60.0 * in.Next());
            break;
        case 15:
            sim::TheWorld() = worlds[in.Next() % worlds.size()];
            break;
    }
    return allowance;
}

// How an input left the cells (bit for bit), the pages and the input box.
using Outcome = std::tuple<std::array<std::uint64_t, sizeof(ValueStoreCells) / 8>, PageView, PageView, bool>;

Outcome Run(const std::uint8_t* data, std::size_t size) {
    // What a step can change, put back as a freshly loaded module has it.
    slots = {};
    sim::CancelInputBox();
    ValueStore = InitialValueStore();
    Clipboard = {};
    TypedInputTarget = {};
    inputTarget = nullptr;
    sim::TheWorld() = worlds.front();
    sim::ForgetDeletedObjects();
    stepNumber = operation = 0;
    OpenDisplay(0, 400, 400);

    Bytes in{data, std::min(size, kMostBytes)};
    for (stepNumber = 1; in.at < in.size; ++stepNumber) {
        const ValueStoreCells cellsBefore = ValueStore;
        const PageView before[2] = {ViewOf(0), ViewOf(1)};
        const Allowance allowance = RunStep(in, before);
        const PageView after[2] = {ViewOf(0), ViewOf(1)};
        CheckCells(cellsBefore, allowance, allowance.actingSlot >= 0 ? after[allowance.actingSlot].status : 0);
        for (int slot = 0; slot < 2; ++slot) {
            if (after[slot] != before[slot]) CheckSelection(after[slot]);  // an unchanged page was checked before
            if (slot == allowance.actingSlot)
                CheckStatus(before[slot], after[slot], allowance);
            else if (before[slot].open && after[slot].open)
                Require(after[slot] == before[slot], "a step on one display leaves the other's page as it was");
        }
    }
    return {std::bit_cast<std::tuple_element_t<0, Outcome>>(ValueStore), ViewOf(0), ViewOf(1), sim::InputBox().open};
}

}  // namespace

const char* const fuzz::kName = "kalvo_page_fuzz";

void fuzz::DescribeInput() { std::fprintf(stderr, "  at step %d, operation %d\n", stepNumber, operation); }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartModule();
    for (const sim::BuiltInScenario& scenario : sim::BuiltInScenarios())
        if (auto built = sim::BuildScenario(scenario.name); const auto* world = std::get_if<sim::World>(&built))
            worlds.push_back(*world);
    Require(!worlds.empty(), "the host's scenarios build");
    sim::World empty = worlds.front(), centred = worlds.front();
    empty.bodies.clear();
    empty.focus.reference = -1;
    empty.focus.flight.reset();
    centred.focus.position = centred.focus.velocity = {};
    centred.focus.flight.reset();
    centred.focus.landed = true;
    worlds.insert(worlds.end(), {empty, centred});
    for (int d = 0; d < kDirectoryCount; ++d)
        for (int e = 0; e < EquationCount(d); ++e) variableLists[d][e] = EquationVariableNumbers(d, e);
    for (const auto& set : InitialValueStore())
        Require(SameBits(set[ORB][kOrbG], kGravitationalConstant) && SameBits(set[LNC][kLncG], kGravitationalConstant),
                "the G cells hold 6.67259e-11");
    return 0;
}

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int) {
    return LLVMFuzzerMutate(data, std::min(size, kMostBytes), std::min(maxSize, kMostBytes));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static unsigned inputs = 0;
    const Outcome first = Run(data, size);
    if (inputs++ % 64 == 0) Require(Run(data, size) == first, "an input run again ends as it did the first time");
    return 0;
}
