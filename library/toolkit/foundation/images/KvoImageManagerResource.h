#pragma once
#include <afxmt.h>
#include <afxtempl.h>
#include "foundation/images/KvoImageManagerIconHandle.h"

// A shared strip of the image manager for one image size: every packed image
// of that size is a slot of one 32-bit colour strip and one monochrome mask
// strip, so hundreds of command images cost two GDI bitmaps. Freed slots are
// reused before the strip grows. Slots are taken, given back, unpacked and
// drawn under the strip's lock.
class CKvoImageManagerResource
{
public:
    CKvoImageManagerResource(CKvoImageManager* manager, CSize imageSize);
    ~CKvoImageManagerResource();
    CKvoImageManagerResource(const CKvoImageManagerResource&) = delete;
    CKvoImageManagerResource& operator=(const CKvoImageManagerResource&) = delete;

    // Packs the image into a slot; null for an empty image, one of another
    // size, or one the strip cannot take.
    KvoPackedImage* Add(const CKvoImageManagerIconHandle& image);
    // Gives the slot back; the last one frees both strips.
    void Remove(KvoPackedImage* slot);
    // Unpacks a slot into an owned bitmap (alpha slots) or icon.
    void CopyTo(CKvoImageManagerIconHandle& target, KvoPackedImage* slot);
    void Draw(CDC* dc, KvoPackedImage* slot, int x, int y, int cx, int cy, BOOL composited);

    CSize GetImageSize() const { return m_imageSize; }
    int GetUsedWidth() const { return m_usedWidth; }
    HBITMAP GetStripBitmap() const { return m_strip; }

private:
    KvoPackedImage* TakeSlot();
    BOOL Grow();
    void FreeStrips();
    void PackAlphaPixels(const BYTE* premultiplied, int left);
    BOOL PackIconWithAlpha(HICON icon, int left);
    void PackIconThroughMask(HICON icon, const CRect& slot);

    CKvoImageManager* m_manager;  // not owned
    CSize m_imageSize;
    HBITMAP m_strip;
    LPBYTE m_stripBits;
    HBITMAP m_maskStrip;
    int m_usedWidth;
    CArray<KvoPackedImage*, KvoPackedImage*> m_usedSlots;
    CArray<KvoPackedImage*, KvoPackedImage*> m_freeSlots;
    CCriticalSection m_lock;
};
