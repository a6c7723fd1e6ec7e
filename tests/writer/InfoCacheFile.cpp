#include "InfoCacheFile.h"

#include "ByteWriter.h"

namespace jwwrite {

namespace {

void WriteEntry(ByteWriter& out, uint32_t version, const InfoCacheFileEntry& entry)
{
    out.Text(JwText(entry.path));
    out.I32(entry.scale);
    out.I32(entry.originX);
    out.I32(entry.originY);
    if (version >= kCache20160301)
        out.I32(entry.width);
    if (version >= kCache20160321)
        out.I32(entry.height);
    if (version >= kCache20160810)
        out.U64(static_cast<uint64_t>(entry.fileTime));
    if (version >= kCache20191107)
        out.U8(entry.viewSet ? 1 : 0);
}

}  // namespace

std::vector<uint8_t> WriteInfoCacheFile(const InfoCacheFile& file)
{
    ByteWriter out;
    out.U32(file.version);
    out.I32(file.count.value_or(static_cast<int32_t>(file.entries.size())));
    for (const InfoCacheFileEntry& entry : file.entries)
        WriteEntry(out, file.version, entry);
    if (file.version >= kCache20160810)
        out.U32(file.settings);
    if (file.version >= kCache20190914)
        out.U32(file.backColor);
    return out.Bytes();
}

}  // namespace jwwrite
