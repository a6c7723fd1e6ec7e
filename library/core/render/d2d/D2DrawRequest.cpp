#include "render/d2d/D2DrawRequest.h"
#include "render/d2d/D2DPrintContext.h"
#include "render/d2d/D2DrawCore.h"
#include "render/gdi/DrawBase.h"
#include <new>

D2DrawResult DrawWithDirect2D(CD2DrawCore*& core, bool usable, HWND window, CDrawBase* reader,
                              const double worldRect[4], PRINTDLGEXW* printContext)
{
    if (!core && usable) {
        core = new (std::nothrow) CD2DrawCore();
        if (core && !core->Init()) {
            delete core;
            core = nullptr;
        }
    }
    bool drawn = core && core->Draw(window, reader, worldRect, printContext);
    if (core && reader->m_wholeDrawing) {
        delete core;
        core = nullptr;
    }
    FreePrintContext(printContext);
    if (drawn)
        return D2DrawResult::Drawn;
    return printContext ? D2DrawResult::PrintFailed : D2DrawResult::NotDrawn;
}
