#pragma once

#include <atomic>

#include "entities/CData.h"

// An entity class of the tests: it counts its objects, and it can raise a
// cancel flag while it is read.
class CCountedData : public CData {
    DECLARE_SERIAL(CCountedData)
public:
    CCountedData();
    ~CCountedData() override;

    void Serialize(CArchive& ar) override;

    static int s_live;
    static int s_created;
    static std::atomic<bool>* s_cancelWhenRead;  // set to true by the next object read
};
