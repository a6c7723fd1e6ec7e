#pragma once

#include "entities/CData.h"

// A line.
class CDataSen final : public CData {
    DECLARE_SERIAL(CDataSen)
public:
    CDataSen();
    ~CDataSen() override;

    void Serialize(CArchive& ar) override;

    double m_x1, m_y1;
    double m_x2, m_y2;
};
