#pragma once
#include "markup/core/KvoMarkupObject.h"
#include "markup/core/KvoMarkupPtr.h"

// A builder's system colours: per GetSysColor index 0-30 a solid brush, a
// colour value and the two resource keys, each made on first use and kept
// for the rest of the parse.
class CKvoMarkupSystemColors {
public:
    enum Form { SolidBrush = 0, ColorValue = 1, BrushKey = 2, ColorKey = 3, FormCount = 4 };
    enum { kSystemColorCount = 31 };

    // The object of form for system colour index with one more reference;
    // null for an index out of range or when it cannot be allocated.
    CKvoMarkupObject* Get(Form form, int index);

    // The index a system-colour name selects, letter case ignored: the
    // first name in alphabetical order that the length characters of name
    // begin, so every whole name finds its own entry; -1 for none.
    static int FindIndex(LPCWSTR name, int length);

private:
    CKvoMarkupPtr<CKvoMarkupObject> m_objects[FormCount][kSystemColorCount];
};
