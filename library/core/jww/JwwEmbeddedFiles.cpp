#include "jww/JwwEmbeddedFiles.h"
#include "jww/GzipUnpack.h"
#include "jww/NewFile.h"
#include <algorithm>

namespace {
const UINT kCopyPiece = 2048;
const wchar_t kPackedSuffix[] = L".gz";
const int kPackedSuffixLength = 3;

bool IsPackedName(const CStringW& name)
{
    return name.GetLength() > kPackedSuffixLength &&
           name.Right(kPackedSuffixLength).CompareNoCase(kPackedSuffix) == 0;
}

bool HasControlCharacter(const CStringW& name)
{
    for (int i = 0; i < name.GetLength(); ++i) {
        if (name[i] < L' ')
            return true;
    }
    return false;
}
}

CStringW ReaderFilePrefix(const CStringW& cacheFolder, uint32_t readerId)
{
    CStringW prefix;
    prefix.Format(L"%s%08X", cacheFolder.GetString(), readerId);
    return prefix;
}

CJwwEmbeddedFiles::CJwwEmbeddedFiles(const CStringW& prefix) : m_prefix(prefix)
{
}

bool CJwwEmbeddedFiles::IsBareName(const CStringW& name)
{
    return !name.IsEmpty() && name.FindOneOf(L"\\/:") < 0 && name.Find(L"..") < 0 && !HasControlCharacter(name);
}

void CJwwEmbeddedFiles::Read(CArchive& ar, CFile& file, const std::atomic<bool>& cancel, CStringArray& unpacked)
{
    ar.Flush();
    if (file.GetPosition() >= file.GetLength())
        return;
    DWORD count = 0;
    ar >> count;
    for (DWORD i = 0; i < count && !cancel; ++i)
        ReadOne(ar, unpacked);
}

// The packed copy lives only while it is unpacked; files of any other kind
// have no reader and are passed over. Only files this call made are removed.
void CJwwEmbeddedFiles::ReadOne(CArchive& ar, CStringArray& unpacked)
{
    CStringW name;
    DWORD size = 0;
    ar >> name >> size;
    CStringW target;
    if (!TargetFor(name, target)) {
        CopyToNewFile(ar, size, CStringW());
        return;
    }
    CStringW packed = m_prefix + name;
    if (!CopyToNewFile(ar, size, packed))
        return;
    if (UnpackGzipFile(packed, target, kMaxUnpackedSize))
        unpacked.Add(target);
    DeleteFileW(packed);
}

bool CJwwEmbeddedFiles::TargetFor(const CStringW& name, CStringW& target) const
{
    if (!IsBareName(name) || !IsPackedName(name))
        return false;
    target = m_prefix + name.Left(name.GetLength() - kPackedSuffixLength);
    return true;
}

bool CJwwEmbeddedFiles::CopyToNewFile(CArchive& ar, DWORD size, const CStringW& path)
{
    CNewFile output;
    bool writing = !path.IsEmpty() && output.Create(path);
    bool created = writing;
    BYTE piece[kCopyPiece];
    DWORD left = size;
    while (left > 0) {
        UINT read = ar.Read(piece, std::min<DWORD>(left, kCopyPiece));
        if (read == 0)
            break;
        left -= read;
        writing = writing && output.Write(piece, read);
    }
    output.Close();
    if (created && !writing)
        DeleteFileW(path);
    return writing;
}
