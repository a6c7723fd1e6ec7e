#pragma once
#include <map>
#include <vector>
#include "reader/RandomLineShape.h"
#include "../reader/ScriptedReader.h"

// A reader whose patterned line shapes the test gives, as lists of shape
// points; a type without points has no shape.
class ShapeReader : public ScriptedReader {
public:
    void SetShape(uint16_t type, float lead, float length, std::vector<Point2F> points)
    {
        RandomLineShape shape = {};
        shape.mode = 1;
        shape.lead = lead;
        shape.length = length;
        shape.pointCount = static_cast<uint16_t>(points.size());
        for (size_t i = 0; i < points.size() && i < RandomLineShape::kMaxPoints; ++i)
            shape.points[i] = points[i];
        m_shapes[type] = shape;
    }

    bool GetRandomLineShape(uint16_t type, RandomLineShape* shape) override
    {
        auto it = m_shapes.find(type);
        if (it == m_shapes.end())
            return false;
        *shape = it->second;
        return true;
    }

private:
    std::map<uint16_t, RandomLineShape> m_shapes;
};
