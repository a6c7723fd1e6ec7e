#pragma once
#include <afxcmn.h>
#include <afxtempl.h>
#include "foundation/images/KvoImageManagerIcon.h"
#include "foundation/images/KvoImageManagerResource.h"

class CKvoImageManager;
class CKvoPropExchange;
class CKvoPropExchangeEnumerator;

// The icons of one command id, one per width.
class CKvoImageManagerIconSet : public CCmdTarget
{
public:
    CKvoImageManagerIconSet(UINT id, CKvoImageManager* manager);
    ~CKvoImageManagerIconSet() override;

    // width 0: the smallest icon, 1: the largest; otherwise that width, or,
    // when scaled, the nearest one. Null for an empty set.
    CKvoImageManagerIcon* GetIcon(UINT width, BOOL scaled);
    // The icon of exactly that width, made (height still a placeholder) when
    // missing.
    CKvoImageManagerIcon* GetIcon(UINT width);

    void SetIcon(const CKvoImageManagerIconHandle& icon, int width);
    void SetStateIcon(const CKvoImageManagerIconHandle& icon, int width, int state);
    void RemoveAll();
    void RefreshAll();

    UINT GetID() const { return m_id; }
    CKvoImageManager* GetImageManager() const { return m_manager; }
    CMap<UINT, UINT, CKvoImageManagerIcon*, CKvoImageManagerIcon*>& GetIcons() { return m_icons; }

private:
    CMap<UINT, UINT, CKvoImageManagerIcon*, CKvoImageManagerIcon*> m_icons;
    UINT m_id;
    CKvoImageManager* m_manager;  // not owned
};

// A common-control image list whose images stand for consecutive command ids
// from a base id.
class CKvoImageManagerImageList : public CCmdTarget
{
public:
    // destroy: the list is destroyed with this object.
    CKvoImageManagerImageList(HIMAGELIST imageList, UINT baseId, BOOL destroy);
    ~CKvoImageManagerImageList() override;

    BOOL Lookup(UINT id) const;
    // The icon of the id, made on first request with the list's icon size.
    CKvoImageManagerIcon* GetIcon(UINT id);
    // Drops the icons made for the list's images.
    void RemoveIcons();
    CSize GetIconSize() const;

    HIMAGELIST GetImageList() const { return m_imageList; }
    UINT GetBaseID() const { return m_baseId; }

private:
    HIMAGELIST m_imageList;
    BOOL m_destroy;
    UINT m_baseId;
    CMap<UINT, UINT, CKvoImageManagerIcon*, CKvoImageManagerIcon*> m_icons;
};

// The toolkit's registry of command images: per command id an icon set with
// one icon per width, each with its state variants; image lists for runs of
// ids; the loaders that turn files and resources into bitmaps with alpha.
// Used on the UI thread; only the packing strips carry a lock.
class CKvoImageManager : public CCmdTarget
{
public:
    CKvoImageManager();
    ~CKvoImageManager() override;

    // The process's shared manager, made on first use.
    static CKvoImageManager* Instance();

    COLORREF SetMaskColor(COLORREF color);
    COLORREF GetMaskColor() const { return m_maskColor; }
    // Whether icons copied into this manager share packing strips.
    void SetUseResources(BOOL packing) { m_packing = packing; }
    BOOL IsUseResources() const { return m_packing; }
    // 0 never mirror icons, 1 always, 2 when the DC has a right-to-left layout.
    void SetDrawReverted(int mode) { m_mirroring = mode; }
    BOOL IsDrawReverted(CDC* dc) const;

    // Adders return FALSE for a null or empty source, a zero size, or a
    // state other than normal for an id without icons; images registered
    // before a failure in the same call stay. The caller's handles stay the
    // caller's: the manager copies them.
    BOOL SetIcon(const CKvoImageManagerIconHandle& icon, UINT id, int width = 0, int height = 0,
                 int state = kvoIconNormal);
    BOOL SetIcon(HICON icon, UINT id, int width = 0, int height = 0, int state = kvoIconNormal);
    // Loads a bitmap strip resource and cuts it into count images for ids.
    BOOL SetIcon(UINT bitmapId, const UINT* ids, int count, int cx, int cy, int state = kvoIconNormal);
    // A strip of equal-width images side by side; ids null: ids from 0.
    BOOL SetIcons(CBitmap* strip, const UINT* ids, int count, int width, int height, int state = kvoIconNormal,
                  BOOL alpha = FALSE);
    BOOL SetIcons(CBitmap* strip, const UINT* ids, int count, CSize size, int state = kvoIconNormal,
                  BOOL alpha = FALSE);
    BOOL SetIcons(CImageList* list, const UINT* ids, int count, int width, int height, int state = kvoIconNormal);
    BOOL SetIcons(UINT bitmapId, const UINT* ids, int count, int width, int height, int state = kvoIconNormal);
    BOOL SetIcons(WORD bitmapId, const UINT* ids, int count, int width, int height, int state = kvoIconNormal);
    // A group icon (every entry of the size, or all when the size is 0 x 0)
    // or, failing that, a plain icon of the name.
    BOOL SetIconFromResource(LPCTSTR name, UINT id, int width = 0, int height = 0, int state = kvoIconNormal);
    // Registers an image list whose image i stands for command id base + i;
    // the manager takes it over (destroy: it destroys the list too).
    void AddImageList(HIMAGELIST imageList, UINT baseId, BOOL destroy);

    // The icon to draw for the id near that width, or null.
    CKvoImageManagerIcon* IsIconDefined(UINT id, int width = 0);
    // TRUE when the id has an icon of exactly that width.
    BOOL Lookup(UINT id, int width);
    CKvoImageManagerIconSet* GetIconSet(UINT id) const;

    void RefreshAll();
    void RemoveAll();
    // The packing strip for the size, made on first request.
    CKvoImageManagerResource* GetResource(int width, int height);

    // The registry through the property exchange. Loading empties it first;
    // a damaged or foreign store raises a CArchiveException and leaves the
    // ids read before it.
    void Serialize(CArchive& ar) override;
    void DoPropExchange(CKvoPropExchange* exchange);
    // The icons of one command id; loading replaces the id's icons.
    void DoPropExchange(UINT id, CKvoPropExchange* exchange);
    // The highest command id whose icons went through the persisted form.
    UINT GetHighestExchangedId() const { return m_highestExchangedId; }

    // Loaders: the caller owns the bitmap; null on any failure. alpha (may
    // be null) says whether the bitmap carries an alpha channel.
    static HBITMAP LoadBitmapFromFile(LPCTSTR path, BOOL* alpha);
    static HBITMAP LoadBitmapFromResource(HMODULE module, LPCTSTR name, BOOL* alpha);
    // From the class library's resource module.
    static HBITMAP LoadBitmapFromResource(LPCTSTR name, BOOL* alpha);
    // A 32-bit RT_BITMAP resource copied into a new section bitmap.
    static HBITMAP LoadAlphaBitmap(HMODULE module, LPCTSTR name);
    // A positive height makes a bottom-up bitmap.
    static HBITMAP Create32BitDIB(HDC dc, int width, int height, void** bits);
    // A new section with a copy of a 32-bit bitmap's pixels; null otherwise.
    static HBITMAP CopyAlphaBitmap(HBITMAP bitmap, BYTE** bits = nullptr);
    // The icon at newWidth (height scaled alike); the caller destroys it.
    static HICON ScaleIcon(HICON icon, int width, int height, int newWidth);
    static HICON ScaleIcon(HICON icon, int newWidth);

    BOOL AlphaBlend(HDC dest, const CRect& destRect, HDC source, const CRect& sourceRect);
    void TransparentBlt(HDC dest, const CRect& destRect, HDC source, const CRect& sourceRect, COLORREF transparent);

private:
    BOOL SetAlphaStrip(HBITMAP strip, const UINT* ids, int count, int width, int height, int state);
    void StoreIconSet(CKvoImageManagerIconSet* set, CKvoPropExchangeEnumerator& icons);
    void LoadIconSet(UINT id, CKvoPropExchangeEnumerator& icons);

    BOOL m_packing;
    COLORREF m_maskColor;
    CMap<UINT, UINT, CKvoImageManagerIconSet*, CKvoImageManagerIconSet*> m_iconSets;
    CArray<CKvoImageManagerImageList*, CKvoImageManagerImageList*> m_imageLists;
    CMap<DWORD, DWORD, CKvoImageManagerResource*, CKvoImageManagerResource*> m_resources;
    int m_mirroring;
    UINT m_highestExchangedId;
};
