#pragma once

#include <windows.h>

// Every number of a drawing's file header. The fields the library uses come
// first; the values it only reads past follow in stream order.
struct BCN_JWW_HeadData {
    static const int kGroups = 16;
    static const int kLayers = 16;
    static const int kPens = 357;            // 0 to 9 and the extended 100 to 356
    static const int kFirstExtendedPen = 100;
    static const int kFirstPrintPen = 1;     // pens 1 to 8 have print widths
    static const int kLastPrintPen = 8;
    static const int kLineTypes = 63;        // 2 to 9, 11 to 19, extended 30 to 62
    static const int kRandomLineTypes = 16;  // 11 to 15
    static const int kFirstExtendedLineType = 30;
    static const int kExtendedLineTypes = 33;
    static const int kLineTypeParams = 11;   // elements 1 to 10 are used

    char m_magic[8];
    DWORD m_version;
    DWORD m_paper;
    DWORD m_writeGroup;  // only the low 4 bits count
    DWORD m_groupState[kGroups];  // 0 hidden, 1 reference only, 2 shown, 3 written to
    DWORD m_groupWriteLayer[kGroups];
    double m_groupScale[kGroups];
    DWORD m_groupExtra[kGroups];
    DWORD m_layerState[kGroups][kLayers];
    DWORD m_layerExtra[kGroups][kLayers];
    LONG m_widthMode;
    double m_viewZoom;
    double m_viewCenterX;
    double m_viewCenterY;
    COLORREF m_penColor[kPens];
    DWORD m_penColorB[kPens];
    DWORD m_penValueC[kPens];
    DWORD m_penWidth[kPens];  // only the low 16 bits count
    double m_printWidth[kPens];
    DWORD m_lineTypePattern[kLineTypes];  // dashes are 1 bits, from bit 31 down
    DWORD m_lineTypeBits[kLineTypes];
    DWORD m_lineTypePitch[kLineTypes];
    DWORD m_lineTypeValueD[kLineTypes];
    DWORD m_randomLineAmplitude[kRandomLineTypes];
    DWORD m_randomLineValueE[kRandomLineTypes];
    LONG m_timeSpan;  // seconds spent on the drawing
    DWORD m_extLineTypeValue[kExtendedLineTypes];
    double m_extLineTypeParams[kExtendedLineTypes][kLineTypeParams];

    // Read only to stay in step with the stream.
    DWORD m_settings1[14];
    DWORD m_settings2[6];
    double m_settings3[3];
    DWORD m_settings4[2];
    double m_settings5[5];
    double m_grid1[2];
    DWORD m_grid2;
    double m_grid3;
    double m_grid4[2];  // from version 300
    DWORD m_grid5;
    double m_view2[3];
    double m_marks1[8][3];  // zoom marks, from version 300
    DWORD m_marks2[8];      // from version 300
    double m_textState1[3];  // from version 300
    DWORD m_textState2;      // from version 300
    double m_textState3[3];  // from version 300
    DWORD m_textState4;      // from version 300
    double m_marksOld[4][3];  // before version 300
    double m_sizes1[10];
    double m_sizes2;
    DWORD m_counters[12];  // the DWORDs around the time span
    double m_hundredths[3];
    double m_tail1[9];
    DWORD m_tail2[2];
    double m_tail3[10][3];
    DWORD m_tail4[10];
    double m_tail5[3];
    DWORD m_tail6[2];
    double m_tail7[2];
    DWORD m_tail8;
    double m_tail9[6];
};
