#include "jww/JwwVersion.h"

int g_jwwVersion = 0;
