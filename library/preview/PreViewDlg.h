#pragma once
// The modeless preview dialog that PreViewDlg makes inside a host window:
// loads the drawing through the info cache on a worker of its own, renders
// it, and shows it with its zoom slider, layer tree, information list and
// buttons, laid out by the preview layout map.
#include <afxwin.h>
#include <afxcmn.h>
#include <atomic>
#include <memory>
#include <optional>
#include "foundation/base/KvoSelfDeletingWindow.h"
#include "foundation/controls/KvToolTip.h"
#include "foundation/controls/KvoButton.h"
#include "MyPicture.h"
#include "MySliderCtrl.h"
#include "MyTreeCtrl.h"
#include "PreviewDrawingUse.h"
#include "SizeableDlg.h"
#include "SizerBar.h"
#include "PreviewPrint.h"
#include "PreviewRender.h"
#include "records/DrawData.h"

struct PreviewWorkerJob;
class CAboutDlg;
class CSettingDlg;

class CPreViewDlg : public CSizeableDlg, public CKvoSelfDeletingWindow {
    DECLARE_DYNAMIC(CPreViewDlg)
public:
    // path below 65536 is a string resource id holding the path.
    CPreViewDlg(const wchar_t* path, const RECT& rect, CWnd* parent);
    ~CPreViewDlg() override;

    BOOL OnInitDialog() override;
    void EnableControls(bool enable);
    void Redraw(bool async, bool skipIfUnchanged, bool toCentre, const POINT& anchor);
    void SetPreviewBitmap(HBITMAP bitmap);
    void ApplyDarkColors(bool dark);
    // One zoom step (a quarter of one for the wheel: divisor 4) about a
    // point of the picture, which keeps showing the same drawing point.
    void ZoomStep(bool zoomIn, int divisor, POINT at);
    // One pan step for a pan button's id (IDC_PREVIEW_PAN_UP to _RIGHT).
    void Pan(int buttonId);
    // The layer tree's side of a click: one layer's bit of the view's mask,
    // then one render of the result.
    void SetLayerShown(int index, bool shown);
    void RenderAfterLayerSwitch();
    bool IsHostedInDialogBox() const { return m_hostedInDialogBox; }
    // Called by the settings dialog when its window is gone.
    void ForgetSettingDlg(const CSettingDlg* dialog);

    static UINT PreviewThreadProc(LPVOID parameter);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnPanButton(UINT id);
    afx_msg void OnFit();
    afx_msg void OnAboutButton();
    afx_msg void OnCopy();
    afx_msg void OnInfoListClick(NMHDR* notify, LRESULT* result);
    afx_msg void OnPrint();
    afx_msg void OnSettingsButton();
    afx_msg LRESULT OnWinMgr(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewStart(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewZoom(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewLoaded(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDrawProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewBitmap(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPreviewRedraw(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void OnDocumentLoaded(int kind);
    void SetUpIcons();
    void SetUpTreeTheme();
    void SetUpToolTips();
    void FillInfoList(int kind);
    void FitInfoColumn();
    void FillLayerTree(const struct ZumenLayers& layers);
    bool CopyPictureToClipboard();
    bool CopyMetafileToClipboard();
    void ComputeRenderFlags();
    bool StartWorker(std::unique_ptr<PreviewWorkerJob> job, std::unique_ptr<CWinThread>& worker);
    void FinishWorker(std::unique_ptr<CWinThread>& worker);
    void GiveFocusToParent();
    void ToggleAboutBox();
    void ShowUpdateNotice();
    int ZoomStepSize() const;
    std::optional<int> SliderScale(BYTE key, UINT code) const;
    void ApplyRubberBand(const RECT& band);
    POINT PictureCentre() const;
    // What printing (PreviewPrint.h) needs of the dialog.
    PreviewPrintSource PrintSource();
    // The print settings file "PrintData.dat" in the cache folder: the
    // printer chosen in the print dialog last time.
    void SavePrintData(const PRINTDLGEXW& pd);
    bool LoadPrintData(PRINTDLGEXW& pd);

    std::unique_ptr<CWinThread> m_loadWorker;
    std::unique_ptr<CWinThread> m_renderWorker;
    std::unique_ptr<PreviewWorkerJob> m_loadJob;
    // The open about box, or null; the box clears this when its window goes.
    CAboutDlg* m_aboutBox = nullptr;
    // The open settings dialog or null; it clears this when its window goes.
    CSettingDlg* m_settingDlg = nullptr;
    CPreviewDrawingUse m_drawingUse;
    PreviewDrawingFacts m_drawingFacts;
    HBITMAP m_shownBitmap = nullptr;
    RECT m_initialRect;
    DrawData m_view;
    BSTR m_infoText = nullptr;
    CStringW m_path;
    int m_drawnScale = 0;
    int m_drawnOriginX = 0;
    int m_drawnOriginY = 0;
    // The view before page fit, which switching it off brings back.
    int m_savedScale = 0;
    int m_savedOriginX = 0;
    int m_savedOriginY = 0;
    bool m_fitOn = false;
    bool m_fineMode = false;
    bool m_hostedInDialogBox = false;
    bool m_dark = false;
    bool m_renderPending = false;
    bool m_redrawAfterPending = false;
    // Set first thing at closing: workers that end from then on send nothing.
    std::atomic<bool> m_closing{false};
    CBrush m_darkBrush;
    HBRUSH m_backgroundBrush = nullptr;
    CKvoButton m_buttons[9];
    // The buttons draw these without owning them.
    HICON m_buttonIcons[9] = {};
    CSizerBar m_sizerBar;
    CMyPicture m_picture;
    CMySliderCtrl m_slider;
    CMyTreeCtrl m_layerTree;
    CListCtrl m_infoList;
    CImageList m_treeImages;
    CKvToolTip m_toolTip;
};
