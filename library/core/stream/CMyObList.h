#pragma once

#include <afxcoll.h>

#include <atomic>

// The object list of the drawing files: a counted list of objects, read with
// progress reports to a window, cancellation, and a cap on the number of
// objects read when no window follows the load. The list does not own its
// objects; the archive that created them does, or whoever took them from it
// (see CJwwArchive, CLoadedObjects).
class CMyObList : public CObList {
    DECLARE_SERIAL(CMyObList)
public:
    // Lists longer than this are cut when m_limited is set before reading.
    static const DWORD_PTR kObjectLimit = 64000;

    explicit CMyObList(INT_PTR nBlockSize = 10);
    ~CMyObList() override;

    // Loading: reads one counted list and appends its objects. Storing: the
    // count and every object with the standard tags.
    void Serialize(CArchive& ar) override;

    // Objects of any other class are refused before they are created; null
    // accepts every class.
    void SetRequiredClass(const CRuntimeClass* pRequiredClass) { m_pRequiredClass = pRequiredClass; }

    HWND m_progressWnd;                  // receives WM_DRAWPROGRESS; may be null
    const std::atomic<bool>* m_pCancel;  // the reader's cancel flag; may be null
    bool m_limited;                      // before: the limit applies; after: the list was cut

private:
    void Load(CArchive& ar);
    DWORD_PTR ReadListCount(CArchive& ar) const;
    bool IsCancelled() const { return m_pCancel != NULL && *m_pCancel; }
    void PostProgress(WPARAM wParam, DWORD_PTR count) const;

    const CRuntimeClass* m_pRequiredClass;
};
