#pragma once
#include <afx.h>
#include <functional>

// Writes a file whole or not at all: write fills a temporary file beside
// target (named target + ".saving.dat", so the cache folder's sweep spares
// it), which then replaces target. When write throws or the replacement
// fails, the temporary file goes and target stays as it was. False then.
bool WriteReplacing(const CStringW& target, const std::function<void(CFile&)>& write);

// The temporary file WriteReplacing writes for target.
CStringW ReplacingWriteTemporary(const CStringW& target);
