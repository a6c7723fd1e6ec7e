#pragma once
#include "themes/KvoPlainThemeDrawing.h"

// The theme of id 0, and of every id the factory does not know: the
// classic Windows look, drawn plainly for now.
class CKvoDefaultTheme : public CKvoPlainThemeDrawing<CKvoPaintManager> {
public:
    int GetThemeId() override { return 0; }
};
