#pragma once
#include <afx.h>
#include <afxcoll.h>
#include <cfloat>
#include <cstdint>
#include "render/gdi/FigNodeList.h"

class CD2DrawCore;
struct DrawData;
class CDC;
struct B_FigText;

// The renderer half of every drawing: the figure lists that a load fills, the
// drawing's extent, the view mapping and the switches of the current draw.
// The readers answer through the virtual operations what only the file
// format knows.
class CDrawBase {
public:
    CDrawBase();
    virtual ~CDrawBase();

    CDrawBase(const CDrawBase&) = delete;
    CDrawBase& operator=(const CDrawBase&) = delete;

    // Whether a figure on layer (group * 16 + layer) is drawn.
    virtual bool IsLayerVisible(uint16_t layer) = 0;
    // A drawing length (text sizes, spacings) in device pixels.
    virtual float ToDeviceLength(double length) = 0;
    // Sets the mapping for the current zoom, origin and size.
    virtual void SetupView() = 0;
    // Device width of pen 0 to 15; also the radius of point figures.
    virtual float GetPenWidth(int pen) = 0;
    // What is drawn after all figures; null from the GDI pass.
    virtual void DrawOverlay(CD2DrawCore* core) = 0;
    virtual COLORREF GetPenColor(int pen) = 0;
    // A dash pattern of the drawing's own for lineType; without one, false
    // and the outputs untouched.
    virtual bool GetUserLineStyle(uint16_t lineType, float dashes[32], int* count);
    // Splits a text with '^' codes into runs; false when it has none.
    virtual bool ParseTextCodes(B_FigText* text) = 0;
    // The value of the text variable text; false when it is none.
    virtual bool ExpandVariable(const wchar_t* text, CStringW& out) = 0;
    // The runs of the last ParseTextCodes.
    virtual CFigNodeList& GetTextRuns() = 0;

    // Appends a figure (owned from now on) to the drawing, growing the extent
    // by its bounds unless noExtent; returns node.
    B_FigNode* AddData(B_FigNode* node, bool noExtent);
    // Deletes every figure and empties the three lists and the extent.
    void DeleteFigures();

    // View set-ups for the readers' SetupView (DrawBaseView.cpp). FitExtent
    // fits the extent (framed by the limits when it is larger) into the zoom
    // square with 6-pixel margins and returns m_zoom - 12; CenterView puts
    // the extent's centre in the middle of the square, shifted by the
    // origin. An empty extent gives the identity mapping.
    int FitExtent(double limitWidth, double limitHeight);
    void CenterView();
    // The preview's fit: a zoom and origin that show the whole extent in the
    // request's visible area, written into request.
    void FitPreview(DrawData& request, double drawingScale, double paperWidth, double paperHeight);

    HWND m_progressWnd;
    CFigNodeList m_figures;  // owns the nodes, in drawing order
    CFigNodeList m_solids;   // type 288, also in m_figures
    CFigNodeList m_images;   // type 357, also in m_figures
    CDC* m_pDC;              // target of the current draw, not owned
    double m_devX, m_devY;   // the last point mapped to the device
    double m_worldRefX, m_worldRefY;
    double m_devOffsetX, m_devOffsetY;
    double m_scale;          // device pixels per world unit
    int m_zoom;              // side of the square the view fits the drawing in
    COLORREF m_backColor;
    double m_extentMinX, m_extentMinY, m_extentMaxX, m_extentMaxY;
    int m_width, m_height;   // target bitmap
    int m_originX, m_originY;
    CStringArray m_imageFiles;  // PNG files made for this drawing's images
    uint32_t m_readerId;
    bool m_wholeDrawing;
    bool m_thickLines;
    bool m_gdiplusImages;
    bool m_print;
    bool m_penWidths;
    bool m_imagesConverted;
    bool m_imageTransparency;
    bool m_mainPass;

private:
    void ResetExtent();
};
