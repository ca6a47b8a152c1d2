// KalvoMFD.dll as the simulator runs it, in the simulator's ABI, from a folder laid
// out as the simulator's: what only this ABI can show (the loader, opcDLLInit, the
// opening messages, the dynamic_cast that chooses the drawing path, the Microsoft
// virtual table, the input box's callback, the virtual destructor, FreeLibrary) and
// a pilot's session drawn with the real GDI into a DIB section. Page behaviour
// itself is the Linux tests'. Prints each failed check and a summary.
// Orbiter.exe [--save FILE.bmp]: also writes the session's last drawing as BMP.
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "sim/windows/simulator_host.h"
#include "ui/colours.h"

namespace {

int checks = 0;
int failures = 0;
const char* currentPart = "";

void Print(const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    const int length = vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    DWORD written = 0;
    if (length > 0)
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, DWORD(length < int(sizeof text) ? length : sizeof text - 1),
                  &written, nullptr);
}

bool Check(bool ok, const char* what, ...) {
    ++checks;
    if (!ok) {
        ++failures;
        char text[512];
        va_list arguments;
        va_start(arguments, what);
        vsnprintf(text, sizeof text, what, arguments);
        va_end(arguments);
        Print("FAILED in %s: %s\n", currentPart, text);
    }
    return ok;
}

bool SameText(const char* a, const char* b) { return a != nullptr && b != nullptr && strcmp(a, b) == 0; }

// Where each text went: the text point of the current position, where the page's
// text-grid prints.
struct DrawnText {
    POINT at;
    char text[64];
};
DrawnText drawnTexts[128];
int drawnTextCount = 0;

BOOL WINAPI RecordedTextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    if (drawnTextCount < 128) {
        DrawnText& drawn = drawnTexts[drawnTextCount++];
        GetCurrentPositionEx(hdc, &drawn.at);
        const int kept = length < int(sizeof drawn.text) ? length : int(sizeof drawn.text) - 1;
        memcpy(drawn.text, text, size_t(kept));
        drawn.text[kept] = '\0';
    }
    return TextOutA(hdc, x, y, text, length);
}

// Points the module's import of TextOutA at the recording version, by walking its
// import table for gdi32.dll. Returns how many were redirected.
int RedirectTextOut(HMODULE module) {
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
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            if (strcmp(name, "TextOutA") != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &protection);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(&RecordedTextOutA);
            VirtualProtect(&slots->u1.Function, sizeof(void*), protection, &protection);
            ++redirected;
        }
    }
    return redirected;
}

// The page and a memory device context with a top-down 32-bit DIB section, whose
// pixels are read in place: 0x00RRGGBB.
struct Page {
    MFD* mfd;
    int width, height, cellWidth, cellHeight;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD* bits;
};

// As the simulator opens a display of width x height in the mode: the extended
// message first, and when that gives no instance, the plain one.
Page OpenPage(int width, int height) {
    MFDMODEOPENSPEC openSpec{width, height, nullptr};
    const WPARAM size = WPARAM(height) << 16 | WPARAM(width);
    OAPI_MSGTYPE instance = host.mode.msgproc(OAPI_MSG_MFD_OPENEDEX, 0, size, reinterpret_cast<LPARAM>(&openSpec));
    Check(instance == 0, "the extended opening message gives no instance");
    if (instance == 0)
        instance = host.mode.msgproc(OAPI_MSG_MFD_OPENED, 0, size, reinterpret_cast<LPARAM>(FocusVessel()));
    Page page{reinterpret_cast<MFD*>(instance), width,   height,  0,      0,
              CreateCompatibleDC(nullptr),      nullptr, nullptr, nullptr};
    BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    page.bitmap = CreateDIBSection(page.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    page.bits = static_cast<DWORD*>(bits);
    page.previous = SelectObject(page.dc, page.bitmap);
    if (page.mfd != nullptr) {
        page.cellWidth = int(Instrument_User::CellWidth(*page.mfd));
        page.cellHeight = int(Instrument_User::CellHeight(*page.mfd));
        CreateHostLook(DWORD(page.cellWidth), DWORD(page.cellHeight));
    }
    return page;
}

void ClosePage(Page& page) {
    delete page.mfd;  // through the virtual destructor, as the simulator does
    SelectObject(page.dc, page.previous);
    DeleteObject(page.bitmap);
    DeleteDC(page.dc);
    DeleteHostLook();
}

// The simulator's refresh: a black surface, the page's Update, the texts recorded.
void Draw(Page& page) {
    GdiFlush();
    memset(page.bits, 0, size_t(page.width) * size_t(page.height) * 4);
    drawnTextCount = 0;
    page.mfd->Update(page.dc);
    GdiFlush();
}

// The buttons of `labels`, blank-separated, clicked in turn as a pilot clicks them.
void Play(Page& page, const char* labels) {
    for (const char* end = labels; *labels != '\0'; labels = *end ? end + 1 : end) {
        char label[8] = {};
        for (end = labels; *end != ' ' && *end != '\0'; ++end)
            if (end - labels < 7) label[end - labels] = *end;
        int button = 0;
        while (button < 15 && !SameText(page.mfd->ButtonLabel(button), label)) ++button;
        Check(button < 15 && page.mfd->ConsumeButton(button, PANEL_MOUSE_LBDOWN), "a click on %s is taken", label);
    }
}

// The text the last drawing printed at cell (column, row), or null.
const char* TextAt(const Page& page, int column, int row) {
    for (int i = 0; i < drawnTextCount; ++i)
        if ((drawnTexts[i].at.x - page.cellWidth / 2) / page.cellWidth == column &&
            drawnTexts[i].at.y / page.cellHeight == row)
            return drawnTexts[i].text;
    return nullptr;
}

void CheckTextAt(const Page& page, int column, int row, const char* expected) {
    const char* drawn = TextAt(page, column, row);
    Check(SameText(drawn, expected), "cell (%d,%d) shows \"%s\", expected \"%s\"", column, row,
          drawn ? drawn : "(nothing)", expected);
}

constexpr DWORD PixelOf(COLORREF colour) { return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF); }

bool PixelIs(const Page& page, int x, int y, COLORREF colour) {
    return (page.bits[y * page.width + x] & 0x00FFFFFF) == PixelOf(colour);
}

// Pixels of `colour` in the box of cell (column, row), from its text point.
int CountInCell(const Page& page, int column, int row, COLORREF colour) {
    const int w = page.cellWidth, h = page.cellHeight;
    int count = 0;
    for (int y = h * row; y < h * (row + 1) && y < page.height; ++y)
        for (int x = w * column + w / 2; x < w * column + w / 2 + w && x < page.width; ++x)
            count += PixelIs(page, x, y, colour);
    return count;
}

bool Highlighted(const Page& page, int column, int row) {
    return CountInCell(page, column, row, kalvo::kHighlightBlue) * 3 >= page.cellWidth * page.cellHeight;
}

// Writes a drawing as a 24-bit BMP: rows bottom up, each padded to four bytes.
bool SaveBmp(const Page& page, const char* path) {
    const int w = page.width, h = page.height, stride = (w * 3 + 3) & ~3;
    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, headers + DWORD(stride * h), 0, 0, headers};
    const BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, DWORD(stride * h), 2835, 2835, 0, 0};
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool saved =
        WriteFile(out, &file, sizeof file, &written, nullptr) && WriteFile(out, &info, sizeof info, &written, nullptr);
    static BYTE row[4096 * 3 + 4];
    for (int y = h - 1; saved && y >= 0; --y) {
        for (int x = 0; x < w; ++x) memcpy(&row[x * 3], &page.bits[y * w + x], 3);
        saved = WriteFile(out, row, DWORD(stride), &written, nullptr) != 0;
    }
    CloseHandle(out);
    return saved;
}

template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Module {
    HMODULE handle;
    double* (*valueCell)(int set, int directory, int variable);
    int (*pageStatus)(const MFD* page);
};

// ORB and the variables of it that the checks use, as indices.
constexpr int kOrb = 1;
constexpr int kOrbR = 0, kOrbP = 1, kOrbVt = 4, kOrbVr = 5, kOrbG = 7, kOrbM = 8;

void LoadingAndRegistration(const Module& module) {
    currentPart = "loading";
    Check(module.handle != nullptr, "LoadLibrary of Modules\\Plugin\\KalvoMFD.dll: error %lu", GetLastError());
    Check(host.initLibCalls == 1 && host.initLibModule == module.handle,
          "the entry routine calls InitLib once with the module's handle (%d calls)", host.initLibCalls);
    char text[256] = {};
    Check(LoadStringA(module.handle, 1000, text, sizeof text) > 0 &&
              strncmp(text, "Kalvo MFD: a pocket equation solver page", 40) == 0,
          "resource 1000 is the description: \"%s\"", text);
    Check(LoadStringA(module.handle, 1001, text, sizeof text) > 0 && SameText(text, "MFD modes"),
          "resource 1001 is \"MFD modes\": \"%s\"", text);

    currentPart = "opcDLLInit";
    Export<void (*)(HINSTANCE)>(module.handle, "opcDLLInit")(module.handle);
    Check(host.registeredMode != 0 && SameText(host.mode.name, "Kalvo MFD"), "registers the mode \"Kalvo MFD\"");
    Check(host.mode.key == OAPI_KEY_E, "selected with the E key (%lu)", host.mode.key);
    const auto version = Export<int (*)()>(module.handle, "GetModuleVersion");
    Check(version() == 20060425 && version() == 20060425, "GetModuleVersion is 20060425");
    Check(host.date2IntCalls == 1, "Date2Int is called once (%d)", host.date2IntCalls);
    Check(host.mode.msgproc(0, 0, 0x01000190, 0) == 0 && host.mode.msgproc(2, 0, 0x01000190, 0) == 0,
          "other messages give no instance");
}

void ButtonsAndKeys(const Module& module) {
    currentPart = "buttons and keys";
    Page page = OpenPage(400, 256);
    if (!Check(page.mfd != nullptr, "the message procedure gives an instance")) return;
    Check(page.cellWidth == 10 && page.cellHeight == 10, "cells of 10 x 10 pixels (%d x %d)", page.cellWidth,
          page.cellHeight);
    Check(dynamic_cast<MFD2*>(page.mfd) == nullptr,
          "the instance is no MFD2: the simulator draws it through Update(HDC)");
    Check(module.pageStatus(page.mfd) == 0, "a new page has status 0");

    // The table itself is the Linux tests'; here the calls go through the vtable.
    const MFDBUTTONMENU* menu = nullptr;
    Check(page.mfd->ButtonMenu(&menu) == 15 && menu != nullptr && page.mfd->ButtonMenu(nullptr) == 15,
          "a menu of 15 entries");
    Check(SameText(page.mfd->ButtonLabel(0), "Dr>") && SameText(page.mfd->ButtonLabel(14), "0->") &&
              page.mfd->ButtonLabel(15) == nullptr,
          "buttons labelled from Dr> to 0->, none past them");
    Check(menu != nullptr && SameText(menu[8].line1, "Solve for Variable") && menu[8].line2 == nullptr &&
              menu[8].selchar == 'S',
          "menu entry 8 is \"Solve for Variable\" with 'S'");
    Instrument_User::TakeRedrawRequests(*page.mfd);
    Check(page.mfd->ConsumeKeyBuffered(OAPI_KEY_EQUALS), "the = key is a command");
    Check(Instrument_User::TakeRedrawRequests(*page.mfd) == 1, "Next Directory asks for one redraw");
    Play(page, "Dr<");
    Check(!page.mfd->ConsumeButton(0, 0), "a button event without the left button pressed is not taken");
    Draw(page);
    CheckTextAt(page, 4, 1, "BOP");  // Dr> then Dr< lead back to BOP
    ClosePage(page);
}

// The ORB example a pilot flies: Get All reads r, Vt, Vr, V and M; with r copied
// into p, the circular speed Vt = sqrt(p*G*M)/r is solved.
void Session(const Module& module, const char* savePath) {
    currentPart = "session";
    Page page = OpenPage(400, 400);
    if (!Check(page.mfd != nullptr, "an instance of 400 x 400")) return;
    Play(page, "Dr> All Eq> Cpy");
    Check(module.pageStatus(page.mfd) == 0, "Get All reads without failure (status %d)", module.pageStatus(page.mfd));
    Play(page, "Vr> Pst Vr> Slv");
    Check(module.pageStatus(page.mfd) == 0, "the solve succeeds (status %d)", module.pageStatus(page.mfd));
    const double r = *module.valueCell(0, kOrb, kOrbR), vt = *module.valueCell(0, kOrb, kOrbVt);
    const double M = *module.valueCell(0, kOrb, kOrbM), G = *module.valueCell(0, kOrb, kOrbG);
    Check(G == 6.67259e-11 && M == kEarthMass, "G and the Earth's mass as read");
    Check(*module.valueCell(0, kOrb, kOrbP) == r, "p is r, through the clipboard");
    Check(fabs(vt - sqrt(r * G * M) / r) <= 1e-12 * vt, "Vt = sqrt(p*G*M)/r: %.17g", vt);

    Draw(page);
    const struct {
        int variable;
        const char *symbol, *value;
    } rows[] = {{kOrbR, "r", "6.695722E+006"}, {kOrbVt, "Vt", "7.715545E+003"}, {kOrbVr, "Vr", "4.961661E+001"}};
    for (const auto& row : rows) {
        CheckTextAt(page, 4, 9 + row.variable, row.symbol);
        CheckTextAt(page, 11, 9 + row.variable, row.value);
    }
    if (savePath != nullptr) Check(SaveBmp(page, savePath), "the drawing is saved as %s", savePath);

    // Typed input: the box is titled with the selected variable's long name and its
    // callback stores the number in the cell selected (how numbers are read is the
    // Linux tests').
    Play(page, "Vr< Inp");
    Check(host.inputBoxOpen && SameText(host.inputBoxTitle, "Semi-Latus") && host.inputBoxWidth == 20,
          "Inp opens a box titled \"Semi-Latus\", 20 wide (\"%s\", %d)", host.inputBoxTitle, host.inputBoxWidth);
    char typed[] = "-1.5e3";
    Check(host.inputBoxCallback(nullptr, typed, host.inputBoxUserData), "the callback closes the box");
    const double p = *module.valueCell(0, kOrb, kOrbP), expected = -1500;
    Check(memcmp(&p, &expected, sizeof p) == 0, "typed -1.5e3 stores %.17g", p);
    Draw(page);
    CheckTextAt(page, 11, 9 + kOrbP, "-1.500000E+003");

    ClosePage(page);
}

// A fresh page in broad strokes: the separators and the band across the width at
// y = 4 ch - 4 and 8 ch - 3, each line leaving its end point undrawn (the first
// drawn from x = 0 rightwards, the second back from the right edge); BOP, equation
// 0, variable set 1 and the row of a white on blue; the directory row's right arrow.
void PagePixels() {
    currentPart = "pixels";
    Page page = OpenPage(400, 400);
    if (!Check(page.mfd != nullptr, "an instance of 400 x 400")) return;
    Draw(page);
    const int right = 399, upper = 4 * page.cellHeight - 4, lower = 8 * page.cellHeight - 3;
    const COLORREF line = kalvo::kLineGreen, band = kalvo::kBandGrey;
    bool lines = !PixelIs(page, right, upper, line) && !PixelIs(page, 0, lower, line);
    for (int x = 0; x < right; ++x) lines = lines && PixelIs(page, x, upper, line) && PixelIs(page, x + 1, lower, line);
    Check(lines, "separators at y = %d and %d across the width", upper, lower);
    bool filled = !PixelIs(page, 0, upper - 1, band) && !PixelIs(page, 0, lower + 1, band);
    for (int y = upper + 1; y < lower; ++y) filled = filled && PixelIs(page, 0, y, band);
    Check(filled, "the band fills the rows between");
    const int selected[][2] = {{4, 1}, {3, 2}, {25, 2}, {4, 9}, {11, 9}};
    for (const auto& cell : selected)
        Check(Highlighted(page, cell[0], cell[1]), "cell (%d,%d) is highlighted", cell[0], cell[1]);
    Check(!Highlighted(page, 8, 1) && !Highlighted(page, 4, 10), "ORB and the row of b are not");
    Check(CountInCell(page, 35, 1, kalvo::kYellow) > 5 && CountInCell(page, 3, 1, kalvo::kYellow) == 0,
          "the right arrow only");
    ClosePage(page);
}

int RunHost() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    if (char* slash = strrchr(path, '\\')) strcpy(slash, "\\Modules\\Plugin\\KalvoMFD.dll");
    const char* save = strstr(GetCommandLineA(), "--save ");

    const HMODULE handle = LoadLibraryA(path);
    const Module module{handle, handle ? Export<double* (*)(int, int, int)>(handle, "KalvoValueCell") : nullptr,
                        handle ? Export<int (*)(const MFD*)>(handle, "KalvoPageStatus") : nullptr};
    LoadingAndRegistration(module);
    if (module.handle == nullptr || host.registeredMode == 0) {
        Print("%d of %d checks failed\n", failures, checks);
        return 1;
    }
    currentPart = "GDI imports";
    Check(RedirectTextOut(module.handle) == 1, "the module's TextOutA import is found");
    ButtonsAndKeys(module);
    Session(module, save != nullptr ? save + 7 : nullptr);
    PagePixels();

    currentPart = "unloading";
    const int id = host.registeredMode;
    FreeLibrary(module.handle);
    Check(GetModuleHandleA("KalvoMFD.dll") == nullptr, "the module is unloaded");
    Check(host.registeredMode == 0 && host.unregisteredMode == id,
          "the exit hook unregisters exactly the mode id %d (%d)", id, host.unregisteredMode);
    Print("%s: %d checks, %d failed\n", failures == 0 ? "passed" : "FAILED", checks, failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace

#ifdef KALVO_BARE_RUNTIME
// Without the C runtime's start-up, the program starts here.
extern "C" void HostStart() { ExitProcess(UINT(RunHost())); }
#else
int main() { return RunHost(); }
#endif
