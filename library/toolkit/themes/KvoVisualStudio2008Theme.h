#pragma once
#include "themes/KvoWhidbeyTheme.h"

// The theme of id 7: the Visual Studio 2008 look. Draws as the Office theme for now.
class CKvoVisualStudio2008Theme : public CKvoWhidbeyTheme {
public:
    int GetThemeId() override { return 7; }
};
