#include "core/jww/WholeStream.h"

#include <cstring>

#include "jww/JwwVersion.h"
#include "jww/SymbolHeaderDefaults.h"

WholeStream::WholeStream(CFile& file) : m_archive(&file)
{
    char magic[8] = {};
    file.Read(magic, sizeof magic);
    file.SeekToBegin();
    if (std::memcmp(magic, "JwsData.", sizeof magic) == 0) {
        symbolHeader.Serialize(m_archive);
        FillSymbolDrawingHeader(symbolHeader, header);
    } else {
        header.Serialize(m_archive);
    }
    entities.m_limited = true;
    entities.Serialize(m_archive);
    if (entities.m_limited)
        return;
    blocks.Serialize(m_archive);
    if (IsJwwVersionAtLeast(700))
        ReadImages(file);
}

WholeStream::~WholeStream()
{
    entities.RemoveAll();
    blocks.RemoveAll();
}

void WholeStream::ReadImages(CFile& file)
{
    m_archive.Flush();
    if (file.GetPosition() >= file.GetLength())
        return;
    DWORD count = 0;
    m_archive >> count;
    for (DWORD i = 0; i < count; ++i) {
        CStringW name;
        DWORD size = 0;
        m_archive >> name >> size;
        m_archive.EnsureBytesLeft(size);
        std::vector<BYTE> data(size);
        m_archive.Read(data.data(), size);
        images.emplace_back(name, std::move(data));
    }
}
