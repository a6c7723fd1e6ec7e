#include "ArchiveSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

Bytes StoreBytes(const std::function<void(CArchive&)>& store, int nBufSize)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, nBufSize);
        store(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load, int nBufSize)
{
    Bytes copy(bytes);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load, nBufSize);
    load(ar);
}

int ArchiveCause(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    try
    {
        LoadBytes(bytes, load);
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

std::string Hex(const Bytes& bytes)
{
    std::string text;
    char sz[4];
    for (BYTE b : bytes)
    {
        std::snprintf(sz, sizeof(sz), "%02X", b);
        if (!text.empty())
            text += ' ';
        text += sz;
    }
    return text;
}

Bytes FromHex(const std::string& hex)
{
    Bytes bytes;
    std::istringstream in(hex);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<BYTE>(std::strtoul(pair.c_str(), nullptr, 16)));
    return bytes;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Repeat(BYTE value, size_t nCount)
{
    return Bytes(nCount, value);
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}
