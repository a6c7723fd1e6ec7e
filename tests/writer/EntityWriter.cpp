#include "EntityWriter.h"

namespace jwwrite {

void EntityWriter::Fields(const Common& c)
{
    m_out.U32(c.groupNo);
    m_out.U8(c.penStyle);
    m_out.U16(c.penColor);
    if (m_version >= 351)
        m_out.U16(c.penWidth);
    m_out.U16(c.layer);
    m_out.U16(c.layerGroup);
    m_out.U16(c.flags);
}

void EntityWriter::Fields(const Line& line)
{
    Fields(static_cast<const Common&>(line));
    m_out.F64(line.x1);
    m_out.F64(line.y1);
    m_out.F64(line.x2);
    m_out.F64(line.y2);
}

void EntityWriter::Fields(const Point& point)
{
    Fields(static_cast<const Common&>(point));
    m_out.F64(point.x);
    m_out.F64(point.y);
    m_out.U32(point.temporary);
    if (m_version >= 300 && point.penStyle == 100) {
        m_out.I32(point.code);
        m_out.F64(point.angle);
        m_out.F64(point.scale);
    }
}

void EntityWriter::Fields(const Text& text)
{
    Fields(static_cast<const Common&>(text));
    for (double value : {text.x1, text.y1, text.x2, text.y2})
        m_out.F64(value);
    m_out.U32(text.kind);
    for (double value : {text.width, text.height, text.spacing, text.angle})
        m_out.F64(value);
    m_out.Text(text.font);
    m_out.Text(text.text);
}

uint32_t EntityWriter::Write(const Line& line)
{
    uint32_t index = m_out.BeginObject("CDataSen");
    Fields(line);
    return index;
}

uint32_t EntityWriter::Write(const Curve& curve)
{
    uint32_t index = m_out.BeginObject("CDataEnko");
    Fields(static_cast<const Common&>(curve));
    for (double value : {curve.cx, curve.cy, curve.radius, curve.startAngle, curve.arcAngle, curve.tiltAngle,
                         curve.flatness})
        m_out.F64(value);
    m_out.U32(curve.fullCircle);
    return index;
}

uint32_t EntityWriter::Write(const Point& point)
{
    uint32_t index = m_out.BeginObject("CDataTen");
    Fields(point);
    return index;
}

uint32_t EntityWriter::Write(const Text& text)
{
    uint32_t index = m_out.BeginObject("CDataMoji");
    Fields(text);
    return index;
}

uint32_t EntityWriter::Write(const Dimension& dimension)
{
    uint32_t index = m_out.BeginObject("CDataSunpou");
    Fields(static_cast<const Common&>(dimension));
    Fields(dimension.line);
    Fields(dimension.text);
    if (m_version >= 420) {
        m_out.U16(dimension.sxfMode);
        Fields(dimension.extLine1);
        Fields(dimension.extLine2);
        for (const Point* point : {&dimension.point1, &dimension.point2, &dimension.point3, &dimension.point4})
            Fields(*point);
    }
    return index;
}

uint32_t EntityWriter::Write(const Solid& solid)
{
    uint32_t index = m_out.BeginObject("CDataSolid");
    Fields(static_cast<const Common&>(solid));
    for (double value : {solid.x1, solid.y1, solid.x2, solid.y2, solid.x3, solid.y3, solid.x4, solid.y4})
        m_out.F64(value);
    if (solid.penColor == 10)
        m_out.U32(solid.color);
    return index;
}

uint32_t EntityWriter::Write(const BlockInsert& insert)
{
    uint32_t index = m_out.BeginObject("CDataBlock");
    Fields(static_cast<const Common&>(insert));
    for (double value : {insert.refX, insert.refY, insert.scaleX, insert.scaleY, insert.rotation})
        m_out.F64(value);
    m_out.U32(insert.blockNo);
    return index;
}

uint32_t EntityWriter::Write(const Entity& entity)
{
    return std::visit([this](const auto& record) { return Write(record); }, entity);
}

uint32_t EntityWriter::WriteDefinitionHead(const BlockDefinition& definition, uint32_t count)
{
    uint32_t index = m_out.BeginObject("CDataList");
    Fields(static_cast<const Common&>(definition));
    m_out.U32(definition.blockNo);
    m_out.U32(definition.value2);
    if (definition.time64)
        m_out.Time64(definition.time);
    else
        m_out.Time32(static_cast<uint32_t>(definition.time));
    m_out.Text(definition.name);
    m_out.Count(count);
    return index;
}

uint32_t EntityWriter::Write(const Block& block)
{
    uint32_t index = WriteDefinitionHead(block.definition, static_cast<uint32_t>(block.entities.size()));
    for (const Entity& entity : block.entities)
        Write(entity);
    return index;
}

uint32_t EntityWriter::WriteBase(const Common& common, const std::string& className)
{
    uint32_t index = m_out.BeginObject(className);
    Fields(common);
    return index;
}

void EntityWriter::List(const std::vector<Entity>& entities)
{
    m_out.Count(static_cast<uint32_t>(entities.size()));
    for (const Entity& entity : entities)
        Write(entity);
}

}  // namespace jwwrite
