#include "geometry/Transform2D.h"

#include "geometry/AngleFunctions.h"
#include "geometry/NumTolerance.h"
#include "geometry/TrigTables.h"

#include <cmath>

namespace {

thread_local Transform2D t_globalTransform;

struct Decomposition {
    double angle1 = 0.0;
    double sx = 1.0;
    double sy = 1.0;
    double angle2 = 0.0;
};

double ZeroTinyAngle(double angle)
{
    return std::fabs(angle) < 0.0001 ? 0.0 : angle;
}

Decomposition Decompose(const Transform2D& m)
{
    Decomposition result;
    if (m.LinearDeterminant() == 0.0) return result;
    const double e = (m.m11 + m.m22) / 2.0;
    const double f = (m.m11 - m.m22) / 2.0;
    const double g = (m.m12 - m.m21) / 2.0;
    const double h = (m.m12 + m.m21) / 2.0;
    const double a1 = ArcTanDeg(g, e);
    const double a2 = ArcTanDeg(h, f);
    const double q = std::sqrt(e * e + g * g);
    const double r = std::sqrt(f * f + h * h);
    result.angle2 = ZeroTinyAngle((a2 + a1) / 2.0);
    result.angle1 = ZeroTinyAngle((a1 - a2) / 2.0);
    result.sx = q + r;
    result.sy = q - r;
    if (CompareTol(g_numTol5, result.sx, 1.0) == 0 && CompareTol(g_numTol5, result.sy, 1.0) == 0) {
        result.sx = result.sy = 1.0;
    }
    if (CompareTol(g_numTol5, result.sx, result.sy) == 0) {
        result.sx = result.sy = (result.sx + result.sy) / 2.0;
    }
    return result;
}

} // namespace

Transform2D& GlobalTransform()
{
    return t_globalTransform;
}

void ResetTransform()
{
    Transform2D& m = t_globalTransform;
    m = Transform2D();
    m.m11 = m.m22 = m.m33 = 1.0;
    m.det = 1.0;
}

void TranslateTransform(double tx, double ty)
{
    t_globalTransform.m31 += tx;
    t_globalTransform.m32 += ty;
}

void RotateTransform(double angle, const Point2D* centre)
{
    const double s = SnapAngle90(angle);
    const double c = LookupCosDeg(s);
    const double n = LookupSinDeg(s);
    double tx = 0.0;
    double ty = 0.0;
    if (centre) {
        tx = centre->x - centre->x * c + centre->y * n;
        ty = centre->y - centre->x * n - centre->y * c;
    }
    Transform2D& m = t_globalTransform;
    const Transform2D old = m;
    m.m11 = old.m11 * c - old.m12 * n;
    m.m12 = old.m11 * n + old.m12 * c;
    m.m21 = old.m21 * c - old.m22 * n;
    m.m22 = old.m21 * n + old.m22 * c;
    m.m31 = old.m31 * c - old.m32 * n + tx;
    m.m32 = old.m31 * n + old.m32 * c + ty;
    m.m13 = m.m23 = 0.0;
    m.m33 = 1.0;
    m.det *= c * c + n * n;
}

void ScaleTransform(const Point2D* centre, double sx, double sy)
{
    Transform2D& m = t_globalTransform;
    m.m11 *= sx;
    m.m21 *= sx;
    m.m31 *= sx;
    m.m12 *= sy;
    m.m22 *= sy;
    m.m32 *= sy;
    if (centre) {
        m.m31 += (1.0 - sx) * centre->x;
        m.m32 += (1.0 - sy) * centre->y;
    }
    m.det *= sx * sy;
}

int TransformPoint(const Point2D& src, Point2D& dst)
{
    if (t_globalTransform.det == 0.0) return -1;
    dst = t_globalTransform.Apply(src);
    return 0;
}

int TransformPointF(const Point2F& src, Point2F& dst)
{
    if (t_globalTransform.det == 0.0) return -1;
    const Point2D mapped = t_globalTransform.Apply(Point2D(src.x, src.y));
    dst = Point2F(static_cast<float>(mapped.x), static_cast<float>(mapped.y));
    return 0;
}

int TransformSegment(const Segment2D& src, Segment2D& dst)
{
    if (t_globalTransform.det == 0.0) return -1;
    const Segment2D mapped{t_globalTransform.Apply(src.first), t_globalTransform.Apply(src.second)};
    dst = mapped;
    return 0;
}

void DecomposeTransform(const Transform2D& m, double* angle1, double* sx, double* sy, double* angle2)
{
    const Decomposition d = Decompose(m);
    if (angle1) *angle1 = d.angle1;
    if (sx) *sx = d.sx;
    if (sy) *sy = d.sy;
    if (angle2) *angle2 = d.angle2;
}
