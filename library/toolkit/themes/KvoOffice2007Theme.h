#pragma once
#include "themes/KvoOffice2003Theme.h"

// The theme of id 5: the Office 2007 look. Draws as the Office theme for now.
class CKvoOffice2007Theme : public CKvoOffice2003Theme {
public:
    int GetThemeId() override { return 5; }
};
