// The persisted record of one icon (little-endian 32-bit words): its height,
// the schema, then the variant records of normal, disabled, hot, and with
// later schemas checked (above 7) and pressed (above 16).
#include "foundation/images/KvoImageManagerIcon.h"

#include <afxcmn.h>

#include "foundation/images/KvoIconBitmapRecord.h"

namespace {

const DWORD kKvoIconSchema = 33;

// An alpha image is stored premultiplied as one bitmap record and a word 0;
// an icon as the records of its colour and mask bitmaps; an empty variant as
// two words 0.
void KvoStoreVariant(CArchive& ar, const CKvoImageManagerIconHandle& variant)
{
    // An owned, unpacked copy (the handle holds no image manager).
    CKvoImageManagerIconHandle copy;
    copy.Copy(variant);
    ICONINFO info = {};
    if (copy.IsAlpha() && copy.GetBits())
    {
        KvoIconBitmapRecord::Write(ar, copy.GetBitmap());
        ar << static_cast<DWORD>(0);
    }
    else if (copy.GetIcon() && ::GetIconInfo(copy.GetIcon(), &info))
    {
        CBitmap color, mask;
        color.Attach(info.hbmColor);
        mask.Attach(info.hbmMask);
        KvoIconBitmapRecord::Write(ar, info.hbmColor);
        KvoIconBitmapRecord::Write(ar, info.hbmMask);
    }
    else
    {
        ar << static_cast<DWORD>(0) << static_cast<DWORD>(0);
    }
}

// Colour and mask make an icon; a colour bitmap alone an alpha image, whose
// stored pixels are premultiplied already from schema 25 on.
void KvoLoadVariant(CArchive& ar, CKvoImageManagerIconHandle& variant, DWORD schema)
{
    LPBYTE bits = nullptr;
    CBitmap color, mask;
    color.Attach(KvoIconBitmapRecord::Read(ar, &bits));
    mask.Attach(KvoIconBitmapRecord::Read(ar));
    CKvoImageManagerIconHandle loaded;
    BITMAP colorInfo = {};
    if (color.m_hObject && mask.m_hObject && color.GetBitmap(&colorInfo))
    {
        CImageList list;
        if (list.Create(colorInfo.bmWidth, colorInfo.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1) &&
            list.Add(&color, &mask) >= 0)
        {
            if (HICON icon = ::ImageList_GetIcon(list.m_hImageList, 0, ILD_NORMAL))
                loaded.SetIcon(icon);
        }
    }
    else if (color.m_hObject)
    {
        if (schema > 24)
            loaded.SetPremultipliedBitmap(static_cast<HBITMAP>(color.Detach()), bits);
        else
            loaded.SetBitmap(static_cast<HBITMAP>(color.Detach()));
    }
    variant.Copy(loaded);
}

}  // namespace

void CKvoImageManagerIcon::Serialize(CArchive& ar)
{
    static const Variant stored[] = {normalVariant, disabledVariant, hotVariant, checkedVariant, pressedVariant};
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_height) << kKvoIconSchema;
        for (Variant variant : stored)
            KvoStoreVariant(ar, m_variants[variant]);
        return;
    }
    DWORD height = 0, schema = 0;
    ar >> height >> schema;
    if (schema > kKvoIconSchema)
        AfxThrowArchiveException(CArchiveException::badSchema);
    if (height > static_cast<DWORD>(KvoIconBitmapRecord::kMaxDimension))
        AfxThrowArchiveException(CArchiveException::badIndex);
    Clear(TRUE);
    m_height = static_cast<int>(height);
    const int count = schema > 16 ? 5 : schema > 7 ? 4 : 3;
    for (int i = 0; i < count; ++i)
        KvoLoadVariant(ar, m_variants[stored[i]], schema);
}
