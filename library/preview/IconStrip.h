#pragma once
// The preview's icon strip: the 16 x 16 cells of resource "PNG" 200 of the
// current resource module.
#include <afxwin.h>
#include <atlimage.h>

// Loads a "PNG" resource of module into image; FALSE (image empty) when the
// module has none or it does not decode.
BOOL LoadPngResource(HINSTANCE module, UINT id, CImage& image);
// The icon strip from the current resource module (the language module).
BOOL LoadPreviewIconStrip(CImage& strip);
