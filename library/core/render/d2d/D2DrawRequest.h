#pragma once
#include <windows.h>
#include <commdlg.h>

class CD2DrawCore;
class CDrawBase;

// What the Direct2D step of a render did.
enum class D2DrawResult {
    Drawn,        // nothing more to do
    NotDrawn,     // no usable core, or the screen draw failed: draw with GDI
    PrintFailed,  // a print context was given and nothing was printed
};

// The Direct2D step of the render entry for reader: makes its core on demand
// when Direct2D is usable (a core that does not initialise is deleted at
// once), draws with it and deletes it after a whole-drawing draw. The print
// context is always taken over: its DEVMODE and DEVNAMES are freed, also
// when there is no core to print with.
D2DrawResult DrawWithDirect2D(CD2DrawCore*& core, bool usable, HWND window, CDrawBase* reader,
                              const double worldRect[4], PRINTDLGEXW* printContext);
