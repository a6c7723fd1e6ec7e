#include "jww/JwwVersion.h"

CJwwVersionSlot g_jwwVersion;
