#pragma once

#include "entities/CData.h"

// A solid fill of four corners; with pen 10 it has its own colour. A curved
// solid (pen style 101 and above) keeps a curve in the same fields.
class CDataSolid final : public CData {
    DECLARE_SERIAL(CDataSolid)
public:
    static const WORD kOwnColorPen = 10;

    CDataSolid();
    ~CDataSolid() override;

    void Serialize(CArchive& ar) override;

    double m_x1, m_y1;
    double m_x2, m_y2;
    double m_x3, m_y3;
    double m_x4, m_y4;
    DWORD m_color;  // RGB in the low 24 bits; read only with kOwnColorPen
};
