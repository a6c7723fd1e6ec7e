// The command-bar classes that can be created by name, entered into the
// class library's registry in one fixed order when the library loads,
// whatever order the linker gives the files. Classes that arrive later take
// their place in this table.
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlButton.h"
#include "commandbars/KvoPopupBar.h"
#include "foundation/base/KvoToolkitStatics.h"

namespace {
const CRuntimeClass* const kCommandBarClasses[] = {
    RUNTIME_CLASS(CKvoCommandBar),
    RUNTIME_CLASS(CKvoPopupBar),
    RUNTIME_CLASS(CKvoControl),
    RUNTIME_CLASS(CKvoControlButton),
};

struct KvoCommandBarRegistrations {
    KvoCommandBarRegistrations()
    {
        for (const CRuntimeClass* record : kCommandBarClasses)
            AfxClassInit(const_cast<CRuntimeClass*>(record));
    }
};

KvoCommandBarRegistrations kvoCommandBarRegistrations
    __attribute__((init_priority(KVO_STARTUP_COMMANDBAR_CLASSES)));
}  // namespace
