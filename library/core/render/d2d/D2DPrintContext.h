#pragma once
#include <windows.h>
#include <commdlg.h>
#include <d2d1.h>

// The printer choice of the print dialog, as the print path takes it over.

// The page size in DIPs that mode asks for (tenths of a millimetre, when it
// names both paper dimensions), else fallback.
D2D1_SIZE_F PrintPageSize(const DEVMODEW& mode, const D2D1_SIZE_F& fallback);

// Frees the DEVMODE and DEVNAMES blocks of context and clears them, so that
// no one frees them twice. Nothing for a null context or cleared handles.
void FreePrintContext(PRINTDLGEXW* context);
