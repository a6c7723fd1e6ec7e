#include "reader/ReaderFactory.h"
#include "cache/InfoCacheEntry.h"
#include "reader/BCN_CImpJWK.h"
#include "reader/BCN_CImpJWS.h"
#include <cstring>

namespace {
const UINT kSignatureLength = 20;

// The reader for a file that begins with signature; null for none.
CJwCADBase* MakeReader(const char (&signature)[kSignatureLength])
{
    if (memcmp(signature, "jw_cad(c)data.......", kSignatureLength) == 0)
        return new BCN_CImpJWC;
    if (memcmp(signature, "jw_cad(c)sym........", kSignatureLength) == 0)
        return new BCN_CImpJWK;
    if (memcmp(signature, "JwwData.", 8) == 0)
        return new BCN_CImpJWW;
    if (memcmp(signature, "JwsData.", 8) == 0)
        return new BCN_CImpJWS;
    return nullptr;
}

// Puts the reader that the file's signature asks for into entry->doc; false
// when the file is too short or of no known kind.
bool AttachReader(const wchar_t* path, CInfoCacheEntry* entry)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    char signature[kSignatureLength];
    if (file.GetLength() < kSignatureLength)
        return false;
    file.SeekToBegin();
    if (file.Read(signature, kSignatureLength) != kSignatureLength)
        return false;
    CJwCADBase* reader = MakeReader(signature);
    if (!reader)
        return false;
    entry->doc = reader;
    return true;
}
}

bool OpenDrawingFile(const wchar_t* path, CInfoCacheEntry* entry, bool load, HWND progress)
{
    bool created = false;
    try {
        created = AttachReader(path, entry);
        return created && (!load || entry->Reload(path, progress));
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return created;
}
