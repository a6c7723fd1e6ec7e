#pragma once

#include "entities/CDataList.h"
#include "stream/CMyObList.h"

// The list of block definitions: only CDataList objects are accepted.
class CBlockDefList : public CTypedPtrList<CMyObList, CDataList*> {
public:
    CBlockDefList() { SetRequiredClass(RUNTIME_CLASS(CDataList)); }
};
