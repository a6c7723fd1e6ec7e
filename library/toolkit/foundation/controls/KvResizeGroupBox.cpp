#include "foundation/controls/KvResizeGroupBox.h"

IMPLEMENT_DYNCREATE(CKvResizeGroupBox, CButton)
