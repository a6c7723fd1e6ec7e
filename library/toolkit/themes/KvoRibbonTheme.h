#pragma once
#include "themes/KvoOffice2007Theme.h"

// The theme of id 6: the ribbon's look. Draws as the Office theme for now.
class CKvoRibbonTheme : public CKvoOffice2007Theme {
public:
    int GetThemeId() override { return 6; }
};
