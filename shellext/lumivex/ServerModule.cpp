#include "ServerModule.h"

// {C90C0915-E32A-4DB1-A936-0308D5E344B3}
const CLSID CLSID_LumivexPreviewHandler = {
    0xc90c0915, 0xe32a, 0x4db1, {0xa9, 0x36, 0x03, 0x08, 0xd5, 0xe3, 0x44, 0xb3}};
const wchar_t kLumivexClassText[] = L"{C90C0915-E32A-4DB1-A936-0308D5E344B3}";
const wchar_t kLumivexAppIdText[] = L"{980E76EA-A409-4E2D-81FD-CBCFD6E5F711}";
const wchar_t* const kPreviewExtensions[4] = {L".jww", L".jwc", L".jws", L".jwk"};

LONG g_dllObjectCount = 0;
