#pragma once
// The library's front door: what the shell servers import by name.
#include <windows.h>
#include "records/DrawData.h"

namespace ATL { class CComBSTR; }

HRESULT GetZumenInfo(const wchar_t* path, ATL::CComBSTR* text);
HRESULT GetZumenImage(int size, const wchar_t* path, HBITMAP* bitmap, unsigned long* reserved);
HWND PreViewDlg(const wchar_t* path, const RECT& rect, HWND parent);
void SavePreView();

extern "C" {
HBITMAP GetImage(int size, const wchar_t* path);
HWND GetImageView(const wchar_t* path, const RECT& rect, HWND parent);
bool InfoLoad(const wchar_t* path);
bool InfoSave(const wchar_t* path);
}
