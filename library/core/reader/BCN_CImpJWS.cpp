#include "reader/BCN_CImpJWS.h"
#include "jww/JwwFileCheck.h"
#include "jww/SymbolHeaderDefaults.h"
#include "records/ZumenInfo.h"

namespace {
const ULONGLONG kSmallestSymbolFile = 456;
}

// A symbol has no paper: the whole of it, or its extent centred.
void BCN_CImpJWS::SetupView()
{
    if (m_wholeDrawing)
        FitExtent(0.0, 0.0);
    else
        CenterView();
}

void BCN_CImpJWS::DrawOverlay(CD2DrawCore* core)
{
    const double reference[2] = {m_jwsHeader.m_refX, m_jwsHeader.m_refY};
    DrawReferenceMark(reference, core);
}

double BCN_CImpJWS::GetScale()
{
    return m_jwsHeader.m_groupScale[0];
}

int BCN_CImpJWS::GetFileKind()
{
    return 3;
}

// A symbol shows no memo.
CStringW BCN_CImpJWS::GetMemo()
{
    return CJwCADBase::GetMemo();
}

void BCN_CImpJWS::FitForPreview(DrawData* request)
{
    double width = 0.0, height = 0.0;
    ExtentSize(&width, &height);
    FitPreview(*request, 1.0, width, height);
}

bool BCN_CImpJWS::CheckHeader(CFile* file)
{
    return IsJwsFile(*file);
}

// Nothing of an earlier symbol survives a header that reads short.
void BCN_CImpJWS::ReadHeader(CArchive& ar)
{
    static_cast<BCN_JWS_HeadData&>(m_jwsHeader) = BCN_JWS_HeadData{};
    m_jwsHeader.Serialize(ar);
    FillSymbolDrawingHeader(m_jwsHeader, m_header);
}

// Magic and version are not tested here: the tip shows what the header says.
bool BCN_CImpJWS::IsHeaderAccepted() const
{
    return true;
}

BOOL BCN_CImpJWS::GetInfo(CFile* file, ZumenInfo* info)
{
    if (!ReadFileFacts(file, kSmallestSymbolFile, info) || !ReadHeaderOf(file))
        return FALSE;
    info->version = m_jwsHeader.m_version;
    SetScaleTerms(m_jwsHeader.m_groupScale[0], info);
    return TRUE;
}
