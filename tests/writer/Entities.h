#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "JwText.h"

namespace jwwrite {

// The fields every entity record starts with.
struct Common {
    uint32_t groupNo = 0;
    uint8_t penStyle = 1;
    uint16_t penColor = 1;
    uint16_t penWidth = 0;  // written from version 351 on
    uint16_t layer = 0;
    uint16_t layerGroup = 0;
    uint16_t flags = 0;
};

struct Line : Common {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Circle, arc, ellipse; angles in radians.
struct Curve : Common {
    double cx = 0, cy = 0, radius = 1, startAngle = 0, arcAngle = 0, tiltAngle = 0, flatness = 1;
    uint32_t fullCircle = 0;
};

// From version 300 on, pen style 100 adds code, angle and scale.
struct Point : Common {
    double x = 0, y = 0;
    uint32_t temporary = 0;
    int32_t code = 0;
    double angle = 0, scale = 1;
};

struct Text : Common {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint32_t kind = 0;  // with the style in its ten thousands
    double width = 3, height = 3, spacing = 0, angle = 0;
    JwText font;
    JwText text;
};

// From version 420 on: sxf mode, two extension lines and four points.
struct Dimension : Common {
    Line line;
    Text text;
    uint16_t sxfMode = 0;
    Line extLine1, extLine2;
    Point point1, point2, point3, point4;
};

// With pen 10 the solid carries its own colour.
struct Solid : Common {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
    uint32_t color = 0;
};

struct BlockInsert : Common {
    double refX = 0, refY = 0, scaleX = 1, scaleY = 1, rotation = 0;
    uint32_t blockNo = 0;
};

// The head of a block definition; its entity list follows it.
struct BlockDefinition : Common {
    uint32_t blockNo = 0;
    uint32_t value2 = 0;
    uint64_t time = 0;
    bool time64 = false;  // the escaped 64-bit time form
    JwText name;
};

using Entity = std::variant<Line, Curve, Point, Text, Dimension, Solid, BlockInsert>;

struct Block {
    BlockDefinition definition;
    std::vector<Entity> entities;
};

// A file that a version 700 drawing carries after its block definitions.
struct EmbeddedImage {
    JwText name;
    std::vector<uint8_t> data;
};

}  // namespace jwwrite
