#pragma once

#include "entities/CDataMoji.h"
#include "entities/CDataSen.h"
#include "entities/CDataTen.h"

// A dimension: its own common fields, then a line and a text, and from
// version 420 on the extension lines and end points. The embedded records
// are read in place: they carry no tag and take no place in the load table.
class CDataSunpou final : public CData {
    DECLARE_SERIAL(CDataSunpou)
public:
    CDataSunpou();
    ~CDataSunpou() override;

    void Serialize(CArchive& ar) override;

    CDataSen m_line;
    CDataMoji m_text;
    WORD m_sxfMode;
    CDataSen m_extLine1;
    CDataSen m_extLine2;
    CDataTen m_point1;
    CDataTen m_point2;
    CDataTen m_point3;
    CDataTen m_point4;
};
