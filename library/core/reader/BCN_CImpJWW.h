#pragma once
#include "jww/BCN_JWW_CHeadData.h"
#include "reader/JwCADBase.h"

// Reader of .jww drawings (object streams that begin "JwwData.").
// The header information is read; reading the entities is still to come:
// until then the entity read fails.
class BCN_CImpJWW : public CJwCADBase {
public:
    float ToDeviceLength(double length) override;
    void SetupView() override;
    float GetPenWidth(int pen) override;
    void DrawOverlay(CD2DrawCore* core) override;
    COLORREF GetPenColor(int pen) override;
    double GetScale() override;
    BOOL GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers) override;
    BOOL GetInfo(CFile* file, ZumenInfo* info) override;
    int GetFileKind() override;
    BOOL Load(CFile* file) override;
    bool GetRandomLineShape(uint16_t lineType, RandomLineShape* shape) override;
    void FitForPreview(DrawData* request) override;

    // Whether file is a drawing this reader reads: long enough, with its
    // magic and an accepted version. Reads from the start of the file.
    virtual bool CheckHeader(CFile* file);
    // Reads the file header into m_header.
    virtual void ReadHeader(CArchive& ar);

    BCN_JWW_CHeadData m_header;

protected:
    // Title, modification time and size of file into info; false when its
    // status cannot be read or it is shorter than minimumSize.
    static bool ReadFileFacts(CFile* file, ULONGLONG minimumSize, ZumenInfo* info);
    // ReadHeader from the start of file through an archive of its own; false
    // when reading throws.
    bool ReadHeaderOf(CFile* file);
    // The "a:b" terms of the info from the drawing scale d: enlargements give
    // (10 / d rounded, 1), all else (1, d truncated, at least 1). Values the
    // terms cannot hold are clamped into range.
    static void SetScaleTerms(double scale, ZumenInfo* info);
};
