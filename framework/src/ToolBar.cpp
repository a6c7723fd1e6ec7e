// The toolbar control and the toolbar resource read into it.
#include <afxext.h>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CWnd)

namespace
{

// A toolbar resource: version 1, the image size, then one 16-bit id per
// button (0 for a separator).
struct ToolBarResource
{
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};

void RegisterToolBarClass()
{
    static const BOOL bRegistered = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&icc);
    }();
    (void)bRegistered;
}

} // namespace

CToolBar::CToolBar() : m_sizeImage(16, 15)
{
}

CToolBar::~CToolBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    RegisterToolBarClass();
    if (!CWnd::Create(TOOLBARCLASSNAMEW, NULL, dwStyle | TBSTYLE_FLAT, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    if (m_hWnd == NULL)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, RT_TOOLBAR);
    HGLOBAL hLoaded = hResource ? ::LoadResource(hInst, hResource) : NULL;
    const BYTE* pBytes = hLoaded ? static_cast<const BYTE*>(::LockResource(hLoaded)) : NULL;
    if (pBytes == NULL)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hInst, hResource);
    ToolBarResource header;
    if (nSize < sizeof(header))
        return FALSE;
    memcpy(&header, pBytes, sizeof(header));
    // Only version 1 exists; the ids must lie within the resource.
    if (header.wVersion != 1 || header.wItemCount > (nSize - sizeof(header)) / sizeof(WORD))
        return FALSE;
    std::vector<UINT> ids(header.wItemCount);
    for (size_t i = 0; i < ids.size(); i++)
    {
        WORD id;
        memcpy(&id, pBytes + sizeof(header) + i * sizeof(WORD), sizeof(id));
        ids[i] = id;
    }
    if (!SetButtons(ids.data(), header.wItemCount))
        return FALSE;
    // A button holds its image plus 7 pixels across and 6 down.
    const CSize sizeImage(header.wWidth, header.wHeight);
    SetSizes(sizeImage + CSize(7, 6), sizeImage);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    CBitmap images;
    if (m_hWnd == NULL || m_sizeImage.cx <= 0 || !images.LoadBitmap(lpszResourceName))
        return FALSE;
    BITMAP info;
    if (!images.GetBitmap(&info))
        return FALSE;
    const int nImages = info.bmWidth / m_sizeImage.cx;
    // The control draws from the bitmap but never frees it: the bar keeps
    // the one in use.
    BOOL bDone;
    if (m_images.GetSafeHandle() == NULL)
    {
        TBADDBITMAP added = {NULL, reinterpret_cast<UINT_PTR>(images.GetSafeHandle())};
        bDone = SendMessage(TB_ADDBITMAP, nImages, reinterpret_cast<LPARAM>(&added)) != -1;
    }
    else
    {
        TBREPLACEBITMAP replaced = {NULL, reinterpret_cast<UINT_PTR>(m_images.GetSafeHandle()), NULL,
                                    reinterpret_cast<UINT_PTR>(images.GetSafeHandle()), nImages};
        bDone = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&replaced)) != FALSE;
    }
    if (!bDone)
        return FALSE;
    m_images.DeleteObject();
    m_images.Attach(images.Detach());
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (m_hWnd == NULL || nIDCount < 0)
        return FALSE;
    RemoveButtons();
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++)
    {
        TBBUTTON button = {};
        button.idCommand = lpIDArray != NULL ? static_cast<int>(lpIDArray[i]) : ID_SEPARATOR;
        if (button.idCommand == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = iImage++;
        }
        if (!SendMessage(TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button)))
            return FALSE;
    }
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    SendMessage(TB_AUTOSIZE);
}

int CToolBar::GetCount() const
{
    return m_hWnd != NULL ? static_cast<int>(::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0)) : 0;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    UINT nID = ID_SEPARATOR, nStyle = 0;
    int iImage = -1;
    GetButtonInfo(nIndex, nID, nStyle, iImage);
    return nID;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button = {};
    if (m_hWnd == NULL || !::SendMessageW(m_hWnd, TB_GETBUTTON, nIndex, reinterpret_cast<LPARAM>(&button)))
    {
        nID = ID_SEPARATOR;
        nStyle = 0;
        iImage = -1;
        return;
    }
    nID = static_cast<UINT>(button.idCommand);
    nStyle = button.fsStyle;
    iImage = (button.fsStyle & TBSTYLE_SEP) ? -1 : button.iBitmap;
}

void CToolBar::RemoveButtons()
{
    while (SendMessage(TB_DELETEBUTTON, 0))
        ;
}
