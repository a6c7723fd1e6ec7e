#include "timing/PhaseTimedFile.h"
#include "timing/PhaseTimer.h"

UINT CPhaseTimedFile::Read(void* buffer, UINT count)
{
    CPhaseTimer timer(TimedPhase::FileRead);
    return CFile::Read(buffer, count);
}
