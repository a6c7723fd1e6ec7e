#pragma once

#include "entities/CData.h"
#include "stream/CMyObList.h"

// A list of entities: any other class in the stream fails the read before
// an object of it is made.
class CEntityList : public CTypedPtrList<CMyObList, CData*> {
public:
    explicit CEntityList(INT_PTR nBlockSize = 10) : CTypedPtrList(nBlockSize) { SetRequiredClass(RUNTIME_CLASS(CData)); }
};

// Nodes per block of a load's entity list, which holds every entity of a
// drawing.
const INT_PTR kLoadEntityListBlock = 128;
