// ZumenProbe DRAWING [PNG]: prints the drawing's info-tip text and writes its
// 256-pixel thumbnail, asking the library's exports directly.
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

int ReportThumbnail(const wchar_t* drawing, const wchar_t* pngPath)
{
    HBITMAP bitmap = nullptr;
    HRESULT result = GetZumenImage(256, drawing, &bitmap, nullptr);
    if (result != S_OK || !bitmap) { printf("thumbnail: not made (0x%08lX)\n", static_cast<unsigned long>(result)); return 1; }
    bool saved = SaveBitmapAsPng(bitmap, pngPath);
    DeleteObject(bitmap);
    printf("thumbnail: %s\n", saved ? "written" : "could not be written");
    return saved ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) { fputs("usage: ZumenProbe DRAWING [PNG]\n", stderr); return 2; }
    const wchar_t* pngPath = argc > 2 ? argv[2] : L"thumbnail.png";
    int infoFailed = ReportInfoTip(argv[1]);
    int imageFailed = ReportThumbnail(argv[1], pngPath);
    return infoFailed | imageFailed;
}
