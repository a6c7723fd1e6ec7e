#include "figures/B_FigImage.h"

#include "geometry/AngleFunctions.h"
#include "geometry/NumTolerance.h"
#include "geometry/VectorFunctions.h"

bool B_FigImage::Layout(const B_ImageParams& imageParams, const Point2D& origin)
{
    params = imageParams;
    const double w = params.width;
    const double h = params.height;
    corners[0] = origin;
    corners[1] = Point2D(origin.x + w, origin.y);
    corners[2] = Point2D(origin.x + w, origin.y + h);
    corners[3] = Point2D(origin.x, origin.y + h);
    if (CompareTol(g_numTol6, params.angle, 0.0) != 0) {
        for (int i = 1; i < 4; ++i) RotatePoint(corners[i], corners[i], params.angle, &corners[0]);
    }
    return true;
}
