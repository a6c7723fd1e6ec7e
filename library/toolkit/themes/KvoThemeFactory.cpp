// The paint manager's theme factory lives with the themes it makes, so that
// the command bars need not include them.
#include "commandbars/KvoPaintManager.h"
#include "themes/KvoDefaultTheme.h"
#include "themes/KvoNativeXPTheme.h"
#include "themes/KvoOffice2003Theme.h"
#include "themes/KvoOffice2007Theme.h"
#include "themes/KvoOfficeTheme.h"
#include "themes/KvoRibbonTheme.h"
#include "themes/KvoVisualStudio2008Theme.h"
#include "themes/KvoWhidbeyTheme.h"

namespace {
CKvoPaintManager* NewTheme(int id)
{
    switch (id) {
    case 1:
        return new CKvoOfficeTheme();
    case 2:
        return new CKvoOffice2003Theme();
    case 3:
        return new CKvoNativeXPTheme();
    case 4:
        return new CKvoWhidbeyTheme();
    case 5:
        return new CKvoOffice2007Theme();
    case 6:
        return new CKvoRibbonTheme();
    case 7:
        return new CKvoVisualStudio2008Theme();
    default:
        return new CKvoDefaultTheme();
    }
}
} // namespace

CKvoPaintManager* CKvoPaintManager::CreateTheme(int id)
{
    CKvoPaintManager* theme = NewTheme(id);
    theme->m_themeId = id;
    return theme;
}
