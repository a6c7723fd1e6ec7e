#pragma once

#include "entities/CData.h"

class CDataList;

// A block insert: a placed copy of the block definition of its number.
class CDataBlock final : public CData {
    DECLARE_SERIAL(CDataBlock)
public:
    CDataBlock();
    ~CDataBlock() override;

    void Serialize(CArchive& ar) override;

    double m_refX, m_refY;  // insertion point
    double m_scaleX, m_scaleY;
    double m_rotation;  // radians
    DWORD m_blockNo;
    CDataList* m_definition;  // not owned; set by the reader, null without a match
};
