#include "jww/JwwVersion.h"

thread_local int g_jwwVersion = 0;
