#pragma once

#include "entities/CData.h"

// A circle, arc, ellipse or elliptic arc. Angles are in radians.
class CDataEnko final : public CData {
    DECLARE_SERIAL(CDataEnko)
public:
    CDataEnko();
    ~CDataEnko() override;

    // An infinite radius reads as 0.
    void Serialize(CArchive& ar) override;

    double m_cx, m_cy;
    double m_radius;
    double m_startAngle;
    double m_arcAngle;
    double m_tiltAngle;
    double m_flatness;  // second radius / first radius
    DWORD m_fullCircle;
};
