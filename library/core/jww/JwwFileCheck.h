#pragma once

#include <afx.h>

// The format versions a drawing (.jww) or a symbol (.jws) may carry.
bool IsAcceptedJwwVersion(DWORD version);
bool IsAcceptedJwsVersion(DWORD version);

// Whether a file is a drawing or a symbol this library reads: long enough,
// with its magic and an accepted version. Reads the file's first bytes; the
// position afterwards is not defined.
bool IsJwwFile(CFile& file);
bool IsJwsFile(CFile& file);
