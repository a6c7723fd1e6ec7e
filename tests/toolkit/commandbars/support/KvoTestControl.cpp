#include "toolkit/commandbars/support/KvoTestControl.h"

IMPLEMENT_DYNCREATE(CKvoTestControl, CKvoControl)
