// KalvoMFD.dll in the simulator's ABI, from a folder laid out as the simulator's:
// what only this ABI shows (the loader, opcDLLInit, the opening messages, the
// Microsoft virtual table, the input box's callback, the virtual destructor,
// FreeLibrary) and a session drawn with the real GDI; page behaviour is the Linux
// tests'. Orbiter.exe [--save FILE.bmp] also writes the solved page as BMP.
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "sim/windows/simulator_host.h"
#include "ui/colours.h"

namespace {

int checks = 0;
int failures = 0;
const char* currentPart = "";

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

// Where each text went: the current position, where the page's text grid prints.
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
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name,
                       "TextOutA") != 0)
                continue;
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

// The simulator's refresh: a black surface, the page's Update, the texts recorded.
void Draw(Page& page) {
    GdiFlush();
    memset(page.bits, 0, size_t(page.width) * size_t(page.height) * 4);
    drawnTextCount = 0;
    page.mfd->Update(page.dc);
    GdiFlush();
}

// The buttons of `labels` clicked in turn, as a pilot clicks them.
void Play(Page& page, std::initializer_list<const char*> labels) {
    for (const char* label : labels) {
        int button = 0;
        while (button < 15 && !SameText(page.mfd->ButtonLabel(button), label)) ++button;
        Check(button < 15 && page.mfd->ConsumeButton(button, PANEL_MOUSE_LBDOWN), "a click on %s is taken", label);
    }
}

// The text the last drawing printed at cell (column, row) is `expected`.
void CheckTextAt(const Page& page, int column, int row, const char* expected) {
    const char* drawn = nullptr;
    for (int i = 0; i < drawnTextCount && drawn == nullptr; ++i)
        if ((drawnTexts[i].at.x - page.cellWidth / 2) / page.cellWidth == column &&
            drawnTexts[i].at.y / page.cellHeight == row)
            drawn = drawnTexts[i].text;
    Check(SameText(drawn, expected), "cell (%d,%d) shows \"%s\", expected \"%s\"", column, row,
          drawn ? drawn : "(nothing)", expected);
}

bool PixelIs(const Page& page, int x, int y, COLORREF colour) {
    return (page.bits[y * page.width + x] & 0x00FFFFFF) ==
           ((colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF));
}

// Pixels of `colour` in the box of cell (column, row), from its text point.
int CountInCell(const Page& page, int column, int row, COLORREF colour) {
    const int w = page.cellWidth, h = page.cellHeight;
    int count = 0;
    for (int y = h * row; y < h * (row + 1); ++y)
        for (int x = w * column + w / 2; x < w * column + w / 2 + w; ++x) count += PixelIs(page, x, y, colour);
    return count;
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

void LoadingAndRegistration(HMODULE module) {
    currentPart = "loading";
    Check(module != nullptr, "LoadLibrary of Modules\\Plugin\\KalvoMFD.dll: error %lu", GetLastError());
    Check(host.initLibCalls == 1 && host.initLibModule == module,
          "the entry routine calls InitLib once with the module's handle (%d calls)", host.initLibCalls);
    char text[256] = {};
    Check(LoadStringA(module, 1000, text, sizeof text) > 0 &&
              strncmp(text, "Kalvo MFD: a pocket equation solver page", 40) == 0,
          "resource 1000 is the description: \"%s\"", text);
    Check(LoadStringA(module, 1001, text, sizeof text) > 0 && SameText(text, "MFD modes"),
          "resource 1001 is \"MFD modes\": \"%s\"", text);

    currentPart = "opcDLLInit";
    Export<void (*)(HINSTANCE)>(module, "opcDLLInit")(module);
    Check(host.registeredMode != 0 && SameText(host.mode.name, "Kalvo MFD"), "registers the mode \"Kalvo MFD\"");
    Check(host.mode.key == OAPI_KEY_E, "selected with the E key (%lu)", host.mode.key);
    const auto version = Export<int (*)()>(module, "GetModuleVersion");
    Check(version() == 20060425 && version() == 20060425, "GetModuleVersion is 20060425");
    Check(host.date2IntCalls == 1, "Date2Int is called once (%d)", host.date2IntCalls);
    Check(host.mode.msgproc(0, 0, 0x01000190, 0) == 0 && host.mode.msgproc(2, 0, 0x01000190, 0) == 0,
          "other messages give no instance");
}

// ORB and the variables of it that the checks use, as indices.
constexpr int kOrb = 1;
constexpr int kOrbR = 0, kOrbP = 1, kOrbVt = 4, kOrbVr = 5, kOrbG = 7, kOrbM = 8;

// The ORB example a pilot flies on a fresh page: Get All reads r, Vt, Vr, V and M;
// with r copied into p, the circular speed Vt = sqrt(p*G*M)/r is solved.
void Session(HMODULE module, const char* savePath) {
    const auto cell = Export<double* (*)(int, int, int)>(module, "KalvoValueCell");
    const auto status = Export<int (*)(const MFD*)>(module, "KalvoPageStatus");
    currentPart = "opening";
    Page page = OpenPage(400, 400);
    if (!Check(page.mfd != nullptr, "the message procedure gives an instance of 400 x 400")) return;
    Check(dynamic_cast<MFD2*>(page.mfd) == nullptr,
          "the instance is no MFD2: the simulator draws it through Update(HDC)");

    // A fresh page in broad strokes, as the stand-in's PNG is checked: the separators
    // and the band across the width at y = 4 ch - 4 and 8 ch - 3, each line leaving its
    // end point undrawn (the first drawn from x = 0 rightwards, the second back from the
    // right edge); BOP's highlight; the directory row's right arrow, of the symbol font.
    currentPart = "pixels";
    Draw(page);
    CheckTextAt(page, 4, 1, "BOP");
    const int right = 399, upper = 4 * page.cellHeight - 4, lower = 8 * page.cellHeight - 3;
    const COLORREF line = kalvo::kLineGreen, band = kalvo::kBandGrey;
    bool lines = !PixelIs(page, right, upper, line) && !PixelIs(page, 0, lower, line);
    for (int x = 0; x < right; ++x) lines = lines && PixelIs(page, x, upper, line) && PixelIs(page, x + 1, lower, line);
    Check(lines, "separators at y = %d and %d across the width", upper, lower);
    bool filled = !PixelIs(page, 0, upper - 1, band) && !PixelIs(page, 0, lower + 1, band);
    for (int y = upper + 1; y < lower; ++y) filled = filled && PixelIs(page, 0, y, band);
    Check(filled, "the band fills the rows between");
    Check(PixelIs(page, 45, 16, kalvo::kHighlightBlue) && !PixelIs(page, 44, 16, kalvo::kHighlightBlue) &&
              !PixelIs(page, 85, 16, kalvo::kHighlightBlue),
          "BOP's highlight from its text point, not ORB's");
    Check(CountInCell(page, 35, 1, kalvo::kYellow) > 5 && CountInCell(page, 3, 1, kalvo::kYellow) == 0,
          "the right arrow only");

    // The page's operations through the Microsoft virtual table, and the host's redraw.
    currentPart = "buttons and keys";
    const MFDBUTTONMENU* menu = nullptr;
    Check(page.mfd->ButtonMenu(&menu) == 15 && menu != nullptr && SameText(menu[8].line1, "Solve for Variable"),
          "a menu of 15 entries");
    Check(SameText(page.mfd->ButtonLabel(14), "0->") && page.mfd->ButtonLabel(15) == nullptr,
          "buttons labelled to 0->, none past them");
    Instrument_User::TakeRedrawRequests(*page.mfd);
    Check(page.mfd->ConsumeKeyBuffered(OAPI_KEY_EQUALS), "the = key is a command");
    Check(Instrument_User::TakeRedrawRequests(*page.mfd) == 1, "Next Directory asks for one redraw");

    currentPart = "session";
    Play(page, {"All", "Eq>", "Cpy", "Vr>", "Pst", "Vr>", "Slv"});
    Check(status(page.mfd) == 0, "Get All and the solve succeed (status %d)", status(page.mfd));
    const double r = *cell(0, kOrb, kOrbR), vt = *cell(0, kOrb, kOrbVt);
    const double M = *cell(0, kOrb, kOrbM), G = *cell(0, kOrb, kOrbG);
    Check(fabs(vt - sqrt(r * G * M) / r) <= 1e-12 * vt, "Vt = sqrt(p*G*M)/r, with r pasted into p: %.17g", vt);
    Draw(page);
    CheckTextAt(page, 4, 9 + kOrbVt, "Vt");
    CheckTextAt(page, 11, 9 + kOrbVt, "7.715545E+003");
    CheckTextAt(page, 11, 9 + kOrbVr, "4.961661E+001");
    if (savePath != nullptr) Check(SaveBmp(page, savePath), "the drawing is saved as %s", savePath);

    // Typed input: the box is titled with the selected variable's long name and its
    // callback stores the number in the cell selected.
    Play(page, {"Vr<", "Inp"});
    Check(host.inputBoxOpen && SameText(host.inputBoxTitle, "Semi-Latus") && host.inputBoxWidth == 20,
          "Inp opens a box titled \"Semi-Latus\", 20 wide (\"%s\", %d)", host.inputBoxTitle, host.inputBoxWidth);
    char typed[] = "-1.5e3";
    Check(host.inputBoxCallback(nullptr, typed, host.inputBoxUserData), "the callback closes the box");
    Check(*cell(0, kOrb, kOrbP) == -1500, "typed -1.5e3 stores %.17g", *cell(0, kOrb, kOrbP));

    delete page.mfd;  // through the virtual destructor, as the simulator does
    SelectObject(page.dc, page.previous);
    DeleteObject(page.bitmap);
    DeleteDC(page.dc);
    DeleteHostLook();
}

int RunHost() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    if (char* slash = strrchr(path, '\\')) strcpy(slash, "\\Modules\\Plugin\\KalvoMFD.dll");
    const char* save = strstr(GetCommandLineA(), "--save ");

    const HMODULE module = LoadLibraryA(path);
    LoadingAndRegistration(module);
    if (module != nullptr && host.registeredMode != 0) {
        currentPart = "GDI imports";
        Check(RedirectTextOut(module) == 1, "the module's TextOutA import is found");
        Session(module, save != nullptr ? save + 7 : nullptr);
        currentPart = "unloading";
        const int id = host.registeredMode;
        FreeLibrary(module);
        Check(GetModuleHandleA("KalvoMFD.dll") == nullptr, "the module is unloaded");
        Check(host.registeredMode == 0 && host.unregisteredMode == id,
              "the exit hook unregisters exactly the mode id %d (%d)", id, host.unregisteredMode);
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
