#include "commandbars/KvoScrollBarPaintManager.h"

#include <algorithm>

#include <vssym32.h>

#include "commandbars/KvoPaintManager.h"
#include "commandbars/KvoScrollBase.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDeviceContext.h"

namespace {
// A thumb longer than this shows its gripper.
const int kThumbGripperMinimum = 13;
// A flat arrow smaller than this has no glyph.
const int kFlatGlyphMinimum = 6;

// Visual-style state of a track or thumb: 1 normal, 2 hot, 3 pressed, 4 disabled.
int ScrollPartState(int hit, BOOL enabled, int pressed, int hot)
{
    if (!enabled)
        return 4;
    if (hit == pressed)
        return 3;
    return hit == hot ? 2 : 1;
}

COLORREF SystemPaletteColor(KvoPaletteIndex index)
{
    return CKvoColorManager::Instance()->GetColor(index);
}
} // namespace

CKvoScrollBarPaintManager::CKvoScrollBarPaintManager(CKvoPaintManager* paintManager)
    : m_pPaintManager(paintManager), m_nThumbLength(0), m_themeScrollBar(paintManager->GetUxThemeFunctions(), paintManager->FollowsUxThemeModule())
{
    ReadSystemMetrics();
}

CKvoScrollBarPaintManager::~CKvoScrollBarPaintManager()
{
    m_themeScrollBar.CloseThemeData();
}

void CKvoScrollBarPaintManager::ReadSystemMetrics()
{
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
}

void CKvoScrollBarPaintManager::RefreshMetrics()
{
    ReadSystemMetrics();
    m_themeScrollBar.OpenThemeData(NULL, L"SCROLLBAR");
}

CKvoScrollBarPaintManager::BarParts CKvoScrollBarPaintManager::GetBarParts(CKvoScrollBase* scrollBar)
{
    const KvoScrollBarPosInfo& spi = scrollBar->GetScrollBarPosInfo();
    const KvoScrollBarTrackInfo* track = scrollBar->GetTrackInfo();
    BarParts parts;
    parts.enabled = spi.nMax - spi.nPage - spi.nMin + 1 > 0 && scrollBar->IsScrollBarEnabled();
    parts.showThumb = parts.enabled && spi.pxThumbBottom <= spi.pxDownArrow;
    parts.pressed = track && (track->fHitOld || track->bTrackThumb) ? spi.ht : KvoScrollHitNone;
    parts.hot = track ? KvoScrollHitNone : spi.ht;

    auto along = [&spi](int start, int end) {
        return spi.fVert ? CRect(spi.pxLeft, start, spi.pxRight, end) : CRect(start, spi.pxLeft, end, spi.pxRight);
    };
    parts.firstArrow = along(spi.pxTop, spi.pxUpArrow);
    parts.secondArrow = along(spi.pxDownArrow, spi.pxBottom);
    parts.track = along(spi.pxUpArrow, spi.pxDownArrow);
    if (parts.showThumb) {
        parts.pageBefore = along(spi.pxUpArrow, std::max(spi.pxUpArrow, spi.pxThumbTop));
        parts.thumb = along(spi.pxThumbTop, spi.pxThumbBottom);
        parts.pageAfter = along(spi.pxThumbBottom, spi.pxDownArrow);
    } else {
        parts.pageBefore = parts.track;
        parts.thumb.SetRectEmpty();
        parts.pageAfter.SetRectEmpty();
    }
    return parts;
}

void CKvoScrollBarPaintManager::DrawScrollBar(CDC* dc, CKvoScrollBase* scrollBar)
{
    const KvoScrollBarPosInfo& spi = scrollBar->GetScrollBarPosInfo();
    if (spi.pxRight <= spi.pxLeft)
        return;
    const BarParts parts = GetBarParts(scrollBar);
    const int style = scrollBar->GetScrollBarStyle();
    if (style == KvoScrollBarStyleVisual && m_themeScrollBar.IsAppThemed()) {
        DrawThemed(dc, parts, spi.fVert);
        return;
    }
    if (style == KvoScrollBarStyleFlat) {
        DrawFlatArrow(dc, parts.firstArrow, KvoScrollHitFirstArrow, parts, spi.fVert);
        DrawFlatArrow(dc, parts.secondArrow, KvoScrollHitSecondArrow, parts, spi.fVert);
    } else {
        DrawClassicArrow(dc, parts.firstArrow, KvoScrollHitFirstArrow, parts, spi.fVert);
        DrawClassicArrow(dc, parts.secondArrow, KvoScrollHitSecondArrow, parts, spi.fVert);
    }
    DrawTrackAndThumb(dc, scrollBar, parts, style == KvoScrollBarStyleFlat);
}

void CKvoScrollBarPaintManager::DrawThemed(CDC* dc, const BarParts& parts, BOOL vertical)
{
    const HDC hdc = dc->GetSafeHdc();
    const int firstBase = vertical ? ABS_UPNORMAL - 1 : ABS_LEFTNORMAL - 1;
    const int secondBase = vertical ? ABS_DOWNNORMAL - 1 : ABS_RIGHTNORMAL - 1;
    m_themeScrollBar.DrawThemeBackground(
        hdc, SBP_ARROWBTN, firstBase + ScrollPartState(KvoScrollHitFirstArrow, parts.enabled, parts.pressed, parts.hot),
        &parts.firstArrow, NULL);
    m_themeScrollBar.DrawThemeBackground(
        hdc, SBP_ARROWBTN, secondBase + ScrollPartState(KvoScrollHitSecondArrow, parts.enabled, parts.pressed, parts.hot),
        &parts.secondArrow, NULL);
    if (parts.track.IsRectEmpty())
        return;
    const struct {
        const CRect& rect;
        int part;
        int hit;
    } pieces[] = {
        {parts.pageBefore, vertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ, KvoScrollHitPageBefore},
        {parts.pageAfter, vertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, KvoScrollHitPageAfter},
        {parts.thumb, vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, KvoScrollHitThumb},
    };
    for (const auto& piece : pieces)
        if (!piece.rect.IsRectEmpty())
            m_themeScrollBar.DrawThemeBackground(
                hdc, piece.part, ScrollPartState(piece.hit, parts.enabled, parts.pressed, parts.hot), &piece.rect, NULL);
    const int thumbLength = vertical ? parts.thumb.Height() : parts.thumb.Width();
    if (thumbLength > kThumbGripperMinimum)
        m_themeScrollBar.DrawThemeBackground(hdc, vertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ,
                                             ScrollPartState(KvoScrollHitThumb, parts.enabled, parts.pressed, parts.hot),
                                             &parts.thumb, NULL);
}

void CKvoScrollBarPaintManager::DrawFlatArrow(CDC* dc, const CRect& rect, int hit, const BarParts& parts,
                                              BOOL vertical) const
{
    const BOOL pressed = parts.pressed == hit;
    dc->FillSolidRect(&rect, SystemPaletteColor(COLOR_BTNFACE));
    dc->Draw3dRect(&rect, SystemPaletteColor(pressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT),
                   SystemPaletteColor(pressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));

    const int side = std::min(rect.Width(), rect.Height());
    if (side < kFlatGlyphMinimum)
        return;
    CFont marlett;
    marlett.CreateFont(side - 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, L"MARLETT");
    const wchar_t* glyph = vertical ? (hit == KvoScrollHitFirstArrow ? L"5" : L"6")
                                    : (hit == KvoScrollHitFirstArrow ? L"3" : L"4");
    const COLORREF color = parts.enabled ? RGB(0, 0, 0) : ::GetSysColor(COLOR_BTNSHADOW);
    CKvoFontDC font(dc, &marlett, color);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const CPoint square(rect.left + (rect.Width() - side) / 2, rect.top + (rect.Height() - side) / 2);
    dc->TextOut(square.x + 2, square.y + 2, glyph, 1);
    dc->SetBkMode(oldMode);
}

void CKvoScrollBarPaintManager::DrawClassicArrow(CDC* dc, const CRect& rect, int hit, const BarParts& parts,
                                                 BOOL vertical)
{
    UINT state = vertical ? (hit == KvoScrollHitFirstArrow ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                          : (hit == KvoScrollHitFirstArrow ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
    if (parts.pressed == hit)
        state |= DFCS_PUSHED;
    if (!parts.enabled)
        state |= DFCS_INACTIVE;
    CRect frame = rect;
    ::DrawFrameControl(dc->GetSafeHdc(), &frame, DFC_SCROLL, state);
}

void CKvoScrollBarPaintManager::DrawTrackAndThumb(CDC* dc, CKvoScrollBase* scrollBar, const BarParts& parts,
                                                  BOOL flat)
{
    CWnd* parent = scrollBar->GetScrollBarParent();
    const HWND parentWindow = parent ? parent->GetSafeHwnd() : NULL;
    HBRUSH trackBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(
        parentWindow, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc->GetSafeHdc()),
        reinterpret_cast<LPARAM>(parentWindow)));
    if (!trackBrush)
        trackBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    ::FillRect(dc->GetSafeHdc(), &parts.track, trackBrush);

    if (parts.pressed == KvoScrollHitPageBefore)
        dc->InvertRect(&parts.pageBefore);
    if (parts.showThumb && !parts.thumb.IsRectEmpty()) {
        dc->FillSolidRect(&parts.thumb, SystemPaletteColor(COLOR_BTNFACE));
        if (flat) {
            dc->Draw3dRect(&parts.thumb, SystemPaletteColor(COLOR_BTNHIGHLIGHT), SystemPaletteColor(COLOR_BTNSHADOW));
        } else {
            CRect edge = parts.thumb;
            ::DrawEdge(dc->GetSafeHdc(), &edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
        }
    }
    if (parts.pressed == KvoScrollHitPageAfter)
        dc->InvertRect(&parts.pageAfter);
}
