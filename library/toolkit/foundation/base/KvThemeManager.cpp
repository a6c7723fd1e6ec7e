#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoColorManager.h"

namespace {
PROCESS_LOCAL(CKvThemeManager, g_kvThemeManager)
}

// --- CKvThemeManagerStyle

CKvThemeManagerStyle::CKvThemeManagerStyle() : m_pFactory(nullptr) {}

CKvThemeManagerStyle::~CKvThemeManagerStyle() = default;

void CKvThemeManagerStyle::RefreshMetrics() {}

BOOL CKvThemeManagerStyle::TakeSnapshot(CWnd* control)
{
    CWnd* parent = control ? control->GetParent() : nullptr;
    if (!parent || !::IsWindow(parent->GetSafeHwnd()))
        return FALSE;
    m_bmpSnapshot.DeleteObject();

    CRect area;
    control->GetWindowRect(&area);
    parent->ScreenToClient(&area);
    CClientDC parentDC(parent);
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(&parentDC) ||
        !m_bmpSnapshot.CreateCompatibleBitmap(&parentDC, area.Width(), area.Height()))
        return FALSE;
    CBitmap* old = memoryDC.SelectObject(&m_bmpSnapshot);
    memoryDC.BitBlt(0, 0, area.Width(), area.Height(), &parentDC, area.left, area.top, SRCCOPY);
    memoryDC.SelectObject(old);
    return TRUE;
}

BOOL CKvThemeManagerStyle::DrawTransparentBack(CDC* dc, CWnd* control)
{
    if (!dc || !control || !(control->GetExStyle() & WS_EX_TRANSPARENT))
        return FALSE;
    if (!TakeSnapshot(control))
        return FALSE;
    CRect client;
    control->GetClientRect(&client);
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(dc))
        return FALSE;
    CBitmap* old = memoryDC.SelectObject(&m_bmpSnapshot);
    dc->BitBlt(0, 0, client.Width(), client.Height(), &memoryDC, 0, 0, SRCCOPY);
    memoryDC.SelectObject(old);
    return TRUE;
}

// --- CKvThemeManagerStyleFactory

IMPLEMENT_DYNCREATE(CKvThemeManagerStyleFactory, CObject)

CKvThemeManagerStyleFactory::CKvThemeManagerStyleFactory()
    : m_pTheme(nullptr), m_pManager(nullptr), m_pNextFactory(nullptr)
{
    CKvThemeManager::Instance()->Link(this);
}

CKvThemeManagerStyleFactory::~CKvThemeManagerStyleFactory()
{
    // A private factory goes long before the manager: RefreshMetrics must
    // not reach it afterwards.
    if (m_pManager)
        m_pManager->Unlink(this);
    delete m_pTheme;
}

CKvThemeManagerStyle* CKvThemeManagerStyleFactory::CreateTheme(int)
{
    return nullptr;
}

void CKvThemeManagerStyleFactory::RefreshMetrics()
{
    if (m_pTheme)
        m_pTheme->RefreshMetrics();
}

CKvThemeManagerStyle* CKvThemeManagerStyleFactory::GetSafeTheme()
{
    if (!m_pTheme) {
        m_pTheme = CreateTheme(CKvThemeManager::Instance()->GetThemeId());
        if (m_pTheme) {
            m_pTheme->SetFactory(this);
            m_pTheme->RefreshMetrics();
        }
    }
    return m_pTheme;
}

void CKvThemeManagerStyleFactory::SetTheme(CKvThemeManagerStyle* theme)
{
    if (!theme || theme == m_pTheme)
        return;
    delete m_pTheme;
    m_pTheme = theme;
    m_pTheme->SetFactory(this);
    m_pTheme->RefreshMetrics();
    for (POSITION position = m_hosts.GetHeadPosition(); position;)
        static_cast<CKvThemeManagerStyleHost*>(m_hosts.GetNext(position))->OnThemeChanged();
}

void CKvThemeManagerStyleFactory::AddHost(CKvThemeManagerStyleHost* host)
{
    if (host && !m_hosts.Find(host))
        m_hosts.AddTail(host);
}

void CKvThemeManagerStyleFactory::RemoveHost(CKvThemeManagerStyleHost* host)
{
    if (POSITION position = m_hosts.Find(host))
        m_hosts.RemoveAt(position);
}

// --- CKvThemeManagerStyleHost

CKvThemeManagerStyleHost::CKvThemeManagerStyleHost(CRuntimeClass* factoryClass)
    : m_bPrivateTheme(FALSE), m_pFactoryClass(nullptr), m_pPrivateFactory(nullptr), m_pSharedFactory(nullptr)
{
    if (factoryClass)
        InitTheme(factoryClass);
}

CKvThemeManagerStyleHost::~CKvThemeManagerStyleHost()
{
    // The factories outlive the host: they must not call it once it is gone.
    LeaveCurrentFactory();
    delete m_pPrivateFactory;
}

CKvThemeManagerStyleFactory* CKvThemeManagerStyleHost::CreateFactory()
{
    if (!m_pFactoryClass)
        return nullptr;
    CObject* made = m_pFactoryClass->CreateObject();
    if (made && !made->IsKindOf(RUNTIME_CLASS(CKvThemeManagerStyleFactory))) {
        delete made;
        return nullptr;
    }
    return static_cast<CKvThemeManagerStyleFactory*>(made);
}

void CKvThemeManagerStyleHost::OnThemeChanged() {}

CKvThemeManagerStyleFactory* CKvThemeManagerStyleHost::GetCurrentFactory() const
{
    return m_bPrivateTheme && m_pPrivateFactory ? m_pPrivateFactory : m_pSharedFactory;
}

void CKvThemeManagerStyleHost::LeaveCurrentFactory()
{
    if (CKvThemeManagerStyleFactory* factory = GetCurrentFactory())
        factory->RemoveHost(this);
}

void CKvThemeManagerStyleHost::InitTheme(CRuntimeClass* factoryClass)
{
    if (m_pSharedFactory)
        m_pSharedFactory->RemoveHost(this);
    m_pFactoryClass = factoryClass;
    m_pSharedFactory = CKvThemeManager::Instance()->GetFactory(factoryClass);
    if (m_pSharedFactory && !m_bPrivateTheme)
        m_pSharedFactory->AddHost(this);
}

CKvThemeManagerStyle* CKvThemeManagerStyleHost::GetSafeTheme()
{
    CKvThemeManagerStyleFactory* factory = GetCurrentFactory();
    return factory ? factory->GetSafeTheme() : nullptr;
}

void CKvThemeManagerStyleHost::SetTheme(CKvThemeManagerStyle* theme)
{
    if (!m_pPrivateFactory && !theme)
        return;
    LeaveCurrentFactory();
    delete m_pPrivateFactory;
    m_pPrivateFactory = nullptr;
    if (theme) {
        m_pPrivateFactory = CreateFactory();
        if (m_pPrivateFactory)
            m_pPrivateFactory->SetTheme(theme);
        else
            delete theme;  // no family to hold it: the host keeps the shared theme
    }
    m_bPrivateTheme = m_pPrivateFactory != nullptr;
    OnThemeChanged();
    if (CKvThemeManagerStyleFactory* factory = GetCurrentFactory())
        factory->AddHost(this);
}

// --- CKvThemeManager

CKvThemeManager::CKvThemeManager() : m_nThemeId(0), m_pFirstFactory(nullptr)
{
    m_factories.InitHashTable(17);
}

CKvThemeManager::~CKvThemeManager()
{
    for (CKvThemeManagerStyleFactory* factory = m_pFirstFactory; factory; factory = factory->m_pNextFactory)
        factory->m_pManager = nullptr;
    m_pFirstFactory = nullptr;
    for (POSITION position = m_factories.GetStartPosition(); position;) {
        void* runtimeClass = nullptr;
        void* factory = nullptr;
        m_factories.GetNextAssoc(position, runtimeClass, factory);
        delete static_cast<CKvThemeManagerStyleFactory*>(factory);
    }
    m_factories.RemoveAll();
}

CKvThemeManager* CKvThemeManager::Instance()
{
    return g_kvThemeManager.GetData();
}

CKvThemeManagerStyleFactory* CKvThemeManager::GetFactory(CRuntimeClass* factoryClass)
{
    if (!factoryClass)
        return nullptr;
    void* found = nullptr;
    if (m_factories.Lookup(factoryClass, found))
        return static_cast<CKvThemeManagerStyleFactory*>(found);
    if (!factoryClass->IsDerivedFrom(RUNTIME_CLASS(CKvThemeManagerStyleFactory)))
        return nullptr;
    CObject* made = factoryClass->CreateObject();
    if (!made)
        return nullptr;
    auto* factory = static_cast<CKvThemeManagerStyleFactory*>(made);
    m_factories.SetAt(factoryClass, factory);
    return factory;
}

void CKvThemeManager::RefreshMetrics()
{
    CKvoColorManager::RefreshColorsStatic();
    for (CKvThemeManagerStyleFactory* factory = m_pFirstFactory; factory; factory = factory->m_pNextFactory)
        factory->RefreshMetrics();
}

int CKvThemeManager::GetFactoryCount() const
{
    int count = 0;
    for (CKvThemeManagerStyleFactory* factory = m_pFirstFactory; factory; factory = factory->m_pNextFactory)
        ++count;
    return count;
}

void CKvThemeManager::Link(CKvThemeManagerStyleFactory* factory)
{
    factory->m_pManager = this;
    factory->m_pNextFactory = m_pFirstFactory;
    m_pFirstFactory = factory;
}

void CKvThemeManager::Unlink(CKvThemeManagerStyleFactory* factory)
{
    for (CKvThemeManagerStyleFactory** link = &m_pFirstFactory; *link; link = &(*link)->m_pNextFactory) {
        if (*link == factory) {
            *link = factory->m_pNextFactory;
            break;
        }
    }
    factory->m_pManager = nullptr;
    factory->m_pNextFactory = nullptr;
}

NONCLIENTMETRICSW* InitNonClientMetrics(NONCLIENTMETRICSW* metrics)
{
    ZeroMemory(metrics, sizeof *metrics);
    metrics->cbSize = sizeof *metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof *metrics, metrics, 0);
    return metrics;
}
