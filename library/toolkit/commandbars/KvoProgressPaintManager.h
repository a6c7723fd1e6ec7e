#pragma once
#include "foundation/base/KvoWinThemeWrapper.h"

class CKvoPaintManager;

// Draws progress controls. Owned by a paint manager or by the theme that
// replaces it.
class CKvoProgressPaintManager {
public:
    // paintManager: the owner, never deleted here.
    explicit CKvoProgressPaintManager(CKvoPaintManager* paintManager);
    virtual ~CKvoProgressPaintManager();

    CKvoProgressPaintManager(const CKvoProgressPaintManager&) = delete;
    CKvoProgressPaintManager& operator=(const CKvoProgressPaintManager&) = delete;

    // Opens the "PROGRESS" visual style.
    virtual void RefreshMetrics();

    CKvoWinThemeWrapper m_themeProgress;
    CKvoPaintManager* m_pPaintManager;
    int m_cyProgress;  // default bar height
};
