#pragma once
// "PrintData.dat": the printer chosen in the print dialog last time, so that
// Shift+print can print on it without the dialog. The file holds the magic,
// the PRINTDLGEXW as it stood after the dialog (only its size is used), and
// the DEVNAMES and DEVMODE blocks, each after its byte count.
#include <windows.h>
#include <commdlg.h>
#include <cstdint>

const uint32_t kPrintDataMagic = 20191010;
const wchar_t kPrintDataFileName[] = L"PrintData.dat";
// No printer's names or settings come near these; a larger count is damage.
const uint32_t kPrintDataMaxDevNames = 8 * 1024;
const uint32_t kPrintDataMaxDevMode = 64 * 1024;

// Writes path from the hDevNames and hDevMode blocks of pd, which stay the
// caller's. Nothing is written when a block is missing, cannot be locked,
// or its strings or sizes do not lie inside it. File errors are dropped;
// the result says whether the file was written.
bool SavePrintDataFile(const wchar_t* path, const PRINTDLGEXW& pd);

// Reads path into two new blocks in pd.hDevNames and pd.hDevMode (the
// caller's to free). False, with both handles left untouched and nothing
// allocated, for a missing, foreign or damaged file: every count and offset
// in it is checked against the bytes that are there.
bool LoadPrintDataFile(const wchar_t* path, PRINTDLGEXW& pd);
