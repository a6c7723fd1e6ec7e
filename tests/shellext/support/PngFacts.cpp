#include "PngFacts.h"

#include <windows.h>
#include <gdiplus.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

int CountInk(const std::wstring& path)
{
    GdiplusSession session;
    if (!session.Ok())
        return 0;
    Gdiplus::Bitmap image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok)
        return 0;
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
    return ink;
}

}  // namespace

PngFacts ReadPngFacts(const std::wstring& path)
{
    PngFacts facts;
    facts.read = ReadHeader(path, facts);
    if (facts.read)
        facts.inkPixels = CountInk(path);
    return facts;
}
