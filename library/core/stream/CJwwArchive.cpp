#include "stream/CJwwArchive.h"

CJwwArchive::CJwwArchive(CFile* pFile) : CArchive(pFile, CArchive::load, kBufferSize)
{
    SetLoadedObjectOwnership(TRUE);
}

CJwwArchive::~CJwwArchive() = default;
