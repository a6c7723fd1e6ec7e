#include "PreviewLayoutMap.h"
#include "LanguageIds.h"

namespace {
constexpr WinMapEntry PreviewMapButton(UINT id)
{
    return WinMapLeaf(WinMapKind::InitialSize, id);
}
}

// Indentation shows the nesting of the groups.
const WinMapEntry kPreviewLayoutMap[] = {
    WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::InitialSize, 4, 4),
        WinMapGroupBegin(WinMapGroup::Horizontal, WinMapKind::Fixed, 2, 2),
            WinMapLeaf(WinMapKind::InitialSize, IDC_PREVIEW_TITLE),
        WinMapGroupEnd(),
        WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::Remainder, 2, 4),
            WinMapGroupBegin(WinMapGroup::Horizontal, WinMapKind::Remainder),
                WinMapLeaf(WinMapKind::Remainder, IDC_PREVIEW_PICTURE),
                WinMapSpacer(-8),
                WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::Fixed),
                    PreviewMapButton(IDC_PREVIEW_PAN_UP),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_PAN_DOWN),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_PAN_LEFT),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_PAN_RIGHT),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_FIT),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_COPY),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_PRINT),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_SETTINGS),
                    WinMapSpacer(-4),
                    PreviewMapButton(IDC_PREVIEW_UPDATE),
                WinMapGroupEnd(),
            WinMapGroupEnd(),
        WinMapGroupEnd(),
        WinMapLeaf(WinMapKind::Fixed, IDC_PREVIEW_SIZER, 4),
        WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::InitialSize, 2, 4),
            WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::Remainder),
                WinMapLeaf(WinMapKind::InitialSize, IDC_PREVIEW_ZOOM),
                WinMapSpacer(-8),
                WinMapLeaf(WinMapKind::Remainder, IDC_PREVIEW_LAYERS),
                WinMapSpacer(-4),
                WinMapLeaf(WinMapKind::Percent, IDC_PREVIEW_INFO, 40),
            WinMapGroupEnd(),
        WinMapGroupEnd(),
    WinMapGroupEnd(),
    WinMapEnd(),
};

BOOL AnswerPreviewSizeQuery(UINT id, WinSizeInfo& info)
{
    switch (id) {
    case IDC_PREVIEW_PICTURE:
        info.minimum = {128, 236};
        return TRUE;
    case IDC_PREVIEW_LAYERS:
        info.minimum = {128, 64};
        return TRUE;
    default:
        return FALSE;
    }
}
