// Resource ids of Quillora.dll.
#pragma once

#define IDS_PROJNAME 100
#define IDR_QUILLORA 101
#define IDR_JWCADTIP 102
#define IDR_JWCADIMAGE 103
#define IDR_KESMARILIB 104
