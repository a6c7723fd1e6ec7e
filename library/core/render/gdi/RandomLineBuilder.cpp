#include "render/gdi/RandomLineBuilder.h"
#include "figures/B_FigLine.h"
#include "geometry/AngleFunctions.h"
#include "geometry/CurvePolygonizer.h"
#include "geometry/NumTolerance.h"
#include "geometry/TrigTables.h"
#include <algorithm>
#include <cmath>

namespace {

const size_t kFlushPoints = 64;
const double kMinLength = 1e-10;

// What the walk needs of one point of the base polyline.
struct Corner {
    double length = 0;       // of the outgoing segment
    double direction = 0;    // of the outgoing segment, degrees
    double bisector = 180;   // of the two rays, inside the smaller angle
};

double Direction(double dx, double dy, double length)
{
    double d = std::acos(std::max(-1.0, std::min(1.0, dx / length))) * kDegreesPerRadian;
    return dy < 0 ? 360.0 - d : d;
}

Corner MeasureCorner(const Point2D* prev, const Point2D& corner, const Point2D* next)
{
    Corner c;
    if (!next)
        return c;
    double ox = next->x - corner.x, oy = next->y - corner.y;
    double outLength = std::hypot(ox, oy);
    if (outLength < kMinLength)
        return c;
    c.length = outLength;
    c.direction = Direction(ox, oy, outLength);
    if (!prev)
        return c;
    double ix = prev->x - corner.x, iy = prev->y - corner.y;
    double inLength = std::hypot(ix, iy);
    if (inLength < kMinLength)
        return c;
    double a1 = Direction(ix, iy, inLength), a2 = c.direction;
    double mid = (a1 + a2) / 2;
    c.bisector = std::fabs(a1 - a2) > 180.0 ? mid + 180.0 : mid;
    return c;
}

// The mitre factor of a segment end whose bisector makes angle with the
// segment: at most one offset of shift (a 45-degree mitre).
double MitreFactor(double angle)
{
    double t = TanDeg(angle);
    return t == 0.0 ? 0.0 : std::max(-1.0, std::min(1.0, 1.0 / t));
}

bool SamePoint(const Point2D& a, const Point2D& b)
{
    return CompareTol(g_numTol5, a.x, b.x) == 0 && CompareTol(g_numTol5, a.y, b.y) == 0;
}

bool Collinear(const Point2D& a, const Point2D& b, const Point2D& c)
{
    double cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
    return CompareTol(g_numTol5, cross, 0.0) == 0;
}

// The base polyline of a line (open) or a curve (closed); false for any
// other figure.
bool BasePolyline(const B_Base* figure, double scale, std::vector<Point2D>& base, bool& closed)
{
    if (const B_FigLine* line = FigCast<B_FigLine>(figure)) {
        base = {line->line.first, line->line.second};
        closed = false;
        return true;
    }
    switch (figure->typeCode) {
    case FigCode::Circle:
    case FigCode::Arc:
    case FigCode::Ellipse:
    case FigCode::EllipseArc: {
        CurvePointBuffer buffer(CurvePointBuffer::kStandardCapacity);
        if (PolygonizeCurve(figure, buffer, scale) != 0)
            return false;
        base = buffer.Points();
        closed = true;
        return true;
    }
    default:
        return false;
    }
}
}

bool RandomLineBuilder::Build(const B_Base* figure, std::vector<Point2D>& out, double scale)
{
    m_run.clear();
    m_output = &out;
    if (!figure || figure->lineType < RandomLineEntry::kFirstType || figure->lineType > RandomLineEntry::kLastType)
        return false;
    if (!(scale > 0.0) || !std::isfinite(scale))
        return false;
    std::vector<Point2D> base;
    bool closed = false;
    if (!BasePolyline(figure, scale, base, closed) || base.size() < 2)
        return false;
    std::shared_ptr<const RandomLineShapes> shapes = CurrentRandomLineShapes();
    if (!PrepareEntry(shapes->entries[figure->lineType - RandomLineEntry::kFirstType], scale))
        return false;
    return Walk(base, closed);
}

void RandomLineBuilder::ClearPoints()
{
    std::vector<Point2D>().swap(m_run);
}

// The working copy in device units.
bool RandomLineBuilder::PrepareEntry(const RandomLineEntry& source, double scale)
{
    m_entry = source;
    if (m_entry.segmentCount == 0)
        return false;
    double k = 1.0 / scale;
    m_entry.lead *= k;
    m_entry.length *= k;
    m_period = m_entry.lead + m_entry.length;
    if (CompareTol(g_numTol5, m_entry.length, 0.0) == 0 || CompareTol(g_numTol5, m_period, 0.0) == 0)
        return false;
    for (int i = 0; i < m_entry.segmentCount; ++i) {
        RandomLineSegment& s = m_entry.segments[i];
        s.intercept *= k;
        s.xa *= k;
        s.ya *= k;
        s.xb *= k;
        s.yb *= k;
        if (s.xb - s.xa > m_period)
            return false;
    }
    ClearStates();
    m_phase = 0;
    return true;
}

bool RandomLineBuilder::Walk(const std::vector<Point2D>& base, bool closed)
{
    size_t n = base.size();
    size_t segmentCount = closed ? n : n - 1;
    std::vector<Corner> corners(n);
    double total = 0;
    for (size_t i = 0; i < n; ++i) {
        const Point2D* prev = i > 0 ? &base[i - 1] : (closed ? &base[n - 1] : nullptr);
        const Point2D* next = i + 1 < n ? &base[i + 1] : (closed ? &base[0] : nullptr);
        corners[i] = MeasureCorner(prev, base[i], next);
        total += corners[i].length;
    }
    if (!(total / m_period <= kMaxWindows))
        return false;
    double firstStart = closed ? corners[0].bisector - corners[0].direction : 90.0;
    for (size_t i = 0; i < segmentCount; ++i) {
        const Corner& c = corners[i];
        if (!(c.length > 0))
            continue;
        double startAngle = i == 0 ? firstStart : c.bisector - c.direction;
        double endAngle = 90.0;
        if (i + 1 < segmentCount)
            endAngle = corners[i + 1].bisector - c.direction;
        else if (closed)
            endAngle = -firstStart;
        StartSegment(base[i], c.direction, c.length, startAngle, endAngle);
        if (!WalkSegment())
            return false;
    }
    return true;
}

void RandomLineBuilder::StartSegment(const Point2D& start, double direction, double length, double startAngle,
                                     double endAngle)
{
    m_segmentStart = start;
    m_remaining = length;
    m_b1 = MitreFactor(startAngle);
    m_mitreRate = (m_b1 - MitreFactor(endAngle)) / length;
    m_direction = SnapAngle90(direction);
    m_sin = LookupSinDeg(m_direction);
    m_cos = LookupCosDeg(m_direction);
}

// Whole periods of the shape along the segment, the pattern running on from
// the previous segment's phase.
bool RandomLineBuilder::WalkSegment()
{
    m_walked = 0;
    double rest = m_period - m_phase;
    if (m_remaining >= rest) {
        if (!EmitWindow(m_period))
            return false;
        m_remaining -= rest;
        m_walked += rest;
        m_phase = 0;
        ClearStates();
        while (m_remaining >= m_period) {
            if (!EmitWindow(m_period))
                return false;
            m_remaining -= m_period;
            m_walked += m_period;
            ClearStates();
        }
    }
    if (!EmitWindow(m_phase + m_remaining))
        return false;
    m_phase = m_windowEnd;
    return Flush();
}

// The parts of every shape piece between m_phase and windowEnd.
bool RandomLineBuilder::EmitWindow(double windowEnd)
{
    m_windowEnd = windowEnd;
    auto inWindow = [this](double x) {
        return CompareTol(g_numTol5, x, m_phase) >= 0 && CompareTol(g_numTol5, x, m_windowEnd) <= 0;
    };
    for (int i = 0; i < m_entry.segmentCount; ++i) {
        const RandomLineSegment& s = m_entry.segments[i];
        uint8_t& state = m_entry.state[i];
        auto at = [&s](double x) { return Point2D(x, s.slope * x + s.intercept); };
        Point2D p0, p1;
        if (state == 255)
            continue;
        if (inWindow(s.xa)) {
            p0 = Point2D(s.xa, s.ya);
            state = inWindow(s.xb) ? 255 : 1;
            p1 = state == 255 ? Point2D(s.xb, s.yb) : at(m_windowEnd);
        } else if (state == 1) {
            p0 = at(m_phase);
            if (inWindow(s.xb))
                state = 255;
            p1 = state == 255 ? Point2D(s.xb, s.yb) : at(m_windowEnd);
        } else {
            continue;
        }
        if (!EmitPiece(p0, p1))
            return false;
    }
    return true;
}

bool RandomLineBuilder::EmitPiece(const Point2D& p0, const Point2D& p1)
{
    Point2D end = p1;
    if (p0.x == p1.x && p0.y == p1.y)
        end.x += 0.005;
    return AddPart(Map(p0.x, p0.y), Map(end.x, end.y));
}

// A shape point of the current window on the device, mitred towards the
// bisectors at both ends of the base segment.
Point2D RandomLineBuilder::Map(double x, double y) const
{
    double t = m_walked + x - m_phase;
    double u = (1.0 - m_mitreRate * y) * t + m_b1 * y;
    return Point2D(m_segmentStart.x + u * m_cos - y * m_sin, m_segmentStart.y + u * m_sin + y * m_cos);
}

bool RandomLineBuilder::AddPart(const Point2D& p0, const Point2D& p1)
{
    if (m_run.empty()) {
        m_run.push_back(p0);
        m_run.push_back(p1);
    } else if (SamePoint(p0, m_lastPoint)) {
        size_t n = m_run.size();
        if (n >= 2 && Collinear(m_run[n - 2], m_run[n - 1], p1))
            m_run.back() = p1;
        else
            m_run.push_back(p1);
        if (m_run.size() >= kFlushPoints) {
            if (!Flush())
                return false;
            m_run.push_back(p1);
        }
    } else {
        if (m_run.size() == 1)
            m_run.push_back(m_run.front());
        if (!Flush())
            return false;
        m_run.push_back(p0);
        m_run.push_back(p1);
    }
    m_lastPoint = p1;
    return true;
}

bool RandomLineBuilder::Flush()
{
    if (m_output->size() > kMaxOutputPoints)
        return false;
    m_output->insert(m_output->end(), m_run.begin(), m_run.end());
    m_run.clear();
    return true;
}

void RandomLineBuilder::ClearStates()
{
    std::fill(std::begin(m_entry.state), std::end(m_entry.state), 0);
}
