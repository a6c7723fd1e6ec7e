#pragma once
#include "markup/text/KvoMarkupFrameworkContentElement.h"

class CKvoMarkupBrush;

// What TextDecorations can be.
namespace KvoMarkupTextDecoration {
enum : int {
    None = 0,
    Underline = 1,
    Strikethrough = 2,
};
}

// The owner of the text properties: colours, font and decorations, all
// inherited along the logical tree, so a value set on a text block or span
// reaches every inline inside it.
class CKvoMarkupTextElement : public CKvoMarkupFrameworkContentElement {
    DECLARE_MARKUP_TYPE()
public:
    // Effective values (inherited ones count); borrowed, may be null.
    CKvoMarkupBrush* GetBackground() const;
    CKvoMarkupBrush* GetForeground() const;

    // Attached, inherited, none with a default. "Background",
    // "Foreground": Brush, affect rendering. "FontSize": Int, pixels;
    // "FontWeight": Enum (100 to 950); "FontFamily": String; "FontStyle":
    // Enum (Normal 0, Italic 1); all four affect measure. "TextDecorations":
    // Enum; "FontQuality": Enum (ClearType 5); both affect rendering.
    static CKvoMarkupDependencyProperty* s_backgroundProperty;
    static CKvoMarkupDependencyProperty* s_foregroundProperty;
    static CKvoMarkupDependencyProperty* s_fontSizeProperty;
    static CKvoMarkupDependencyProperty* s_fontWeightProperty;
    static CKvoMarkupDependencyProperty* s_fontFamilyProperty;
    static CKvoMarkupDependencyProperty* s_fontStyleProperty;
    static CKvoMarkupDependencyProperty* s_textDecorationsProperty;
    static CKvoMarkupDependencyProperty* s_fontQualityProperty;
    static void RegisterMarkupProperties();
};
