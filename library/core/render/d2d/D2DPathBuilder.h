#pragma once
#include <windows.h>
#include <atlbase.h>
#include <d2d1.h>

// Opens path, lets build add its figures to the sink and closes it; the
// result is the first failure, or that of closing.
template <class Build> HRESULT BuildPath(ID2D1PathGeometry* path, Build&& build)
{
    ATL::CComPtr<ID2D1GeometrySink> sink;
    HRESULT result = path->Open(&sink);
    if (FAILED(result))
        return result;
    build(sink.p);
    return sink->Close();
}

// One figure through points, closed or open.
inline HRESULT BuildPolyPath(ID2D1PathGeometry* path, const D2D1_POINT_2F* points, size_t count, bool closed)
{
    return BuildPath(path, [&](ID2D1GeometrySink* sink) {
        sink->BeginFigure(points[0], D2D1_FIGURE_BEGIN_FILLED);
        for (size_t i = 1; i < count; ++i)
            sink->AddLine(points[i]);
        sink->EndFigure(closed ? D2D1_FIGURE_END_CLOSED : D2D1_FIGURE_END_OPEN);
    });
}
