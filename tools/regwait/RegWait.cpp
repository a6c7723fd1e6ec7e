// RegWait: waits until the regsvr32 runs that Regalto64 started have ended,
// so that a script can go on with the servers registered. Exit code 0 when
// they ended, 1 when some still ran after a minute.
#include <windows.h>
#include "ProcessWait.h"

int wmain()
{
    return WaitUntilNoProcessNamed(L"regsvr32.exe", 60000) ? 0 : 1;
}
