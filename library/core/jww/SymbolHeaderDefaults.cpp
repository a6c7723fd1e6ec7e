#include "jww/SymbolHeaderDefaults.h"

#include <cstring>

#include "jww/JwwVersion.h"

namespace {

const DWORD kPaperA3 = 3;
const DWORD kShown = 2;

const COLORREF kStandardPenColors[] = {0x000000, 0xFFFF00, 0xFFFFFF, 0x00FF00, 0x00FFFF,
                                       0xC000C0, 0xFF2020, 0x808000, 0x0000A0, 0x808080};

const int kFirstExtraPen = 101;
const COLORREF kExtraPenColors[] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF,
                                    0xFFFF00, 0xFFFFFF, 0x8000C0, 0x4080C0, 0x0080FF, 0x80C080,
                                    0xFF8000, 0xFF4080, 0xC0C0C0, 0x808080};

const double kPrintWidths[] = {0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.1};

struct LineTypeDefault {
    int type;
    DWORD pattern;
    DWORD bits;
    DWORD pitch;
    DWORD valueD;
};

const LineTypeDefault kDashedLineTypes[] = {
    {2, 0x99999999, 4, 1, 10},   {3, 0xC3C3C3C3, 8, 1, 10},   {4, 0xE7E7E7E7, 8, 1, 10},
    {5, 0xF99FF99F, 16, 1, 10},  {6, 0xFFF99FFF, 32, 1, 10},  {7, 0xF24FF24F, 16, 1, 10},
    {8, 0xFFF24FFF, 32, 1, 10},  {9, 0x22222222, 4, 1, 10},   {10, 0, 0, 0, 0},
    {16, 0xFFF99FFF, 32, 2, 20}, {17, 0xFFF24FFF, 32, 2, 20}, {18, 0xFFFE7FFF, 32, 2, 20},
    {19, 0xFFFE7FFF, 32, 4, 40},
};

struct RandomLineDefault {
    int type;
    DWORD pitch;
    DWORD valueD;
    DWORD amplitude;  // also the type's value E
};

const DWORD kRandomLinePattern = 0xCCB2B32A;
const RandomLineDefault kRandomLineTypes[] = {
    {11, 3, 5, 1}, {12, 4, 10, 1}, {13, 5, 15, 2}, {14, 6, 20, 2}, {15, 7, 25, 2},
};

void FillPens(BCN_JWW_CHeadData& header)
{
    std::memcpy(header.m_penColor, kStandardPenColors, sizeof kStandardPenColors);
    std::memcpy(header.m_penColor + kFirstExtraPen, kExtraPenColors, sizeof kExtraPenColors);
    std::memcpy(header.m_printWidth + BCN_JWW_HeadData::kFirstPrintPen, kPrintWidths, sizeof kPrintWidths);
}

void FillLineTypes(BCN_JWW_CHeadData& header)
{
    for (const LineTypeDefault& line : kDashedLineTypes) {
        header.m_lineTypePattern[line.type] = line.pattern;
        header.m_lineTypeBits[line.type] = line.bits;
        header.m_lineTypePitch[line.type] = line.pitch;
        header.m_lineTypeValueD[line.type] = line.valueD;
    }
    for (const RandomLineDefault& line : kRandomLineTypes) {
        header.m_lineTypePattern[line.type] = kRandomLinePattern;
        header.m_lineTypeBits[line.type] = 0;
        header.m_lineTypePitch[line.type] = line.pitch;
        header.m_lineTypeValueD[line.type] = line.valueD;
        header.m_randomLineAmplitude[line.type] = line.amplitude;
        header.m_randomLineValueE[line.type] = line.amplitude;
    }
}

void FillGroups(const BCN_JWS_HeadData& symbol, BCN_JWW_CHeadData& header)
{
    for (int g = 0; g < BCN_JWW_HeadData::kGroups; ++g) {
        header.m_groupScale[g] = symbol.m_groupScale[g];
        header.m_groupState[g] = kShown;
        for (DWORD& state : header.m_layerState[g])
            state = kShown;
    }
}

}

void FillSymbolDrawingHeader(const BCN_JWS_HeadData& symbol, BCN_JWW_CHeadData& header)
{
    std::memcpy(header.m_magic, "JwwData.", sizeof header.m_magic);
    header.m_version = symbol.m_version;
    g_jwwVersion = static_cast<int>(symbol.m_version);
    header.m_paper = kPaperA3;
    FillPens(header);
    FillLineTypes(header);
    FillGroups(symbol, header);
}
