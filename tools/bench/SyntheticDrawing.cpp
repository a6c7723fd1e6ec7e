#include "SyntheticDrawing.h"

namespace {
const double kSide = 100000.0;
const double kPi = 3.14159265358979323846;

// A cheap fixed sequence of coordinates, the same on every run.
class Scatter {
public:
    double Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 53) * kSide;
    }

private:
    unsigned long long m_state = 12345;
};

jwwrite::Block SmallBlock()
{
    jwwrite::Block block;
    block.definition.blockNo = 1;
    block.definition.name = "unit";
    for (int i = 0; i < 4; ++i) {
        jwwrite::Line line;
        line.x1 = i * 100.0;
        line.x2 = i * 100.0 + 80.0;
        line.y2 = 50.0;
        block.entities.push_back(line);
    }
    return block;
}

jwwrite::Entity Figure(size_t i, Scatter& scatter)
{
    double x = scatter.Next(), y = scatter.Next();
    switch (i % 10) {
    case 0: case 1: case 2: case 3: {
        jwwrite::Line line;
        line.x1 = x;
        line.y1 = y;
        line.x2 = x + 500.0;
        line.y2 = y + 250.0;
        line.penColor = static_cast<uint16_t>(1 + i % 8);
        line.penStyle = static_cast<uint8_t>(1 + i % 9);
        return line;
    }
    case 4: case 5: {
        jwwrite::Curve arc;
        arc.cx = x;
        arc.cy = y;
        arc.radius = 300.0;
        arc.arcAngle = kPi / 2;
        arc.penColor = 2;
        return arc;
    }
    case 6: case 7: {
        jwwrite::Text text;
        text.x1 = x;
        text.y1 = y;
        text.x2 = x + 1000.0;
        text.y2 = y;
        text.width = text.height = 200.0;
        text.font = u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
        text.text = u"\u58C1 wall";
        text.penColor = 3;
        return text;
    }
    case 8: {
        jwwrite::Solid solid;
        solid.x1 = x;
        solid.y1 = y;
        solid.x2 = x + 300.0;
        solid.y2 = y;
        solid.x3 = x + 300.0;
        solid.y3 = y + 300.0;
        solid.x4 = x;
        solid.y4 = y + 300.0;
        solid.penColor = 4;
        return solid;
    }
    default: {
        jwwrite::BlockInsert insert;
        insert.refX = x;
        insert.refY = y;
        insert.blockNo = 1;
        return insert;
    }
    }
}
}

jwwrite::Drawing SyntheticDrawing(size_t count)
{
    jwwrite::Drawing drawing;
    drawing.header.version = 700;
    drawing.header.paper = 3;
    drawing.header.groupState[0] = 3;
    drawing.header.layerState[0][0] = 3;
    for (int p = 0; p < 10; ++p)
        drawing.header.penColor[p] = 0x101010u * p;
    drawing.blocks.push_back(SmallBlock());
    Scatter scatter;
    drawing.entities.reserve(count);
    for (size_t i = 0; i < count; ++i)
        drawing.entities.push_back(Figure(i, scatter));
    return drawing;
}
