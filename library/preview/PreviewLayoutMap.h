#pragma once
// The window map of the preview dialog: the title line, the upper part (the
// picture beside a column of buttons), the sizer bar and the lower part (zoom
// slider, layer tree, information list), from top to bottom.
#include "WinMgr.h"

// A constant table: every dialog laid out from it works on a copy of its own
// (CWinMgr copies its map), so two previews open at once stay apart.
extern const WinMapEntry kPreviewLayoutMap[];

// The preview dialog's answer to a size query of the layout manager: the
// picture and the layer tree have minimum sizes; TRUE when id is one of them.
BOOL AnswerPreviewSizeQuery(UINT id, WinSizeInfo& info);
