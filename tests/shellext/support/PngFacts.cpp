#include "PngFacts.h"

#include <windows.h>
#include <gdiplus.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <algorithm>
#include <vector>

namespace {

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession()
    {
        if (ok_)
            Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

int BigEndian32(const std::vector<unsigned char>& bytes, size_t offset)
{
    return (bytes[offset] << 24) | (bytes[offset + 1] << 16) | (bytes[offset + 2] << 8) | bytes[offset + 3];
}

// Signature (8 bytes), then the IHDR chunk: length, type, width, height,
// bit depth, colour type.
bool ReadHeader(const std::wstring& path, PngFacts& facts)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::vector<unsigned char> bytes(26);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), bytes.size()))
        return false;
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(std::begin(signature), std::end(signature), bytes.begin()) ||
        std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR")
        return false;
    facts.width = BigEndian32(bytes, 16);
    facts.height = BigEndian32(bytes, 20);
    facts.bitDepth = bytes[24];
    facts.colorType = bytes[25];
    return true;
}

int CountCentreInk(Gdiplus::Bitmap& image)
{
    const UINT left = image.GetWidth() / 4, right = image.GetWidth() * 3 / 4;
    const UINT top = image.GetHeight() / 4, bottom = image.GetHeight() * 3 / 4;
    std::map<Gdiplus::ARGB, int> colours;
    for (UINT y = top; y < bottom; ++y) {
        for (UINT x = left; x < right; ++x) {
            Gdiplus::Color pixel;
            image.GetPixel(x, y, &pixel);
            ++colours[pixel.GetValue()];
        }
    }
    int commonest = 0;
    for (const auto& colour : colours)
        commonest = std::max(commonest, colour.second);
    return static_cast<int>((right - left) * (bottom - top)) - commonest;
}

void CountInk(const std::wstring& path, PngFacts& facts)
{
    GdiplusSession session;
    if (!session.Ok())
        return;
    Gdiplus::Bitmap image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok)
        return;
    facts.centreInkPixels = CountCentreInk(image);
    Gdiplus::Color background;
    image.GetPixel(0, 0, &background);
    int ink = 0;
    for (UINT y = 0; y < image.GetHeight(); ++y) {
        for (UINT x = 0; x < image.GetWidth(); ++x) {
            Gdiplus::Color pixel;
            image.GetPixel(x, y, &pixel);
            ink += pixel.GetValue() != background.GetValue() ? 1 : 0;
        }
    }
    facts.inkPixels = ink;
}

}  // namespace

PngFacts ReadPngFacts(const std::wstring& path)
{
    PngFacts facts;
    facts.read = ReadHeader(path, facts);
    if (facts.read)
        CountInk(path, facts);
    return facts;
}
