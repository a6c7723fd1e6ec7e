// ZumenProbe DRAWING [PNG [SIZE]]: prints the drawing's info-tip text and
// writes its thumbnail (256 pixels unless SIZE), asking the library's exports
// directly. A larger size lets a comparison of two builds see texts and line
// kinds that a 256-pixel thumbnail shrinks to dots.
#include <windows.h>
#include <atlbase.h>
#include <cstdio>
#include <memory>
#include <string>
#include "exports/TavrenaExports.h"
#include "PngWriter.h"
#include "Utf8Text.h"

namespace {

int ReportInfoTip(const wchar_t* drawing)
{
    ATL::CComBSTR text;
    HRESULT result = GetZumenInfo(drawing, std::addressof(text));
    if (result == E_NOTIMPL) { puts("info tip: not built yet (GetZumenInfo answers E_NOTIMPL)"); return 1; }
    printf("info tip (0x%08lX):\n", static_cast<unsigned long>(result));
    fputs(Utf8(text.m_str ? text.m_str : L"").c_str(), stdout);
    puts("");
    return 0;
}

int ReportThumbnail(const wchar_t* drawing, const wchar_t* pngPath, int size)
{
    HBITMAP bitmap = nullptr;
    HRESULT result = GetZumenImage(size, drawing, &bitmap, nullptr);
    if (result != S_OK || !bitmap) { printf("thumbnail: not made (0x%08lX)\n", static_cast<unsigned long>(result)); return 1; }
    bool saved = SaveBitmapAsPng(bitmap, pngPath);
    DeleteObject(bitmap);
    printf("thumbnail: %s\n", saved ? "written" : "could not be written");
    return saved ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) { fputs("usage: ZumenProbe DRAWING [PNG [SIZE]]\n", stderr); return 2; }
    const wchar_t* pngPath = argc > 2 ? argv[2] : L"thumbnail.png";
    int size = argc > 3 ? _wtoi(argv[3]) : 256;
    if (size <= 0) { fputs("ZumenProbe: SIZE must be a positive number of pixels\n", stderr); return 2; }
    int infoFailed = ReportInfoTip(argv[1]);
    int imageFailed = ReportThumbnail(argv[1], pngPath, size);
    return infoFailed | imageFailed;
}
