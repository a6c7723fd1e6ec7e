#include "stream/CMyObList.h"

#include <algorithm>
#include <climits>

#include "records/DrawData.h"

IMPLEMENT_SERIAL(CMyObList, CObList, 0)

namespace {
// Every object of a list costs the stream at least its two-byte tag.
const ULONGLONG kMinObjectBytes = 2;
// Progress is reported about this many times per list.
const DWORD_PTR kProgressSteps = 360;
// Spare entries of the load table beyond the list's own objects.
const DWORD_PTR kLoadTableSpare = 8;
}

CMyObList::CMyObList(INT_PTR nBlockSize)
    : CObList(nBlockSize), m_progressWnd(NULL), m_pCancel(NULL), m_limited(false), m_pRequiredClass(NULL)
{
}

CMyObList::~CMyObList() = default;

void CMyObList::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        CObList::Serialize(ar);
    else
        Load(ar);
}

void CMyObList::Load(CArchive& ar)
{
    if (IsCancelled())
        return;
    DWORD_PTR count = ReadListCount(ar);
    if (m_progressWnd != NULL)
        PostProgress(0, count);
    ar.SetLoadParams(static_cast<UINT>(std::min<DWORD_PTR>(count + kLoadTableSpare, UINT_MAX)));

    DWORD_PTR step = count / kProgressSteps;
    if (count <= kObjectLimit)
        m_limited = false;
    DWORD_PTR stopMark = m_limited ? count - kObjectLimit : 0;

    for (DWORD_PTR remaining = count; remaining != 0;) {
        --remaining;
        AddTail(ar.ReadObject(m_pRequiredClass));
        if (IsCancelled())
            return;
        if (m_progressWnd != NULL) {
            if (step < 2 || remaining % step == 0)
                PostProgress(1, remaining);
        } else if (remaining < stopMark) {
            return;
        }
    }
}

// A count larger than the stream can hold is a damaged stream, found before
// anything is sized from it.
DWORD_PTR CMyObList::ReadListCount(CArchive& ar) const
{
    DWORD_PTR count = ar.ReadCount();
    if (count > ar.GetBytesLeft() / kMinObjectBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    return count;
}

void CMyObList::PostProgress(WPARAM wParam, DWORD_PTR count) const
{
    PostMessageW(m_progressWnd, WM_DRAWPROGRESS, wParam, static_cast<LPARAM>(count));
}
