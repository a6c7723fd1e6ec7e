#pragma once
#include <afxwin.h>

class CKvoImageManager;
class CKvoImageManagerResource;

// States a command image is drawn in; any other value draws the normal image.
enum KvoIconState
{
    kvoIconNormal = 0,
    kvoIconDisabled = 1,
    kvoIconHot = 2,
    kvoIconChecked = 3,
    kvoIconPressed = 4,
};

// One image's place in a packing strip: alpha slots are blended, the others
// drawn through the strip's mask. top is always 0.
struct KvoPackedImage
{
    BOOL alpha;
    CRect rect;
    CKvoImageManagerResource* resource;
};

// One image: an icon, a 32-bit bitmap with alpha, or a slot of a shared strip
// of the image manager. Owning handles free what they hold when cleared.
class CKvoImageManagerIconHandle
{
public:
    CKvoImageManagerIconHandle();
    // References the icon without owning it; size from the icon.
    CKvoImageManagerIconHandle(HICON icon, BOOL packing = TRUE);
    // References the 32-bit bitmap without owning it; size from the bitmap.
    explicit CKvoImageManagerIconHandle(HBITMAP bitmap);
    // A non-owning reference to what other holds.
    CKvoImageManagerIconHandle(const CKvoImageManagerIconHandle& other);
    // Copy(other): owned copies, or a packed slot inside an image manager.
    CKvoImageManagerIconHandle& operator=(const CKvoImageManagerIconHandle& other);
    ~CKvoImageManagerIconHandle();

    // Clear, then hold and own the icon or bitmap.
    void SetIcon(HICON icon);
    void SetBitmap(HBITMAP bitmap);
    void Copy(const CKvoImageManagerIconHandle& source);
    // Frees what an owning handle holds; size and packing flag stay.
    void Clear();

    BOOL IsEmpty() const;
    BOOL IsAlpha() const;
    CSize GetExtent() const { return m_size; }
    HICON GetIcon() const { return m_icon; }
    HBITMAP GetBitmap() const { return m_bitmap; }
    KvoPackedImage* GetPackedImage() const { return m_packed; }
    BOOL IsPacking() const { return m_packing; }
    CKvoImageManager* GetImageManager() const { return m_manager; }
    // Set by the icon that holds the handle; decides where it is packed.
    void SetImageManager(CKvoImageManager* manager) { m_manager = manager; }

    // The bitmap's premultiplied pixels (all alpha drawing reads them): a
    // bitmap first met without them is replaced by a premultiplied copy the
    // handle owns. Null for icons and when no bitmap.
    LPBYTE GetBits() const;
    // An icon resource of the module at cx x cy: a 32-bit image becomes an
    // alpha bitmap, any other an icon. group: take the entry of that size
    // from the group icon of the name when there is one. TRUE when the
    // handle then holds an image.
    BOOL LoadIcon(HMODULE module, LPCTSTR name, int cx, int cy, BOOL group);
    // A bitmap resource of the resource module: a 32-bit image with alpha is
    // held as it is, any other becomes an icon masked by its top-left pixel.
    // TRUE when the handle then holds an image.
    BOOL LoadBitmapResource(UINT id);
    // The same in the class library's resource module.
    BOOL LoadIcon(LPCTSTR name, int cx, int cy, BOOL group);

    // Adopts bitmap with pixels that are already premultiplied.
    void SetPremultipliedBitmap(HBITMAP bitmap, LPBYTE bits);

    // Draws at (x, y) in cx x cy; composited draws non-alpha images by
    // turning them into alpha images first.
    void Draw(CDC* dc, CPoint point, CSize size, BOOL composited) const;

private:
    void TakeOwnedCopies(const CKvoImageManagerIconHandle& source);
    void DrawIcon(CDC* dc, CPoint point, CSize size, BOOL composited) const;
    void DrawAlphaBitmap(CDC* dc, CPoint point, CSize size) const;

    HICON m_icon;
    // The premultiplied copy GetBits makes replaces the bitmap on first use.
    mutable HBITMAP m_bitmap;
    mutable LPBYTE m_bits;
    mutable BOOL m_owns;
    CKvoImageManager* m_manager;  // not owned
    KvoPackedImage* m_packed;     // owned by its strip
    CSize m_size;
    BOOL m_packing;
};
