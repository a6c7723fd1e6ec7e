#pragma once

// How GDI can draw an ellipse of a tilt (degrees): on its axis-aligned
// rectangle when it lies level, on the rectangle with its radii exchanged
// when it stands upright, otherwise only as a polygon.
enum class EllipseTilt { Level, Vertical, Tilted };

EllipseTilt ClassifyTilt(double tilt);
