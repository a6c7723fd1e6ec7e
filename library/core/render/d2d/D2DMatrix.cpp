#include "render/d2d/D2DMatrix.h"
#include "render/d2d/Direct2DLibraries.h"

namespace {
D2D1_MATRIX_3X2_F Matrix(float m11, float m12, float m21, float m22, float dx, float dy)
{
    D2D1_MATRIX_3X2_F matrix;
    matrix._11 = m11;
    matrix._12 = m12;
    matrix._21 = m21;
    matrix._22 = m22;
    matrix._31 = dx;
    matrix._32 = dy;
    return matrix;
}
}

D2D1_MATRIX_3X2_F IdentityMatrix()
{
    return Matrix(1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
}

// Direct2D's own rotation, so that angles come out as its drawings expect;
// a core exists only where it was bound.
D2D1_MATRIX_3X2_F RotationAbout(float angle, const D2D1_POINT_2F& centre)
{
    D2D1_MATRIX_3X2_F matrix = IdentityMatrix();
    Direct2DLibraries::Instance().makeRotateMatrix(angle, centre, &matrix);
    return matrix;
}

D2D1_MATRIX_3X2_F ScaleAbout(float sx, float sy, const D2D1_POINT_2F& centre)
{
    return Matrix(sx, 0.0f, 0.0f, sy, centre.x - sx * centre.x, centre.y - sy * centre.y);
}

D2D1_MATRIX_3X2_F Translation(float x, float y)
{
    return Matrix(1.0f, 0.0f, 0.0f, 1.0f, x, y);
}

D2D1_MATRIX_3X2_F Then(const D2D1_MATRIX_3X2_F& a, const D2D1_MATRIX_3X2_F& b)
{
    return Matrix(a._11 * b._11 + a._12 * b._21,       a._11 * b._12 + a._12 * b._22,
                             a._21 * b._11 + a._22 * b._21,       a._21 * b._12 + a._22 * b._22,
                             a._31 * b._11 + a._32 * b._21 + b._31, a._31 * b._12 + a._32 * b._22 + b._32);
}

D2D1_POINT_2F ApplyMatrix(const D2D1_MATRIX_3X2_F& m, const D2D1_POINT_2F& p)
{
    return D2D1_POINT_2F{p.x * m._11 + p.y * m._21 + m._31, p.x * m._12 + p.y * m._22 + m._32};
}
