#pragma once
#include <windows.h>
#include <d2d1.h>

// Affine maps of the Direct2D side. Points are row vectors, so Then(a, b)
// applies a first and b after it.

D2D1_MATRIX_3X2_F IdentityMatrix();
// Clockwise on the screen by angle degrees about centre.
D2D1_MATRIX_3X2_F RotationAbout(float angle, const D2D1_POINT_2F& centre);
D2D1_MATRIX_3X2_F ScaleAbout(float sx, float sy, const D2D1_POINT_2F& centre);
D2D1_MATRIX_3X2_F Translation(float x, float y);
D2D1_MATRIX_3X2_F Then(const D2D1_MATRIX_3X2_F& first, const D2D1_MATRIX_3X2_F& second);
D2D1_POINT_2F ApplyMatrix(const D2D1_MATRIX_3X2_F& m, const D2D1_POINT_2F& p);
