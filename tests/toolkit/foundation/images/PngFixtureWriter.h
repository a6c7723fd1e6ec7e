// PNG fixtures written by the tests themselves through libpng's write
// interface, so every case states exactly which chunks and pixels it holds.
#pragma once
#include <windows.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

struct PngFixture
{
    int width = 1;
    int height = 1;
    int colorType = PNG_COLOR_TYPE_RGBA;
    int bitDepth = 8;
    bool interlaced = false;
    // The image's rows as libpng takes them (big-endian for 16 bits).
    std::vector<png_byte> rows;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;  // tRNS of a palette image
    bool hasBackground = false;
    png_color_16 background = {};
};

namespace png_fixture_detail {
inline void PNGCBAPI Append(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
inline void PNGCBAPI Flush(png_structp) {}

// No C++ object with a destructor lives in this frame: libpng's errors
// longjmp back to it.
inline bool WriteRows(png_structp png, png_infop info, const PngFixture* fixture, png_bytep* rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, fixture->width, fixture->height, fixture->bitDepth, fixture->colorType,
                 fixture->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!fixture->palette.empty())
        png_set_PLTE(png, info, const_cast<png_colorp>(fixture->palette.data()),
                     static_cast<int>(fixture->palette.size()));
    if (!fixture->paletteAlpha.empty())
        png_set_tRNS(png, info, const_cast<png_bytep>(fixture->paletteAlpha.data()),
                     static_cast<int>(fixture->paletteAlpha.size()), nullptr);
    if (fixture->hasBackground)
        png_set_bKGD(png, info, const_cast<png_color_16p>(&fixture->background));
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}
}  // namespace png_fixture_detail

// The PNG file's bytes; empty when libpng refused the fixture.
inline std::vector<png_byte> WritePng(const PngFixture& fixture)
{
    std::vector<png_byte> out;
    std::vector<png_bytep> rows(fixture.height);
    size_t rowBytes = fixture.rows.size() / fixture.height;
    for (int y = 0; y < fixture.height; ++y)
        rows[y] = const_cast<png_bytep>(fixture.rows.data()) + y * rowBytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info)
    {
        png_destroy_write_struct(&png, nullptr);
        return out;
    }
    png_set_write_fn(png, &out, png_fixture_detail::Append, png_fixture_detail::Flush);
    if (!png_fixture_detail::WriteRows(png, info, &fixture, rows.data()))
        out.clear();
    png_destroy_write_struct(&png, &info);
    return out;
}

inline std::string PngBytesAsString(const std::vector<png_byte>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}
