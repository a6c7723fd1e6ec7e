#pragma once

#include "jww/BCN_JWS_HeadData.h"
#include "jww/BCN_JWW_CHeadData.h"

// Fills a drawing header for a symbol that was read with its own short
// header: the symbol's version (also as the current file version) and group
// scales, every group and layer shown, paper A3, and the fixed pens, printed
// widths and line types that symbols are drawn with. Fields not named keep
// their values.
void FillSymbolDrawingHeader(const BCN_JWS_HeadData& symbol, BCN_JWW_CHeadData& header);
