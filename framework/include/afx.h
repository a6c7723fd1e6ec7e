// The non-window core of the class library: objects with run-time class
// information, exceptions, files and the archive object stream.
#pragma once

#include <windows.h>

#include <atlstr.h>
#include <atltime.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

// An opaque iteration position of the collection classes.
struct __POSITION
{
};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))

#include "afx/Object.h"
#include "afx/Exception.h"
#include "afx/File.h"
#include "afx/MemFile.h"
#include "afx/FileFind.h"
#include "afx/Archive.h"
