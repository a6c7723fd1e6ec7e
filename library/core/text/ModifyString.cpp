#include "text/ModifyString.h"

CModifyString::CModifyString(CJwCADBase* reader) : m_reader(reader), m_codesEnabled(true) {}

CModifyString::~CModifyString()
{
    ClearRuns();
}

void CModifyString::ClearRuns()
{
    DeleteFigNodes(m_runs);
}

// Text variables are not expanded yet: every text is drawn as it stands.
bool CModifyString::ExpandVariable(const wchar_t*, CStringW&)
{
    return false;
}

// '^' codes are not interpreted yet: every text is one run, itself.
bool CModifyString::ParseTextCodes(B_FigText*)
{
    ClearRuns();
    return false;
}
