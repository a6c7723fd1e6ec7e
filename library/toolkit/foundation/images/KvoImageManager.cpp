#include "foundation/images/KvoImageManager.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/images/KvoIconDirectory.h"
#include "foundation/images/KvoImagePixels.h"

namespace {

// Calls act with every value of a framework map, in the map's order.
template <class Key, class Value, class Act>
void ForEachMapValue(CMap<Key, Key, Value, Value>& map, Act act)
{
    for (POSITION position = map.GetStartPosition(); position;)
    {
        Key key{};
        Value value{};
        map.GetNextAssoc(position, key, value);
        act(value);
    }
}

// Key of the packing strip of one image size.
DWORD KvoStripKey(int width, int height)
{
    return (static_cast<DWORD>(height) << 16) | (static_cast<DWORD>(width) & 0xFFFF);
}

// The pieces of an alpha strip cut apart, deleted with the object.
class KvoStripPieces
{
public:
    ~KvoStripPieces()
    {
        for (HBITMAP piece : m_pieces)
            ::DeleteObject(piece);
    }
    // The strip cut into pieces width wide and height high; false (and no
    // pieces) when a step fails.
    bool Cut(HBITMAP strip, int stripWidth, int width, int height)
    {
        BITMAPINFO header = KvoDib32Header(stripWidth, -height);
        std::vector<DWORD> pixels(static_cast<size_t>(stripWidth) * height);
        CKvoScreenDC screen;
        if (::GetDIBits(screen.m_hDC, strip, 0, height, pixels.data(), &header, DIB_RGB_COLORS) != height)
            return false;
        for (int left = 0; left + width <= stripWidth; left += width)
        {
            void* bits = nullptr;
            HBITMAP piece = CKvoImageManager::Create32BitDIB(NULL, width, -height, &bits);
            if (!piece)
            {
                Release();
                return false;
            }
            m_pieces.push_back(piece);
            for (int row = 0; row < height; ++row)
                std::memcpy(static_cast<DWORD*>(bits) + static_cast<size_t>(row) * width,
                            pixels.data() + static_cast<size_t>(row) * stripWidth + left, width * sizeof(DWORD));
        }
        return true;
    }
    int Count() const { return static_cast<int>(m_pieces.size()); }
    HBITMAP operator[](int i) const { return m_pieces[i]; }

private:
    void Release()
    {
        for (HBITMAP piece : m_pieces)
            ::DeleteObject(piece);
        m_pieces.clear();
    }
    std::vector<HBITMAP> m_pieces;
};

}  // namespace

// ---------------------------------------------------------------------------
// Icon sets

CKvoImageManagerIconSet::CKvoImageManagerIconSet(UINT id, CKvoImageManager* manager)
    : m_id(id), m_manager(manager)
{
}

CKvoImageManagerIconSet::~CKvoImageManagerIconSet()
{
    RemoveAll();
}

CKvoImageManagerIcon* CKvoImageManagerIconSet::GetIcon(UINT width, BOOL scaled)
{
    CKvoImageManagerIcon* icon = nullptr;
    if (m_icons.IsEmpty())
        return nullptr;
    if (width > 1 && m_icons.Lookup(width, icon))
        return icon;
    if (width > 1 && !scaled)
        return nullptr;
    // 0: the smallest, 1: the largest, otherwise the nearest; the first met
    // wins among equals.
    CKvoImageManagerIcon* best = nullptr;
    UINT bestWidth = 0;
    for (POSITION position = m_icons.GetStartPosition(); position;)
    {
        UINT iconWidth = 0;
        m_icons.GetNextAssoc(position, iconWidth, icon);
        bool better = false;
        if (!best)
            better = true;
        else if (width == 0)
            better = iconWidth < bestWidth;
        else if (width == 1)
            better = iconWidth > bestWidth;
        else
            better = std::abs(static_cast<long long>(iconWidth) - width) < std::abs(static_cast<long long>(bestWidth) - width);
        if (better)
        {
            best = icon;
            bestWidth = iconWidth;
        }
    }
    return best;
}

CKvoImageManagerIcon* CKvoImageManagerIconSet::GetIcon(UINT width)
{
    CKvoImageManagerIcon* icon = nullptr;
    if (!m_icons.Lookup(width, icon))
    {
        // The height is a placeholder until the icon's image is set.
        icon = new CKvoImageManagerIcon(m_id, static_cast<int>(width), 15, this);
        m_icons.SetAt(width, icon);
    }
    return icon;
}

void CKvoImageManagerIconSet::SetIcon(const CKvoImageManagerIconHandle& icon, int width)
{
    GetIcon(static_cast<UINT>(width))->SetIcon(icon);
}

void CKvoImageManagerIconSet::SetStateIcon(const CKvoImageManagerIconHandle& icon, int width, int state)
{
    CKvoImageManagerIcon* target = GetIcon(static_cast<UINT>(width));
    switch (state)
    {
    case kvoIconDisabled:
        target->SetDisabledIcon(icon);
        break;
    case kvoIconHot:
        target->SetHotIcon(icon);
        break;
    case kvoIconChecked:
        target->SetCheckedIcon(icon);
        break;
    case kvoIconPressed:
        target->SetPressedIcon(icon);
        break;
    default:
        break;
    }
}

void CKvoImageManagerIconSet::RemoveAll()
{
    ForEachMapValue(m_icons, [](auto* icon) {
        icon->Clear(TRUE);
        icon->InternalRelease();
    });
    m_icons.RemoveAll();
}

void CKvoImageManagerIconSet::RefreshAll()
{
    ForEachMapValue(m_icons, [](auto* icon) {
        icon->Refresh();
    });
}

// ---------------------------------------------------------------------------
// Image lists

CKvoImageManagerImageList::CKvoImageManagerImageList(HIMAGELIST imageList, UINT baseId, BOOL destroy)
    : m_imageList(imageList), m_destroy(destroy), m_baseId(baseId)
{
}

CKvoImageManagerImageList::~CKvoImageManagerImageList()
{
    RemoveIcons();
    if (m_destroy && m_imageList)
        ::ImageList_Destroy(m_imageList);
}

BOOL CKvoImageManagerImageList::Lookup(UINT id) const
{
    return id >= m_baseId && id - m_baseId < static_cast<UINT>(::ImageList_GetImageCount(m_imageList));
}

CSize CKvoImageManagerImageList::GetIconSize() const
{
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(m_imageList, &cx, &cy);
    return CSize(cx, cy);
}

CKvoImageManagerIcon* CKvoImageManagerImageList::GetIcon(UINT id)
{
    CKvoImageManagerIcon* icon = nullptr;
    if (!m_icons.Lookup(id, icon))
    {
        CSize size = GetIconSize();
        icon = new CKvoImageManagerIcon(id, size.cx, size.cy, this);
        m_icons.SetAt(id, icon);
    }
    return icon;
}

void CKvoImageManagerImageList::RemoveIcons()
{
    ForEachMapValue(m_icons, [](auto* icon) {
        icon->InternalRelease();
    });
    m_icons.RemoveAll();
}

// ---------------------------------------------------------------------------
// The manager

CKvoImageManager::CKvoImageManager()
    : m_packing(TRUE), m_maskColor(0xFFFFFFFF), m_mirroring(2), m_highestExchangedId(0x10AAA)
{
    m_iconSets.InitHashTable(127);
}

CKvoImageManager::~CKvoImageManager()
{
    RemoveAll();
}

CKvoImageManager* CKvoImageManager::Instance()
{
    static CKvoImageManager shared;
    return &shared;
}

COLORREF CKvoImageManager::SetMaskColor(COLORREF color)
{
    COLORREF previous = m_maskColor;
    m_maskColor = color;
    return previous;
}

BOOL CKvoImageManager::IsDrawReverted(CDC* dc) const
{
    if (m_mirroring == 1)
        return TRUE;
    return m_mirroring == 2 && dc && CKvoDrawHelpers::IsContextRTL(dc);
}

CKvoImageManagerIconSet* CKvoImageManager::GetIconSet(UINT id) const
{
    CKvoImageManagerIconSet* set = nullptr;
    return m_iconSets.Lookup(id, set) ? set : nullptr;
}

BOOL CKvoImageManager::SetIcon(const CKvoImageManagerIconHandle& icon, UINT id, int width, int height, int state)
{
    if (icon.IsEmpty())
        return FALSE;
    if (width == 0 && height == 0)
    {
        width = icon.GetExtent().cx;
        height = icon.GetExtent().cy;
        if (width == 0 && height == 0)
            return FALSE;
    }
    CKvoImageManagerIconSet* set = GetIconSet(id);
    if (set)
    {
        if (state == kvoIconNormal)
            set->SetIcon(icon, width);
        else
            set->SetStateIcon(icon, width, state);
        return TRUE;
    }
    // An id's first image must be its normal one.
    if (state != kvoIconNormal)
        return FALSE;
    set = new CKvoImageManagerIconSet(id, this);
    set->SetIcon(icon, width);
    m_iconSets.SetAt(id, set);
    return TRUE;
}

BOOL CKvoImageManager::SetIcon(HICON icon, UINT id, int width, int height, int state)
{
    return SetIcon(CKvoImageManagerIconHandle(icon), id, width, height, state);
}

BOOL CKvoImageManager::SetIcon(UINT bitmapId, const UINT* ids, int count, int cx, int cy, int state)
{
    return SetIcons(bitmapId, ids, count, cx, cy, state);
}

BOOL CKvoImageManager::SetIcons(CBitmap* strip, const UINT* ids, int count, CSize size, int state, BOOL alpha)
{
    return SetIcons(strip, ids, count, size.cx, size.cy, state, alpha);
}

BOOL CKvoImageManager::SetIcons(CBitmap* strip, const UINT* ids, int count, int width, int height, int state,
                                BOOL alpha)
{
    BITMAP info = {};
    if (!strip || !strip->m_hObject || !strip->GetBitmap(&info))
        return FALSE;
    if (width == 0 && height == 0 && count > 0)
    {
        width = info.bmWidth / count;
        height = info.bmHeight;
    }
    if (count == 0 && width >= 1)
        count = info.bmWidth / width;
    if (width <= 0 || height <= 0)
        return FALSE;
    if (alpha)
        return SetAlphaStrip(static_cast<HBITMAP>(strip->m_hObject), ids, count, width, height, state);

    CImageList list;
    if (!list.Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 1))
        return FALSE;
    COLORREF mask = m_maskColor;
    if (mask == 0xFFFFFFFF)
    {
        // No fixed mask colour: the strip's top-left pixel is transparent.
        CDC memory;
        if (!memory.CreateCompatibleDC(nullptr))
            return FALSE;
        CBitmap* old = memory.SelectObject(strip);
        mask = memory.GetPixel(0, 0);
        memory.SelectObject(old);
    }
    if (::ImageList_AddMasked(list.m_hImageList, static_cast<HBITMAP>(strip->m_hObject), mask) < 0)
        return FALSE;
    return SetIcons(&list, ids, count, width, height, state);
}

BOOL CKvoImageManager::SetAlphaStrip(HBITMAP strip, const UINT* ids, int count, int width, int height, int state)
{
    BITMAP info = {};
    ::GetObjectW(strip, sizeof(info), &info);
    int stripHeight = abs(info.bmHeight);
    if (info.bmWidth % width != 0 || height > stripHeight)
        return FALSE;
    KvoStripPieces pieces;
    if (!pieces.Cut(strip, info.bmWidth, width, height))
        return FALSE;
    // An id of 0 skips a command without using a piece, unless the strip
    // holds exactly one piece per id.
    for (int i = 0, piece = 0; i < count && piece < pieces.Count(); ++i)
    {
        if (ids && pieces.Count() != count && ids[i] == 0)
            continue;
        SetIcon(CKvoImageManagerIconHandle(pieces[piece]), ids ? ids[i] : static_cast<UINT>(i), width, height, state);
        ++piece;
    }
    return TRUE;
}

BOOL CKvoImageManager::SetIcons(CImageList* list, const UINT* ids, int count, int width, int height, int state)
{
    if (!list || !list->m_hImageList)
        return FALSE;
    const int imageCount = ::ImageList_GetImageCount(list->m_hImageList);
    if (count == 0 && !ids)
        count = imageCount;
    if (width == 0 && height == 0 && count >= 1)
    {
        IMAGEINFO info = {};
        if (::ImageList_GetImageInfo(list->m_hImageList, 0, &info))
        {
            width = info.rcImage.right - info.rcImage.left;
            height = info.rcImage.bottom - info.rcImage.top;
        }
    }
    for (int i = 0, image = 0; i < count; ++i)
    {
        if (ids && imageCount != count && ids[i] == 0)
            continue;
        HICON icon = ::ImageList_GetIcon(list->m_hImageList, image, ILD_NORMAL);
        if (!icon)
            return FALSE;
        CKvoImageManagerIconHandle handle;
        handle.SetIcon(icon);
        SetIcon(handle, ids ? ids[i] : static_cast<UINT>(i), width, height, state);
        ++image;
    }
    return TRUE;
}

BOOL CKvoImageManager::SetIcons(UINT bitmapId, const UINT* ids, int count, int width, int height, int state)
{
    BOOL alpha = FALSE;
    CBitmap strip;
    if (!strip.Attach(LoadBitmapFromResource(MAKEINTRESOURCE(bitmapId), &alpha)))
        return FALSE;
    return SetIcons(&strip, ids, count, width, height, state, alpha);
}

BOOL CKvoImageManager::SetIcons(WORD bitmapId, const UINT* ids, int count, int width, int height, int state)
{
    return SetIcons(static_cast<UINT>(bitmapId), ids, count, width, height, state);
}

BOOL CKvoImageManager::SetIconFromResource(LPCTSTR name, UINT id, int width, int height, int state)
{
    HMODULE module = AfxGetResourceHandle();
    KvoIconDirectory directory(module, name);
    if (!directory.IsFound())
    {
        CKvoImageManagerIconHandle icon;
        if (!icon.LoadIcon(name, width, height, FALSE))
            return FALSE;
        return SetIcon(icon, id, width, height, state);
    }
    for (int i = 0; i < directory.GetCount(); ++i)
    {
        const KvoIconDirectoryEntry entry = directory.GetEntry(i);
        if (!((entry.width == width && entry.height == height) || (width == 0 && height == 0)))
            continue;
        CKvoImageManagerIconHandle icon;
        if (!icon.LoadIcon(module, MAKEINTRESOURCE(entry.id), entry.width, entry.height, FALSE) ||
            !SetIcon(icon, id, entry.width, entry.height, state))
            return FALSE;
    }
    return TRUE;
}

void CKvoImageManager::AddImageList(HIMAGELIST imageList, UINT baseId, BOOL destroy)
{
    if (imageList)
        m_imageLists.Add(new CKvoImageManagerImageList(imageList, baseId, destroy));
}

CKvoImageManagerIcon* CKvoImageManager::IsIconDefined(UINT id, int width)
{
    if (CKvoImageManagerIconSet* set = GetIconSet(id))
        return set->GetIcon(static_cast<UINT>(width), TRUE);
    for (INT_PTR i = 0; i < m_imageLists.GetSize(); ++i)
    {
        if (m_imageLists[i]->Lookup(id))
            return m_imageLists[i]->GetIcon(id);
    }
    return nullptr;
}

BOOL CKvoImageManager::Lookup(UINT id, int width)
{
    CKvoImageManagerIconSet* set = GetIconSet(id);
    CKvoImageManagerIcon* icon = nullptr;
    if (set && set->GetIcons().Lookup(static_cast<UINT>(width), icon))
        return TRUE;
    for (INT_PTR i = 0; i < m_imageLists.GetSize(); ++i)
    {
        if (m_imageLists[i]->Lookup(id))
            return width == 0 || m_imageLists[i]->GetIconSize().cx == width;
    }
    return FALSE;
}

void CKvoImageManager::RefreshAll()
{
    ForEachMapValue(m_iconSets, [](auto* set) {
        set->RefreshAll();
    });
    for (INT_PTR i = 0; i < m_imageLists.GetSize(); ++i)
        m_imageLists[i]->RemoveIcons();
}

void CKvoImageManager::RemoveAll()
{
    // Sets first: their images give their strip slots back.
    ForEachMapValue(m_iconSets, [](auto* set) {
        set->RemoveAll();
        set->InternalRelease();
    });
    m_iconSets.RemoveAll();
    ForEachMapValue(m_resources, [](auto* strip) {
        delete strip;
    });
    m_resources.RemoveAll();
    for (INT_PTR i = 0; i < m_imageLists.GetSize(); ++i)
        m_imageLists[i]->InternalRelease();
    m_imageLists.RemoveAll();
}

CKvoImageManagerResource* CKvoImageManager::GetResource(int width, int height)
{
    CKvoImageManagerResource* strip = nullptr;
    DWORD key = KvoStripKey(width, height);
    if (!m_resources.Lookup(key, strip))
    {
        strip = new CKvoImageManagerResource(this, CSize(width, height));
        m_resources.SetAt(key, strip);
    }
    return strip;
}
