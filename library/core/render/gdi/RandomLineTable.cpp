#include "render/gdi/RandomLineTable.h"
#include "geometry/NumTolerance.h"
#include "reader/JwCADBase.h"
#include "reader/RandomLineShape.h"
#include <algorithm>
#include <atomic>

namespace {

// The shapes every drawing of the process uses: those of the last load.
std::shared_ptr<const RandomLineShapes> g_randomLineShapes;

void AddSegment(RandomLineEntry& entry, double px, double py, double x, double y)
{
    if (entry.segmentCount >= RandomLineEntry::kMaxSegments)
        return;
    double dx = px - x;
    RandomLineSegment& segment = entry.segments[entry.segmentCount];
    segment.slope = CompareTol(g_numTol5, dx, 0.0) != 0 ? (py - y) / dx : 0.0;
    segment.intercept = py - px * segment.slope;
    bool ascending = px <= x;
    segment.xa = ascending ? px : x;
    segment.ya = ascending ? py : y;
    segment.xb = ascending ? x : px;
    segment.yb = ascending ? y : py;
    entry.state[entry.segmentCount++] = 0;
}

// A negative x starts a new stroke at -x (at 0 from -32769 down).
void FillEntry(RandomLineEntry& entry, const RandomLineShape& shape)
{
    entry.lead = shape.lead;
    entry.length = shape.length;
    entry.height = shape.height;
    entry.mode = shape.mode;
    entry.kind = shape.kind;
    int count = std::min<int>(shape.pointCount, RandomLineShape::kMaxPoints);
    double px = 0.0, py = 0.0;
    for (int i = 0; i < count; ++i) {
        double x = shape.points[i].x, y = shape.points[i].y;
        if (i > 0 && x >= 0.0)
            AddSegment(entry, px, py, x, y);
        px = x >= 0.0 ? x : (x <= -32769.0 ? 0.0 : -x);
        py = y;
    }
}
}

void BuildRandomLineTable(CJwCADBase* reader)
{
    auto shapes = std::make_shared<RandomLineShapes>();
    for (int type = RandomLineEntry::kFirstType; type <= RandomLineEntry::kLastType; ++type) {
        RandomLineEntry& entry = shapes->entries[type - RandomLineEntry::kFirstType];
        RandomLineShape shape = {};
        if (reader && reader->GetRandomLineShape(static_cast<uint16_t>(type), &shape))
            FillEntry(entry, shape);
    }
    std::atomic_store(&g_randomLineShapes, std::shared_ptr<const RandomLineShapes>(std::move(shapes)));
}

std::shared_ptr<const RandomLineShapes> CurrentRandomLineShapes()
{
    std::shared_ptr<const RandomLineShapes> shapes = std::atomic_load(&g_randomLineShapes);
    if (!shapes)
        shapes = std::make_shared<RandomLineShapes>();
    return shapes;
}
