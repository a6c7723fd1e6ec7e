#include "QuilloraTestSupport.h"

#include <atlbase.h>

#include <algorithm>
#include <memory>

#include "exports/TavrenaExports.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

std::wstring BinFile(const wchar_t* name)
{
    std::wstring path = std::wstring(JW_BIN_DIR) + L"\\" + name;
    wchar_t full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(full, length) : path;
}

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = L"";
    StringFromGUID2(guid, text, 40);
    return text;
}

ChildResult Regsvr32(const std::wstring& dll, bool unregister)
{
    return RunChild(std::wstring(L"regsvr32.exe ") + (unregister ? L"/u " : L"") + L"/s " + Quoted(dll));
}

std::wstring LibraryInfoText(const std::wstring& drawing)
{
    ATL::CComBSTR text;
    GetZumenInfo(drawing.c_str(), std::addressof(text));
    return text.m_str ? std::wstring(text.m_str, text.Length()) : std::wstring();
}

LibraryImage LibraryThumbnail(const std::wstring& drawing, int size)
{
    LibraryImage image;
    HBITMAP bitmap = nullptr;
    image.result = GetZumenImage(size, drawing.c_str(), &bitmap, nullptr);
    if (bitmap) {
        BitmapFacts facts = FactsOf(bitmap);
        image.width = facts.width;
        image.inkPixels = facts.inkPixels;
        DeleteObject(bitmap);
    }
    return image;
}

BitmapFacts FactsOf(HBITMAP bitmap)
{
    BitmapFacts facts;
    BITMAP info = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) == 0)
        return facts;
    facts.width = info.bmWidth;
    facts.height = info.bmHeight;
    facts.bitsPerPixel = info.bmBitsPixel;
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight || pixels.empty())
        return facts;
    const DWORD background = pixels.front() & 0xFFFFFF;
    facts.inkPixels = static_cast<int>(
        std::count_if(pixels.begin(), pixels.end(), [&](DWORD pixel) { return (pixel & 0xFFFFFF) != background; }));
    return facts;
}

DrawingFixtures::DrawingFixtures()
{
    paths_.push_back(folder_.At(L"fixture.jww"));
    jwwrite::SaveFile(paths_.back(), jwwrite::WriteDrawing(jwwrite::SampleDrawing()));
    paths_.push_back(folder_.At(L"fixture.jws"));
    jwwrite::SaveFile(paths_.back(), jwwrite::WriteSymbol(jwwrite::SampleSymbol()));
    paths_.push_back(folder_.Write(L"fixture.jwc", "jw_cad(c)data......."));
    paths_.push_back(folder_.Write(L"fixture.jwk", "jw_cad(c)sym........"));
}
