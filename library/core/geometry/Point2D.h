#pragma once

// A point (or vector) of the drawing plane.
struct Point2D {
    double x = 0.0;
    double y = 0.0;

    constexpr Point2D() = default;
    constexpr Point2D(double px, double py) : x(px), y(py) {}
};

// The float point of the Direct2D side.
struct Point2F {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Point2F() = default;
    constexpr Point2F(float px, float py) : x(px), y(py) {}
};

struct Segment2D {
    Point2D first;
    Point2D second;
};
