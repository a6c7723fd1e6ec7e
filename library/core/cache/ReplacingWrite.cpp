#include "cache/ReplacingWrite.h"

namespace {
// Writes the temporary file; false (and the file gone when this call made
// it) on any failure.
bool WriteTemporary(const CStringW& temporary, const std::function<void(CFile&)>& write)
{
    CFile file;
    if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return false;
    try {
        write(file);
        file.Flush();
        file.Close();
        return true;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    file.Abort();
    DeleteFileW(temporary);
    return false;
}
}

CStringW ReplacingWriteTemporary(const CStringW& target)
{
    return target + L".saving.dat";
}

bool WriteReplacing(const CStringW& target, const std::function<void(CFile&)>& write)
{
    CStringW temporary = ReplacingWriteTemporary(target);
    if (!WriteTemporary(temporary, write))
        return false;
    if (MoveFileExW(temporary, target, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(temporary);
    return false;
}
