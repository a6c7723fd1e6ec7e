// Helpers for archive tests: store into memory, read from bytes, show
// bytes as hex, and report the cause of an archive exception.
#pragma once

#include <afx.h>

#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// Runs store() on a storing archive over a memory file; answers the bytes.
Bytes StoreBytes(const std::function<void(CArchive&)>& store, int nBufSize = 4096);

// Runs load() on a loading archive over a copy of the bytes.
void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load, int nBufSize = 4096);

// The cause of the CArchiveException that load() throws, or -1 for none.
int ArchiveCause(const Bytes& bytes, const std::function<void(CArchive&)>& load);

// "FF FE 03" style.
std::string Hex(const Bytes& bytes);
Bytes FromHex(const std::string& hex);
Bytes Concat(std::initializer_list<Bytes> parts);
// The bytes of a narrow text, without a terminator.
Bytes Text(const std::string& text);
Bytes Repeat(BYTE value, size_t nCount);
