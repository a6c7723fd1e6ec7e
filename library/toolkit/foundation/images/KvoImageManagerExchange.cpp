// The registry's persisted form through the property exchange: an "IconSet"
// section per command id, each with the id and the icons of that id, every
// icon as its own archived record.
#include "foundation/images/KvoImageManager.h"

#include <memory>

#include "foundation/base/KvoPropExchangeArchive.h"
#include "foundation/base/KvoReleaseHolder.h"
#include "foundation/images/KvoIconBitmapRecord.h"

namespace {

const LPCWSTR kKvoImageManagerCheckSum = L"CKvoImageManagerIcons";

// A stored width outside what an icon record may hold marks a damaged
// store: refused before any icon of that width is made.
UINT KvoCheckedStoredWidth(long width)
{
    if (width <= 0 || width > KvoIconBitmapRecord::kMaxDimension)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return static_cast<UINT>(width);
}

}  // namespace

void CKvoImageManager::Serialize(CArchive& ar)
{
    CKvoPropExchangeArchive exchange(ar);
    DoPropExchange(&exchange);
}

void CKvoImageManager::DoPropExchange(CKvoPropExchange* exchange)
{
    if (exchange == nullptr)
        return;
    std::unique_ptr<CKvoPropExchangeEnumerator> sets(exchange->GetEnumerator(L"IconSet"));
    if (!sets)
        return;
    if (exchange->IsLoading())
    {
        RemoveAll();
        for (POSITION position = sets->OnStartExchange(0); position;)
        {
            CKvoPropExchange* section = sets->GetNext(position);
            CKvoReleaseHolder holder(section);
            long id = 0;
            PropExchangeLong(section, L"Id", &id, 0);
            DoPropExchange(static_cast<UINT>(id), section);
        }
        return;
    }
    POSITION position = sets->OnStartExchange(static_cast<DWORD>(m_iconSets.GetCount()));
    for (POSITION setPosition = m_iconSets.GetStartPosition(); setPosition && position;)
    {
        UINT id = 0;
        CKvoImageManagerIconSet* set = nullptr;
        m_iconSets.GetNextAssoc(setPosition, id, set);
        CKvoPropExchange* section = sets->GetNext(position);
        CKvoReleaseHolder holder(section);
        long storedId = static_cast<long>(id);
        PropExchangeLong(section, L"Id", &storedId, 0);
        DoPropExchange(id, section);
    }
}

void CKvoImageManager::DoPropExchange(UINT id, CKvoPropExchange* exchange)
{
    if (exchange == nullptr)
        return;
    if (id > m_highestExchangedId)
        m_highestExchangedId = id;
    CString checkSum = kKvoImageManagerCheckSum;
    PropExchangeString(exchange, L"CheckSum", &checkSum, kKvoImageManagerCheckSum);
    if (exchange->IsLoading() && checkSum != kKvoImageManagerCheckSum)
        AfxThrowArchiveException(CArchiveException::badClass);
    std::unique_ptr<CKvoPropExchangeEnumerator> icons(exchange->GetEnumerator(L"Icon"));
    if (!icons)
        return;
    if (exchange->IsLoading())
        LoadIconSet(id, *icons);
    else
        StoreIconSet(GetIconSet(id), *icons);
}

void CKvoImageManager::StoreIconSet(CKvoImageManagerIconSet* set, CKvoPropExchangeEnumerator& icons)
{
    POSITION position = icons.OnStartExchange(set ? static_cast<DWORD>(set->GetIcons().GetCount()) : 0);
    if (set == nullptr)
        return;
    for (POSITION iconPosition = set->GetIcons().GetStartPosition(); iconPosition && position;)
    {
        UINT width = 0;
        CKvoImageManagerIcon* icon = nullptr;
        set->GetIcons().GetNextAssoc(iconPosition, width, icon);
        CKvoPropExchange* section = icons.GetNext(position);
        CKvoReleaseHolder holder(section);
        long storedWidth = static_cast<long>(width);
        PropExchangeLong(section, L"Width", &storedWidth, 16);
        PropExchangeObject(section, L"Data", icon);
    }
}

void CKvoImageManager::LoadIconSet(UINT id, CKvoPropExchangeEnumerator& icons)
{
    CKvoImageManagerIconSet* set = GetIconSet(id);
    if (set == nullptr)
    {
        set = new CKvoImageManagerIconSet(id, this);
        m_iconSets.SetAt(id, set);
    }
    set->RemoveAll();
    for (POSITION position = icons.OnStartExchange(0); position;)
    {
        CKvoPropExchange* section = icons.GetNext(position);
        CKvoReleaseHolder holder(section);
        long storedWidth = 16;
        PropExchangeLong(section, L"Width", &storedWidth, 16);
        const UINT width = KvoCheckedStoredWidth(storedWidth);
        // The icon enters the set only once its record has loaded whole: a
        // damaged record leaves the stream out of step, so the load stops.
        CKvoImageManagerIcon* icon = new CKvoImageManagerIcon(id, static_cast<int>(width), 15, set);
        if (!PropExchangeObject(section, L"Data", icon))
        {
            icon->InternalRelease();
            AfxThrowArchiveException(CArchiveException::badIndex);
        }
        CKvoImageManagerIcon* previous = nullptr;
        if (set->GetIcons().Lookup(width, previous))
        {
            previous->Clear(TRUE);
            previous->InternalRelease();
        }
        set->GetIcons().SetAt(width, icon);
    }
}
