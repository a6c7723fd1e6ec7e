#include "core/jww/JwwTestSupport.h"

#include "writer/SampleDrawing.h"

jwwrite::Drawing BareDrawing(uint32_t version)
{
    jwwrite::Drawing drawing = jwwrite::SampleDrawing(version);
    // Drawings shorter than 4444 bytes are refused, and the headers of the
    // older versions are shorter than that.
    drawing.header.memo = std::string(4444, 'm');
    drawing.entities.clear();
    drawing.blocks.clear();
    return drawing;
}

std::vector<uint8_t> DrawingBytes(const std::vector<jwwrite::Entity>& entities, uint32_t version)
{
    jwwrite::Drawing drawing = BareDrawing(version);
    drawing.entities = entities;
    return jwwrite::WriteDrawing(drawing);
}

std::map<uint16_t, int> KindCounts(const std::vector<B_Base*>& figures)
{
    std::map<uint16_t, int> counts;
    for (const B_Base* figure : figures)
        ++counts[figure->typeCode];
    return counts;
}

jwwrite::Line LineOf(double x1, double y1, double x2, double y2, uint16_t pen)
{
    jwwrite::Line line;
    line.x1 = x1;
    line.y1 = y1;
    line.x2 = x2;
    line.y2 = y2;
    line.penColor = pen;
    return line;
}
