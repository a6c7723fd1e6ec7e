#pragma once

#include <atomic>
#include <functional>

#include "entities/CData.h"

// An entity class of the tests: it counts its objects, it can raise a
// cancel flag while it is read, and it can tell when it is freed.
class CCountedData : public CData {
    DECLARE_SERIAL(CCountedData)
public:
    CCountedData();
    ~CCountedData() override;

    void Serialize(CArchive& ar) override;

    static int s_live;
    static int s_created;
    static std::atomic<bool>* s_cancelWhenRead;  // set to true by the next object read
    static std::function<void(const CCountedData&)> s_onDestroy;  // called by every destructor when set
};
