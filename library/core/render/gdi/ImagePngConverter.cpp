#include "render/gdi/ImagePngConverter.h"
#include "figures/B_ImageParams.h"
#include <gdiplus.h>
#include <memory>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

struct ImageDeleter {
    void operator()(GpImage* image) const { GdipDisposeImage(image); }
};
struct GraphicsDeleter {
    void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};
struct AttributesDeleter {
    void operator()(GpImageAttributes* attributes) const { GdipDisposeImageAttributes(attributes); }
};
typedef std::unique_ptr<GpImage, ImageDeleter> ImagePtr;

bool FindPngEncoder(CLSID& clsid)
{
    UINT count = 0, bytes = 0;
    if (GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0 || bytes < count * sizeof(ImageCodecInfo))
        return false;
    std::vector<BYTE> buffer(bytes);
    ImageCodecInfo* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, bytes, codecs) != Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// The key colour becomes transparent white, the only entry of the remap table.
GpImageAttributes* KeyColourAttributes(const B_ImageParams& record)
{
    GpImageAttributes* attributes = nullptr;
    if (GdipCreateImageAttributes(&attributes) != Ok)
        return nullptr;
    ColorMap map;
    map.oldColor = Color(0xFF000000u | record.keyRed << 16 | record.keyGreen << 8 | record.keyBlue);
    map.newColor = Color(0x00FFFFFFu);
    GdipSetImageAttributesRemapTable(attributes, ColorAdjustTypeDefault, TRUE, 1, &map);
    return attributes;
}

// A 32-bit ARGB copy of source, cleared to transparent white, with the key
// colour remapped.
ImagePtr TransparentCopy(GpImage* source, const B_ImageParams& record)
{
    UINT width = 0, height = 0;
    GdipGetImageWidth(source, &width);
    GdipGetImageHeight(source, &height);
    GpBitmap* bitmap = nullptr;
    if (width == 0 || height == 0 ||
        GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, PixelFormat32bppARGB, nullptr,
                                  &bitmap) != Ok)
        return nullptr;
    ImagePtr copy(bitmap);
    GpGraphics* graphicsRaw = nullptr;
    if (GdipGetImageGraphicsContext(copy.get(), &graphicsRaw) != Ok)
        return nullptr;
    std::unique_ptr<GpGraphics, GraphicsDeleter> graphics(graphicsRaw);
    std::unique_ptr<GpImageAttributes, AttributesDeleter> attributes(KeyColourAttributes(record));
    GdipGraphicsClear(graphics.get(), 0x00FFFFFFu);
    GpStatus drawn = GdipDrawImageRectRectI(graphics.get(), source, 0, 0, static_cast<INT>(width),
                                            static_cast<INT>(height), 0, 0, static_cast<INT>(width),
                                            static_cast<INT>(height), UnitPixel, attributes.get(), nullptr, nullptr);
    return drawn == Ok ? std::move(copy) : nullptr;
}
}

bool ConvertToPng(const B_ImageParams& record, const CStringW& name)
{
    GpImage* loaded = nullptr;
    if (GdipLoadImageFromFileICM(record.path, &loaded) != Ok)
        return false;
    ImagePtr source(loaded);
    CLSID png;
    if (!FindPngEncoder(png))
        return false;
    ImagePtr copy = TransparentCopy(source.get(), record);
    return copy && GdipSaveImageToFile(copy.get(), name, &png, nullptr) == Ok;
}
