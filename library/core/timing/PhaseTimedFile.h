#pragma once
#include <afx.h>

// A file whose reads are timed as the file-read phase: a load reads its
// file through the archive's buffer, a few kilobytes at a time, so the
// reads are spans inside the object stream.
class CPhaseTimedFile : public CFile {
public:
    CPhaseTimedFile(LPCWSTR fileName, UINT openFlags) : CFile(fileName, openFlags) {}

    UINT Read(void* buffer, UINT count) override;
};
