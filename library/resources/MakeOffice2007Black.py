#!/usr/bin/env python3
"""Writes an Office 2007 black theme: the theme description
(OFFICE2007BLACK_INI), one PNG per picture and the resource script that
names them; for the library also a C++ header with the geometry and colours
for the tests.

Usage: MakeOffice2007Black.py [--diagnostic] [--verify] OUTPUT_FOLDER

Both themes share the geometry (names, cells, state counts, margins, alpha)
and the description. The library's theme draws its pictures as a dark theme
(Office2007BlackPictures.py). The diagnostic theme (--diagnostic), built only
for the tests, paints every state cell and each of its nine parts (corners,
edges, middle) in a flat colour of its own, so that a reader of the pixels
can tell which cell and which part was drawn where.

The output is the same byte for byte on every run; --verify writes nothing
and fails unless the folder holds exactly what this run would write.
"""
import hashlib
import os
import struct
import sys
import zlib

import Office2007BlackPictures

COLOUR_SECTIONS = [
    ('Window', [
        'BorderActive0', 'BorderActive1', 'BorderActive2', 'BorderActive3',
        'BorderInactive0', 'BorderInactive1', 'BorderInactive2', 'BorderInactive3',
        'CaptionTextActive', 'CaptionTextInActive', 'CaptionTextActiveTitle', 'WindowFrame',
        'EdgeHighLightColor', 'ButtonFace', 'HighlightSelected', 'HighlightSelectedBorder',
        'HighlightChecked', 'HighlightCheckedBorder', 'HighlightPressed', 'HighlightPressedBorder',
        'HighlightSelectedLight', 'HighlightSelectedDark', 'HighlightCheckedLight', 'HighlightCheckedDark',
        'HighlightPressedLight', 'HighlightPressedDark', 'TooltipLight', 'TooltipDark',
        'TooltipBorder',
    ]),
    ('Workspace', [
        'AppWorkspace', 'WorkspaceClientTop', 'WorkspaceClientMiddle', 'WorkspaceClientBottom',
    ]),
    ('StatusBar', [
        'StatusBarText', 'StatusBarFaceTopLight', 'StatusBarFaceTopDark', 'StatusBarFaceBottomLight',
        'StatusBarFaceBottomDark', 'StatusBarShadow',
    ]),
    ('MessageBar', [
        'MessageBar', 'MessageBarText', 'MessageBarFrame', 'MessageBarLight',
        'MessageBarDark',
    ]),
    ('Toolbar', [
        'ControlDisabledIcon', 'ControlDisabledIconLight', 'ControlDisabledIconDark', 'ControlGallerySelected',
        'ControlGalleryNormal', 'ControlGalleryBorder', 'ControlLabel', 'ControlEditBorder',
        'DockBarFace', 'ToolbarFace', 'ToolbarFaceLight', 'ToolbarFaceDark',
        'ToolbarFaceShadow', 'ToolbarSeparator', 'ControlToolbarExpandLight', 'ControlToolbarExpandDark',
        'ControlHighlightPopupedLight', 'ControlHighlightPopupedDark', 'MenuPopupBorder', 'ToolbarGripper',
        'FloatingBarGripper', 'FloatingBarGripperText', 'FloatingBarBorder', 'MenuBarText',
        'MenuPopupGripperLight', 'MenuPopupGripperDark', 'MenuPopupExpandedGripperLight', 'MenuPopupExpandedGripperDark',
        'MenuPopupTearOffGripper',
    ]),
    ('Ribbon', [
        'RibbonFace', 'RibbonText', 'TabSelectedText', 'TabNormalText',
        'GroupCaptionText', 'GroupClientText', 'ControlEditNormal', 'MenuPopupText',
        'ControlHighlightText', 'RecentFileListBackground', 'RecentFileListEdgeHighLight', 'RecentFileListEdgeShadow',
        'MinimizedFrameEdgeHighLight', 'MinimizedFrameEdgeShadow', 'MenuPopupGripper', 'MenuPopupExpandedGripperLight',
        'MenuPopupExpandedGripperDark',
    ]),
    ('DockingPane', [
        'Splitter', 'SplitterLight', 'SplitterDark', 'NormalCaptionLight',
        'NormalCaptionDark', 'NormalCaptionText', 'ActiveCaptionLight', 'ActiveCaptionDark',
        'ActiveCaptionText', 'WordSplitter', 'WordNormalCaption', 'WordActiveCaption',
        'WordPaneBackground', 'WordCaptionText', 'WordPaneBorder',
    ]),
    ('TabManager', [
        'FrameBorder', 'DarkShadow', 'LightShadow', 'HeaderFaceLight',
        'HeaderFaceDark', 'AutoHideFaceLight', 'AutoHideFaceDark', 'AccessHeader',
        'AccessBorder',
    ]),
    ('ShortcutBar', [
        'NormalText', 'SelectedText', 'FrameBorder', 'CaptionLight',
        'CaptionDark', 'CaptionText', 'GripperLight', 'GripperDark',
        'ItemNormalCaptionLight', 'ItemNormalCaptionDark', 'ItemHotCaptionLight', 'ItemHotCaptionDark',
        'ItemCaptionText', 'ItemCaptionTop', 'ItemCaptionShadow',
    ]),
    ('Controls', [
        'GroupBoxFrame',
    ]),
    ('PopupControl', [
        'FrameBorder', 'BackgroundLight', 'BackgroundDark', 'CaptionLight',
        'CaptionDark', 'NormalText', 'ButtonSelected', 'ButtonPressed',
        'ButtonBorder',
    ]),
    ('PropertyGrid', [
        'Background', 'Shadow', 'HelpBack', 'HelpFore',
        'GridLine', 'CategoryText', 'HighlightText', 'Highlight',
    ]),
    ('ListBox', [
        'NormalText',
    ]),
    ('ReportControl', [
        'NormalColumnLight', 'NormalColumnDark', 'PressedColumnLight', 'PressedColumnDark',
        'ColumnShadow', 'ColumnSeparator', 'GroupBoxBackground', 'GroupBoxTextColor',
        'GroupShadeBackground', 'GroupShadeBorder', 'SelectionBackground', 'GroupShadeIndent',
    ]),
    ('CalendarControl', [
        'BaseColor', 'TimeScaleBk', 'TimeScaleLine', 'SelectedBk',
        'HeaderBorder', 'DayBorder', 'DayViewCellNonWorkBk', 'DayViewCellWorkBorderBottomInHour',
        'DayViewCellWorkBorderBottomHour', 'DayViewCellNonWorkBorderBottomInHour', 'DayViewCellNonWorkBorderBottomHour', 'DayViewAllDayEventsBk',
        'DayViewAllDayEventsBorderBottom', 'MultiDayEventBorder', 'MultiDayEventBkGRfrom', 'MultiDayEventBkGRto',
        'MultiDayEventFromToDates', 'DayViewSingleDayEventBorder', 'DayViewSingleDayEventBkGRto', 'MonthViewWeekHeaderFreeSpaceBk',
        'MonthViewWeekDayHeaderBk', 'MonthViewWeekDayHeaderText', 'MonthViewDayBkDark', 'MonthViewDayBkSelected',
        'MonthViewEventTime', 'MonthViewSingleDayEventBorder', 'MonthViewSingleDayEventBkGRfrom', 'MonthViewSingleDayEventBkGRto',
        'WeekViewDayBkDark', 'WeekViewDayBkSelected', 'WeekViewEventTime', 'WeekViewSingleDayEventBorder',
        'WeekViewSingleDayEventBkGRfrom', 'WeekViewSingleDayEventBkGRto', 'CaptionBarSwitchViewBarBk', 'CaptionBarDateBarBk',
        'CaptionBarBorders',
    ]),
    ('DatePicker', [
        'Lines', 'MonthHeaderBk', 'MonthHeaderScrollBattons',
    ]),
]
IMAGE_NAMES = [
    'PushButton', 'WorkspaceTopLeft', 'FrameSystemButton',
    'FrameSystemButton52', 'ToolbarFaceHorizontal', 'ToolbarFaceVertical',
    'ToolbarExpandButtonHorizontal', 'ToolbarExpandButtonVertical', 'ToolbarButtons50',
    'ToolbarButtonsSplit50', 'ContextTabGreenGroupButton', 'ContextTabOrangeGroupButton',
    'ContextTabBlueGroupButton', 'ContextTabCyanGroupButtton', 'ContextTabPurpleGroupButton',
    'ContextTabRedGroupButton', 'ContextTabYellowGroupButton', 'ToolbarButtonsSplitDropDown50',
    'RibbonTab', 'ContextTabPurple', 'ContextTabOrange',
    'ContextTabGreen', 'RibbonGroupButton', 'ContextTabCyan',
    'ContextTabYellow', 'ContextTabBlue', 'ContextTabRed',
    'ToolbarButtonsSplit22', 'ToolbarButtons22', 'ToolbarButtonCheckBox',
    'ToolbarButtonSpinArrowsVertical', 'ToolbarButtonSpinArrowsHorizontal', 'ToolbarButtonSpinArrowGlyphs',
    'ToolbarButtonRadioButton', 'MenuSelectedItem54', 'ControlGalleryPopup',
    'ControlGalleryUp', 'ControlGalleryDown', 'RibbonGroups',
    'RibbonQuickAccessButton', 'ToolbarButtonsSplitDropDown22', 'ToolbarButtonsSpecialSplitLeft',
    'RibbonQuickAccessMore', 'MenuSelectedDisabledItem54', 'ToolbarButtonsSpecialSplitDropDownRight',
    'ToolbarButtonsSpecialSingle', 'ToolbarButtonsSpecialSplitCenter', 'FrameCaptionButton',
    'ToolbarButtonsSpecialSplitRight', 'ControlGalleryScrollThumbVertical', 'ContextTabGroupClient',
    'ToolbarButtonsSpecialLeft', 'ToolbarButtonsSpecialSplitDropDownCenter', 'ContextTabOrangeClient',
    'ToolbarButtonsSpecialSplitDropDownLeft', 'ToolbarButtonsSpecialRight', 'ContextTabCyanClient',
    'ContextTabGreenClient', 'ContextTabYellowClient', 'ContextTabPurpleClient',
    'ContextTabRedClient', 'ContextTabPurpleHeader', 'ContextTabBlueClient',
    'MenuSelectedItem22', 'ContextTabGreenHeader', 'ContextTabBlueHeader',
    'RibbonGroupClient', 'ToolbarButtonsSpecialCenter', 'ContextTabOrangeHeader',
    'RibbonOptionButton', 'ContextTabRedHeader', 'ContextTabCyanHeader',
    'ContextTabYellowHeader', 'MenuSelectedDisabledItem22', 'ToolbarButtonsComboDropDown',
    'FrameCaptionClose23', 'MenuCheckedItemMark', 'FrameCaptionRestore23',
    'ContextTabGroupCaption', 'ControlGalleryScrollArrowGlyphs', 'ControlGalleryScrollArrowsVerticalLight',
    'ControlGalleryScrollArrowsHorizontalDark', 'ControlGalleryScrollArrowsHorizontalLight', 'ControlGalleryScrollHorizontalDark',
    'ControlGalleryScrollHorizontalLight', 'ControlGalleryScrollThumbGripperHorizontal', 'ControlGalleryScrollThumbHorizontal',
    'FrameCaptionClose17', 'RibbonGroupCaption', 'FrameTopLeft',
    'RibbonGroupButtonIcon', 'FrameCaptionMaximize23', 'FrameCaptionClose13',
    'FrameCaptionRestore17', 'FrameCaptionRestore13', 'FrameCaptionMaximize17',
    'MenuCheckedItem', 'FrameTopRight', 'RibbonGroupQuickAccess',
    'RibbonQuickAccessFrame', 'RibbonQuickAccessArea', 'FrameCaptionMaximize13',
    'StatusBarDevider', 'FrameCaptionMinimize23', 'ToolbarButtonDropDownGlyph',
    'StatusBarSeparator', 'PopupBarFrame', 'MorePopupBarFrame',
    'FrameCaptionMinimize17', 'FrameCaptionMinimize13', 'StatusBarGripper',
    'StatusBarLight', 'StatusBarDark', 'FrameBottomRight',
    'FrameBottomLeft', 'RibbonTabSeparator', 'ContextTabSeparator',
    'ControlGalleryScrollThumbGripperVertical', 'ControlGalleryScrollVerticalLight', 'ControlGalleryScrollArrowsVerticalDark',
    'ControlGalleryScrollVerticalDark', 'FrameTopCenter', 'RibbonGroupsScrollLeft',
    'RibbonGroupsScrollLeftGlyph', 'RibbonGroupsScrollRight', 'RibbonGroupsScrollRightGlyph',
    'RibbonSystemMenu', 'RibbonSystemMenuButton', 'MenuSplitDropDown',
    'MenuSplitItem', 'MenuPopupGlyph', 'PopupBarResizeGripperFace',
    'PopupBarResizeGripperWidth', 'PopupBarResizeGripperHeight', 'ListBox',
    'StatusBarSwitches', 'SliderDown', 'SliderThumb',
    'SliderTick', 'SliderTrack', 'SliderUp',
    'ShortcutBarItems', 'ShortcutBarGlyphs', 'ShortcutBarGripper',
    'ProgressTrack', 'ProgressChunk', 'CalendarHeader',
    'CalendarHeaderDVGroup', 'CalendarHeaderMVDay', 'CalendarHeaderMVWeek',
    'CalendarHeaderWVDay', 'CalendarCaptionBarSwitchViewButton', 'CalendarCaptionBarPrevDateButton',
    'CalendarCaptionBarNextDateButton', 'CalendarPrevNextEventButton', 'CalendarPrevNextEventButtonArr',
    'AccessTab', 'RibbonQuickAccessAreaDwm', 'TooltipFrame',
    'RibbonGroupsDark', 'RibbonGroupClientDark', 'RibbonGroupCaptionDark',
    'RibbonSystemMenuDark', 'RibbonSystemMenuButtonDark', 'RibbonTabDark',
    'RibbonQuickAccessFrameDark', 'ControlGalleryScrollVerticalLightDark', 'ControlGalleryScrollVerticalDarkDark',
    'ControlGalleryScrollThumbVerticalDark', 'ControlGalleryScrollArrowsVerticalLightDark', 'ControlGalleryScrollArrowsVerticalDarkDark',
    'PopupBarFrameDark', 'PopupBarResizeGripperFaceDark', 'ToolbarButtonsComboDropDownDark',
    'MenuPopupGlyphDark',
]

# The spelling the drawing code asks for: the cyan context tab's group
# button is looked up as ContextTab%sGroupButton like the other colours.
IMAGE_NAMES[IMAGE_NAMES.index('ContextTabCyanGroupButtton')] = 'ContextTabCyanGroupButton'

CONTEXT_COLOURS = ['Blue', 'Yellow', 'Green', 'Red', 'Purple', 'Cyan', 'Orange']

# Colours the drawing code is tuned to; the other keys get shades of the
# same dark theme.
KNOWN_COLOURS = {
    ('Window', 'BorderActive0'): (47, 47, 47),
    ('Window', 'BorderActive1'): (77, 77, 77),
    ('Window', 'BorderActive2'): (102, 102, 102),
    ('Window', 'BorderActive3'): (64, 64, 64),
    ('Window', 'BorderInactive0'): (146, 146, 146),
    ('Window', 'BorderInactive1'): (159, 159, 159),
    ('Window', 'BorderInactive2'): (171, 171, 171),
    ('Window', 'BorderInactive3'): (153, 153, 153),
    ('Window', 'CaptionTextActive'): (255, 255, 255),
    ('Window', 'CaptionTextInActive'): (182, 182, 182),
    ('Window', 'CaptionTextActiveTitle'): (174, 209, 255),
    ('Window', 'WindowFrame'): (76, 83, 92),
    ('Window', 'ButtonFace'): (118, 128, 142),
    ('Window', 'HighlightSelected'): (255, 231, 162),
    ('Window', 'HighlightSelectedBorder'): (255, 189, 105),
    ('Window', 'HighlightChecked'): (255, 189, 105),
    ('Window', 'HighlightCheckedBorder'): (255, 171, 63),
    ('Window', 'HighlightPressed'): (255, 171, 63),
    ('Window', 'HighlightPressedBorder'): (251, 140, 60),
    ('Window', 'HighlightSelectedLight'): (255, 245, 204),
    ('Window', 'HighlightSelectedDark'): (255, 219, 117),
    ('Window', 'HighlightCheckedLight'): (255, 207, 146),
    ('Window', 'HighlightCheckedDark'): (255, 171, 63),
    ('Window', 'HighlightPressedLight'): (252, 151, 61),
    ('Window', 'HighlightPressedDark'): (255, 184, 94),
    ('Window', 'TooltipLight'): (255, 255, 255),
    ('Window', 'TooltipDark'): (201, 217, 239),
    ('Window', 'TooltipBorder'): (118, 118, 118),
    ('Workspace', 'AppWorkspace'): (70, 70, 70),
    ('Workspace', 'WorkspaceClientTop'): (71, 71, 71),
    ('Workspace', 'WorkspaceClientMiddle'): (56, 56, 56),
    ('Workspace', 'WorkspaceClientBottom'): (10, 10, 10),
    ('StatusBar', 'StatusBarText'): (255, 255, 255),
    ('StatusBar', 'StatusBarFaceTopLight'): (76, 83, 92),
    ('StatusBar', 'StatusBarFaceTopDark'): (57, 62, 70),
    ('StatusBar', 'StatusBarFaceBottomLight'): (35, 38, 42),
    ('StatusBar', 'StatusBarFaceBottomDark'): (53, 58, 65),
    ('StatusBar', 'StatusBarShadow'): (97, 106, 118),
    ('MessageBar', 'MessageBar'): (212, 216, 219),
    ('MessageBar', 'MessageBarText'): (50, 50, 50),
    ('MessageBar', 'MessageBarFrame'): (180, 180, 180),
    ('MessageBar', 'MessageBarLight'): (255, 255, 255),
    ('MessageBar', 'MessageBarDark'): (234, 234, 234),
    ('Toolbar', 'ControlDisabledIcon'): (145, 153, 164),
    ('Toolbar', 'ControlDisabledIconLight'): (232, 234, 236),
    ('Toolbar', 'ControlDisabledIconDark'): (119, 129, 143),
    ('Toolbar', 'ControlLabel'): (235, 235, 235),
    ('Toolbar', 'ControlEditBorder'): (137, 137, 137),
    ('Toolbar', 'DockBarFace'): (83, 83, 83),
    ('Toolbar', 'ToolbarFace'): (118, 128, 142),
    ('Toolbar', 'ToolbarFaceLight'): (205, 208, 213),
    ('Toolbar', 'ToolbarFaceDark'): (148, 156, 166),
    ('Toolbar', 'ToolbarFaceShadow'): (76, 83, 92),
    ('Toolbar', 'ToolbarSeparator'): (145, 153, 164),
    ('Toolbar', 'ControlToolbarExpandLight'): (178, 183, 191),
    ('Toolbar', 'ControlToolbarExpandDark'): (76, 83, 92),
    ('Toolbar', 'ControlHighlightPopupedLight'): (145, 153, 164),
    ('Toolbar', 'ControlHighlightPopupedDark'): (108, 117, 128),
    ('Toolbar', 'MenuPopupBorder'): (145, 153, 164),
    ('Toolbar', 'ToolbarGripper'): (55, 60, 67),
    ('Toolbar', 'FloatingBarGripper'): (76, 83, 92),
    ('Toolbar', 'FloatingBarGripperText'): (255, 255, 255),
    ('Toolbar', 'FloatingBarBorder'): (55, 60, 67),
    ('Toolbar', 'MenuBarText'): (255, 255, 255),
    ('Toolbar', 'MenuPopupGripperLight'): (239, 239, 239),
    ('Toolbar', 'MenuPopupGripperDark'): (239, 239, 239),
    ('Toolbar', 'MenuPopupExpandedGripperLight'): (210, 213, 218),
    ('Toolbar', 'MenuPopupExpandedGripperDark'): (197, 201, 207),
    ('Toolbar', 'MenuPopupTearOffGripper'): (118, 128, 142),
    ('Ribbon', 'RibbonFace'): (83, 83, 83),
    ('Ribbon', 'RibbonText'): (255, 255, 255),
    ('Ribbon', 'TabSelectedText'): (0, 0, 0),
    ('Ribbon', 'TabNormalText'): (255, 255, 255),
    ('Ribbon', 'GroupCaptionText'): (255, 255, 255),
    ('Ribbon', 'GroupClientText'): (70, 70, 70),
    ('Ribbon', 'ControlEditNormal'): (232, 232, 232),
    ('Ribbon', 'MenuPopupText'): (0, 0, 0),
    ('Ribbon', 'ControlHighlightText'): (70, 70, 70),
    ('Ribbon', 'RecentFileListBackground'): (233, 234, 238),
    ('Ribbon', 'RecentFileListEdgeHighLight'): (245, 245, 245),
    ('Ribbon', 'RecentFileListEdgeShadow'): (216, 216, 216),
    ('Ribbon', 'MinimizedFrameEdgeHighLight'): (98, 98, 98),
    ('Ribbon', 'MinimizedFrameEdgeShadow'): (79, 79, 79),
    ('Ribbon', 'MenuPopupGripper'): (239, 239, 239),
    ('Ribbon', 'MenuPopupExpandedGripperLight'): (210, 213, 218),
    ('Ribbon', 'MenuPopupExpandedGripperDark'): (197, 201, 207),
    ('TabManager', 'FrameBorder'): (76, 83, 92),
    ('TabManager', 'DarkShadow'): (76, 83, 92),
    ('TabManager', 'LightShadow'): (145, 153, 164),
    ('TabManager', 'AccessBorder'): (145, 153, 164),
    ('Controls', 'GroupBoxFrame'): (70, 70, 70),
}

# Keys whose line carries a comment after the value, as hand-kept theme
# files do; the reader must cut it off.
COMMENTED_KEYS = {
    ('CalendarControl', 'BaseColor'): 'the colour the calendar shades are made from',
    ('CalendarControl', 'TimeScaleBk'): 'behind the hours',
    ('CalendarControl', 'SelectedBk'): 'selected cells',
}

def shade_of(key):
    """A colour of the dark theme's palette for a key the drawing code is
    not tuned to, by what its name says it colours."""
    words = lambda *parts: any(part in key for part in parts)
    if words('Text', 'Fore'):
        return (0, 0, 0) if words('Highlight', 'Selected', 'Active') else (235, 235, 235)
    if words('Highlight', 'Selected', 'Selection'):
        return (255, 219, 117)
    if words('Border', 'Frame', 'Line', 'Separator', 'Shadow', 'Splitter'):
        return (40, 40, 40)
    if words('Light', 'Top', 'from'):
        return (110, 110, 110)
    if words('Dark', 'Bottom', 'to'):
        return (64, 64, 64)
    if words('Bk', 'Back', 'Face', 'Caption'):
        return (56, 56, 56)
    return (83, 83, 83)

# Geometry of every picture: cell width and height, number of state cells
# stacked vertically, sizing margins (left, top, right, bottom) of the
# nine-part stretch, and whether it carries an alpha channel. Cell counts
# and margins are those the drawing code asks for; sizes fit them.
def geometry(width, height, cells=1, margins=(0, 0, 0, 0), alpha=False):
    return {'width': width, 'height': height, 'cells': cells, 'margins': margins, 'alpha': alpha}

def square(n):
    return (n, n, n, n)

GEOMETRY = {
    'PushButton': geometry(50, 22, 5, square(3)),
    'TooltipFrame': geometry(16, 16, 1, square(3)),
    'WorkspaceTopLeft': geometry(300, 20, 1, (299, 0, 0, 0)),
    'FrameSystemButton': geometry(40, 40, 3),
    'FrameSystemButton52': geometry(52, 52, 3),
    'ToolbarFaceHorizontal': geometry(32, 26, 1, square(5)),
    'ToolbarFaceVertical': geometry(26, 32, 1, square(5)),
    'ToolbarExpandButtonHorizontal': geometry(12, 26, 3, square(3)),
    'ToolbarExpandButtonVertical': geometry(26, 12, 3, square(3)),
    'ToolbarButtons50': geometry(40, 50, 4, square(8)),
    'ToolbarButtons22': geometry(24, 22, 4, square(8)),
    'ToolbarButtonsSplit50': geometry(40, 36, 6, square(2)),
    'ToolbarButtonsSplitDropDown50': geometry(40, 14, 5, square(2)),
    'ToolbarButtonsSplit22': geometry(24, 22, 6, square(2)),
    'ToolbarButtonsSplitDropDown22': geometry(12, 22, 5, square(2)),
    'ToolbarButtonsSpecialSingle': geometry(22, 22, 5, square(2)),
    'ToolbarButtonsSpecialLeft': geometry(22, 22, 5, square(2)),
    'ToolbarButtonsSpecialCenter': geometry(22, 22, 5, square(2)),
    'ToolbarButtonsSpecialRight': geometry(22, 22, 5, square(2)),
    'ToolbarButtonsSpecialSplitLeft': geometry(24, 22, 7, square(2)),
    'ToolbarButtonsSpecialSplitCenter': geometry(24, 22, 7, square(2)),
    'ToolbarButtonsSpecialSplitRight': geometry(24, 22, 7, square(2)),
    'ToolbarButtonsSpecialSplitDropDownLeft': geometry(12, 22, 6, square(2)),
    'ToolbarButtonsSpecialSplitDropDownCenter': geometry(12, 22, 6, square(2)),
    'ToolbarButtonsSpecialSplitDropDownRight': geometry(12, 22, 6, square(2)),
    'ToolbarButtonsComboDropDown': geometry(14, 20, 5, square(2)),
    'ToolbarButtonsComboDropDownDark': geometry(14, 20, 5, square(2)),
    'ToolbarButtonCheckBox': geometry(13, 13, 12),
    'ToolbarButtonRadioButton': geometry(13, 13, 8),
    'ToolbarButtonSpinArrowsVertical': geometry(17, 12, 10),
    'ToolbarButtonSpinArrowsHorizontal': geometry(12, 17, 10),
    'ToolbarButtonSpinArrowGlyphs': geometry(7, 5, 16),
    'ToolbarButtonDropDownGlyph': geometry(5, 4, 4),
    'RibbonTab': geometry(57, 24, 6, square(5), alpha=True),
    'RibbonTabDark': geometry(57, 24, 6, square(5), alpha=True),
    'AccessTab': geometry(81, 24, 4, (5, 10, 22, 10)),
    'RibbonTabSeparator': geometry(1, 22, 1),
    'ContextTabSeparator': geometry(1, 22, 1),
    'RibbonGroups': geometry(80, 92, 1, square(8)),
    'RibbonGroupsDark': geometry(80, 92, 1, square(8)),
    'RibbonGroupClient': geometry(40, 70, 2, square(5)),
    'RibbonGroupClientDark': geometry(40, 70, 2, square(5)),
    'RibbonGroupCaption': geometry(40, 16, 2, square(5)),
    'RibbonGroupCaptionDark': geometry(40, 16, 2, square(5)),
    'ContextTabGroupClient': geometry(40, 70, 2, square(5)),
    'ContextTabGroupCaption': geometry(40, 16, 2, square(5)),
    'RibbonGroupButton': geometry(42, 66, 3, square(5)),
    'RibbonGroupButtonIcon': geometry(32, 32, 1),
    'RibbonOptionButton': geometry(15, 14, 4, (3, 2, 2, 2)),
    'RibbonGroupQuickAccess': geometry(22, 22, 3, square(2)),
    'RibbonGroupsScrollLeft': geometry(12, 60, 3, (4, 6, 3, 6)),
    'RibbonGroupsScrollRight': geometry(12, 60, 3, (4, 6, 3, 6)),
    'RibbonGroupsScrollLeftGlyph': geometry(4, 7, 3),
    'RibbonGroupsScrollRightGlyph': geometry(4, 7, 3),
    'RibbonQuickAccessButton': geometry(13, 22, 4, square(2)),
    'RibbonQuickAccessMore': geometry(13, 22, 4, square(2)),
    'RibbonQuickAccessFrame': geometry(20, 26, 1, square(3)),
    'RibbonQuickAccessFrameDark': geometry(20, 26, 1, square(3)),
    'RibbonQuickAccessArea': geometry(40, 26, 1, (16, 3, 16, 3)),
    'RibbonQuickAccessAreaDwm': geometry(40, 26, 1, (16, 3, 16, 3)),
    'RibbonSystemMenu': geometry(80, 80, 1, (6, 18, 6, 29)),
    'RibbonSystemMenuDark': geometry(80, 80, 1, (6, 18, 6, 29)),
    'RibbonSystemMenuButton': geometry(60, 22, 2, square(2)),
    'RibbonSystemMenuButtonDark': geometry(60, 22, 2, square(2)),
    'MenuSelectedItem54': geometry(40, 54, 1, square(4)),
    'MenuSelectedDisabledItem54': geometry(40, 54, 1, square(4)),
    'MenuSelectedItem22': geometry(40, 22, 1, square(4)),
    'MenuSelectedDisabledItem22': geometry(40, 22, 1, square(4)),
    'MenuCheckedItem': geometry(20, 20, 2, square(4)),
    'MenuCheckedItemMark': geometry(16, 16, 4),
    'MenuSplitItem': geometry(30, 22, 3, square(2)),
    'MenuSplitDropDown': geometry(26, 22, 3, square(2)),
    'MenuPopupGlyph': geometry(5, 8, 2),
    'MenuPopupGlyphDark': geometry(5, 8, 2),
    'PopupBarFrame': geometry(24, 24, 1, square(4)),
    'PopupBarFrameDark': geometry(24, 24, 1, square(4)),
    'MorePopupBarFrame': geometry(24, 24, 1, square(4)),
    'PopupBarResizeGripperFace': geometry(16, 10, 1, square(1)),
    'PopupBarResizeGripperFaceDark': geometry(16, 10, 1, square(1)),
    'PopupBarResizeGripperWidth': geometry(8, 8, 1),
    'PopupBarResizeGripperHeight': geometry(10, 4, 1),
    'ControlGalleryUp': geometry(15, 20, 5, square(3)),
    'ControlGalleryDown': geometry(15, 20, 5, square(3)),
    'ControlGalleryPopup': geometry(15, 20, 5, square(3)),
    'ControlGalleryScrollArrowGlyphs': geometry(9, 9, 16),
    'ControlGalleryScrollVerticalLight': geometry(15, 30, 2, (1, 0, 1, 0)),
    'ControlGalleryScrollVerticalDark': geometry(15, 30, 2, (1, 0, 1, 0)),
    'ControlGalleryScrollVerticalLightDark': geometry(15, 30, 2, (1, 0, 1, 0)),
    'ControlGalleryScrollVerticalDarkDark': geometry(15, 30, 2, (1, 0, 1, 0)),
    'ControlGalleryScrollHorizontalLight': geometry(30, 15, 2, (0, 1, 0, 1)),
    'ControlGalleryScrollHorizontalDark': geometry(30, 15, 2, (0, 1, 0, 1)),
    'ControlGalleryScrollArrowsVerticalLight': geometry(15, 17, 4, square(3)),
    'ControlGalleryScrollArrowsVerticalDark': geometry(15, 17, 4, square(3)),
    'ControlGalleryScrollArrowsVerticalLightDark': geometry(15, 17, 4, square(3)),
    'ControlGalleryScrollArrowsVerticalDarkDark': geometry(15, 17, 4, square(3)),
    'ControlGalleryScrollArrowsHorizontalLight': geometry(17, 15, 4, square(3)),
    'ControlGalleryScrollArrowsHorizontalDark': geometry(17, 15, 4, square(3)),
    'ControlGalleryScrollThumbVertical': geometry(15, 20, 3, square(5)),
    'ControlGalleryScrollThumbVerticalDark': geometry(15, 20, 3, square(5)),
    'ControlGalleryScrollThumbHorizontal': geometry(20, 15, 3, square(5)),
    'ControlGalleryScrollThumbGripperVertical': geometry(7, 7, 3),
    'ControlGalleryScrollThumbGripperHorizontal': geometry(7, 7, 3),
    'FrameTopLeft': geometry(12, 30, 2, (0, 5, 0, 3), alpha=True),
    'FrameTopRight': geometry(12, 30, 2, (0, 5, 0, 3), alpha=True),
    'FrameTopCenter': geometry(8, 30, 2, (0, 5, 0, 3), alpha=True),
    'FrameBottomLeft': geometry(8, 8, 2),
    'FrameBottomRight': geometry(8, 8, 2),
    'FrameCaptionButton': geometry(20, 20, 2, square(3)),
    'StatusBarLight': geometry(16, 22, 1, alpha=True),
    'StatusBarDark': geometry(16, 22, 1, alpha=True),
    'StatusBarDevider': geometry(4, 22, 1),
    'StatusBarSeparator': geometry(2, 22, 1, (0, 2, 0, 2)),
    'StatusBarGripper': geometry(12, 12, 1),
    'StatusBarSwitches': geometry(80, 18, 6),
    'SliderTrack': geometry(60, 4, 1),
    'SliderTick': geometry(1, 4, 1),
    'SliderUp': geometry(11, 11, 3),
    'SliderDown': geometry(11, 11, 3),
    'SliderThumb': geometry(11, 15, 3),
    'ProgressTrack': geometry(20, 14, 1, square(2)),
    'ProgressChunk': geometry(20, 14, 1, square(2)),
    'ListBox': geometry(20, 20, 4, square(2)),
}
for size in (13, 17, 23):
    for glyph in ('Close', 'Minimize', 'Maximize', 'Restore'):
        GEOMETRY['FrameCaption%s%d' % (glyph, size)] = geometry(size, size, 5)
for colour in CONTEXT_COLOURS:
    GEOMETRY['ContextTab%s' % colour] = geometry(57, 24, 5, square(5))
    GEOMETRY['ContextTab%sClient' % colour] = geometry(80, 92, 1, square(8))
    GEOMETRY['ContextTab%sGroupButton' % colour] = geometry(42, 66, 3, square(5))
    GEOMETRY['ContextTab%sHeader' % colour] = geometry(40, 20, 1, square(1))

# Pictures no drawing code of the library asks for yet: one plain cell.
DEFAULT_GEOMETRY = geometry(16, 16)

def geometry_of(name):
    return GEOMETRY.get(name, DEFAULT_GEOMETRY)

# --- the diagnostic pictures: a flat colour per cell and part --------------

def part_colour(cell, part):
    """part 0 middle, 1 edges, 2 corners; distinct for every cell and part
    of one picture, never the transparent magenta."""
    k = cell * 3 + part
    return (30 + (k * 71) % 211, 30 + (k * 113 + 60) % 211, 30 + (k * 37 + 120) % 211)

def diagnostic_rows(g):
    left, top, right, bottom = g['margins']
    rows = []
    for cell in range(g['cells']):
        for y in range(g['height']):
            in_y_margin = y < top or y >= g['height'] - bottom
            row = []
            for x in range(g['width']):
                in_x_margin = x < left or x >= g['width'] - right
                part = 2 if in_x_margin and in_y_margin else 1 if in_x_margin or in_y_margin else 0
                row.append(part_colour(cell, part) + (255,))
            rows.append(row)
    return rows

# --- PNG ------------------------------------------------------------------

def png_chunk(kind, data):
    chunk = kind + data
    return struct.pack('>I', len(data)) + chunk + struct.pack('>I', zlib.crc32(chunk) & 0xFFFFFFFF)

def picture_png(g, pixel_rows):
    """RGBA rows as a PNG, RGBA when the picture has alpha, else RGB."""
    channels = 4 if g['alpha'] else 3
    data = bytearray()
    for row in pixel_rows:
        data.append(0)  # filter: none
        for pixel in row:
            data.extend(pixel[:channels])
    header = struct.pack('>IIBBBBB', g['width'], len(pixel_rows), 8, 6 if g['alpha'] else 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', header) +
            png_chunk(b'IDAT', zlib.compress(bytes(data), 9)) + png_chunk(b'IEND', b''))

# --- the theme description --------------------------------------------------

def colour_of(section, key):
    return KNOWN_COLOURS.get((section, key)) or shade_of(key)

def ini_text():
    lines = ['; Office 2007 black theme of the library: colours by section and key',
             '; as red green blue, and the resource of every picture.']
    for section, keys in COLOUR_SECTIONS:
        lines += ['', '[%s]' % section]
        for key in keys:
            line = '%s = %d %d %d' % ((key,) + colour_of(section, key))
            if (section, key) in COMMENTED_KEYS:
                line += '    ; ' + COMMENTED_KEYS[(section, key)]
            lines.append(line)
    lines += ['', '[Images]']
    lines += ['%s = Office2007Black\\%s.bmp' % (name, name) for name in IMAGE_NAMES]
    # Every line, the last one too, ends with CR LF: a line without its
    # CR is not read.
    return ('\r\n'.join(lines) + '\r\n').encode('ascii')

def resource_name(name):
    return 'OFFICE2007BLACK_%s_BMP' % name.upper()

def resource_script(fingerprint, which):
    # The fingerprint of the pictures and the text changes this file whenever
    # they change, so the build compiles the resources again: it sees this
    # file, not the pictures it names.
    lines = ['// Written by MakeOffice2007Black.py: the Office 2007 black theme, %s.' % which,
             '// Contents: %s' % fingerprint,
             'OFFICE2007BLACK_INI TEXTFILE "Office2007Black.ini"']
    lines += ['%s PNG "%s.png"' % (resource_name(name), name) for name in IMAGE_NAMES]
    return '\n'.join(lines) + '\n'

def geometry_header():
    lines = ['// Written by MakeOffice2007Black.py: what the theme resources hold.',
             '#pragma once', '',
             '// How the library\'s theme draws a picture: Face, the states of a',
             '// button, each cell a gradient of its own; Gradient, shaded parts;',
             '// Glyph, ink on the transparent magenta ground; Plain, the rest.',
             'enum class Office2007BlackLook { Face, Gradient, Glyph, Plain };', '',
             'struct Office2007BlackPicture {',
             '    const wchar_t* name;',
             '    int cellWidth, cellHeight, cells;',
             '    int left, top, right, bottom; // sizing margins',
             '    bool alpha;',
             '    Office2007BlackLook look;',
             '};', '',
             'struct Office2007BlackColour {',
             '    const wchar_t* section;',
             '    const wchar_t* key;',
             '    int red, green, blue;',
             '};', '',
             'inline const Office2007BlackPicture kOffice2007BlackPictures[] = {']
    for name in IMAGE_NAMES:
        g = geometry_of(name)
        lines.append('    {L"%s", %d, %d, %d, %d, %d, %d, %d, %s, Office2007BlackLook::%s},' % (
            (name, g['width'], g['height'], g['cells']) + tuple(g['margins']) +
            ('true' if g['alpha'] else 'false', Office2007BlackPictures.look_of(name))))
    lines += ['};', '', 'inline const Office2007BlackColour kOffice2007BlackColours[] = {']
    for section, keys in COLOUR_SECTIONS:
        for key in keys:
            lines.append('    {L"%s", L"%s", %d, %d, %d},' % ((section, key) + colour_of(section, key)))
    lines += ['};', '',
              '// The colour of a part of a picture of the diagnostic theme module:',
              '// 0 middle, 1 edges, 2 corners.',
              'inline unsigned long Office2007BlackPartColour(int cell, int part)',
              '{',
              '    const int k = cell * 3 + part;',
              '    const int red = 30 + (k * 71) % 211, green = 30 + (k * 113 + 60) % 211,',
              '              blue = 30 + (k * 37 + 120) % 211;',
              '    return static_cast<unsigned long>(red | (green << 8) | (blue << 16));',
              '}']
    return '\n'.join(lines) + '\n'

def check_geometry():
    for name in IMAGE_NAMES:
        g = geometry_of(name)
        left, top, right, bottom = g['margins']
        assert left + right <= g['width'] and top + bottom <= g['height'], name
        assert g['width'] <= 512 and g['height'] * g['cells'] <= 512, name
        colours = {part_colour(cell, part) for cell in range(g['cells']) for part in range(3)}
        assert len(colours) == g['cells'] * 3 and (255, 0, 255) not in colours, name
    assert not set(GEOMETRY) - set(IMAGE_NAMES), set(GEOMETRY) - set(IMAGE_NAMES)
    assert set(Office2007BlackPictures.PAINTERS) == set(IMAGE_NAMES), \
        set(Office2007BlackPictures.PAINTERS) ^ set(IMAGE_NAMES)

def theme_files(diagnostic):
    """Every file of the theme, in the order they are written: the resource
    script last, as the build takes it as the sign that all is there."""
    files = []
    contents = hashlib.sha1()
    for name in IMAGE_NAMES:
        g = geometry_of(name)
        rows = diagnostic_rows(g) if diagnostic else Office2007BlackPictures.picture_rows(name, g)
        png = picture_png(g, rows)
        contents.update(png)
        files.append((name + '.png', png))
    text = ini_text()
    contents.update(text)
    files.append(('Office2007Black.ini', text))
    if not diagnostic:
        files.append(('Office2007BlackGeometry.h', geometry_header().encode('utf-8')))
    which = 'diagnostic pictures' if diagnostic else 'the library\'s pictures'
    files.append(('Office2007Black.rc2', resource_script(contents.hexdigest(), which).encode('ascii')))
    return files

def write_if_changed(path, data):
    """Leaves an unchanged file alone, so the build does not redo what
    depends on it."""
    if os.path.exists(path):
        with open(path, 'rb') as existing:
            if existing.read() == data:
                return
    with open(path, 'wb') as out:
        out.write(data)

def differences(out_folder, files):
    found = []
    for file_name, data in files:
        path = os.path.join(out_folder, file_name)
        if not os.path.exists(path):
            found.append(file_name + ' is missing')
            continue
        with open(path, 'rb') as existing:
            if existing.read() != data:
                found.append(file_name + ' differs')
    return found

def main(arguments):
    options = {argument for argument in arguments if argument.startswith('--')}
    folders = [argument for argument in arguments if not argument.startswith('--')]
    if len(folders) != 1 or options - {'--diagnostic', '--verify'}:
        sys.exit('usage: MakeOffice2007Black.py [--diagnostic] [--verify] OUTPUT_FOLDER')
    check_geometry()
    files = theme_files('--diagnostic' in options)
    if '--verify' in options:
        found = differences(folders[0], files)
        if found:
            sys.exit('MakeOffice2007Black.py: a second run wrote other bytes: ' + ', '.join(found))
        return
    os.makedirs(folders[0], exist_ok=True)
    for file_name, data in files:
        write_if_changed(os.path.join(folders[0], file_name), data)

if __name__ == '__main__':
    main(sys.argv[1:])
