#pragma once
#include <afxwin.h>

class CKvoMarkupContext;
class CKvoMarkupFont;
class CKvoMarkupObject;
class CKvoMarkupType;

// What text elements ask of the markup context they were made in: the
// default font and text colour, fonts from its cache, and new objects made
// the way the context makes them (tied to it). An element made in code has
// no context (null) and gets the system's message font, black text, a font
// of its own and an object made straight from the type record.
namespace KvoMarkupTextContext {
LOGFONTW GetDefaultFont(CKvoMarkupContext* context);
COLORREF GetDefaultTextColor(CKvoMarkupContext* context);
// One reference for the caller; null when it cannot be made.
CKvoMarkupFont* GetFont(CKvoMarkupContext* context, const LOGFONTW& description);
CKvoMarkupObject* CreateObject(CKvoMarkupContext* context, CKvoMarkupType* type);

// The system's message font.
LOGFONTW GetMessageFont();
}
