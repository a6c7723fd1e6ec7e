#pragma once

#include "geometry/Point2D.h"

// An affine map of the plane. A point is a row vector:
//   x' = x m11 + y m21 + m31,  y' = x m12 + y m22 + m32.
// det is the product of the determinants of the rotations and scalings
// applied since the last reset; only its test against 0 is used, which makes
// the point operations refuse a singular map.
struct Transform2D {
    double m11 = 0.0, m12 = 0.0, m13 = 0.0;
    double m21 = 0.0, m22 = 0.0, m23 = 0.0;
    double m31 = 0.0, m32 = 0.0, m33 = 0.0;
    double det = 0.0;

    // m11 m22 - m12 m21, computed from the matrix.
    double LinearDeterminant() const { return m11 * m22 - m12 * m21; }
    // p mapped by the matrix, without the det test.
    Point2D Apply(const Point2D& p) const
    {
        return Point2D(p.x * m11 + p.y * m21 + m31, p.x * m12 + p.y * m22 + m32);
    }
};

// The global transform that places figures. Loads and renders run on
// different threads at once, so every thread has its own; it starts as zero.
Transform2D& GlobalTransform();

// Operations on the global transform. Each appends its step after the
// current mapping.
void ResetTransform();
void TranslateTransform(double tx, double ty);
// Counter-clockwise by SnapAngle90(angle) about centre (the origin if null).
void RotateTransform(double angle, const Point2D* centre);
// By (sx, sy) about centre (the origin if null).
void ScaleTransform(const Point2D* centre, double sx, double sy);

// 0 with dst mapped; -1 with dst untouched when det is 0. src and dst may be
// the same object.
int TransformPoint(const Point2D& src, Point2D& dst);
int TransformPointF(const Point2F& src, Point2F& dst);
int TransformSegment(const Segment2D& src, Segment2D& dst);

// Splits the linear part of m into Rot(angle1) x Scale(sx, sy) x Rot(angle2)
// (a point is rotated by angle1, scaled, then rotated by angle2); sy is
// negative exactly when m mirrors. Any output may be null.
void DecomposeTransform(const Transform2D& m, double* angle1, double* sx, double* sy, double* angle2);
