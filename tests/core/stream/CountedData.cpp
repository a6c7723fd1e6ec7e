#include "core/stream/CountedData.h"

IMPLEMENT_SERIAL(CCountedData, CData, VERSIONABLE_SCHEMA | 230)

int CCountedData::s_live = 0;
int CCountedData::s_created = 0;
std::atomic<bool>* CCountedData::s_cancelWhenRead = nullptr;
std::function<void(const CCountedData&)> CCountedData::s_onDestroy;

CCountedData::CCountedData()
{
    ++s_live;
    ++s_created;
}

CCountedData::~CCountedData()
{
    --s_live;
    if (s_onDestroy)
        s_onDestroy(*this);
}

void CCountedData::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    if (s_cancelWhenRead != nullptr) {
        *s_cancelWhenRead = true;
        s_cancelWhenRead = nullptr;
    }
}
