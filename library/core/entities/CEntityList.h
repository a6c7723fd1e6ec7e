#pragma once

#include "entities/CData.h"
#include "stream/CMyObList.h"

// A list of entities: any other class in the stream fails the read before
// an object of it is made.
class CEntityList : public CTypedPtrList<CMyObList, CData*> {
public:
    CEntityList() { SetRequiredClass(RUNTIME_CLASS(CData)); }
};
