#pragma once
#include "themes/KvoOffice2003Theme.h"

// The theme of id 4: the Visual Studio 2005 look. Draws as the Office theme for now.
class CKvoWhidbeyTheme : public CKvoOffice2003Theme {
public:
    int GetThemeId() override { return 4; }
};
