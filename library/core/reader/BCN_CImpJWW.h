#pragma once
#include "entities/CBlockDefList.h"
#include "entities/CEntityList.h"
#include "jww/BCN_JWW_CHeadData.h"
#include "reader/JwCADBase.h"
#include <unordered_map>

struct B_Base;
class CDataBlock;
class CLoadedObjects;

// Reader of .jww drawings (object streams that begin "JwwData."): the header,
// the entity list, the block definitions and, from version 700 on, the files
// the drawing carries. Every entity becomes figures of this drawing; the
// header answers the renderer's questions about pens and line types.
class BCN_CImpJWW : public CJwCADBase {
public:
    BCN_CImpJWW();
    ~BCN_CImpJWW() override;

    float ToDeviceLength(double length) override;
    void SetupView() override;
    float GetPenWidth(int pen) override;
    void DrawOverlay(CD2DrawCore* core) override;
    COLORREF GetPenColor(int pen) override;
    bool GetUserLineStyle(uint16_t lineType, float dashes[32], int* count) override;
    double GetScale() override;
    BOOL GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers) override;
    BOOL GetInfo(CFile* file, ZumenInfo* info) override;
    bool GetLoadedLayerStates(ZumenLayers* layers) override;
    int GetFileKind() override;
    BOOL Load(CFile* file) override;
    bool GetRandomLineShape(uint16_t lineType, RandomLineShape* shape) override;
    uint32_t GetHeaderTime() override;
    CStringW GetMemo() override;
    void FitForPreview(DrawData* request) override;

    // Whether file is a drawing this reader reads: long enough, with its
    // magic and an accepted version. Reads from the start of the file.
    virtual bool CheckHeader(CFile* file);
    // Reads the file header into m_header.
    virtual void ReadHeader(CArchive& ar);
    // Whether m_header is one GetInfo takes: its magic and an accepted version.
    virtual bool IsHeaderAccepted() const;

    // The attributes of a figure from its entity's layer, pen, line type and
    // own width, inside the block insert (null at the top level); marks the
    // layer used.
    void SetFigureAttributes(B_Base& figure, uint16_t layerIndex, uint16_t penColor, uint16_t lineType,
                             uint16_t penWidth, const CDataBlock* insert);

    BCN_JWW_CHeadData m_header;
    CEntityList m_entities{kLoadEntityListBlock};  // the entities of the running load; empty outside it
    CBlockDefList m_blocks;  // the block definitions of the running load
    uint16_t m_blockLayer;   // layer of the outermost block insert being converted

protected:
    // ReadHeader from the start of file through an archive of its own; false
    // when reading throws.
    bool ReadHeaderOf(CFile* file);
    // The layer table of m_header into layers, with the names or without.
    void FillLayers(ZumenLayers* layers, bool withNames) const;
    // The "a:b" terms of the info from the drawing scale d: enlargements give
    // (10 / d rounded, 1), all else (1, d truncated, at least 1). Values the
    // terms cannot hold are clamped into range.
    static void SetScaleTerms(double scale, ZumenInfo* info);

private:
    void PrepareLists();
    void ForgetImages();
    // The header and everything after it; false when the stream broke off.
    // The objects read go to objects, also then.
    bool ReadFile(CFile& file, CLoadedObjects& objects);
    // Everything after the header; false when the stream broke off, with
    // the lists holding what was read whole.
    bool ReadContents(CArchive& ar, CFile& file);
    void ResolveBlocks();
    // Converts the entity list into figures, emptying it and freeing each
    // entity that nothing else holds once converted; false when cancelled or
    // when the block expansion reached its limits.
    bool ConvertEntities(CLoadedObjects& objects);
    void PostProgress(WPARAM kind, LPARAM count) const;
    COLORREF LayerColor(uint16_t layerIndex, uint16_t penColor) const;
    uint16_t FigureWidth(uint16_t penColor, uint16_t penWidth) const;
};

// Points every block insert of list at the definition of its number; inserts
// without one get none.
void ResolveBlockRefs(CEntityList& list, const std::unordered_map<DWORD, CDataList*>& definitions);
