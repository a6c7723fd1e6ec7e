#pragma once
#include "markup/core/KvoMarkupObject.h"

// Resource keys of system colours, written {x:Static SystemColors.XBrushKey}
// and {x:Static SystemColors.XColorKey}. A builder makes one of each per
// system colour and hands out that same object, so keys compare by identity.
class CKvoMarkupBrushKey : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupBrushKey(int systemColor = 0) : m_systemColor(systemColor) {}
    // The GetSysColor index.
    int GetSystemColor() const { return m_systemColor; }

private:
    int m_systemColor;
};

class CKvoMarkupColorKey : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    explicit CKvoMarkupColorKey(int systemColor = 0) : m_systemColor(systemColor) {}
    int GetSystemColor() const { return m_systemColor; }

private:
    int m_systemColor;
};
