#pragma once
#include "themes/KvoOfficeTheme.h"

// The theme of id 2: the Office 2003 look. Draws as the Office theme for now.
class CKvoOffice2003Theme : public CKvoOfficeTheme {
public:
    int GetThemeId() override { return 2; }
};
