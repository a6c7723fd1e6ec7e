#pragma once
#include "themes/KvoPlainThemeDrawing.h"

// The theme of id 1: the Office XP look, drawn plainly for now; the base of
// the Office 2003 family.
class CKvoOfficeTheme : public CKvoPlainThemeDrawing<CKvoPaintManager> {
public:
    int GetThemeId() override { return 1; }
};
