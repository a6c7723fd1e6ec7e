#pragma once
#include "reader/BCN_CImpJWC.h"

// Reader of .jwk part files (files that begin "jw_cad(c)sym........"): the
// records of a .jwc drawing behind a short text header with the counts; no
// layer block, header points or names, fixed text styles, drawn at scale 1.
class BCN_CImpJWK : public BCN_CImpJWC {
public:
    BCN_CImpJWK();

    void SetupView() override;
    void DrawOverlay(CD2DrawCore* core) override;
    double GetScale() override;
    BOOL GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers) override;
    BOOL GetInfo(CFile* file, ZumenInfo* info) override;
    int GetFileKind() override;
    void FitForPreview(DrawData* request) override;
    BOOL CheckHeader(CFile& file) override;
    void ReadHeader(CFile& file) override;
    uint64_t ComputeSections() override;

private:
    double TextField(int n) const;

    char m_text[jwc::kHeaderTextSize];  // the file's text at 200
};
