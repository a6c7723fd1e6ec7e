#include "Drawing.h"

#include <cstdio>

#include "EntityWriter.h"

namespace jwwrite {

namespace {

void WriteImages(ByteWriter& out, const std::vector<EmbeddedImage>& images)
{
    out.U32(static_cast<uint32_t>(images.size()));
    for (const EmbeddedImage& image : images) {
        out.Text(image.name);
        out.U32(static_cast<uint32_t>(image.data.size()));
        out.Raw(image.data.data(), image.data.size());
    }
}

void WriteContents(ObjectWriter& out, uint32_t version, const Contents& contents)
{
    EntityWriter entities(out, version);
    entities.List(contents.entities);
    out.Count(static_cast<uint32_t>(contents.blocks.size()));
    for (const Block& block : contents.blocks)
        entities.Write(block);
    if (version >= 700)
        WriteImages(out, contents.images);
}

}  // namespace

std::vector<uint8_t> WriteDrawing(const Drawing& drawing)
{
    ObjectWriter out(static_cast<uint16_t>(drawing.header.version));
    WriteJwwHeader(out, drawing.header);
    WriteContents(out, drawing.header.version, drawing);
    return out.Bytes();
}

std::vector<uint8_t> WriteSymbol(const Symbol& symbol)
{
    ObjectWriter out(static_cast<uint16_t>(symbol.header.version));
    WriteJwsHeader(out, symbol.header);
    WriteContents(out, symbol.header.version, symbol);
    return out.Bytes();
}

bool SaveFile(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace jwwrite
