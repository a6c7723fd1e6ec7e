#pragma once

#include <afx.h>

// A loading archive over a drawing file. Its load table owns every object
// that reading creates and deletes each exactly once when the archive is
// destroyed, also after a failed read, however often the stream refers to an
// object again. Lists that received such objects must be emptied before the
// archive goes, and objects read through it never delete what they hold.
class CJwwArchive : public CArchive {
public:
    // Few reads for a drawing: each is a system call, and the buffer of one
    // archive serves the next (the archive keeps a spare).
    static const int kBufferSize = 65536;

    explicit CJwwArchive(CFile* pFile);
    ~CJwwArchive();

    CJwwArchive(const CJwwArchive&) = delete;
    CJwwArchive& operator=(const CJwwArchive&) = delete;
};
