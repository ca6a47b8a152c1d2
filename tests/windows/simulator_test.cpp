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

#include "sim/windows/simulator_host.h"
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

// ---- Recording the texts drawn ------------------------------------------------------

// A text as GDI drew it: where (the current position with TA_UPDATECP, else the
// point given), in which colours, and in which drawing (each drawing's Title,
// which the host draws, starts a new one).
struct DrawnText {
    POINT at;
    COLORREF colour, background;
    bool opaque;
    int drawing;
    char text[64];
};
DrawnText drawnTexts[512];
int drawnTextCount = 0;
int drawingCount = 0;
const char* const kTitle = "Kalvo MFD  V1.20";

using TextOutFunction = BOOL(WINAPI*)(HDC, int, int, LPCSTR, int);
TextOutFunction realTextOut = nullptr;

BOOL WINAPI RecordedTextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    if (drawnTextCount < int(sizeof drawnTexts / sizeof drawnTexts[0])) {
        DrawnText& drawn = drawnTexts[drawnTextCount++];
        drawn.at = {x, y};
        if (GetTextAlign(hdc) & TA_UPDATECP) GetCurrentPositionEx(hdc, &drawn.at);
        drawn.colour = GetTextColor(hdc);
        drawn.background = GetBkColor(hdc);
        drawn.opaque = GetBkMode(hdc) == OPAQUE;
        const int kept = length < int(sizeof drawn.text) ? length : int(sizeof drawn.text) - 1;
        memcpy(drawn.text, text, size_t(kept));
        drawn.text[kept] = '\0';
        if (SameText(drawn.text, kTitle)) ++drawingCount;
        drawn.drawing = drawingCount;
    }
    return realTextOut(hdc, x, y, text, length);
}

// Points a module's import `name` from gdi32.dll at `replacement`, by walking its
// import table, and keeps the real function in `real`. Returns how many were redirected.
int RedirectImport(HMODULE module, const char* name, void* replacement, void** real) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int redirected = 0;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name != 0;
         ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "gdi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
            if (slots->u1.Function != reinterpret_cast<ULONG_PTR>(replacement)) {
                *real = reinterpret_cast<void*>(slots->u1.Function);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            }
            VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
            ++redirected;
        }
    }
    return redirected;
}

int RedirectTextOut(HMODULE module) {
    return RedirectImport(module, "TextOutA", reinterpret_cast<void*>(&RecordedTextOutA),
                          reinterpret_cast<void**>(&realTextOut));
}

// The module's GDI objects alive: what its CreatePen, CreateSolidBrush and
// CreateFontA made less what its DeleteObject gave back (GetGuiResources counts
// nothing under Wine).
int moduleGdiObjects = 0;
HPEN(WINAPI* realCreatePen)(int, int, COLORREF) = nullptr;
HBRUSH(WINAPI* realCreateSolidBrush)(COLORREF) = nullptr;
HFONT(WINAPI* realCreateFontA)
(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR) = nullptr;
BOOL(WINAPI* realDeleteObject)(HGDIOBJ) = nullptr;

HPEN WINAPI CountedCreatePen(int style, int width, COLORREF colour) {
    const HPEN pen = realCreatePen(style, width, colour);
    moduleGdiObjects += pen != nullptr;
    return pen;
}
HBRUSH WINAPI CountedCreateSolidBrush(COLORREF colour) {
    const HBRUSH brush = realCreateSolidBrush(colour);
    moduleGdiObjects += brush != nullptr;
    return brush;
}
HFONT WINAPI CountedCreateFontA(int h, int w, int e, int o, int weight, DWORD i, DWORD u, DWORD s, DWORD c, DWORD op,
                                DWORD cp, DWORD q, DWORD pf, LPCSTR face) {
    const HFONT font = realCreateFontA(h, w, e, o, weight, i, u, s, c, op, cp, q, pf, face);
    moduleGdiObjects += font != nullptr;
    return font;
}
BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
    const BOOL deleted = realDeleteObject(object);
    moduleGdiObjects -= deleted != FALSE;
    return deleted;
}

int CountModuleGdiObjects(HMODULE module) {
    return RedirectImport(module, "CreatePen", reinterpret_cast<void*>(&CountedCreatePen),
                          reinterpret_cast<void**>(&realCreatePen)) +
           RedirectImport(module, "CreateSolidBrush", reinterpret_cast<void*>(&CountedCreateSolidBrush),
                          reinterpret_cast<void**>(&realCreateSolidBrush)) +
           RedirectImport(module, "CreateFontA", reinterpret_cast<void*>(&CountedCreateFontA),
                          reinterpret_cast<void**>(&realCreateFontA)) +
           RedirectImport(module, "DeleteObject", reinterpret_cast<void*>(&CountedDeleteObject),
                          reinterpret_cast<void**>(&realDeleteObject));
}

// The text the last drawing of `display`'s page put at cell (column, row); with two
// displays open the left one draws first in a frame.
const DrawnText* TextAt(Display display, int column, int row, int drawing = 0) {
    const int cw = simulator::CellWidth(display), ch = simulator::CellHeight(display);
    const DrawnText* found = nullptr;
    for (int i = 0; i < drawnTextCount; ++i) {
        const DrawnText& drawn = drawnTexts[i];
        if ((drawing == 0 ? drawn.drawing == drawingCount : drawn.drawing == drawing) &&
            drawn.at.x == cw * column + cw / 2 && drawn.at.y == ch * row)
            found = &drawn;
    }
    return found;
}

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

bool Shown(const char* text, int drawing = 0) {
    for (int i = 0; i < drawnTextCount; ++i)
        if ((drawing == 0 ? drawnTexts[i].drawing == drawingCount : drawnTexts[i].drawing == drawing) &&
            SameText(drawnTexts[i].text, text))
            return true;
    return false;
}

// A surface pixel in COLORREF order.
COLORREF PixelAt(Display display, int x, int y) {
    const DWORD rgb = simulator::Pixels(display)[y * simulator::DisplayWidth() + x] & 0x00FFFFFF;
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
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
    drawnTextCount = 0;
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
    for (int i = 0; i < drawnTextCount; ++i)
        if (SameText(drawnTexts[i].text, kTitle)) title = &drawnTexts[i];
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
    Check(drawnTextCount == 0, "no drawing of the page under the mode page");
    Key(OAPI_KEY_F1);
    Key(OAPI_KEY_GRAVE);
    Redraw();
    Check(drawnTextCount == 0, "no drawing of the page under the menu");
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
        Check(drawnTextCount == 0, "SEL shows the mode page");
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

// Writes the left display as a 24-bit BMP: rows bottom up, each padded to four bytes.
bool SaveBmp(const char* path) {
    const int w = simulator::DisplayWidth(), h = simulator::DisplayHeight(), stride = (w * 3 + 3) & ~3;
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, headers + DWORD(stride * h), 0, 0, headers};
    const BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, DWORD(stride * h), 2835, 2835, 0, 0};
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool saved =
        WriteFile(out, &file, sizeof file, &written, nullptr) && WriteFile(out, &info, sizeof info, &written, nullptr);
    static BYTE row[4096 * 3 + 4];
    const DWORD* pixels = simulator::Pixels(kLeft);
    for (int y = h - 1; saved && y >= 0; --y) {
        for (int x = 0; x < w; ++x) memcpy(&row[x * 3], &pixels[y * w + x], 3);
        saved = WriteFile(out, row, DWORD(stride), &written, nullptr) != 0;
    }
    CloseHandle(out);
    return saved;
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
    if (savePath != nullptr) Check(SaveBmp(savePath), "the drawing is saved as %s", savePath);
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
    Check(drawingCount >= 2, "both displays drawn");
    CheckText(kRight, 11, 9 + 1, "6.695722E+006", kWhite, kHighlightBlue);
    CheckText(kLeft, 11, 9 + 1, "6.695722E+006", kWhite, -1, drawingCount - 1);
    simulator::SwitchFocus(simulator::Focus::Ship);
    Redraw();
    CheckText(kLeft, 4, 1, "BOP", kWhite, kHighlightBlue, drawingCount - 1);
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
            for (int i = 0; i < drawnTextCount && row < 0; ++i)
                if (drawnTexts[i].drawing == drawingCount && drawnTexts[i].background == kHighlightBlue &&
                    drawnTexts[i].opaque && drawnTexts[i].at.y >= 9 * simulator::CellHeight(kLeft) &&
                    drawnTexts[i].at.x == simulator::CellWidth(kLeft) * 4 + simulator::CellWidth(kLeft) / 2)
                    row = i;
            const char* symbol = row >= 0 ? drawnTexts[row].text : "";
            if (SameText(symbol, c.solved)) solvedRow = drawnTexts[row].at.y / simulator::CellHeight(kLeft);
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

// The bytes in use on the process heap, where the module's operator new allocates.
SIZE_T HeapInUse() {
    SIZE_T used = 0;
    PROCESS_HEAP_ENTRY entry{};
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    HeapUnlock(heap);
    return used;
}

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
        drawnTextCount = 0;
        simulator::Frame(0.5, 0.5);
        drawings += simulator::DrawCount(kLeft) + simulator::DrawCount(kRight) - before;
        steps += 1;
        if (round == kRounds / 10) {
            gdiEarly = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
            moduleEarly = moduleGdiObjects;
            heapEarly = HeapInUse();
        }
    }
    const DWORD gdiLate = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const SIZE_T heapLate = HeapInUse();
    simulator::EndSession();
    Say("soak: %d commands and %d drawings; the module's GDI objects %d then %d (GetGuiResources %lu then %lu); "
        "heap %lu then %lu bytes\n",
        steps, drawings, moduleEarly, moduleGdiObjects, gdiEarly, gdiLate, (unsigned long)heapEarly,
        (unsigned long)heapLate);
    Check(steps + drawings >= 10000, "at least 10000 commands and drawings (%d)", steps + drawings);
    Check(moduleEarly == 0 && moduleGdiObjects == 0, "the module keeps no GDI object past a drawing");
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
        Check(RedirectTextOut(module) == 1 && RedirectTextOut(GetModuleHandleA(nullptr)) == 1,
              "the TextOutA imports of the module and of the host's Title are found");
        Check(CountModuleGdiObjects(module) == 4, "the module's GDI object imports are found");
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
