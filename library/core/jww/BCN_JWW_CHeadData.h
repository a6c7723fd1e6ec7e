#pragma once

#include <afx.h>

#include "jww/BCN_JWW_HeadData.h"

// The header at the start of every drawing file, read without an object tag.
// Its version becomes the current file version, which fixes the layout of
// every record after it. A symbol reader fills the same object with defaults.
class BCN_JWW_CHeadData : public CObject, public BCN_JWW_HeadData {
    DECLARE_SERIAL(BCN_JWW_CHeadData)
public:
    static const int kExtendedColors = kPens - kFirstExtendedPen;

    BCN_JWW_CHeadData();
    ~BCN_JWW_CHeadData() override;

    // Reads the whole header; reading only.
    void Serialize(CArchive& ar) override;

    // The group being written to: the low 4 bits of m_writeGroup.
    int GetWriteGroup() const { return static_cast<int>(m_writeGroup & 15); }

    CStringW m_memo;  // lines separated by a bare LF, trimmed
    CStringW m_layerName[kGroups][kLayers];
    CStringW m_groupName[kGroups];
    CStringW m_colorName[kExtendedColors];       // pens 100 to 356
    CStringW m_lineTypeName[kExtendedLineTypes];  // line types 30 to 62

private:
    void ReadMemo(CArchive& ar);
    void ReadLayerGroups(CArchive& ar);
    void ReadSettings(CArchive& ar);
    void ReadNames(CArchive& ar);
    void ReadView(CArchive& ar);
    void ReadZoomMarks(CArchive& ar);
    void ReadPens(CArchive& ar);
    void ReadLineTypes(CArchive& ar);
    void ReadCounters(CArchive& ar);
    void ReadExtendedPens(CArchive& ar);
    void ReadExtendedLineTypes(CArchive& ar);
    void ReadTail(CArchive& ar);
};
