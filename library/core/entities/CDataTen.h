#pragma once

#include "entities/CData.h"

// A point. From version 300 on, a special point (pen style 100) also carries
// a code, an angle in radians and a scale.
class CDataTen final : public CData {
    DECLARE_SERIAL(CDataTen)
public:
    static const BYTE kSpecialPointStyle = 100;

    CDataTen();
    ~CDataTen() override;

    void Serialize(CArchive& ar) override;

    double m_x, m_y;
    DWORD m_temporary;
    LONG m_code;
    double m_angle;
    double m_scale;
};
