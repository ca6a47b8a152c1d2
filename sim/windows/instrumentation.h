// What the host records of a module's drawing, for its checks. The simulator keeps
// none of this: it is the test host's window onto the page.
#pragma once

#include "sim/windows/simulator_host.h"

namespace simulator {

// A text as GDI drew it: where (the current position with TA_UPDATECP, else the
// point given), in which colours, and in which drawing.
struct DrawnText {
    POINT at;
    COLORREF colour, background;
    bool opaque;
    int drawing;
    char text[64];
};

// The texts drawn, in order; each text equal to the drawing marker (the page's
// title, which the host draws first in every drawing) starts a new drawing.
struct TextRecord {
    DrawnText texts[512];
    int count;
    int drawings;
};
TextRecord& RecordedTexts();

// Points `module`'s TextOutA import at the recorder, by walking its import table;
// how many imports were redirected.
int RecordTexts(HMODULE module, const char* drawingMarker);

// The text that drawing `drawing` of `display`'s page put at cell (column, row),
// the last drawing for 0; null for none. With two displays open the left one draws
// first in a frame.
const DrawnText* TextAt(Display display, int column, int row, int drawing = 0);
// Whether drawing `drawing` (the last for 0) showed `text`.
bool Shown(const char* text, int drawing = 0);

// Counts the GDI objects `module` makes and deletes, through its imports of
// CreatePen, CreateSolidBrush, CreateFontA and DeleteObject (GetGuiResources counts
// nothing under Wine); how many imports were redirected.
int CountGdiObjects(HMODULE module);
// The module's GDI objects alive: made less deleted.
int ModuleGdiObjects();

// A surface pixel in COLORREF order.
COLORREF PixelAt(Display display, int x, int y);
// Writes the display's surface as a 24-bit BMP.
bool SaveBmp(Display display, const char* path);
// The bytes in use on the process heap, where the module's operator new allocates.
SIZE_T HeapInUse();

}  // namespace simulator
