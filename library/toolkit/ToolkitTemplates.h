#pragma once
// The toolkit's own strings in the language module that take arguments or
// serve as command prompts, in the kinds of the info-text templates ("1": the
// one insert %1 of AfxFormatString1). The language modules' tests hold every
// string against this list.
#include "cache/InfoTemplates.h"

// The reset question: the toolbar's title as %1.
inline constexpr InfoTemplate kKvoResetToolbarQuestion{IDS_KVO_RESET_TOOLBAR, "1"};
// The restore question: printf style with the toolbar's title.
inline constexpr InfoTemplate kKvoRestoreToolbarQuestion{IDS_KVO_RESTORE_TOOLBAR, "s"};

// Prompts of the toolkit's own commands: "description\ntooltip", plain.
inline constexpr InfoTemplate kKvoCommandPrompts[] = {
    {ID_KVO_CUSTOMIZE_POPUP, ""}, {ID_KVO_EXPAND_BUTTON, ""}, {ID_KVO_HIDE_BUTTON, ""}, {ID_KVO_MDI_CLOSE, ""},
    {ID_KVO_MDI_RESTORE, ""},     {ID_KVO_MDI_MINIMIZE, ""},  {ID_KVO_MDI_SYSMENU, ""},
};
