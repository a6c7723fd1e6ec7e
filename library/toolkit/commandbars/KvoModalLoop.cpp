#include "KvoModalLoop.h"

bool KvoGetModalLoopMessage(MSG& msg)
{
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    return got != -1;
}
