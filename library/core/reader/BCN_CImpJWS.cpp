#include "reader/BCN_CImpJWS.h"
#include "jww/JwwFileCheck.h"
#include "jww/SymbolHeaderDefaults.h"
#include "records/ZumenInfo.h"

namespace {
const ULONGLONG kSmallestSymbolFile = 456;
}

bool BCN_CImpJWS::CheckHeader(CFile* file)
{
    return IsJwsFile(*file);
}

void BCN_CImpJWS::ReadHeader(CArchive& ar)
{
    m_jwsHeader.Serialize(ar);
    FillSymbolDrawingHeader(m_jwsHeader, m_header);
}

// Magic and version are not tested here: the tip shows what the header says.
BOOL BCN_CImpJWS::GetInfo(CFile* file, ZumenInfo* info)
{
    if (!ReadFileFacts(file, kSmallestSymbolFile, info) || !ReadHeaderOf(file))
        return FALSE;
    info->version = m_jwsHeader.m_version;
    SetScaleTerms(m_jwsHeader.m_groupScale[0], info);
    return TRUE;
}
