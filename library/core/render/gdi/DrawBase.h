#pragma once
#include <afx.h>
#include <afxcoll.h>
#include <commdlg.h>
#include <cfloat>
#include <cstdint>
#include <memory>
#include <vector>
#include "geometry/Point2D.h"
#include "render/d2d/D2DrawRequest.h"
#include "memory/DrawingArena.h"
#include "render/gdi/DeviceClip.h"
#include "render/gdi/FigNodeList.h"
#include "render/gdi/GdiplusToken.h"
#include "render/gdi/RandomLineBuilder.h"
#include "render/gdi/PassBrushCache.h"
#include "render/gdi/PassPenCache.h"
#include "render/gdi/TextFontCache.h"

class CD2DrawCore;
class CDC;
class CRgn;
struct DrawData;
struct B_FigArc;
struct B_FigCircle;
struct B_FigDim;
struct B_FigEllipse;
struct B_FigEllipseArc;
struct B_FigImage;
struct B_FigLine;
struct B_FigPoint;
struct B_FigPointEx;
struct B_FigPolyline;
struct B_FigSolid;
struct B_FigText;
struct B_DimTerminator;
struct B_ImageParams;
struct EllipseGeom;

// The renderer half of every drawing: the figure lists that a load fills, the
// drawing's extent, the view mapping and the switches of the current draw.
// The readers answer through the virtual operations what only the file
// format knows.
class CDrawBase {
public:
    // The figure's pen and the solid or hatch brushes, selected into the
    // renderer's DC for their lifetime (DrawBasePen.h).
    class CMyPen;
    class CMyBsh;

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
    // The dash pattern lines of lineType are drawn with (DrawBasePen.cpp):
    // the drawing's own, else the built-in row of types 2 to 9, at most 32
    // lengths; false, with count untouched, for a type with neither.
    bool LineDashes(uint16_t lineType, float dashes[32], int* count);
    // Splits a text with '^' codes into runs; false when it has none.
    virtual bool ParseTextCodes(B_FigText* text) = 0;
    // The value of the text variable text; false when it is none.
    virtual bool ExpandVariable(const wchar_t* text, CStringW& out) = 0;
    // The runs of the last ParseTextCodes.
    virtual CFigNodeList& GetTextRuns() = 0;

    // Draws the drawing for request into dc (DrawBaseRender.cpp): copies the
    // request's view and switches, sets the reader's layer mask and view,
    // and runs the GDI pass. Always TRUE; without a DC nothing is drawn.
    // printContext is the printer choice of a Direct2D print, else null.
    BOOL Draw(DrawData* request, CDC* dc, PRINTDLGEXW* printContext);
    // The GDI pass over all figures; worldRect (min x, min y, max x, max y)
    // is what a draw of part of the drawing shows. False without a DC.
    bool DrawGdi(const double worldRect[4]);

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
    // The extent's width and height; 0 for an empty drawing, whose extent
    // still spans from DBL_MAX to -DBL_MAX.
    void ExtentSize(double* width, double* height) const;
    // How far the origin must move so that a zoom to newZoom keeps the world
    // point under the device point of the visible area view in place (or,
    // with centre, brings it to the middle of the visible area).
    void ZoomAt(int newZoom, const SIZE& view, const POINT& point, POINT& shift, bool centre);

    // Images (DrawBaseImages.cpp). ParseImageText reads a "^@BM" text into
    // out: 1 when it names an image of positive size, else 0; readerId is 0
    // for drawings that keep no images of their own.
    static int ParseImageText(const CStringW& text, B_ImageParams* out, const CStringW& drawingPath,
                              uint32_t readerId);
    // Notes that the drawing has images; an image with a key colour gets a
    // PNG copy with that colour transparent, listed in m_imageFiles.
    void ConvertImages(const B_ImageParams* record);
    CStringW ImagePngName(uint16_t imageNumber) const;
    // The PNG copy when transparency is on and the copy was made, else the
    // image file itself.
    CStringW ImageFileFor(const B_ImageParams& record) const;
    // Draws the frame's image through GDI+ into the parallelogram of the
    // device corners 4, 3 and 1; false when the image cannot be loaded.
    bool DrawImageGdiplus(HDC dc, const B_Base* frame, const POINT corners[4]);
    // Deletes the listed image files that lie in the cache folder and
    // empties the list.
    void DeleteImageFiles();

    // The part files' reference mark at point, when the settings ask for it:
    // with the Direct2D core when one draws, else with GDI.
    void DrawReferenceMark(const double point[2], CD2DrawCore* core);

    // The colour a figure is drawn in: in the main pass, the background
    // colour turns into its inverse so that the figure stays visible.
    COLORREF VisibleColor(COLORREF colour) const;
    // Maps a world point into m_devX, m_devY.
    void MapPoint(double x, double y);
    // The last mapped point as integer pixels (truncated, kept within the
    // range GDI takes).
    POINT DevicePoint() const;

    HWND m_progressWnd;
    CDrawingArena m_figureArena;  // the memory of the nodes and figures a load made
    CFigNodeList m_figures{kFigureListBlock};  // owns the nodes, in drawing order
    CFigNodeList m_solids{kFigureListBlock};  // type 288, also in m_figures
    CFigNodeList m_images;   // type 357, also in m_figures
    RandomLineBuilder m_randomLine;
    CDC* m_pDC;              // target of the current draw, not owned
    CTextFontCache m_textFonts;  // emptied after each GDI pass
    CPassPenCache m_passPens;    // emptied before and after each GDI pass
    CPassBrushCache m_passBrushes;  // emptied before and after each GDI pass
    // Scratch of the texts of a pass, kept so that a text allocates nothing.
    struct TextScratch {
        std::vector<WORD> types;
        std::vector<POINT> places;
        std::vector<INT> advances;
    } m_textScratch;
    std::vector<POINT> m_polylineScratch;  // the device points of DrawPolyline
    std::unique_ptr<GdiplusToken> m_pGdiplus;  // while a GDI pass draws images
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
    uint32_t m_readerId;     // unique in the process, never 0
    bool m_wholeDrawing;
    bool m_thickLines;
    bool m_gdiplusImages;
    bool m_print;
    bool m_penWidths;
    bool m_imagesConverted;
    bool m_imageTransparency;
    bool m_mainPass;
    // Whether level texts may go out in one call each: in a pass on a memory
    // DC in device units, where the advances are the very pixel distances.
    // A metafile or a printer keeps a call per character.
    bool m_oneCallTexts;

protected:
    // The drawing routines of the GDI pass, one per figure kind; each maps
    // with the current view and falls back to one pixel when the figure is
    // too small to draw. They return whether something was drawn.
    bool DrawFigure(const B_Base* fig);
    bool DrawPoint(const B_FigPoint& point);
    bool DrawMarker(const B_FigPointEx& marker);
    bool DrawLine(const B_FigLine& line);
    bool DrawPolyline(const B_FigPolyline& polyline);
    bool DrawCircle(const B_FigCircle& circle);
    bool DrawArc(const B_FigArc& arc);
    bool DrawEllipse(const B_FigEllipse& ellipse);
    bool DrawEllipseArc(const B_FigEllipseArc& arc);
    bool DrawTextFigure(const B_Base* text);
    bool DrawDimension(const B_FigDim& dim);
    bool DrawSolid(const B_FigSolid& solid);
    bool DrawImageFrame(const B_FigImage& frame);

    bool DrawArcShape(const B_Base& figure, const RECT& rect, POINT start, POINT end);
    bool DrawDimensionEnd(const B_Base* end, const B_DimTerminator& terminator, bool first, double angle);
    bool FillRing(COLORREF colour, const RECT& outer, const RECT& inner);
    bool DrawArcRing(const B_FigArc& arc, double innerRadius);
    bool DrawEllipseRing(const B_FigEllipse& ellipse, double innerRadius);
    bool DrawEllipseArcRing(const B_FigEllipseArc& arc, double innerRadius);
    bool SetPixelChecked(int x, int y, COLORREF colour);
    bool DrawRandomLine(const B_Base& figure);

    // Output cut to the bitmap grown by a margin (DrawBaseClip.cpp), so that
    // a figure far off the bitmap costs nothing.
    DeviceBox SafeBox() const;
    bool DrawDeviceSegment(Point2D a, Point2D b);
    bool DrawDevicePolyline(const POINT* points, size_t count);
    bool DrawDevicePolygon(const POINT* points, size_t count);
    // Whether GDI may draw an ellipse-based shape on rect: it shows and is
    // not so large that GDI would walk its whole outline.
    bool ShapeFits(const RECT& rect) const;
    // A curve too large for ShapeFits, flattened at device precision and cut
    // to the box.
    bool DrawHugeCurve(const B_Base& curve);

private:
    void PrepareDraw(const DrawData& request, CDC* dc, double worldRect[4]);
    void CopyRequest(const DrawData& request);
    void VisibleWorldRect(const DrawData& request, double worldRect[4]);
    D2DrawResult DrawDirect2D(const double worldRect[4], PRINTDLGEXW* printContext);
    void PostProgress(WPARAM kind, LPARAM count) const;
    void DrawTextRuns(const B_FigText& text);
    void DrawPlacedCharacters(const CStringW& chars, const std::vector<POINT>& places, POINT after);
    bool DrawCurveAsPolyline(const B_Base& curve, bool closed);
    bool DrawRingPolygon(const B_Base& outer, const B_Base& inner);
    bool FillPolygonRing(COLORREF colour, const B_Base& outer, const B_Base& inner, double radiusFactor,
                         uint32_t capacity);
    bool ClippedCurve(const B_Base& curve, double radiusFactor, uint32_t capacity, std::vector<POINT>& points);
    bool FillXor(COLORREF colour, CRgn& first, CRgn& second);
    void DevicePoints(const std::vector<Point2D>& world, std::vector<POINT>& device);
    RECT CurveRect(const Point2D& centre, double rx, double ry);
    bool ArcEnds(const Point2D& first, const Point2D& second, POINT& start, POINT& end);
    bool DrawEllipseCurve(const B_Base& curve, const EllipseGeom& g, const Point2D* first, const Point2D* second);
    void ResetExtent();
};
