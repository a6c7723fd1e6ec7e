#pragma once
#include <windows.h>
#include <d2d1.h>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// A geometry sink that writes down what it is told, one step per entry:
// "fill winding", "begin x,y", "line x,y", "arc x,y r=w,h cw large",
// "end closed"; points rounded to 0.01.
class GeometryRecorder : public ID2D1GeometrySink {
public:
    std::vector<std::string> steps;
    std::vector<D2D1_ARC_SEGMENT> arcs;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    void STDMETHODCALLTYPE SetFillMode(D2D1_FILL_MODE mode) override
    {
        steps.push_back(mode == D2D1_FILL_MODE_WINDING ? "fill winding" : "fill alternate");
    }
    void STDMETHODCALLTYPE SetSegmentFlags(D2D1_PATH_SEGMENT) override {}
    void STDMETHODCALLTYPE BeginFigure(D2D1_POINT_2F point, D2D1_FIGURE_BEGIN) override
    {
        steps.push_back("begin " + Text(point));
    }
    void STDMETHODCALLTYPE AddLines(const D2D1_POINT_2F* points, UINT count) override
    {
        for (UINT i = 0; i < count; ++i)
            AddLine(points[i]);
    }
    void STDMETHODCALLTYPE AddBeziers(const D2D1_BEZIER_SEGMENT*, UINT) override { steps.push_back("beziers"); }
    void STDMETHODCALLTYPE EndFigure(D2D1_FIGURE_END end) override
    {
        steps.push_back(end == D2D1_FIGURE_END_CLOSED ? "end closed" : "end open");
    }
    HRESULT STDMETHODCALLTYPE Close() override
    {
        steps.push_back("close");
        return S_OK;
    }
    void STDMETHODCALLTYPE AddLine(D2D1_POINT_2F point) override { steps.push_back("line " + Text(point)); }
    void STDMETHODCALLTYPE AddBezier(const D2D1_BEZIER_SEGMENT*) override { steps.push_back("bezier"); }
    void STDMETHODCALLTYPE AddQuadraticBezier(const D2D1_QUADRATIC_BEZIER_SEGMENT*) override {}
    void STDMETHODCALLTYPE AddQuadraticBeziers(const D2D1_QUADRATIC_BEZIER_SEGMENT*, UINT) override {}
    void STDMETHODCALLTYPE AddArc(const D2D1_ARC_SEGMENT* arc) override
    {
        arcs.push_back(*arc);
        steps.push_back("arc " + Text(arc->point) + " r=" + Number(arc->size.width) + "," + Number(arc->size.height) +
                        (arc->sweepDirection == D2D1_SWEEP_DIRECTION_CLOCKWISE ? " cw" : " ccw") +
                        (arc->arcSize == D2D1_ARC_SIZE_LARGE ? " large" : " small"));
    }

private:
    static std::string Number(float value)
    {
        char text[32];
        snprintf(text, sizeof text, "%g", std::round(value * 100.0) / 100.0);
        return text;
    }
    static std::string Text(const D2D1_POINT_2F& point) { return Number(point.x) + "," + Number(point.y); }
};
