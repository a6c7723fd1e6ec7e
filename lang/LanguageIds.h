#pragma once
// Resource ids the library asks of its language modules.

// The info text of a drawing: printf templates whose arguments the library
// fixes (in order, as listed); the wording is the module's own.
// 2000: plain text, shown when no drawing could be read.
// 2003: kind, size, title, memo, time, paper, scale numerator (strings),
//       scale denominator (int).
// 2004: the editing time, with the time-span codes %D %H %M %S only.
// 2005: the entity count (string).
// 2006: the format version (double).
// 2010: kind, size, title, time, scale numerator (strings), scale
//       denominator (int).
#define IDS_ZUMEN_UNREADABLE 2000
#define IDS_INFO_DRAWING 2003
#define IDS_INFO_EDIT_TIME 2004
#define IDS_INFO_ENTITY_COUNT 2005
#define IDS_INFO_VERSION 2006
#define IDS_INFO_PART 2010

// The preview window. Templates: dialog 100 the about box, 101 the preview
// (a child dialog), 400 the settings dialog.
#define IDD_PREVIEW_ABOUT 100
#define IDD_PREVIEW 101
#define IDD_PREVIEW_SETTINGS 400

// Controls of the preview (dialog 101). None of them may have the id -1: the
// layout map gives that id to its spacers.
#define IDC_PREVIEW_ZOOM 1000
#define IDC_PREVIEW_TITLE 1001
#define IDC_PREVIEW_PICTURE 1002
#define IDC_PREVIEW_LAYERS 1003
#define IDC_PREVIEW_INFO 1004
#define IDC_PREVIEW_PAN_UP 1010
#define IDC_PREVIEW_PAN_DOWN 1011
#define IDC_PREVIEW_PAN_LEFT 1012
#define IDC_PREVIEW_PAN_RIGHT 1013
#define IDC_PREVIEW_UPDATE 1014
#define IDC_PREVIEW_FIT 1016
#define IDC_PREVIEW_COPY 1017
#define IDC_PREVIEW_PRINT 1018
#define IDC_PREVIEW_SETTINGS 1019
// Made by the preview itself, not by the template.
#define IDC_PREVIEW_SIZER 1500

// Controls of the about box (dialog 100).
#define IDC_ABOUT_UPDATE 1015
#define IDC_ABOUT_MAIL 1100
#define IDC_ABOUT_CAPTION 1101

// Controls of the settings dialog (dialog 400): the check boxes of the
// settings word and the background colour picker.
#define IDC_SETTING_DIRECT2D 1021
#define IDC_SETTING_GDIPLUS_IMAGES 1022
#define IDC_SETTING_REVERSE_PAN 1023
#define IDC_SETTING_USER_BACKGROUND 1024
#define IDC_SETTING_PEN_WIDTHS 1025
#define IDC_SETTING_PART_REFERENCE 1026
#define IDC_SETTING_TEXT_VARIABLES 1027
#define IDC_SETTING_BACK_COLOR 1040

// The 16 x 16 icon strip (resource type "PNG"), 32-bit with alpha: cells 0-3
// the layer states, 5 the update button, 6-13 the buttons 1010-1013 and
// 1016-1019.
#define IDR_PREVIEW_ICONS 200
// The sizer bar's cursors: dragged sideways (a vertical bar) and up and down
// (a horizontal bar).
#define IDC_SPLIT_VERTICAL_BAR 30980
#define IDC_SPLIT_HORIZONTAL_BAR 30981

// Strings of the preview window; the arguments each takes are listed with
// the templates in preview/PreviewTemplates.h.
#define IDS_ABOUT_NEWER_VERSION 2001
#define IDS_ABOUT_UP_TO_DATE 2002
#define IDS_PREVIEW_ZOOM_FACTOR 2007
#define IDS_PREVIEW_TITLE_LABEL 2008
#define IDS_PREVIEW_LAYER_ROOT 2009
#define IDS_PREVIEW_NEWER_VERSION 2011
#define IDS_PREVIEW_UP_TO_DATE 2012
#define IDS_TIP_UPDATE 2100
#define IDS_TIP_ZOOM 2101
#define IDS_TIP_SIZER 2102
#define IDS_TIP_PAN_UP 2103
#define IDS_TIP_PAN_DOWN 2104
#define IDS_TIP_PAN_LEFT 2105
#define IDS_TIP_PAN_RIGHT 2106
#define IDS_TIP_FIT 2107
#define IDS_TIP_COPY 2108
#define IDS_TIP_PRINT 2109
#define IDS_TIP_SETTINGS 2110
#define IDS_TIP_MAIL 2111
#define IDS_MAIL_BODY 2112

// The toolkit's own resources, loaded by id through its resource manager.
// Toolbar reset and restore questions (the bar's title as insert).
#define IDS_KVO_RESET_TOOLBAR 9173
#define IDS_KVO_RESTORE_TOOLBAR 9177
// Prompts ("description\ntooltip") of the toolkit's own commands.
#define ID_KVO_CUSTOMIZE_POPUP 9122
#define ID_KVO_EXPAND_BUTTON 9148
#define ID_KVO_HIDE_BUTTON 9149
#define ID_KVO_MDI_CLOSE 9151
#define ID_KVO_MDI_RESTORE 9152
#define ID_KVO_MDI_MINIMIZE 9153
#define ID_KVO_MDI_SYSMENU 9154
// The icons of the MDI system buttons, 16 x 16 each: restore, minimise,
// maximise, close (a 32-bit bitmap with alpha).
#define IDB_KVO_MDI_BUTTONS 9102
// The cursor of resizing a control while customising.
#define IDC_KVO_CUSTOMIZE_RESIZE 9972

// The colour selector, the colour picker's popup and the colour dialog.
// Dialog templates of the colour dialog's pages: the custom page (controls
// 101 the hue and saturation field, 102 the luminance bar, 104-109 labels,
// edits 110, 111, 118 red, green, blue and 115, 114, 113 hue, saturation,
// luminance, spins 119, 120, 121 and 112, 116, 117) and the standard page
// (control 103 the hexagon of colours). The page titles are the templates'
// captions.
#define IDD_KV_COLOR_CUSTOM 9313
#define IDD_KV_COLOR_STANDARD 9314
#define IDS_KV_COLOR_DIALOG 9351
#define IDS_KV_COLOR_NEW 9352
#define IDS_KV_COLOR_CURRENT 9353
// The caption above the 16-colour table.
#define IDS_KV_COLOR_STANDARD_CAPTION 9424
// Colour names: 9900-9939 the 40-colour table in order, 9940-9946 the
// further colours of the 16-colour table.
#define IDS_KV_COLOR_FIRST_NAME 9900
// The default cells and the more-colours cell ("caption\ntooltip" or one
// text for both).
#define IDS_KV_COLOR_NONE 9947
#define IDS_KV_COLOR_AUTOMATIC 9948
#define IDS_KV_COLOR_MORE 9949
