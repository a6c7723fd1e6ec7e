#pragma once
#include "jww/BCN_JWS_CHeadData.h"
#include "reader/BCN_CImpJWW.h"

// Reader of .jws part files (object streams that begin "JwsData."): a short
// header of its own, then the layout of a drawing. Its header fills the
// drawing header with the defaults symbols are drawn with; the symbol is
// shown around its reference point.
class BCN_CImpJWS : public BCN_CImpJWW {
public:
    void SetupView() override;
    void DrawOverlay(CD2DrawCore* core) override;
    double GetScale() override;
    // Version and scale of the symbol; it has no memo, paper or time span.
    BOOL GetInfo(CFile* file, ZumenInfo* info) override;
    int GetFileKind() override;
    CStringW GetMemo() override;
    void FitForPreview(DrawData* request) override;
    bool CheckHeader(CFile* file) override;
    void ReadHeader(CArchive& ar) override;
    bool IsHeaderAccepted() const override;

    BCN_JWS_CHeadData m_jwsHeader;
};
