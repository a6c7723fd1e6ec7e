#pragma once
#include <afxwin.h>
#include <afxmt.h>
#include <afxcoll.h>

// Exchangeable themes of the toolkit's own controls (the Kv buttons, the
// colour picker and the colour selector).
//
// Each control family has a style factory (a class derived from
// CKvThemeManagerStyleFactory, creatable by its runtime class) that makes
// and holds the family's current theme. CKvThemeManager keeps one shared
// factory per family. A control mixes in CKvThemeManagerStyleHost: it draws
// with its family's shared theme, or with a private theme of its own held by
// a private factory. After a system colour or dark-mode change,
// CKvThemeManager::RefreshMetrics refreshes the colour manager and every
// factory's theme. UI thread only.

class CKvThemeManager;
class CKvThemeManagerStyleFactory;
class CKvThemeManagerStyleHost;

// One theme of a control family.
class CKvThemeManagerStyle {
public:
    CKvThemeManagerStyle();
    virtual ~CKvThemeManagerStyle();

    CKvThemeManagerStyle(const CKvThemeManagerStyle&) = delete;
    CKvThemeManagerStyle& operator=(const CKvThemeManagerStyle&) = delete;

    // Re-reads colours and metrics after a system change; nothing here.
    virtual void RefreshMetrics();
    // Copies what the parent shows under the control into the snapshot;
    // FALSE when the control has no parent window.
    virtual BOOL TakeSnapshot(CWnd* control);
    // For a control with WS_EX_TRANSPARENT: draws the parent's background
    // under it at (0, 0) of dc; FALSE (nothing drawn) otherwise.
    virtual BOOL DrawTransparentBack(CDC* dc, CWnd* control);

    CKvThemeManagerStyleFactory* GetFactory() const { return m_pFactory; }
    void SetFactory(CKvThemeManagerStyleFactory* factory) { m_pFactory = factory; }

protected:
    CKvThemeManagerStyleFactory* m_pFactory;  // the factory that holds this theme
    CBitmap m_bmpSnapshot;
};

// Makes and holds the current theme of one control family and knows the
// hosts that draw with it. Every factory is in the manager's list from its
// construction to its destruction.
class CKvThemeManagerStyleFactory : public CObject {
    DECLARE_DYNCREATE(CKvThemeManagerStyleFactory)
public:
    CKvThemeManagerStyleFactory();
    ~CKvThemeManagerStyleFactory() override;

    // A new theme of the id; NULL here, every family answers every id.
    virtual CKvThemeManagerStyle* CreateTheme(int themeId);
    // Refreshes the current theme, when there is one.
    virtual void RefreshMetrics();

    // The current theme, made with the manager's theme id on first need.
    CKvThemeManagerStyle* GetSafeTheme();
    // Takes theme (NULL is ignored) in place of the current one, refreshes it
    // and tells every host.
    void SetTheme(CKvThemeManagerStyle* theme);

    void AddHost(CKvThemeManagerStyleHost* host);
    void RemoveHost(CKvThemeManagerStyleHost* host);
    int GetHostCount() const { return static_cast<int>(m_hosts.GetCount()); }

private:
    friend class CKvThemeManager;

    CKvThemeManagerStyle* m_pTheme;  // owned
    CPtrList m_hosts;                // CKvThemeManagerStyleHost*, not owned
    CKvThemeManager* m_pManager;     // whose list holds this factory; null once it is gone
    CKvThemeManagerStyleFactory* m_pNextFactory;  // the manager's list
};

// The mix-in of a control that draws with a family's theme.
class CKvThemeManagerStyleHost {
public:
    // factoryClass: the family's factory class; NULL for none yet.
    explicit CKvThemeManagerStyleHost(CRuntimeClass* factoryClass);
    virtual ~CKvThemeManagerStyleHost();

    CKvThemeManagerStyleHost(const CKvThemeManagerStyleHost&) = delete;
    CKvThemeManagerStyleHost& operator=(const CKvThemeManagerStyleHost&) = delete;

    // A new object of the family's factory class (for a private theme).
    virtual CKvThemeManagerStyleFactory* CreateFactory();
    // Called after the theme the host draws with was replaced; nothing here
    // (the controls redraw).
    virtual void OnThemeChanged();

    // Joins the shared factory of the class.
    void InitTheme(CRuntimeClass* factoryClass);
    // The private theme when the host has one, else the family's shared one.
    CKvThemeManagerStyle* GetSafeTheme();
    // A private theme (owned from now on), or NULL to go back to the shared one.
    void SetTheme(CKvThemeManagerStyle* theme);

    BOOL HasPrivateTheme() const { return m_bPrivateTheme; }
    CKvThemeManagerStyleFactory* GetCurrentFactory() const;

private:
    void LeaveCurrentFactory();

    BOOL m_bPrivateTheme;
    CRuntimeClass* m_pFactoryClass;
    CKvThemeManagerStyleFactory* m_pPrivateFactory;  // owned
    CKvThemeManagerStyleFactory* m_pSharedFactory;   // the manager's
};

// The process-wide registry of the families' shared factories.
class CKvThemeManager : public CNoTrackObject {
public:
    CKvThemeManager();
    ~CKvThemeManager() override;

    // Made on first call (a failed allocation throws the class library's
    // memory exception), deleted at process end.
    static CKvThemeManager* Instance();

    // The shared factory of the class, made and registered on first request;
    // NULL for a null class or one that cannot be created.
    CKvThemeManagerStyleFactory* GetFactory(CRuntimeClass* factoryClass);
    // Refreshes the colour manager, then every factory's theme.
    void RefreshMetrics();

    int GetThemeId() const { return m_nThemeId; }
    int GetFactoryCount() const;

private:
    friend class CKvThemeManagerStyleFactory;
    void Link(CKvThemeManagerStyleFactory* factory);
    void Unlink(CKvThemeManagerStyleFactory* factory);

    CMapPtrToPtr m_factories;  // CRuntimeClass* -> shared factory, owned
    int m_nThemeId;
    CKvThemeManagerStyleFactory* m_pFirstFactory;  // every factory, shared or private
};

// Fills metrics with SystemParametersInfo(SPI_GETNONCLIENTMETRICS); the
// record is zeroed with its size set first and keeps what the call left
// when it fails. Returns metrics.
NONCLIENTMETRICSW* InitNonClientMetrics(NONCLIENTMETRICSW* metrics);
