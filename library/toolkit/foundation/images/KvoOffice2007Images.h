#pragma once
#include <afxwin.h>
#include <afxcoll.h>
#include <afxmt.h>
#include "foundation/base/KvoEventConnection.h"
#include "foundation/images/KvoOffice2007Image.h"
#include "foundation/images/KvoOffice2007ThemeText.h"

// The process's source of the Office 2007 look: pictures stored as PNG
// resources of a module and theme colours in an INI text resource of the
// same module. Finds a picture's resource through the text, loads it once
// and keeps it cached under a lock; every drawing goes through one memory DC
// and one 512 x 512 scratch bitmap, under the same lock, so drawing creates
// no GDI objects.
class CKvoOffice2007Images : public CCmdTarget {
public:
    // Sent with zero arguments through the connection whenever SetHandle
    // has switched module and text: cached colours are stale.
    static constexpr DWORD ThemeChangedEvent = 10575;

    // The shared set, made on first use with the library's own theme.
    static CKvoOffice2007Images* Instance();

    CKvoOffice2007Images();
    ~CKvoOffice2007Images() override;

    // Takes the module (freed with FreeLibrary on replacement or at the end
    // when owns) and its text resource ini of type "TEXTFILE" ('.' read as
    // '_'; "OFFICE2007BLUE_INI" when empty, and then, failing that, the
    // module's first TEXTFILE); empties the cache. TRUE when a text was
    // found.
    BOOL SetHandle(HMODULE module, LPCTSTR ini = nullptr, BOOL owns = FALSE);
    HMODULE GetHandle() const { return m_module; }
    // TRUE with a module and a theme text to take pictures and colours from.
    BOOL IsValid() const;

    // The cached picture of the name, loaded on first request; null without
    // a module or name, or when it does not load (tried again next time).
    CKvoOffice2007Image* LoadFile(LPCTSTR name);
    COLORREF GetImageColor(LPCTSTR section, LPCTSTR key) const;
    CString GetProfileString(LPCTSTR section, LPCTSTR key) const;
    void RemoveAll();

    // Where the set announces a new theme; made on first request, owned.
    CKvoEventConnection* GetConnection();

    // A memory DC compatible with the screen that gives back the bitmap it
    // replaced when it is done with it.
    class CBitmapDC : public CDC {
    public:
        CBitmapDC();
        ~CBitmapDC() override;
        void SelectBitmap(HBITMAP bitmap);
        void RestoreBitmap();

    private:
        HGDIOBJ m_replaced;
    };

private:
    friend class CKvoOffice2007Image;

    void ReleaseModule();
    BOOL FindThemeText(bool named);

    CString m_iniName;
    HMODULE m_module;
    CKvoOffice2007ThemeText m_text;
    BOOL m_ownsModule;
    CCriticalSection m_lock;
    CBitmapDC m_dc;
    HBITMAP m_scratch;
    DWORD* m_scratchBits;
    CMapStringToPtr m_cache;
    CKvoEventConnection* m_connection;
};
