#pragma once
#include <afxwin.h>

// The base of the command bars' themes. One paint manager is shared by every
// command bar of the process; it is released at process exit. The themes
// themselves are still to come: nothing makes a shared paint manager yet.
class CKvoPaintManager : public CCmdTarget {
public:
    // Releases the reference held on the shared paint manager, when there is
    // one, and forgets it. Safe when none was ever made.
    static void DestroyInstance();

    // The shared paint manager, or null.
    static CKvoPaintManager* GetInstance();

private:
    static CKvoPaintManager* s_instance;
};
