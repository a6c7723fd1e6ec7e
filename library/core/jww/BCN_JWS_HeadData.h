#pragma once

#include <windows.h>

// The numbers of a symbol's 452-byte file header, in file order.
struct BCN_JWS_HeadData {
    static const int kGroups = 16;
    static const UINT kFileSize = 452;  // the entity list starts here

    char m_magic[8];
    BYTE m_block[192];
    DWORD m_version;
    double m_refX;  // reference point of the symbol
    double m_refY;
    double m_groupScale[kGroups];  // element 0 is the symbol's scale
    DWORD m_values[6];
    double m_doubles1[6];
    double m_doubles2[4];
};
