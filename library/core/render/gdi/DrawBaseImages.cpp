#include "render/gdi/DrawBase.h"
#include "render/gdi/DrawBasePen.h"
#include "render/gdi/ImagePngConverter.h"
#include "app/TavrenaApp.h"
#include "figures/B_FigImage.h"
#include <gdiplus.h>
#include <cwchar>
#include <cstdlib>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
const wchar_t kImagePrefix[] = L"^@BM";
const wchar_t kTempPrefix[] = L"%temp%";

bool IsAbsolute(const CStringW& file)
{
    return file.Left(2) == L"\\\\" || (file.GetLength() > 1 && file[1] == L':');
}

// The drive and folder of path, without a closing separator.
CStringW FolderOf(const CStringW& path)
{
    int slash = path.ReverseFind(L'\\');
    int other = path.ReverseFind(L'/');
    int cut = slash > other ? slash : other;
    if (cut >= 0)
        return path.Left(cut);
    return path.GetLength() > 1 && path[1] == L':' ? path.Left(2) : CStringW();
}

CStringW FullPath(const CStringW& relative)
{
    DWORD size = GetFullPathNameW(relative, 0, nullptr, nullptr);
    if (size == 0)
        return relative;
    std::vector<wchar_t> buffer(size + 1);
    DWORD written = GetFullPathNameW(relative, size + 1, buffer.data(), nullptr);
    return written > 0 && written <= size ? CStringW(buffer.data()) : relative;
}

// The file named relative to the drawing's folder, without touching the
// process's current directory (other threads rely on it).
CStringW ResolveImageFile(const CStringW& file, const CStringW& drawingPath)
{
    if (IsAbsolute(file))
        return file;
    CStringW folder = FolderOf(drawingPath);
    return FullPath(folder.IsEmpty() ? file : folder + L"\\" + file);
}

// Every comma splits, empty fields included.
std::vector<CStringW> SplitFields(const CStringW& body)
{
    std::vector<CStringW> fields;
    int start = 0;
    for (int comma; (comma = body.Find(L',', start)) >= 0; start = comma + 1)
        fields.push_back(body.Mid(start, comma - start));
    fields.push_back(body.Mid(start));
    return fields;
}

void AssignParameter(B_ImageParams& out, size_t index, const CStringW& field)
{
    float value = static_cast<float>(wcstod(field, nullptr));
    uint8_t byte = static_cast<uint8_t>(wcstol(field, nullptr, 10));
    switch (index) {
    case 0: out.width = out.height = value; break;
    case 1: out.height = value; break;
    case 2: out.cropX = value; break;
    case 3: out.cropY = value; break;
    case 4: out.cropScale = value; break;
    case 5: out.angle = value; break;
    case 6: out.keyRed = byte; break;
    case 7: out.keyGreen = byte; break;
    case 8:
        out.keyBlue = byte;
        out.keyGiven = 1;
        out.imageNumber = theApp.m_imageNumber++;
        break;
    }
}

struct ImageDeleter {
    void operator()(GpImage* image) const { GdipDisposeImage(image); }
};
struct GraphicsDeleter {
    void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};
}

int CDrawBase::ParseImageText(const CStringW& text, B_ImageParams* out, const CStringW& drawingPath,
                              uint32_t readerId)
{
    if (!out || text.Left(4) != kImagePrefix)
        return 0;
    CStringW body = text.Mid(4);
    if (body.Left(6).CompareNoCase(kTempPrefix) == 0) {
        CStringW rest = body.Mid(6);
        body = theApp.m_cacheFolder;
        if (readerId != 0)
            body.AppendFormat(L"%08X", readerId);
        body += rest;
    }
    int comma = body.Find(L',');
    if (comma < 0)
        return 0;
    out->path = ResolveImageFile(body.Left(comma), drawingPath);
    out->keyGiven = 0;
    std::vector<CStringW> fields = SplitFields(body);
    for (size_t i = 1; i < fields.size() && i <= 9; ++i)
        AssignParameter(*out, i - 1, fields[i]);
    return out->width > 0 && out->height > 0 ? 1 : 0;
}

void CDrawBase::ConvertImages(const B_ImageParams* record)
{
    m_imagesConverted = true;
    if (!record || !record->keyGiven)
        return;
    CStringW name = ImagePngName(record->imageNumber);
    GdiplusToken gdiplus;
    if (gdiplus.Started() && ConvertToPng(*record, name))
        m_imageFiles.Add(name);
}

CStringW CDrawBase::ImagePngName(uint16_t imageNumber) const
{
    CStringW name;
    name.Format(L"%s%08X_%04X.png", theApp.m_cacheFolder.GetString(), m_readerId, imageNumber);
    return name;
}

CStringW CDrawBase::ImageFileFor(const B_ImageParams& record) const
{
    if (record.keyGiven && m_imageTransparency) {
        CStringW name = ImagePngName(record.imageNumber);
        for (INT_PTR i = 0; i < m_imageFiles.GetSize(); ++i) {
            if (m_imageFiles[i] == name)
                return name;
        }
    }
    return record.path;
}

// Generated names all start with the cache folder; a name anywhere else is
// never deleted.
void CDrawBase::DeleteImageFiles()
{
    const CStringW& folder = theApp.m_cacheFolder;
    for (INT_PTR i = 0; i < m_imageFiles.GetSize(); ++i) {
        const CStringW& file = m_imageFiles[i];
        bool inCache = !folder.IsEmpty() && file.GetLength() > folder.GetLength() &&
                       file.Left(folder.GetLength()).CompareNoCase(folder) == 0 &&
                       file.Find(L'\\', folder.GetLength()) < 0 && file.Find(L'/', folder.GetLength()) < 0;
        if (inCache)
            DeleteFileW(file);
    }
    m_imageFiles.RemoveAll();
}

bool CDrawBase::DrawImageGdiplus(HDC dc, const B_Base* frame, const POINT corners[4])
{
    const B_FigImage* image = FigCast<B_FigImage>(frame);
    if (!image)
        return false;
    GpImage* loaded = nullptr;
    if (GdipLoadImageFromFileICM(ImageFileFor(image->params), &loaded) != Ok)
        return false;
    std::unique_ptr<GpImage, ImageDeleter> picture(loaded);
    GpGraphics* graphicsRaw = nullptr;
    if (GdipCreateFromHDC(dc, &graphicsRaw) != Ok)
        return false;
    std::unique_ptr<GpGraphics, GraphicsDeleter> graphics(graphicsRaw);
    UINT widthPixels = 0, heightPixels = 0;
    GdipGetImageWidth(picture.get(), &widthPixels);
    GdipGetImageHeight(picture.get(), &heightPixels);
    double w = widthPixels, h = heightPixels;
    const B_ImageParams& p = image->params;
    double left = 0, top = 0;
    if (p.cropX >= 0 && p.cropY >= 0 && w > 0) {
        left = p.cropX * w;
        top = p.cropY > 0 ? (h / w - (p.height / 100.0 + p.cropY)) * w : 0.0;
    }
    // Upper left, upper right and lower left of the picture.
    const GpPointF target[3] = {GpPointF(REAL(corners[3].x), REAL(corners[3].y)),
                                GpPointF(REAL(corners[2].x), REAL(corners[2].y)),
                                GpPointF(REAL(corners[0].x), REAL(corners[0].y))};
    if (left > 0 || top > 0)
        GdipDrawImagePointsRect(graphics.get(), picture.get(), target, 3, REAL(left), REAL(top),
                                REAL(p.width / 100.0 * w), REAL(p.height / 100.0 * w), UnitPixel, nullptr, nullptr,
                                nullptr);
    else
        GdipDrawImagePoints(graphics.get(), picture.get(), target, 3);
    return true;
}

// Through GDI+ when the draw shows images, else (or when the image cannot
// be loaded) a hatched placeholder in the frame's colour.
bool CDrawBase::DrawImageFrame(const B_FigImage& frame)
{
    POINT corners[4];
    for (int i = 0; i < 4; ++i) {
        MapPoint(frame.corners[i].x, frame.corners[i].y);
        corners[i] = DevicePoint();
    }
    for (int i = 1; i < 4; ++i) {
        if (std::abs(corners[i].x - corners[0].x) <= 1 && std::abs(corners[i].y - corners[0].y) <= 1)
            return SetPixelChecked(corners[0].x, corners[0].y, frame.colour);
    }
    if (m_gdiplusImages && m_pGdiplus && m_pGdiplus->Started() && DrawImageGdiplus(m_pDC->m_hDC, &frame, corners))
        return true;
    CMyPen pen(this, &frame);
    CMyBsh hatch(this, frame.flags, frame.colour);
    return DrawDevicePolygon(corners, 4);
}
