// The page as a pilot meets it in the front end: the Kalvo MFD module loaded through
// the stand-in host, one display switched to its mode, and the host's drawing of it.
// Shared by `kalvo play` and the live page.
#pragma once

#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/entry.h"
#include "host/host_api.h"
#include "host/inspection.h"
#include "sim/gdi/gdi.h"
#include "sim/gdi/render_text.h"
#include "sim/host/display.h"
#include "sim/host/module_loader.h"

namespace kalvo::app {

// A mistake in what the user asked for; the message says what is wrong and what is valid.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DisplaySize {
    DWORD width;
    DWORD height;
};

// The display the front end opens unless asked for another size.
inline constexpr DisplaySize kDefaultDisplaySize{400, 400};
// Sizes the front end accepts: at least a pixel per cell of the host's 40 x 24 grid,
// and no more than an image a renderer can hold.
inline constexpr DWORD kSmallestDisplayWidth = 40;
inline constexpr DWORD kSmallestDisplayHeight = 24;
inline constexpr DWORD kLargestDisplaySide = 4096;

// "WIDTHxHEIGHT" in pixels, for example "400x400"; throws UsageError otherwise.
DisplaySize ParseDisplaySize(std::string_view text);
std::string DisplaySizeText(DisplaySize size);

// Called in a catch block: says on `err`, after `prefix` ("kalvo", "kalvo play"), why
// the command stopped, and gives its exit status: a bad request, a module that
// could not be loaded, or any other failure.
int ReportFailure(std::string_view prefix, std::ostream& err);

// Installs the scenario (a built-in name or a file) as the world; throws UsageError
// with the scenario's own error text.
void StartScenario(std::string_view nameOrPath);

class PageSession {
public:
    // Loads the module at `modulePath` and opens a display of `size` in its Kalvo
    // MFD mode. Throws sim::ModuleError when the module cannot be loaded, is not
    // Kalvo MFD or opens no page.
    PageSession(const std::string& modulePath, DisplaySize size);

    // The page's button labels and its button menu, as the module reports them.
    std::vector<std::string> ButtonLabels() const { return display_.ButtonLabels(); }
    std::span<const MFDBUTTONMENU> ButtonMenu() const;

    // A click on a button (pressed and held for one frame) and a key press, as the
    // host forwards them; whether the page took them.
    bool ClickButton(int button) {
        const bool taken = display_.PressButton(button);
        display_.HoldButton(button);
        return taken;
    }
    bool PressKey(DWORD scanCode) { return display_.PressKey(scanCode); }
    sim::Display& Display() { return display_; }
    DisplaySize Size() const { return {display_.Width(), display_.Height()}; }
    // Whether the page asked for a redraw since the last call.
    bool TakeRedrawRequest() { return display_.TakeRedrawRequest(); }

    // The value store cell of (variable set, directory, variable), all from 0, read
    // and written exactly; throws sim::ModuleError when the module has no such cell.
    double& Cell(int set, int directory, int variable);
    // The status code the page shows at its next drawing, and the one that the last
    // drawing showed (0 before any).
    int Status() const { return pageStatus_(display_.Page()); }
    int ShownStatus() const { return shownStatus_; }
    // What the page has selected, as the module tells it.
    KalvoSelection Selection() const;

    // The host's refresh: the page draws itself afresh (showing, and so consuming,
    // its status message). Returns the drawing.
    const sim::DeviceContext& Draw();
    const sim::DeviceContext& LastDrawing() const { return canvas_; }

    // The host's character cell of this display, for the text renderer.
    sim::TextGridOptions GridOptions(bool colour) const;
    // Columns and rows of the host's grid that the display covers.
    int DisplayColumns() const;
    int DisplayRows() const;

private:
    sim::LoadedModule module_;
    decltype(&KalvoValueCell) valueCell_;
    decltype(&KalvoPageStatus) pageStatus_;
    decltype(&KalvoPageSelection) pageSelection_;
    sim::Display display_;
    sim::DeviceContext canvas_;
    int shownStatus_ = 0;
};

}  // namespace kalvo::app
