#pragma once
#include <afxwin.h>

// A bitmap as the persisted icon records hold it: a word with the size of
// the bitmap-info block, the block (the 40-byte header as GetDIBits reports
// it, then 16 colours for 4 bits a pixel, 256 for 8, otherwise three
// bit-field masks), a word with the pixel size and the pixels. A single word
// 0 stands for no bitmap.
class KvoIconBitmapRecord
{
public:
    // Writes the record of bitmap (0 when it is null or cannot be read).
    static void Write(CArchive& ar, HBITMAP bitmap);
    // Reads a record: null for the word 0; a section bitmap otherwise, whose
    // pixels go to *bits when asked. A record whose header, bit count or
    // sizes do not agree with each other or with the bytes there raises
    // CArchiveException before anything is allocated from it.
    static HBITMAP Read(CArchive& ar, LPBYTE* bits = nullptr);

    // Largest image a record may describe.
    static const LONG kMaxDimension = 4096;
};
