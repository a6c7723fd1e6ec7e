#include "PreViewDlg.h"
#include <uxtheme.h>
#include <algorithm>
#include <iterator>
#include "AlphaImageList.h"
#include "IconStrip.h"
#include "LanguageIds.h"
#include "PreviewLayoutMap.h"
#include "PreviewMessages.h"
#include "PreviewRender.h"
#include "PreviewViewLimits.h"
#include "SettingDlg.h"
#include "app/TavrenaApp.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoSystemVersion.h"
#include "reader/JwCADBase.h"
#include "records/SettingFlag.h"
#include "records/ZumenInfo.h"

// What one worker needs, so that it never reads the dialog's view while the
// UI thread navigates: the path and a copy of the view (for the load, the
// view it fills). The dialog outlives every worker: it waits for them when
// it closes.
struct PreviewWorkerJob {
    CPreViewDlg* dialog;
    HWND window;
    CStringW path;
    DrawData view;
    // Filled by the load; a render carries the load's.
    PreviewDrawingFacts facts;
    bool load;
};

namespace {
const COLORREF kPreviewDarkBackground = RGB(0x1E, 0x1E, 0x1E);
const int kTickDivisions = 10;
const int kBitmapStep = 32;
const int kTreeStateIcons = 4;

// The buttons in the order of the dialog's members, with the cells of the
// icon strip and the tooltip strings they get.
struct PreviewButtonSpec {
    int id;
    int iconCell;
    UINT tip;
};
const PreviewButtonSpec kPreviewButtonSpecs[] = {
    {IDC_PREVIEW_PAN_UP, 6, IDS_TIP_PAN_UP},       {IDC_PREVIEW_PAN_DOWN, 7, IDS_TIP_PAN_DOWN},
    {IDC_PREVIEW_PAN_LEFT, 8, IDS_TIP_PAN_LEFT},   {IDC_PREVIEW_PAN_RIGHT, 9, IDS_TIP_PAN_RIGHT},
    {IDC_PREVIEW_FIT, 10, IDS_TIP_FIT},            {IDC_PREVIEW_COPY, 11, IDS_TIP_COPY},
    {IDC_PREVIEW_PRINT, 12, IDS_TIP_PRINT},        {IDC_PREVIEW_SETTINGS, 13, IDS_TIP_SETTINGS},
    {IDC_PREVIEW_UPDATE, 5, IDS_TIP_UPDATE},
};

CStringW PreviewPathFromArgument(const wchar_t* path)
{
    CStringW text;
    if (IS_INTRESOURCE(path))
        text.LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(path)));
    else if (path)
        text = path;
    return text;
}

// The bitmap is square and grows in steps, so small resizes reuse its size.
int PreviewBitmapSide(int width, int height)
{
    const int side = std::max(width, height);
    if (side <= kFittedViewScale)
        return kFittedViewScale;
    return (side & (kBitmapStep - 1)) ? (side & ~(kBitmapStep - 1)) + kBitmapStep : side;
}

// Waits for a worker's thread while letting through the messages it sends
// to this thread, which a worker may be blocked in.
void WaitForPreviewWorker(HANDLE thread)
{
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1)
            return;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
}

IMPLEMENT_DYNAMIC(CPreViewDlg, CSizeableDlg)

BEGIN_MESSAGE_MAP(CPreViewDlg, CSizeableDlg)
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_COMMAND_RANGE(IDC_PREVIEW_PAN_UP, IDC_PREVIEW_PAN_RIGHT, &CPreViewDlg::OnPanButton)
    ON_BN_CLICKED(IDC_PREVIEW_UPDATE, &CPreViewDlg::OnAboutButton)
    ON_BN_CLICKED(IDC_PREVIEW_FIT, &CPreViewDlg::OnFit)
    ON_BN_CLICKED(IDC_PREVIEW_COPY, &CPreViewDlg::OnCopy)
    ON_NOTIFY(NM_CLICK, IDC_PREVIEW_INFO, &CPreViewDlg::OnInfoListClick)
    ON_BN_CLICKED(IDC_PREVIEW_PRINT, &CPreViewDlg::OnPrint)
    ON_BN_CLICKED(IDC_PREVIEW_SETTINGS, &CPreViewDlg::OnSettingsButton)
    ON_REGISTERED_MESSAGE(g_winMgrMessage, &CPreViewDlg::OnWinMgr)
    ON_MESSAGE(WM_PREVIEWSTART, &CPreViewDlg::OnPreviewStart)
    ON_MESSAGE(WM_PREVIEWZOOM, &CPreViewDlg::OnPreviewZoom)
    ON_MESSAGE(WM_PREVIEWLOADED, &CPreViewDlg::OnPreviewLoaded)
    ON_MESSAGE(WM_DRAWPROGRESS, &CPreViewDlg::OnDrawProgress)
    ON_MESSAGE(WM_PREVIEWBITMAP, &CPreViewDlg::OnPreviewBitmap)
    ON_MESSAGE(WM_PREVIEWREDRAW, &CPreViewDlg::OnPreviewRedraw)
END_MESSAGE_MAP()

CPreViewDlg::CPreViewDlg(const wchar_t* path, const RECT& rect, CWnd* parent)
    : CSizeableDlg(IDD_PREVIEW, parent, kPreviewLayoutMap), m_initialRect(rect), m_path(PreviewPathFromArgument(path))
{
    m_showSizeGrip = false;
}

CPreViewDlg::~CPreViewDlg()
{
    if (m_shownBitmap)
        DeleteObject(m_shownBitmap);
    SysFreeString(m_infoText);
    for (HICON icon : m_buttonIcons)
        if (icon)
            DestroyIcon(icon);
}

void CPreViewDlg::DoDataExchange(CDataExchange* pDX)
{
    CSizeableDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW_PICTURE, m_picture);
    DDX_Control(pDX, IDC_PREVIEW_ZOOM, m_slider);
    DDX_Control(pDX, IDC_PREVIEW_LAYERS, m_layerTree);
    DDX_Control(pDX, IDC_PREVIEW_INFO, m_infoList);
    for (size_t i = 0; i < std::size(kPreviewButtonSpecs); ++i)
        DDX_Control(pDX, kPreviewButtonSpecs[i].id, m_buttons[i]);
}

BOOL CPreViewDlg::OnInitDialog()
{
    CSizeableDlg::OnInitDialog();
    m_dark = DecideDarkModeFromRegistry();
    g_darkModeActive = m_dark;
    m_sizerBar.SetWinMgr(&m_winMgr);
    m_sizerBar.Create(L"", WS_CHILD | WS_VISIBLE, RECT{}, this, IDC_PREVIEW_SIZER);
    SetWindowPos(nullptr, 0, 0, m_initialRect.right - m_initialRect.left, m_initialRect.bottom - m_initialRect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetUpIcons();
    m_picture.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    SetUpTreeTheme();
    EnableControls(false);
    SetUpToolTips();
    m_darkBrush.CreateSolidBrush(kPreviewDarkBackground);
    ApplyDarkColors(m_dark);
    HWND foreground = ::GetForegroundWindow();
    m_hostedInDialogBox = foreground && (::GetWindowLongW(foreground, GWL_STYLE) & DS_MODALFRAME);
    if (m_hostedInDialogBox)
        GetDlgItem(IDC_PREVIEW_UPDATE)->ShowWindow(SW_HIDE);
    PostMessage(WM_PREVIEWSTART);
    return TRUE;
}

// The layer-state icons of the tree and the buttons' icons, from the icon
// strip of the language module; without a strip nothing has an icon.
void CPreViewDlg::SetUpIcons()
{
    CImage strip;
    CAlphaImageList cells(16, 16);
    if (LoadPreviewIconStrip(strip))
        cells.Create(strip);
    m_treeImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    for (int cell = 0; cell < kTreeStateIcons; ++cell) {
        HICON icon = cells.GetIcon(cell);
        if (icon) {
            m_treeImages.Add(icon);
            DestroyIcon(icon);
        }
    }
    m_layerTree.SetImageList(&m_treeImages, TVSIL_NORMAL);
    for (size_t i = 0; i < std::size(kPreviewButtonSpecs); ++i) {
        m_buttonIcons[i] = cells.GetIcon(kPreviewButtonSpecs[i].iconCell);
        m_buttons[i].SetIcon(16, 16, m_buttonIcons[i], nullptr, TRUE);
        m_buttons[i].SetFlatStyle(TRUE);
        m_buttons[i].Invalidate();
    }
}

void CPreViewDlg::SetUpTreeTheme()
{
    CKvoSystemVersion* version = CKvoSystemVersion::Instance();
    if (!version->IsWinVistaOrGreater() || !IsAppThemed())
        return;
    if (FAILED(SetWindowTheme(m_layerTree.m_hWnd, L"explorer", nullptr)))
        return;
    m_layerTree.ModifyStyle(TVS_HASLINES | TVS_LINESATROOT, TVS_HASBUTTONS | TVS_NOHSCROLL);
    const DWORD extended = TVS_EX_DOUBLEBUFFER | TVS_EX_AUTOHSCROLL | TVS_EX_FADEINOUTEXPANDOS;
    m_layerTree.SendMessage(TVM_SETEXTENDEDSTYLE, extended, extended);
}

void CPreViewDlg::SetUpToolTips()
{
    if (!m_toolTip.Create(this))
        return;
    CStringW text;
    text.LoadString(IDS_TIP_ZOOM);
    m_toolTip.AddWindowTool(&m_slider, text);
    text.LoadString(IDS_TIP_SIZER);
    m_toolTip.AddWindowTool(&m_sizerBar, text);
    for (size_t i = 0; i < std::size(kPreviewButtonSpecs); ++i) {
        text.LoadString(kPreviewButtonSpecs[i].tip);
        m_toolTip.AddWindowTool(&m_buttons[i], text);
    }
}

void CPreViewDlg::EnableControls(bool enable)
{
    m_slider.EnableWindow(enable);
    m_layerTree.EnableWindow(enable);
    m_infoList.EnableWindow(enable);
    for (CKvoButton& button : m_buttons)
        button.EnableWindow(enable);
}

void CPreViewDlg::GiveFocusToParent()
{
    if (CWnd* parent = GetParent())
        parent->SetFocus();
}

bool CPreViewDlg::StartWorker(std::unique_ptr<PreviewWorkerJob> job, std::unique_ptr<CWinThread>& worker)
{
    FinishWorker(worker);
    PreviewWorkerJob* handedOver = job.get();
    CWinThread* thread =
        AfxBeginThread(PreviewThreadProc, handedOver, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
    if (!thread)
        return false;
    thread->m_pMainWnd = this;
    thread->m_bAutoDelete = FALSE;
    worker.reset(thread);
    if (handedOver->load)
        m_loadJob = std::move(job);
    else
        job.release();  // the render worker deletes its job
    thread->ResumeThread();
    return true;
}

void CPreViewDlg::FinishWorker(std::unique_ptr<CWinThread>& worker)
{
    if (!worker)
        return;
    WaitForPreviewWorker(worker->m_hThread);
    worker.reset();
}

LRESULT CPreViewDlg::OnPreviewStart(WPARAM, LPARAM)
{
    m_picture.Invalidate(TRUE);
    m_renderPending = false;
    m_redrawAfterPending = false;
    auto job = std::make_unique<PreviewWorkerJob>();
    job->dialog = this;
    job->window = m_hWnd;
    job->path = m_path;
    job->view = m_view;
    job->view.progressWnd = m_hWnd;
    job->load = true;
    m_drawingUse.Begin(m_path);
    StartWorker(std::move(job), m_loadWorker);
    return 0;
}

UINT CPreViewDlg::PreviewThreadProc(LPVOID parameter)
{
    PreviewWorkerJob* job = static_cast<PreviewWorkerJob*>(parameter);
    if (!job)
        return 0;
    CPreViewDlg* dialog = job->dialog;
    dialog->m_picture.SetBusy(true);
    if (job->load) {
        const HRESULT loaded = LoadPreviewDocument(job->path, job->view, &job->facts);
        dialog->m_picture.SetBusy(false);
        if (!dialog->m_closing)
            ::SendMessageW(job->window, WM_PREVIEWLOADED, job->facts.fileKind, loaded == S_OK);
        return 0;
    }
    HBITMAP bitmap = nullptr;
    if (RenderPreviewToBitmap(job->path, &bitmap, job->view) != S_OK)
        bitmap = nullptr;
    dialog->m_picture.SetBusy(false);
    const int kind = job->facts.fileKind;
    const HWND window = job->window;
    delete job;
    if (dialog->m_closing) {
        if (bitmap)
            DeleteObject(bitmap);
        return 0;
    }
    // The dialog takes the bitmap whatever it does with it.
    ::SendMessageW(window, WM_PREVIEWBITMAP, kind, reinterpret_cast<LPARAM>(bitmap));
    return 0;
}

LRESULT CPreViewDlg::OnPreviewLoaded(WPARAM wParam, LPARAM)
{
    if (m_closing || !m_loadJob)
        return 0;
    const DrawData& loaded = m_loadJob->view;
    m_view.doc = loaded.doc;
    m_view.width = loaded.width;
    m_view.height = loaded.height;
    m_view.scale = loaded.scale;
    m_view.originX = loaded.originX;
    m_view.originY = loaded.originY;
    m_view.viewSet = loaded.viewSet;
    std::copy(std::begin(loaded.layerMask), std::end(loaded.layerMask), m_view.layerMask);
    m_drawingFacts = m_loadJob->facts;
    OnDocumentLoaded(static_cast<int>(wParam));
    return 0;
}

void CPreViewDlg::OnDocumentLoaded(int kind)
{
    m_fineMode = kind == 1 || kind == 3;
    const int largest = m_fineMode ? kLargestFineScale : kLargestScale;
    m_slider.SetRange(kSmallestScale, largest, FALSE);
    m_slider.SetTicFreq((largest - kSmallestScale) / kTickDivisions);
    EnableControls(true);
    m_view.flags &= ~DrawFlag::WholeDrawing;
    ZumenLayers layers;
    if (!theApp.m_infoCache.GetInfoText(m_path, &layers, &m_infoText)) {
        CStringW failure;
        failure.LoadString(IDS_ZUMEN_UNREADABLE);
        SysFreeString(m_infoText);
        m_infoText = SysAllocString(failure);
    }
    FillInfoList(kind);
    FillLayerTree(layers);
    Redraw(true, false, false, POINT{0, 0});
    m_picture.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPreViewDlg::ComputeRenderFlags()
{
    const uint32_t settings = theApp.m_settings;
    uint32_t flags = m_view.flags & ~(DrawFlag::Direct2D | DrawFlag::GdiPlusImages | DrawFlag::UserBackground |
                                      DrawFlag::PenWidths);
    if (theApp.IsDirect2DUsable()) {
        if (settings & SettingFlag::Direct2D)
            flags |= DrawFlag::Direct2D;
        if (settings & SettingFlag::GdiPlusImages)
            flags |= DrawFlag::GdiPlusImages;
    }
    if (settings & SettingFlag::UserBackground)
        flags |= DrawFlag::UserBackground;
    if (settings & SettingFlag::PenWidths)
        flags |= DrawFlag::PenWidths;
    m_view.flags = flags;
}

void CPreViewDlg::Redraw(bool async, bool skipIfUnchanged, bool toCentre, const POINT& anchor)
{
    if (skipIfUnchanged && m_view.scale == m_drawnScale && m_view.originX == m_drawnOriginX &&
        m_view.originY == m_drawnOriginY)
        return;
    if (m_closing)
        return;
    if (m_renderPending) {
        // One render at a time: this one follows when the running one ends,
        // so a change made meanwhile (colours, layers) is never lost.
        m_redrawAfterPending = true;
        return;
    }
    m_view.progressWnd = m_hWnd;
    CRect client;
    m_picture.GetClientRect(&client);
    m_view.viewWidth = client.Width();
    m_view.viewHeight = client.Height();
    const int side = PreviewBitmapSide(client.Width(), client.Height());
    if (!m_view.viewSet) {
        m_view.viewSet = true;
        m_view.originX = m_view.scale - side / 2;
        m_view.originY = -m_view.originX;
    } else if (side != m_view.width) {
        const int shift = m_fitOn ? 0 : (side - m_view.width) / 2;
        m_view.originX = ShiftViewOrigin(m_view.originX, -shift);
        m_view.originY = ShiftViewOrigin(m_view.originY, shift);
    }
    m_view.width = m_view.height = side;
    // The pointer only says that the load ended; the drawing is used through
    // the cache.
    if ((anchor.x != 0 || anchor.y != 0) && m_view.doc) {
        POINT shift = {};
        UsePreviewDrawing(m_path, [&](CJwCADBase& drawing) {
            drawing.ZoomAt(m_view.scale, SIZE{client.Width(), client.Height()}, anchor, shift, toCentre);
            return true;
        });
        m_view.originX = ShiftViewOrigin(m_view.originX, shift.x);
        m_view.originY = ShiftViewOrigin(m_view.originY, shift.y);
    }
    ComputeRenderFlags();
    if (async) {
        auto job = std::make_unique<PreviewWorkerJob>();
        job->dialog = this;
        job->window = m_hWnd;
        job->path = m_path;
        job->view = m_view;
        job->facts = m_drawingFacts;
        job->load = false;
        m_renderPending = StartWorker(std::move(job), m_renderWorker);
        return;
    }
    HBITMAP bitmap = nullptr;
    if (RenderPreviewToBitmap(m_path, &bitmap, m_view) == S_OK)
        SetPreviewBitmap(bitmap);
}

void CPreViewDlg::SetPreviewBitmap(HBITMAP bitmap)
{
    if (m_shownBitmap)
        DeleteObject(m_shownBitmap);
    m_shownBitmap = bitmap;
    // The picture never keeps a handle that was just deleted.
    m_picture.SetBitmap(bitmap);
    m_drawnScale = m_view.scale;
    m_drawnOriginX = m_view.originX;
    m_drawnOriginY = m_view.originY;
    m_slider.SetPos(m_view.scale);
    CStringW tip;
    CStringW format;
    if (format.LoadString(IDS_PREVIEW_ZOOM_FACTOR)) {
        tip.Format(format, m_view.scale / 256.0);
        m_toolTip.UpdateTipText(tip, &m_slider);
    }
}

LRESULT CPreViewDlg::OnPreviewBitmap(WPARAM, LPARAM lParam)
{
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(lParam);
    if (m_closing) {
        // Rendered while the window closed: nobody will show it.
        if (bitmap)
            DeleteObject(bitmap);
        return 0;
    }
    SetPreviewBitmap(bitmap);
    m_renderPending = false;
    // The worker waits in SendMessage: starting the next render from here
    // would wait for that worker to end.
    if (m_redrawAfterPending) {
        m_redrawAfterPending = false;
        PostMessage(WM_PREVIEWREDRAW);
    }
    return 0;
}

LRESULT CPreViewDlg::OnPreviewRedraw(WPARAM, LPARAM)
{
    Redraw(true, false, false, POINT{});
    return 0;
}

LRESULT CPreViewDlg::OnDrawProgress(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        m_picture.SetTotal(static_cast<int>(lParam));
    else if (wParam == 1)
        m_picture.SetRemaining(static_cast<int>(lParam));
    return 0;
}

LRESULT CPreViewDlg::OnWinMgr(WPARAM wParam, LPARAM lParam)
{
    GiveFocusToParent();
    auto* notify = reinterpret_cast<WinMgrNotify*>(lParam);
    const UINT id = static_cast<UINT>(wParam);
    if (notify->code == static_cast<UINT>(WinMgrCode::SizeQuery))
        return AnswerPreviewSizeQuery(id, notify->sizeInfo);
    if (notify->code != static_cast<UINT>(WinMgrCode::SizerBarMoved))
        return FALSE;
    m_winMgr.MoveSizerBar(id, this, notify->moved.dx, notify->moved.dy);
    m_winMgr.ApplyControlRects(this);
    m_fitOn = false;
    return TRUE;
}

void CPreViewDlg::OnSize(UINT type, int cx, int cy)
{
    CSizeableDlg::OnSize(type, cx, cy);
    FitInfoColumn();
    m_fitOn = false;
}

HBRUSH CPreViewDlg::OnCtlColor(CDC* dc, CWnd* window, UINT kind)
{
    HBRUSH brush = CSizeableDlg::OnCtlColor(dc, window, kind);
    if (window == this || kind == CTLCOLOR_BTN || kind == CTLCOLOR_DLG)
        return m_backgroundBrush;
    if (kind == CTLCOLOR_STATIC) {
        dc->SetBkMode(TRANSPARENT);
        if (m_dark)
            dc->SetTextColor(RGB(255, 255, 255));
        return m_backgroundBrush;
    }
    return brush;
}

void CPreViewDlg::ApplyDarkColors(bool dark)
{
    m_backgroundBrush = dark ? static_cast<HBRUSH>(m_darkBrush.GetSafeHandle()) : GetSysColorBrush(COLOR_WINDOW);
    if (dark)
        theApp.m_backColor = RGB(0, 0, 0);
    const wchar_t* theme = dark ? L"DarkMode_Explorer" : L"Explorer";
    SetWindowTheme(m_layerTree.m_hWnd, theme, nullptr);
    SetWindowTheme(m_infoList.m_hWnd, theme, nullptr);
    if (m_toolTip.m_hWnd)
        SetWindowTheme(m_toolTip.m_hWnd, theme, nullptr);
    const COLORREF back = dark ? RGB(0, 0, 0) : RGB(255, 255, 255);
    const COLORREF ink = dark ? RGB(255, 255, 255) : RGB(0, 0, 0);
    m_layerTree.SetBkColor(back);
    m_layerTree.SetTextColor(ink);
    m_infoList.SetBkColor(back);
    m_infoList.SetTextBkColor(back);
    m_infoList.SetTextColor(ink);
    if (m_toolTip.m_hWnd) {
        m_toolTip.SendMessage(TTM_SETTIPBKCOLOR, back);
        m_toolTip.SendMessage(TTM_SETTIPTEXTCOLOR, ink);
    }
}

void CPreViewDlg::OnSettingChange(UINT flags, LPCTSTR section)
{
    CSizeableDlg::OnSettingChange(flags, section);
    if (!TakeColorSetChange(section, m_dark))
        return;
    ApplyDarkColors(m_dark);
    Invalidate(TRUE);
    Redraw(false, false, false, POINT{0, 0});
}

// Closing: the load is asked to stop, the workers are told to send nothing
// more and are waited for while their sends are let through, so a worker
// blocked in a send never waits for this thread while it waits for them.
// Then nothing draws for this preview any more, and the drawing's Direct2D
// core can go. The about box and the settings dialog are owned by the
// host's top-level window, not by this child dialog, so they would outlive
// it: they go here.
void CPreViewDlg::OnDestroy()
{
    theApp.m_infoCache.StopLoad(m_path);
    m_closing = true;
    m_view.flags |= DrawFlag::Closing;
    FinishWorker(m_loadWorker);
    FinishWorker(m_renderWorker);
    m_loadJob.reset();
    m_drawingUse.End();
    if (m_aboutBox)
        m_aboutBox->DestroyWindow();
    if (m_settingDlg)
        m_settingDlg->DestroyWindow();
    CSizeableDlg::OnDestroy();
}

void CPreViewDlg::PostNcDestroy()
{
    delete this;
}
