// Entry points that answer failure until the parts behind them exist.
#include "exports/TavrenaExports.h"

HRESULT GetZumenInfo(const wchar_t*, ATL::CComBSTR*) { return E_NOTIMPL; }
HRESULT GetZumenImage(int, const wchar_t*, HBITMAP*, unsigned long*) { return E_NOTIMPL; }
HWND PreViewDlg(const wchar_t*, const RECT&, HWND) { return nullptr; }
void SavePreView() {}

HBITMAP GetImage(int size, const wchar_t* path)
{
    HBITMAP bitmap = nullptr;
    return GetZumenImage(size, path, &bitmap, reinterpret_cast<unsigned long*>(&bitmap)) == S_OK
               ? bitmap : nullptr;
}
HWND GetImageView(const wchar_t* path, const RECT& rect, HWND parent) { return PreViewDlg(path, rect, parent); }
bool InfoLoad(const wchar_t*) { return false; }
bool InfoSave(const wchar_t*) { return false; }
