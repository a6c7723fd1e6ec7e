#pragma once
#include <windows.h>
#include <atlbase.h>
#include <commdlg.h>
#include <cstdint>
#include <map>
#include "geometry/Point2D.h"

struct ID2D1Factory1;
struct ID2D1RenderTarget;
struct ID2D1SolidColorBrush;
struct ID2D1StrokeStyle;
struct ID2D1Geometry;
struct ID2D1PathGeometry;
struct IWICImagingFactory;
struct IDWriteFactory;
struct D2D_POINT_2F;
struct D2D_RECT_F;
struct D2D_MATRIX_3X2_F;
class CDrawBase;
struct B_Base;
struct B_FigPoint;
struct B_FigPointEx;
struct B_FigLine;
struct B_FigPolyline;
struct B_FigCircle;
struct B_FigArc;
struct B_FigEllipse;
struct B_FigEllipseArc;
struct B_FigText;
struct B_FigDim;
struct B_FigSolid;
struct B_FigImage;
struct B_DimTerminator;
struct D2DTextFrame;
struct IDWriteTextLayout;
struct IDWriteTextRenderer;

// Draws a loaded drawing with Direct2D: into the reader's device context
// through a DC render target, or as one printed page through Direct2D
// printing. Its factories are made by Init; brushes and stroke styles are
// kept per colour and per line type for the life of the render target.
// Deleted through its virtual destructor by whoever owns it (a reader, or
// the start-up probe), possibly on another thread than the one that drew.
class CD2DrawCore {
public:
    CD2DrawCore();
    virtual ~CD2DrawCore();

    CD2DrawCore(const CD2DrawCore&) = delete;
    CD2DrawCore& operator=(const CD2DrawCore&) = delete;

    // Starts COM on this thread and makes the Direct2D, WIC and DirectWrite
    // factories; true only when all of them exist.
    bool Init();

    // Draws reader: as a print when the reader prints and printContext is
    // given (the print takes over and frees its DEVMODE and DEVNAMES), else
    // into the reader's device context. worldRect (min x, min y, max x,
    // max y) limits what is drawn unless the reader draws whole. False means
    // nothing was drawn.
    bool Draw(HWND window, CDrawBase* reader, const double worldRect[4], PRINTDLGEXW* printContext);

    // A point marker (type 9); also the part files' reference mark.
    void DrawMarker(B_FigPointEx* marker);

private:
    // Render target and caches (D2DrawCore.cpp).
    bool BindDC(HDC dc, const RECT& rect, COLORREF background);
    void ClearCaches();
    void ReleaseTarget();
    bool GetBrush(COLORREF colour, ID2D1SolidColorBrush** brush);
    bool GetStroke(const B_Base* figure, float* width, ID2D1SolidColorBrush** brush, ID2D1StrokeStyle** style);
    ID2D1StrokeStyle* MakeStrokeStyle(uint16_t lineType);
    void DrawDot(const D2D_POINT_2F& point, COLORREF colour);
    D2D_POINT_2F ToDevice(const Point2D& world);
    bool CreatePath(ID2D1PathGeometry** path);
    void SetTargetTransform(const D2D_MATRIX_3X2_F& transform);
    void ResetTargetTransform();
    COLORREF ShownColour(COLORREF colour) const;

    // The print path (D2DrawPrint.cpp).
    bool PrintPage(HWND window, const double worldRect[4], PRINTDLGEXW* printContext);

    // The passes (D2DrawPasses.cpp).
    bool DrawAll(const double worldRect[4]);
    bool IsShown(const B_Base* figure, const double worldRect[4]);
    void DrawImages(const double worldRect[4], int& counter);
    void DrawSolids(const double worldRect[4], int& counter);
    void DrawFigures(const double worldRect[4], int& counter, int step);
    void DrawFigure(B_Base* figure);
    void DrawSolid(B_FigSolid* solid);
    void DrawPoint(B_FigPoint* point);
    void DrawTextOrRuns(B_FigText* text);
    void DrawDimension(B_FigDim* dimension);
    void PostProgress(WPARAM kind, LPARAM count);

    // Lines, polylines and marks (D2DrawShapes.cpp).
    void DrawLine(B_FigLine* line);
    bool DrawPatternedLine(const B_Base* figure);
    void DrawPolyline(B_FigPolyline* polyline);
    void DrawDimensionEnd(const B_Base* end, const B_DimTerminator& terminator, bool first, double angle);
    void DrawLines(const D2D_POINT_2F* ends, int count, ID2D1SolidColorBrush* brush);
    void DrawPolygon(const D2D_POINT_2F* corners, int count, bool fill, bool outline, ID2D1SolidColorBrush* brush);
    void DrawRound(const D2D_POINT_2F& centre, float radius, bool fill, bool outline, ID2D1SolidColorBrush* brush);

    // Circles, arcs, ellipses and rings (D2DrawCurves.cpp).
    void DrawCircle(B_FigCircle* circle);
    void DrawArc(B_FigArc* arc);
    void DrawEllipse(B_FigEllipse* ellipse);
    void DrawEllipseArc(B_FigEllipseArc* arc);
    void DrawCurve(const B_Base* figure, const Point2D& centre, double a, double b, double tilt, const Point2D* start,
                   const Point2D* end);
    void DrawArcShape(const B_Base* figure, const D2D_RECT_F& rect, const D2D_POINT_2F& p, const D2D_POINT_2F& q);
    void DrawCircleRing(B_FigCircle* circle, double inner);
    void DrawArcRing(B_FigArc* arc, double inner);
    void DrawEllipseRing(B_FigEllipse* ellipse, double inner);
    void DrawEllipseArcRing(B_FigEllipseArc* arc, double inner);
    void DrawRing(const B_Base* figure, const Point2D& centre, double a, double b, double innerA, double innerB,
                  double tilt, const Point2D* start, const Point2D* end);
    void FillRing(COLORREF colour, const D2D_RECT_F& outer, const D2D_RECT_F& inner);
    void FillRingSector(COLORREF colour, const D2D_RECT_F& outer, const D2D_RECT_F& inner, const D2D_POINT_2F& p,
                        const D2D_POINT_2F& q);
    HRESULT BuildRingSector(ID2D1PathGeometry* path, const D2D_RECT_F& outer, const D2D_RECT_F& inner,
                            const D2D_POINT_2F& p, const D2D_POINT_2F& q);

    // Images and hatching (D2DrawImages.cpp).
    void DrawImageFrame(B_FigImage* image);
    bool DrawPicture(B_FigImage* image, ID2D1Geometry* frame);
    void FillHatched(ID2D1Geometry* geometry, float angle);

    // Text (D2DrawText.cpp).
    void DrawTextFigure(B_FigText* text);
    void DrawTinyText(const B_FigText* text, const D2DTextFrame& frame);
    bool PrepareCharacter(IDWriteTextLayout* layout, UINT32 count, IUnknown* effect, uint16_t textFlags);
    void DrawCharacter(IDWriteTextLayout* layout, IDWriteTextRenderer* renderer, const D2DTextFrame& frame,
                       const D2D_POINT_2F& pen, bool halfWidth, bool longVowelMark, uint16_t textFlags);

    ATL::CComPtr<ID2D1Factory1> m_factory;
    ATL::CComPtr<IWICImagingFactory> m_wicFactory;
    ATL::CComPtr<ID2D1RenderTarget> m_target;
    ATL::CComPtr<IDWriteFactory> m_writeFactory;
    CDrawBase* m_reader;              // the drawing of the current draw, not owned
    COLORREF m_background;
    bool m_figurePass;                // the all-figures pass, which inverts the background colour
    std::map<uint32_t, ID2D1SolidColorBrush*> m_brushes;
    std::map<uint16_t, ID2D1StrokeStyle*> m_strokes;
    // COM is ended only on the thread that began it, and only when it did.
    DWORD m_comThread;
    bool m_comStarted;
};
