#include "markup/builder/KvoMarkupSystemColorKey.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupBrushKey)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupColorKey)
