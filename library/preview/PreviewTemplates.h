#pragma once
// The preview window's strings in the language module, with the arguments
// the code passes them, in the kinds of the info-text templates; "1" marks a
// message with the one insert %1 (filled by AfxFormatString1). The language
// modules' tests hold every string against this list.
#include "cache/InfoTemplates.h"

inline constexpr InfoTemplate kAboutNewerVersionMessage{IDS_ABOUT_NEWER_VERSION, "1"};
inline constexpr InfoTemplate kAboutUpToDateMessage{IDS_ABOUT_UP_TO_DATE, "1"};
inline constexpr InfoTemplate kZoomFactorTemplate{IDS_PREVIEW_ZOOM_FACTOR, "f"};
// The word that introduces the title in the info text (strings 2003 and
// 2010); the title follows it after one separator character.
inline constexpr InfoTemplate kTitleLabel{IDS_PREVIEW_TITLE_LABEL, ""};
inline constexpr InfoTemplate kLayerRootText{IDS_PREVIEW_LAYER_ROOT, ""};
inline constexpr InfoTemplate kPreviewNewerVersionMessage{IDS_PREVIEW_NEWER_VERSION, "1"};
inline constexpr InfoTemplate kPreviewUpToDateMessage{IDS_PREVIEW_UP_TO_DATE, "1"};
inline constexpr InfoTemplate kMailBodyText{IDS_MAIL_BODY, ""};

// Tooltips: plain texts.
inline constexpr InfoTemplate kPreviewTooltips[] = {
    {IDS_TIP_UPDATE, ""},   {IDS_TIP_ZOOM, ""},      {IDS_TIP_SIZER, ""},    {IDS_TIP_PAN_UP, ""},
    {IDS_TIP_PAN_DOWN, ""}, {IDS_TIP_PAN_LEFT, ""},  {IDS_TIP_PAN_RIGHT, ""}, {IDS_TIP_FIT, ""},
    {IDS_TIP_COPY, ""},     {IDS_TIP_PRINT, ""},     {IDS_TIP_SETTINGS, ""}, {IDS_TIP_MAIL, ""},
};

inline constexpr const InfoTemplate* kPreviewTemplates[] = {
    &kAboutNewerVersionMessage,   &kAboutUpToDateMessage,   &kZoomFactorTemplate, &kTitleLabel, &kLayerRootText,
    &kPreviewNewerVersionMessage, &kPreviewUpToDateMessage, &kMailBodyText,
};
