#pragma once
#include <afx.h>

// Unpacks the gzip file packed into the new file target (which must not
// exist yet). False when either file cannot be opened, the data ends
// uncleanly, or it unpacks to more than maxSize bytes; a target made by the
// call is then removed again.
bool UnpackGzipFile(const CStringW& packed, const CStringW& target, ULONGLONG maxSize);
