#pragma once
#include <vector>
#include "geometry/Point2D.h"
#include "render/gdi/RandomLineTable.h"

struct B_Base;

// Lays the shape of a patterned line type along a figure's polyline, bending
// it round the corners with mitred ends. One per renderer; every build
// overwrites its working copy of the shape.
class RandomLineBuilder {
public:
    RandomLineBuilder() = default;
    RandomLineBuilder(const RandomLineBuilder&) = delete;
    RandomLineBuilder& operator=(const RandomLineBuilder&) = delete;

    // Appends the patterned polyline of figure (a line or curve of line type
    // 11 to 15) to out; scale is device pixels per world unit, so the shape
    // keeps its size on the device. False when the figure has no usable
    // pattern or the result grows past the output limit.
    bool Build(const B_Base* figure, std::vector<Point2D>& out, double scale);
    // Frees the run's points.
    void ClearPoints();

    // Output points beyond which a build gives up (the figure is drawn plain).
    static const size_t kMaxOutputPoints = 1000;
    // Shape periods beyond which a figure is drawn plain: a shape whose
    // pieces all merge never fills the output, so the walk has to be bounded.
    static constexpr double kMaxWindows = 2000.0;

private:
    bool PrepareEntry(const RandomLineEntry& source, double scale);
    bool Walk(const std::vector<Point2D>& base, bool closed);
    // startAngle and endAngle: between the segment and the bisector of its
    // corner at each end (90 at a free end).
    void StartSegment(const Point2D& start, double direction, double length, double startAngle, double endAngle);
    bool WalkSegment();
    bool EmitWindow(double windowEnd);
    bool EmitPiece(const Point2D& p0, const Point2D& p1);
    Point2D Map(double x, double y) const;
    bool AddPart(const Point2D& p0, const Point2D& p1);
    bool Flush();
    void ClearStates();

    RandomLineEntry m_entry = {};
    double m_period = 0;
    std::vector<Point2D> m_run;
    std::vector<Point2D>* m_output = nullptr;
    double m_phase = 0;
    double m_windowEnd = 0;
    double m_remaining = 0;
    double m_walked = 0;
    double m_mitreRate = 0;
    double m_b1 = 0;
    double m_direction = 0;
    double m_sin = 0, m_cos = 1;
    Point2D m_segmentStart;
    Point2D m_lastPoint;
};
