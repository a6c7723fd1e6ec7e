#pragma once

#include "entities/CData.h"

// A text. The kind read from the stream also carries the style in its ten
// thousands, which reading moves into m_style.
class CDataMoji final : public CData {
    DECLARE_SERIAL(CDataMoji)
public:
    static const WORD kItalic = 0x01;
    static const WORD kBold = 0x10;

    CDataMoji();
    ~CDataMoji() override;

    void Serialize(CArchive& ar) override;

    double m_x1, m_y1;  // start
    double m_x2, m_y2;  // end
    DWORD m_kind;
    double m_width, m_height;  // character size
    double m_spacing;
    double m_angle;  // degrees
    CStringW m_fontName;
    CStringW m_text;
    WORD m_style;  // kItalic, kBold

private:
    void SplitKind();
};
