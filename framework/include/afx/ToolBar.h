// The toolbar: as much of the class library's control bar as loading a
// toolbar resource into a toolbar control needs (no docking, no layout by
// a frame).
#pragma once

// The id of a separator in a toolbar's button list.
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
// The resource type of a toolbar's button list.
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEW(241)
#endif
// The id a frame's standard toolbar takes.
#define AFX_IDW_TOOLBAR 0xE800

class CToolBar : public CWnd
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    // The control goes before the images it draws from.
    ~CToolBar() override;

    // The toolbar control as a child of pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_TOOLBAR);

    // The buttons, sizes and images of a toolbar resource (RT_TOOLBAR) and
    // the bitmap of the same name, from the resource module
    // (AfxFindResourceHandle). FALSE when either is missing or damaged.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource)
    {
        return LoadToolBar(MAKEINTRESOURCEW(nIDResource));
    }
    // The button images, side by side in one bitmap; the bar keeps it.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    // Replaces the buttons: one per id, ID_SEPARATOR a separator; the other
    // buttons take the images in order. NULL ids give nIDCount separators.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // Images are 16 x 15 until set.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const;
    // ID_SEPARATOR for a separator.
    UINT GetItemID(int nIndex) const;
    // The image index of the button, its id and its TBBS_ style bits.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;

private:
    void RemoveButtons();

    CSize m_sizeImage;
    CBitmap m_images; // the images the control draws from

};

// Button style bits as GetButtonInfo reports them.
#define TBBS_BUTTON TBSTYLE_BUTTON
#define TBBS_SEPARATOR TBSTYLE_SEP
