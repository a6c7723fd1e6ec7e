#include "render/d2d/D2DPrintContext.h"
#include <initializer_list>

D2D1_SIZE_F PrintPageSize(const DEVMODEW& mode, const D2D1_SIZE_F& fallback)
{
    if ((mode.dmFields & DM_PAPERLENGTH) && (mode.dmFields & DM_PAPERWIDTH))
        return D2D1_SIZE_F{mode.dmPaperWidth / 254.0f * 96.0f, mode.dmPaperLength / 254.0f * 96.0f};
    return fallback;
}

void FreePrintContext(PRINTDLGEXW* context)
{
    if (!context)
        return;
    for (HGLOBAL* block : {&context->hDevMode, &context->hDevNames}) {
        if (*block)
            GlobalFree(*block);
        *block = nullptr;
    }
}
