// KalvoMFD.dll in the simulator's ABI, loaded from a folder laid out as the
// simulator's and driven by a host that behaves as the simulator does: whole
// sessions at the standard display sizes, compared with what the page must draw
// (texts, their cells, their colours), and the simulator's conduct the module must
// survive. `Orbiter.exe --soak` runs the long session that watches GDI objects and
// the heap; `Orbiter.exe --save FILE.bmp` also writes the solved ORB page at 512 x 512.
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "sim/windows/instrumentation.h"
#include "tests/support/ieee_cases.h"

namespace {

using simulator::Display;
using simulator::kLeft;
using simulator::kRight;

int checks = 0;
int failures = 0;
char currentPart[96] = "";

void Print(const char* format, va_list arguments) {
    char text[1024];
    const int length = vsnprintf(text, sizeof text, format, arguments);
    DWORD written = 0;
    if (length > 0)
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, DWORD(length < int(sizeof text) ? length : sizeof text - 1),
                  &written, nullptr);
}

void Say(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Print(format, arguments);
    va_end(arguments);
}

void Part(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(currentPart, sizeof currentPart, format, arguments);
    va_end(arguments);
}

bool Check(bool ok, const char* what, ...) {
    ++checks;
    if (!ok) {
        ++failures;
        Say("FAILED in %s: ", currentPart);
        va_list arguments;
        va_start(arguments, what);
        Print(what, arguments);
        va_end(arguments);
        Say("\n");
    }
    return ok;
}

bool SameText(const char* a, const char* b) { return a != nullptr && b != nullptr && strcmp(a, b) == 0; }

using simulator::DrawnText;
using simulator::PixelAt;
using simulator::Shown;
using simulator::TextAt;
const char* const kTitle = "Kalvo MFD  V1.20";

// `expected` at the cell, in `colour`, on `background` when that is given.
void CheckText(Display display, int column, int row, const char* expected, COLORREF colour, long background = -1,
               int drawing = 0) {
    const DrawnText* drawn = TextAt(display, column, row, drawing);
    if (!Check(drawn != nullptr && SameText(drawn->text, expected), "cell (%d,%d) shows \"%s\", expected \"%s\"",
               column, row, drawn ? drawn->text : "(nothing)", expected))
        return;
    Check(drawn->colour == colour, "\"%s\" in 0x%08lX, expected 0x%08lX", expected, drawn->colour, colour);
    if (background < 0)
        Check(!drawn->opaque, "\"%s\" drawn transparent", expected);
    else
        Check(drawn->opaque && drawn->background == COLORREF(background), "\"%s\" on 0x%08lX, expected 0x%08lX",
              expected, drawn->background, COLORREF(background));
}

// ---- Driving the simulator ------------------------------------------------------------

// The page's colours and the directory codes, as the page must show them.
constexpr COLORREF kTextGreen = 0x0000C000, kWhite = 0x00FFFFFF, kHighlightBlue = 0x00C00000, kRed = 0x000000FF;
constexpr COLORREF kDarkYellow = 0x0000C0C0, kDarkRed = 0x000000C0, kTitleGrey = RGB(224, 224, 224);
const char* const kCodes[9] = {"BOP", "ORB", "ESC", "FUE", "INC", "MOV", "LNC", "RNT", "GLD"};

// A key with the display's Shift held, handled at the end of a short frame.
void Key(DWORD key, Display display = kLeft) {
    simulator::PressKey(key, display == kLeft, display == kRight);
    simulator::Frame(0.01, 0.01);
}

// A frame after which every display is due: the periodic redraw.
void Redraw() {
    simulator::RecordedTexts().count = 0;
    simulator::Frame(0.5, 0.5);
}

double* (*valueCell)(int, int, int) = nullptr;
int kalvoMode = 0;

void LoadingAndRegistration(HMODULE module) {
    Part("loading");
    const simulator::Conduct& conduct = simulator::Recorded();
    Check(module != nullptr, "LoadLibrary of Modules\\Plugin\\KalvoMFD.dll: error %lu", GetLastError());
    Check(conduct.initLibCalls == 1 && conduct.opcDLLInitCalls == 1,
          "InitLib ran inside LoadLibrary and called opcDLLInit once (%d, %d)", conduct.initLibCalls,
          conduct.opcDLLInitCalls);
    // InitLib's log line: the module exports GetModuleVersion (Date2Int of "Apr 25
    // 2006" is 60425 by the simulator's formula), no ModuleDate.
    const char* log = simulator::LogText();
    Check(strstr(log, "Module ") == log && strstr(log, "KalvoMFD.dll") != nullptr &&
              strstr(log, " [Build ******, API 060425]\n") != nullptr,
          "the log line of the module: %s", log);
    char text[256] = {};
    Check(LoadStringA(module, 1000, text, sizeof text) > 0 &&
              strncmp(text, "Kalvo MFD: a pocket equation solver page", 40) == 0,
          "resource 1000 is the description: \"%s\"", text);
    Check(LoadStringA(module, 1001, text, sizeof text) > 0 && SameText(text, "MFD modes"),
          "resource 1001 is \"MFD modes\": \"%s\"", text);

    // Which face the system draws the simulator's "Fixed" font with (Wine has no Courier New of its own).
    const HFONT fixed = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 2,
                                    NONANTIALIASED_QUALITY, 49, "Courier New");
    const HDC screen = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, fixed);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, LF_FACESIZE, face);
    Say("Courier New is drawn with the face \"%s\"\n", face);
    SelectObject(screen, previous);
    DeleteDC(screen);
    DeleteObject(fixed);

    Part("registration");
    kalvoMode = simulator::ModeIdByName("Kalvo MFD");
    Check(kalvoMode == 11, "the first plug-in mode gets id 11, after the ten built-in ones (%d)", kalvoMode);
    Check(simulator::ModeKey(kalvoMode) == OAPI_KEY_E, "the E key, free among the built-ins (%lu)",
          simulator::ModeKey(kalvoMode));
    // Other modes registered by hand: a built-in's key and Kalvo's own move to the digits.
    char orbitLike[] = "Copy of Orbit", kalvoLike[] = "Copy of Kalvo";
    MFDMODESPEC first{orbitLike, OAPI_KEY_O, nullptr}, second{kalvoLike, OAPI_KEY_E, nullptr};
    const int firstId = oapiRegisterMFDMode(first), secondId = oapiRegisterMFDMode(second);
    Check(firstId == 12 && secondId == 13, "ids count on: %d, %d", firstId, secondId);
    Check(simulator::ModeKey(firstId) == OAPI_KEY_1 && simulator::ModeKey(secondId) == OAPI_KEY_2,
          "taken keys move to 1 and 2 (%lu, %lu)", simulator::ModeKey(firstId), simulator::ModeKey(secondId));
    orbitLike[0] = 'X';
    Check(simulator::ModeIdByName("Copy of Orbit") == firstId, "the name is the host's copy");
    Check(oapiUnregisterMFDMode(secondId) && !oapiUnregisterMFDMode(secondId) && !oapiUnregisterMFDMode(99),
          "unregistering twice or an unknown id gives false");
    const int third = oapiRegisterMFDMode(second);
    Check(third == 14, "an id is never reused (%d)", third);
    Check(oapiUnregisterMFDMode(firstId) && oapiUnregisterMFDMode(third) && simulator::RegisteredModeCount() == 1,
          "only Kalvo's mode is left");
    const char* warning = strstr(log, "Obsolete API function used: oapiRegisterMFDMode");
    Check(warning != nullptr && strstr(warning + 1, "Obsolete API function used: oapiRegisterMFDMode") == nullptr,
          "the obsolete registration is logged once");
}

// ---- A whole session at one size ------------------------------------------------------

struct Size {
    simulator::Cockpit cockpit;
    int width, height;
    int cellHeight, cellWidth;  // the simulator's: h = IH*9/200, cw = Courier New's 0.6 em, rounded
    const char* what;
};

void OpeningAndCell(const Size& size) {
    const simulator::Conduct& conduct = simulator::Recorded();
    const int labels = conduct.labelCalls;
    simulator::SelectMode(kLeft, kalvoMode);
    MFD* page = simulator::Page(kLeft);
    if (!Check(page != nullptr, "the page opens through OPENED after OPENEDEX gave nothing")) return;
    Check(conduct.helpersBeforeInstrument == 0 && conduct.constructorsSettingCell == 0,
          "the constructor uses no helper and leaves cw and ch alone");
    Check(conduct.instancesOfMFD2 == 0, "the instance is no MFD2: the simulator draws it through Update(HDC)");
    Check(conduct.labelCalls - labels == (size.cockpit == simulator::Cockpit::Glass ? 12 : 0),
          "the glass cockpit asks for the twelve labels at once (%d)", conduct.labelCalls - labels);
    Check(simulator::CellHeight(kLeft) == size.cellHeight && simulator::CellWidth(kLeft) == size.cellWidth,
          "the cell of Courier New at %d pixels is %d x %d (measured %d x %d)", size.height * 9 / 200, size.cellWidth,
          size.cellHeight, simulator::CellWidth(kLeft), simulator::CellHeight(kLeft));
    const int before = simulator::DrawCount(kLeft);
    simulator::SelectMode(kLeft, kalvoMode);
    Check(simulator::Page(kLeft) == page, "choosing the mode shown changes nothing");
    Check(before == 0, "no drawing before the first frame");
}

// The fresh page: the title where the module left the current position, the
// directory and equation rows, the border of the glass cockpit.
void FreshPage(const Size& size) {
    Redraw();
    Check(simulator::DrawCount(kLeft) == 1, "the first frame draws the page");
    const DrawnText* title = nullptr;
    for (int i = 0; i < simulator::RecordedTexts().count; ++i)
        if (SameText(simulator::RecordedTexts().texts[i].text, kTitle)) title = &simulator::RecordedTexts().texts[i];
    Check(title != nullptr && title->at.x == 3 && title->at.y == 0 && title->colour == kTitleGrey && !title->opaque,
          "the title grey at (3,0), where the module left the current position");
    CheckText(kLeft, 0, 1, "DR:", kTextGreen);
    CheckText(kLeft, 4, 1, "BOP", kWhite, kHighlightBlue);
    CheckText(kLeft, 8, 1, "ORB", kTextGreen);
    CheckText(kLeft, 0, 2, "EQ:", kTextGreen);
    CheckText(kLeft, 18, 2, "VARSET:", kTextGreen);
    CheckText(kLeft, 29, 2, "CSP:", kTextGreen);
    CheckText(kLeft, 33, 2, " 0", kTextGreen);
    const bool glass = size.cockpit == simulator::Cockpit::Glass;
    const COLORREF edge = PixelAt(kLeft, size.width - 1, size.height / 2 + 3);
    Check(edge == (glass ? RGB(0, 255, 0) : RGB(0, 0, 0)), "the right edge is 0x%06lX: the border only in glass", edge);
}

// Periodic redraws every half second of simulation time, at most ten a second of
// system time, none while paused unless the page asks.
void Schedule() {
    Part("%s", "schedule");
    const int start = simulator::DrawCount(kLeft);
    // Steps of binary fractions, so that the clocks add up exactly.
    for (int i = 0; i < 3; ++i) simulator::Frame(0.125, 0.125);
    Check(simulator::DrawCount(kLeft) == start, "no redraw within half a second");
    simulator::Frame(0.125, 0.125);
    Check(simulator::DrawCount(kLeft) == start + 1, "a redraw after half a second");
    for (int i = 0; i < 20; ++i) simulator::Frame(10, 0.03125);
    Check(simulator::DrawCount(kLeft) == start + 6, "at 320x, five redraws in 0.625 s of system time (%d)",
          simulator::DrawCount(kLeft) - start - 1);
    simulator::SetPaused(true);
    const double simT = simulator::SimulationTime();
    for (int i = 0; i < 10; ++i) simulator::Frame(1, 1);
    Check(simulator::DrawCount(kLeft) == start + 6 && simulator::SimulationTime() == simT,
          "paused: time stands, no redraw");
    Key(OAPI_KEY_EQUALS);
    simulator::MouseDown(kLeft, 0);
    simulator::Frame(0, 0.1);
    simulator::MouseUp();
    Check(simulator::DrawCount(kLeft) == start + 6, "paused: keys and clicks go nowhere");
    simulator::Page(kLeft)->InvalidateDisplay();
    simulator::Frame(0, 0.01);
    Check(simulator::DrawCount(kLeft) == start + 7, "paused: InvalidateDisplay redraws in the next frame");
    simulator::SetPaused(false);
}

// Keys: only with Shift, only on the left and right display; the host's own keys.
void Keys(const Size& size) {
    Part("keys at %s", size.what);
    Redraw();
    simulator::PressKey(OAPI_KEY_EQUALS, false, false);
    simulator::PressKey(OAPI_KEY_EQUALS, true, false, true);
    simulator::Frame(0.01, 0.01);
    Redraw();
    CheckText(kLeft, 4, 1, "BOP", kWhite, kHighlightBlue);
    const int drawn = simulator::DrawCount(kLeft);
    Key(OAPI_KEY_EQUALS);
    simulator::Frame(0.01, 0.01);
    Check(simulator::DrawCount(kLeft) == drawn + 1, "Next Directory redraws in the next frame");
    Redraw();
    CheckText(kLeft, 8, 1, "ORB", kWhite, kHighlightBlue);
    Key(OAPI_KEY_EQUALS, kRight);  // the right display is off
    Key(OAPI_KEY_F1);
    Redraw();
    Check(simulator::RecordedTexts().count == 0, "no drawing of the page under the mode page");
    Key(OAPI_KEY_F1);
    Key(OAPI_KEY_GRAVE);
    Redraw();
    Check(simulator::RecordedTexts().count == 0, "no drawing of the page under the menu");
    Key(OAPI_KEY_MINUS);  // taken by the page and so closes the menu
    Redraw();
    CheckText(kLeft, 4, 1, "BOP", kWhite, kHighlightBlue);
    Key(OAPI_KEY_F2);
    Check(simulator::ButtonPage(kLeft) == 1, "Shift-F2 shows the second page of buttons");
    const simulator::Conduct& conduct = simulator::Recorded();
    const int immediate = conduct.immediateKeyCalls;
    simulator::HoldShift(true, false);
    for (int i = 0; i < 3; ++i) simulator::Frame(0.01, 0.01);
    simulator::HoldShift(false, false);
    simulator::Frame(0.01, 0.01);
    Check(conduct.immediateKeyCalls - immediate == 3, "ConsumeKeyImmediate every frame Shift is held (%d)",
          conduct.immediateKeyCalls - immediate);
    const int closed = conduct.closedMessages;
    Key(OAPI_KEY_ESCAPE);
    Check(simulator::Page(kLeft) == nullptr && conduct.closedMessages == closed + 1,
          "Shift-Esc closes the page: CLOSED and the destructor");
    Key(OAPI_KEY_ESCAPE);
    Check(simulator::Page(kLeft) != nullptr, "Shift-Esc again opens it anew");
}

// Clicks: the glass cockpit's press a frame later, then "held" frames, no release;
// the external window's press, held and release.
void Clicks(const Size& size) {
    Part("clicks at %s", size.what);
    if (size.cockpit == simulator::Cockpit::Glass) {
        simulator::MouseDown(kLeft, 0);
        Redraw();
        CheckText(kLeft, 4, 1, "BOP", kWhite, kHighlightBlue);
        for (int i = 0; i < 3; ++i) simulator::Frame(0.01, 0.01);
        simulator::MouseUp();
        Redraw();
        CheckText(kLeft, 8, 1, "ORB", kWhite, kHighlightBlue);
        simulator::MouseDown(kLeft, 13);  // SEL: the mode page, not the page's button 13
        simulator::MouseUp();
        Redraw();
        Check(simulator::RecordedTexts().count == 0, "SEL shows the mode page");
        simulator::MouseDown(kLeft, 13);
        simulator::MouseUp();
        Key(OAPI_KEY_F2);
        simulator::MouseDown(kLeft, 2);  // the second page's third button: Zero Value
        simulator::Frame(0.01, 0.01);
        simulator::MouseUp();
        Key(OAPI_KEY_F2);
        Key(OAPI_KEY_MINUS);
    }
    simulator::ExternalMouseDown(kLeft, 0);
    for (int i = 0; i < 3; ++i) simulator::Frame(0.01, 0.01);
    simulator::ExternalMouseUp();
    Redraw();
    CheckText(kLeft, 8, 1, "ORB", kWhite, kHighlightBlue);
    Key(OAPI_KEY_MINUS);
}

// Every directory in turn, the row scrolling at GLD; a failed solve's message once.
void Directories() {
    Part("%s", "directories");
    Key(OAPI_KEY_MINUS);
    for (int d = 0; d < 9; ++d) {
        Redraw();
        const int offset = d == 8 ? 1 : 0;
        CheckText(kLeft, 4 + 4 * (d - offset), 1, kCodes[d], kWhite, kHighlightBlue);
        CheckText(kLeft, 3, 2, "0", kWhite, kHighlightBlue);
        Key(OAPI_KEY_EQUALS);
    }
    for (int d = 0; d < 8; ++d) Key(OAPI_KEY_MINUS);
}

// ORB equation 1, Vt=sqrt(p*G*M)/r: Get All, r copied into p, Vt solved (the page
// saved when asked); then r zeroed and the solve fails once.
void Solving(const char* savePath = nullptr) {
    Part("%s", "solving");
    Key(OAPI_KEY_EQUALS);
    Key(OAPI_KEY_RBRACKET);
    Key(OAPI_KEY_A);
    Redraw();
    Check(!Shown("ERROR!") && !Shown(" N/Av ") && !Shown("MultErr"), "Get All reads without a message");
    Key(OAPI_KEY_C);
    Key(OAPI_KEY_PERIOD);
    Key(OAPI_KEY_V);
    Key(OAPI_KEY_PERIOD);
    Key(OAPI_KEY_S);
    Redraw();
    // r = p/(1+e cos 60 deg) with p = 6671 km * (1+e), e = 100/13442: 6.695722E6 m, and
    // Vt = sqrt(G M / r) for p = r: 7.7155E3 m/s (hand calculation of the ship's orbit).
    CheckText(kLeft, 4, 9 + 4, "Vt", kWhite, kHighlightBlue);
    CheckText(kLeft, 11, 9 + 4, "7.715545E+003", kWhite, kHighlightBlue);
    CheckText(kLeft, 11, 9 + 0, "6.695722E+006", kWhite);
    CheckText(kLeft, 11, 9 + 5, "4.961661E+001", kTextGreen);
    if (savePath != nullptr) Check(simulator::SaveBmp(kLeft, savePath), "the drawing is saved as %s", savePath);
    Key(OAPI_KEY_COMMA);
    Key(OAPI_KEY_COMMA);
    Key(OAPI_KEY_Z);
    Key(OAPI_KEY_PERIOD);
    Key(OAPI_KEY_PERIOD);
    Key(OAPI_KEY_S);
    Redraw();
    CheckText(kLeft, 30, 0, "ERROR!", kDarkYellow, kDarkRed);
    Redraw();
    Check(!Shown("ERROR!"), "the message is shown by one drawing only");
}

// Ten copies fill the stack: CSP red; ten pastes empty it.
void Clipboard() {
    Part("%s", "clipboard");
    for (int i = 0; i < 10; ++i) Key(OAPI_KEY_C);
    Redraw();
    CheckText(kLeft, 29, 2, "CSP:", kRed);
    CheckText(kLeft, 33, 2, "10", kRed);
    for (int i = 0; i < 10; ++i) Key(OAPI_KEY_V);
    Redraw();
    CheckText(kLeft, 33, 2, " 0", kTextGreen);
}

// The input box: Enter stores, Esc and a click close without storing, a false
// answer would keep it open, and the box outlives its page.
void InputBox() {
    Part("%s", "input box");
    double* p = valueCell(0, 1, 1);
    Key(OAPI_KEY_COMMA);  // p in equation 1 (r p Vt M)
    Key(OAPI_KEY_L);
    Check(simulator::InputBoxOpen() && SameText(simulator::InputBoxTitle(), "Semi-Latus") &&
              simulator::InputBoxVisibleWidth() == 20 && SameText(simulator::InputBoxText(), ""),
          "Inp opens an empty box titled \"Semi-Latus\", 20 wide");
    Key(OAPI_KEY_PERIOD);
    simulator::TypeIntoBox("-1.5e3\t\x01");
    Check(SameText(simulator::InputBoxText(), "-1.5e3"), "only printable characters are typed");
    simulator::PressEnterInBox();
    Check(!simulator::InputBoxOpen() && *p == -1500, "Enter stores -1500 in p (%.17g)", *p);

    Key(OAPI_KEY_L);
    simulator::TypeIntoBox("77");
    simulator::PressEscapeInBox();
    Check(!simulator::InputBoxOpen() && *p == -1500, "Esc closes the box without storing");
    Key(OAPI_KEY_L);
    simulator::TypeIntoBox("78");
    simulator::MouseDown(kLeft, 5);
    simulator::MouseUp();
    Check(!simulator::InputBoxOpen() && *p == -1500, "a click closes the box without storing");

    Key(OAPI_KEY_L);
    char longText[300];
    memset(longText, '9', sizeof longText - 1);
    longText[sizeof longText - 1] = '\0';
    simulator::TypeIntoBox(longText);
    Check(strlen(simulator::InputBoxText()) == 256, "typing stops at 256 characters");
    Key(OAPI_KEY_L);
    Check(strlen(simulator::InputBoxText()) == 256, "no key reaches the page while the box is open");
    char otherTitle[] = "Other";
    oapiOpenInputBox(otherTitle, nullptr, nullptr, 8, nullptr);
    Check(SameText(simulator::InputBoxTitle(), "Other") && SameText(simulator::InputBoxText(), ""),
          "a second box replaces the first");
    simulator::PressEscapeInBox();
    Key(OAPI_KEY_L);
    simulator::TypeIntoBox("42");
    simulator::SelectMode(kLeft, 0);
    simulator::PressEnterInBox();
    Check(*p == 42, "Enter after the page was closed stores 42 in p (%.17g)", *p);
    simulator::SelectMode(kLeft, kalvoMode);
}

// Two displays on one value store: a copy on the left pasted on the right; a focus
// switch re-creates both with a fresh selection and the values kept.
void TwoPages() {
    Part("%s", "two pages");
    simulator::SelectMode(kRight, kalvoMode);
    Key(OAPI_KEY_EQUALS);
    Key(OAPI_KEY_G);
    Key(OAPI_KEY_C);
    Key(OAPI_KEY_EQUALS, kRight);
    Key(OAPI_KEY_PERIOD, kRight);
    Key(OAPI_KEY_V, kRight);
    Redraw();
    Check(simulator::RecordedTexts().drawings >= 2, "both displays drawn");
    CheckText(kRight, 11, 9 + 1, "6.695722E+006", kWhite, kHighlightBlue);
    CheckText(kLeft, 11, 9 + 1, "6.695722E+006", kWhite, -1, simulator::RecordedTexts().drawings - 1);
    simulator::SwitchFocus(simulator::Focus::Ship);
    Redraw();
    CheckText(kLeft, 4, 1, "BOP", kWhite, kHighlightBlue, simulator::RecordedTexts().drawings - 1);
    CheckText(kRight, 4, 1, "BOP", kWhite, kHighlightBlue);
    Key(OAPI_KEY_EQUALS, kRight);
    Redraw();
    CheckText(kRight, 11, 9 + 1, "6.695722E+006", kWhite);
    simulator::SelectMode(kRight, 0);
}

// Readings of a focus vessel without a state: the relative position and velocity
// stay unwritten, each reading fails with ERROR! and leaves its cell as it was.
void StatelessVessel() {
    Part("%s", "stateless vessel");
    simulator::SwitchFocus(simulator::Focus::Stateless);
    Check(simulator::FocusObject() != nullptr, "the new focus");
    Key(OAPI_KEY_EQUALS);
    Key(OAPI_KEY_RBRACKET);
    const double r = *valueCell(0, 1, 0);
    Key(OAPI_KEY_G);
    Redraw();
    CheckText(kLeft, 30, 0, "ERROR!", kDarkYellow, kDarkRed);
    Check(*valueCell(0, 1, 0) == r, "r unchanged");
    for (int e = 1; e < 4; ++e) Key(OAPI_KEY_RBRACKET);  // equation 4: Vt Vr V
    const double before[3] = {*valueCell(0, 1, 4), *valueCell(0, 1, 5), *valueCell(0, 1, 6)};
    for (int k = 0; k < 3; ++k) {
        Key(OAPI_KEY_G);
        Redraw();
        CheckText(kLeft, 30, 0, "ERROR!", kDarkYellow, kDarkRed);
        Check(*valueCell(0, 1, 4 + k) == before[k], "variable %d unchanged", 4 + k);
        Key(OAPI_KEY_PERIOD);
    }
    simulator::SwitchFocus(simulator::Focus::Ship);
}

// Every IEEE case through the page: the variables typed, the solve, the text drawn.
void IeeeCases() {
    Part("%s", "double arithmetic");
    for (const kalvo::IeeeCase& c : kalvo::kIeeeCases) {
        Key(OAPI_KEY_MINUS);
        for (int d = 0; d < 8; ++d) Key(OAPI_KEY_MINUS);
        for (int d = 0; d < c.directory; ++d) Key(OAPI_KEY_EQUALS);
        for (int e = 0; e < c.equation; ++e) Key(OAPI_KEY_RBRACKET);
        for (int k = 0; k < 8; ++k) Key(OAPI_KEY_COMMA);
        // Type each input into its variable, then select the solved one.
        int solvedRow = -1;
        for (int k = 0; k < 8; ++k) {
            Redraw();
            int row = -1;
            for (int i = 0; i < simulator::RecordedTexts().count && row < 0; ++i)
                if (simulator::RecordedTexts().texts[i].drawing == simulator::RecordedTexts().drawings &&
                    simulator::RecordedTexts().texts[i].background == kHighlightBlue &&
                    simulator::RecordedTexts().texts[i].opaque &&
                    simulator::RecordedTexts().texts[i].at.y >= 9 * simulator::CellHeight(kLeft) &&
                    simulator::RecordedTexts().texts[i].at.x ==
                        simulator::CellWidth(kLeft) * 4 + simulator::CellWidth(kLeft) / 2)
                    row = i;
            const char* symbol = row >= 0 ? simulator::RecordedTexts().texts[row].text : "";
            if (SameText(symbol, c.solved))
                solvedRow = simulator::RecordedTexts().texts[row].at.y / simulator::CellHeight(kLeft);
            for (const kalvo::IeeeInput& input : c.inputs)
                if (input.symbol != nullptr && SameText(symbol, input.symbol)) {
                    Key(OAPI_KEY_L);
                    simulator::TypeIntoBox(input.text);
                    simulator::PressEnterInBox();
                }
            Key(OAPI_KEY_PERIOD);
        }
        for (int k = 0; k < 8; ++k) Key(OAPI_KEY_COMMA);
        Redraw();
        for (int k = 0; k < 8 && solvedRow >= 0; ++k) {
            const DrawnText* symbol = TextAt(kLeft, 4, solvedRow);
            if (symbol != nullptr && symbol->opaque && symbol->background == kHighlightBlue) break;
            Key(OAPI_KEY_PERIOD);
            Redraw();
        }
        Key(OAPI_KEY_S);
        Redraw();
        const DrawnText* shown = solvedRow >= 0 ? TextAt(kLeft, 11, solvedRow) : nullptr;
        Check(shown != nullptr && SameText(shown->text, c.expected), "%s: %s shows \"%s\", expected \"%s\"", c.name,
              c.solved, shown ? shown->text : "(nothing)", c.expected);
    }
}

void Session(const Size& size) {
    Part("opening at %s", size.what);
    simulator::StartSession(size.cockpit, size.width, size.height);
    OpeningAndCell(size);
    if (simulator::Page(kLeft) == nullptr) return;
    FreshPage(size);
    Schedule();
    Keys(size);
    Clicks(size);
    Directories();
    Solving();
    Clipboard();
    InputBox();
    TwoPages();
    StatelessVessel();
    const int closed = simulator::Recorded().closedMessages;
    simulator::EndSession();
    Check(simulator::Recorded().closedMessages == closed + 1, "the session's end closes the page");
}

const Size kSizes[] = {
    {simulator::Cockpit::Glass, 256, 256, 11, 7, "256x256"},
    {simulator::Cockpit::Glass, 385, 385, 17, 10, "385x385 (glass cockpit, 800-pixel view)"},
    {simulator::Cockpit::Virtual, 512, 512, 23, 14, "512x512 (virtual cockpit)"},
    {simulator::Cockpit::Glass, 400, 256, 11, 7, "400x256"},
};

// ---- The soak --------------------------------------------------------------------------

// Commands across the whole catalogue on two displays, every one followed by a
// drawing, at the four sizes: GDI objects and heap flat from the first tenth to the end.
void Soak() {
    constexpr DWORD kCycle[] = {OAPI_KEY_PERIOD,   OAPI_KEY_S,      OAPI_KEY_A,      OAPI_KEY_G, OAPI_KEY_C,
                                OAPI_KEY_H,        OAPI_KEY_PERIOD, OAPI_KEY_V,      OAPI_KEY_L, OAPI_KEY_H,
                                OAPI_KEY_RBRACKET, OAPI_KEY_R,      OAPI_KEY_PERIOD, OAPI_KEY_S, OAPI_KEY_EQUALS};
    constexpr int kRounds = 3400;
    int steps = 0, drawings = 0;
    DWORD gdiEarly = 0;
    int moduleEarly = 0;
    SIZE_T heapEarly = 0;
    Part("%s", "soak");
    for (int round = 0; round < kRounds; ++round) {
        const Size& size = kSizes[(round * 4) / kRounds];
        if (round % (kRounds / 4) == 0) {
            if (round > 0) simulator::EndSession();
            simulator::StartSession(size.cockpit, size.width, size.height);
            simulator::SelectMode(kLeft, kalvoMode);
            simulator::SelectMode(kRight, kalvoMode);
        }
        const Display display = round % 2 == 0 ? kLeft : kRight;
        const DWORD key = kCycle[round % (sizeof kCycle / sizeof kCycle[0])];
        simulator::PressKey(round % 9 == 8 ? OAPI_KEY_MINUS : key, display == kLeft, display == kRight);
        simulator::Frame(0.01, 0.01);
        if (simulator::InputBoxOpen()) {
            simulator::TypeIntoBox(round % 3 == 0 ? "1.25e4" : "-7");
            simulator::PressEnterInBox();
        }
        const int before = simulator::DrawCount(kLeft) + simulator::DrawCount(kRight);
        simulator::RecordedTexts().count = 0;
        simulator::Frame(0.5, 0.5);
        drawings += simulator::DrawCount(kLeft) + simulator::DrawCount(kRight) - before;
        steps += 1;
        if (round == kRounds / 10) {
            gdiEarly = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
            moduleEarly = simulator::ModuleGdiObjects();
            heapEarly = simulator::HeapInUse();
        }
    }
    const DWORD gdiLate = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const SIZE_T heapLate = simulator::HeapInUse();
    simulator::EndSession();
    Say("soak: %d commands and %d drawings; the module's GDI objects %d then %d (GetGuiResources %lu then %lu); "
        "heap %lu then %lu bytes\n",
        steps, drawings, moduleEarly, simulator::ModuleGdiObjects(), gdiEarly, gdiLate, (unsigned long)heapEarly,
        (unsigned long)heapLate);
    Check(steps + drawings >= 10000, "at least 10000 commands and drawings (%d)", steps + drawings);
    Check(moduleEarly == 0 && simulator::ModuleGdiObjects() == 0, "the module keeps no GDI object past a drawing");
    Check(gdiLate <= gdiEarly, "the process's GDI objects flat: %lu then %lu", gdiEarly, gdiLate);
    Check(heapLate <= heapEarly + 4096, "heap flat: %lu then %lu bytes", (unsigned long)heapEarly,
          (unsigned long)heapLate);
}

int RunHost() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    if (char* slash = strrchr(path, '\\')) strcpy(slash, "\\Modules\\Plugin\\KalvoMFD.dll");
    const bool soak = strstr(GetCommandLineA(), "--soak") != nullptr;
    const char* save = strstr(GetCommandLineA(), "--save ");

    const HMODULE module = LoadLibraryA(path);
    LoadingAndRegistration(module);
    if (module != nullptr && kalvoMode != 0) {
        Part("GDI imports");
        Check(simulator::RecordTexts(module, kTitle) == 1 &&
                  simulator::RecordTexts(GetModuleHandleA(nullptr), kTitle) == 1,
              "the TextOutA imports of the module and of the host's Title are found");
        Check(simulator::CountGdiObjects(module) == 4, "the module's GDI object imports are found");
        valueCell = reinterpret_cast<double* (*)(int, int, int)>(
            reinterpret_cast<void*>(GetProcAddress(module, "KalvoValueCell")));
        if (soak) {
            Soak();
        } else {
            for (const Size& size : kSizes) Session(size);
            // The virtual cockpit's display of the 2024 release, 512 x 512, without the glass border.
            simulator::StartSession(simulator::Cockpit::Virtual, 512, 512);
            simulator::SelectMode(kLeft, kalvoMode);
            Solving(save != nullptr ? save + 7 : nullptr);
            IeeeCases();
            simulator::EndSession();
        }
        Part("unloading");
        FreeLibrary(module);
        Check(GetModuleHandleA("KalvoMFD.dll") == nullptr, "the module is unloaded");
        Check(simulator::RegisteredModeCount() == 0, "its exit hook unregistered the mode");
    }
    Say("%s: %d checks, %d failed\n", failures == 0 ? "passed" : "FAILED", checks, failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace

#ifdef KALVO_BARE_RUNTIME
// Without the C runtime's start-up, the program starts here.
extern "C" void HostStart() { ExitProcess(UINT(RunHost())); }
#else
int main() { return RunHost(); }
#endif
