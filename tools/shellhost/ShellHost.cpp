// ShellHost DRAWING [PNG] [--size N]: shows what Explorer would show for a
// drawing, going Explorer's road: the registered shell handlers, created
// in-process in a single-threaded apartment.
//
// Standard output: the info tip, UTF-8. Standard error: one line per shell
// call with its result ("GetLocation: 0x8000000A Z:\...", "Extract:
// 0x00000000 256 x 256, 24 bits"). The thumbnail is written to PNG
// (default "thumbnail.png"). Exit code 0 when both the tip and the
// thumbnail came, 1 when one did not, 2 for a wrong command line.
#include <windows.h>
#include <atlbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "CallReport.h"
#include "ComApartment.h"
#include "PngWriter.h"
#include "ShellHandler.h"
#include "Utf8Text.h"

namespace
{

// The size of Explorer's thumbnail view.
const SIZE kExplorerThumbnailSize = {96, 96};
const DWORD kExplorerColorDepth = 32;

// A bitmap that the caller of Extract owns.
class OwnedBitmap
{
public:
    OwnedBitmap() = default;
    ~OwnedBitmap()
    {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    HBITMAP* operator&() { return &m_bitmap; }
    HBITMAP Get() const { return m_bitmap; }

private:
    HBITMAP m_bitmap = nullptr;
};

int ShowInfoTip(const wchar_t* drawing)
{
    ATL::CComPtr<IQueryInfo> queryInfo;
    HRESULT hr = CreateShellHandler(drawing, kInfoTipHandlerKey, IID_IQueryInfo, reinterpret_cast<void**>(&queryInfo));
    if (FAILED(hr))
    {
        ReportCall("info tip handler", hr, L"");
        return 1;
    }
    PWSTR tip = nullptr;
    hr = queryInfo->GetInfoTip(QITIPF_DEFAULT, &tip);
    ReportCall("GetInfoTip", hr);
    if (tip == nullptr)
        return 1;
    fputs(Utf8(tip).c_str(), stdout);
    fputc('\n', stdout);
    ::CoTaskMemFree(tip);
    return FAILED(hr) ? 1 : 0;
}

std::wstring DescribeBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0)
        return L"no bitmap";
    return std::to_wstring(info.bmWidth) + L" x " + std::to_wstring(info.bmHeight) + L", " +
           std::to_wstring(info.bmBitsPixel) + L" bits";
}

int ShowThumbnail(const wchar_t* drawing, const wchar_t* pngPath, SIZE size)
{
    ATL::CComPtr<IExtractImage> extractImage;
    HRESULT hr = CreateShellHandler(drawing, kThumbnailHandlerKey, IID_IExtractImage,
                                    reinterpret_cast<void**>(&extractImage));
    if (FAILED(hr))
    {
        ReportCall("thumbnail handler", hr, L"");
        return 1;
    }
    wchar_t location[MAX_PATH] = L"";
    DWORD priority = IEIT_PRIORITY_NORMAL;
    DWORD flags = IEIFLAG_ASYNC | IEIFLAG_ORIGSIZE;
    hr = extractImage->GetLocation(location, MAX_PATH, &priority, &size, kExplorerColorDepth, &flags);
    ReportCall("GetLocation", hr, location);
    // E_PENDING asks for Extract later, which is now: this host has no
    // background queue.
    if (FAILED(hr) && hr != E_PENDING)
        return 1;
    OwnedBitmap bitmap;
    hr = extractImage->Extract(&bitmap);
    ReportCall("Extract", hr, DescribeBitmap(bitmap.Get()).c_str());
    if (FAILED(hr) || !bitmap.Get())
        return 1;
    bool saved = SaveBitmapAsPng(bitmap.Get(), pngPath);
    ReportCall("PNG", saved ? S_OK : E_FAIL, pngPath);
    return saved ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* drawing = nullptr;
    const wchar_t* pngPath = L"thumbnail.png";
    SIZE size = kExplorerThumbnailSize;
    int positional = 0;
    for (int i = 1; i < argc; ++i)
    {
        if (wcscmp(argv[i], L"--size") == 0 && i + 1 < argc)
            size.cx = size.cy = _wtoi(argv[++i]);
        else if (positional++ == 0)
            drawing = argv[i];
        else
            pngPath = argv[i];
    }
    if (drawing == nullptr || positional > 2)
    {
        fputs("usage: ShellHost DRAWING [PNG] [--size N]\n", stderr);
        return 2;
    }
    // The tip goes out as it is: its line breaks are the library's.
    _setmode(_fileno(stdout), _O_BINARY);
    ComApartment apartment;
    if (FAILED(apartment.Result()))
    {
        ReportCall("CoInitializeEx", apartment.Result(), L"");
        return 1;
    }
    int tipFailed = ShowInfoTip(drawing);
    int thumbnailFailed = ShowThumbnail(drawing, pngPath, size);
    return tipFailed | thumbnailFailed;
}
