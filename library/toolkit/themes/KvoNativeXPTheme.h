#pragma once
#include "themes/KvoDefaultTheme.h"

// The theme of id 3: Windows XP's native look. Draws as the Default theme for now.
class CKvoNativeXPTheme : public CKvoDefaultTheme {
public:
    int GetThemeId() override { return 3; }
};
