#include <afxcmn.h>

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList() : m_hImageList(NULL)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL || m_hImageList != NULL)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    HIMAGELIST hImageList = Detach();
    return hImageList != NULL && ::ImageList_Destroy(hImageList);
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                           pbmMask != NULL ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : NULL);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

int CImageList::Add(HICON hIcon)
{
    return ::ImageList_AddIcon(m_hImageList, hIcon);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                               pbmMask != NULL ? static_cast<HBITMAP>(pbmMask->GetSafeHandle()) : NULL);
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return ::ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ::ImageList_Remove(m_hImageList, nImage);
}

int CImageList::GetImageCount() const
{
    return ::ImageList_GetImageCount(m_hImageList);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ::ImageList_SetBkColor(m_hImageList, cr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ::ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ::ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}
