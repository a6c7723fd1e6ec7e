#pragma once
#include "markup/core/KvoMarkupPropertyMetadata.h"

// The text converters of enumeration and cursor properties. Each knows a
// fixed list of words, matched whole and ignoring case, and answers a
// shared enumeration value (a new Int for cursors) with one reference; null
// for any other text or a value that is not a string, so that the property's
// value type gets its own try.
CKvoMarkupObject* MarkupConvertVisibility(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertHorizontalAlignment(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertVerticalAlignment(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertBaselineAlignment(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertFontWeight(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertFontStyle(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertTextDecorations(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertFontQuality(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertOrientation(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertStretch(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertTextAlignment(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertTextTrimming(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertTextWrapping(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertScrollBarVisibility(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertCheckState(CKvoMarkupContext* context, CKvoMarkupObject* value);
CKvoMarkupObject* MarkupConvertTabNavigation(CKvoMarkupContext* context, CKvoMarkupObject* value);
// System cursor ids ("Hand" is 32649, IDC_HAND).
CKvoMarkupObject* MarkupConvertCursor(CKvoMarkupContext* context, CKvoMarkupObject* value);
