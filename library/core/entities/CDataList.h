#pragma once

#include <afx.h>

#include "entities/CData.h"
#include "entities/CEntityList.h"

// A block definition: a numbered, named list of entities. Its list is always
// read whole, without progress or cancellation. It does not own the entities
// (the archive that read them does, or whoever took them from it).
class CDataList final : public CData {
    DECLARE_SERIAL(CDataList)
public:
    CDataList();
    ~CDataList() override;

    void Serialize(CArchive& ar) override;

    DWORD m_blockNo;
    DWORD m_value2;
    CTime m_time;
    CStringW m_name;
    CEntityList m_entities;
};
