#pragma once
#include "markup/core/KvoMarkupCollection.h"

class CKvoMarkupDefinitionBase;

// The column or row definitions of a grid.
class CKvoMarkupDefinitionCollection : public CKvoMarkupCollection {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupDefinitionCollection() = default;
    // index below GetCount. Borrowed.
    CKvoMarkupDefinitionBase* GetDefinition(int index) const;

protected:
    explicit CKvoMarkupDefinitionCollection(CKvoMarkupType* elementType) : CKvoMarkupCollection(elementType) {}
};

class CKvoMarkupColumnDefinitionCollection : public CKvoMarkupDefinitionCollection {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupColumnDefinitionCollection();
};

class CKvoMarkupRowDefinitionCollection : public CKvoMarkupDefinitionCollection {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupRowDefinitionCollection();
};
