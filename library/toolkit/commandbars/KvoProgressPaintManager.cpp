#include "commandbars/KvoProgressPaintManager.h"
#include "commandbars/KvoPaintManager.h"

CKvoProgressPaintManager::CKvoProgressPaintManager(CKvoPaintManager* paintManager)
    : m_themeProgress(paintManager->GetUxThemeFunctions(), paintManager->FollowsUxThemeModule()), m_pPaintManager(paintManager), m_cyProgress(16)
{
}

CKvoProgressPaintManager::~CKvoProgressPaintManager()
{
    m_themeProgress.CloseThemeData();
}

void CKvoProgressPaintManager::RefreshMetrics()
{
    m_themeProgress.OpenThemeData(NULL, L"PROGRESS");
}
