#pragma once
#include <windows.h>
#include <oleauto.h>

class CJwCADBase;
struct ZumenInfo;
struct ZumenLayers;

// The info-tip text of the drawing file path, read with a fresh reader
// (not through the info cache). False when no reader accepts the file or its
// header cannot be read. *text must be null or a string the caller owns; it
// is replaced.
bool BuildZumenInfo(const wchar_t* path, BSTR* text);

// Formats the text of a filled ZumenInfo into *text (replacing it): the
// main template of the reader's kind, then the editing time, the entity
// count and the format version where the drawing has them. Without a reader
// the text says that no drawing could be read. Always 0.
int BuildInfoText(CJwCADBase* reader, ZumenInfo* info, BSTR* text);

// Header information of path through reader, with the layer table when
// layers is not null. An exception while the header is read keeps what was
// filled before it; false only when the reader refused the header.
bool ReadZumenInfo(CJwCADBase* reader, const wchar_t* path, ZumenInfo* info, ZumenLayers* layers);
