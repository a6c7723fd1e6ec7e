#include "text/ModifyString.h"
#include <utility>

CModifyString::CModifyString(CJwCADBase* reader) : m_reader(reader), m_codesEnabled(true)
{
}

CModifyString::~CModifyString()
{
    ClearRuns();
}

void CModifyString::ClearRuns()
{
    DeleteFigNodes(m_runs);
}

void CModifyString::SetClock(Clock clock)
{
    m_clock = std::move(clock);
}
