#pragma once
#include "markup/core/KvoMarkupCollection.h"

// The children of a panel: UI elements only. It reports the collection's
// type record.
class CKvoMarkupUIElementCollection : public CKvoMarkupCollection {
public:
    CKvoMarkupUIElementCollection();
};
