#include "text/ModifyString.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "geometry/TrigTables.h"
#include "text/HalfWidth.h"
#include "text/TextRunKind.h"
#include <algorithm>
#include <cmath>

namespace {
const double kRightAngleTolerance = 0.0001;

// The direction of the text, put exactly on a right angle when it lies
// within a hair of one.
double RunDirection(const B_FigText& source, bool vertical)
{
    double angle = source.angle + (vertical ? 90.0 : 0.0);
    if (std::fabs(std::fabs(std::fmod(angle + 45.0, 90.0)) - 45.0) < kRightAngleTolerance)
        angle = std::floor((angle + 45.0) / 90.0) * 90.0;
    return angle;
}

void Scale(B_FigText& run, double factor)
{
    run.width *= factor;
    run.height *= factor;
}

// A run of kind k: its sizes and spacing, and where it starts relative to the
// pen and to the previous character.
void ApplyKind(B_FigText& run, uint16_t kind, bool vertical, Point2D& pen, const Point2D& previous)
{
    const double across = vertical ? -1.0 : 1.0;  // y of "up" for the small characters
    switch (kind) {
    case TextRunKind::Superscript:
        Scale(run, 0.7);
        run.spacing = 0.0;
        (vertical ? pen.x : pen.y) += 0.6 * (vertical ? run.width : run.height);
        break;
    case TextRunKind::Subscript:
        Scale(run, 0.7);
        run.spacing = 0.0;
        break;
    case TextRunKind::HalfHeight:
        run.height *= 0.5;
        (vertical ? pen.x : pen.y) += 0.5 * (vertical ? run.width : run.height);
        break;
    case TextRunKind::SmallOver:
    case TextRunKind::Pair: {
        bool small = kind == TextRunKind::SmallOver;
        Scale(run, small ? 0.6 : 0.5);
        run.spacing = 0.0;
        pen = Point2D(previous.x + (small ? 0.6 : 0.4) * run.width, previous.y + across * 0.4 * run.height);
        if (small)
            run.textFlags |= TextFlag::NudgeFullWidth;
        break;
    }
    case TextRunKind::Kerned:
    case TextRunKind::KernedTight: {
        double shift = kind == TextRunKind::Kerned ? 0.24 : 0.14;
        run.spacing = 0.0;
        if (vertical)
            pen.y = previous.y - shift * run.height;
        else
            pen.x = previous.x + shift * run.width;
        break;
    }
    case TextRunKind::Overstrike:
        if (vertical) {
            pen.y = previous.y;
            run.textFlags |= TextFlag::HalfShiftFirst;
        } else {
            pen.x = previous.x;
        }
        break;
    default: break;
    }
}
}

// Places every run's first character in the source's frame, turned by the
// text's direction about its start point.
void CModifyString::LayOutRuns(const B_FigText& source)
{
    const bool vertical = (source.textFlags & TextFlag::Vertical) != 0;
    const double direction = RunDirection(source, vertical);
    const double c = LookupCosDeg(direction), s = LookupSinDeg(direction);
    const Point2D origin = source.start;
    std::vector<B_FigText*> runs = RunTexts();
    CStringW joined;
    for (B_FigText* run : runs)
        joined += run->text;
    const std::vector<bool> halfWidth = HalfWidthCharacters(joined);
    size_t index = 0;
    Point2D pen = origin, previous = origin;
    for (B_FigText* run : runs) {
        const uint16_t kind = run->textFlags & TextFlag::RunKindMask;
        const Point2D saved = pen;
        ApplyKind(*run, kind, vertical, pen, previous);
        double along = vertical ? run->height : run->width;
        if (run->spacing < 0.0)
            along += run->spacing;
        const double advance = std::max(run->spacing, 0.0) + along;
        for (int i = 0; i < run->text.GetLength(); ++i, ++index) {
            if (i == 0) {
                double dx = pen.x - origin.x, dy = pen.y - origin.y;
                run->start = Point2D(origin.x + c * dx - s * dy, origin.y + s * dx + c * dy);
            }
            previous = pen;
            double step = halfWidth[index] ? advance * 0.5 : advance;
            (vertical ? pen.y : pen.x) += vertical ? -step : step;
            if (kind == TextRunKind::SmallOver || kind == TextRunKind::Pair)
                pen = saved;
        }
        if (kind != TextRunKind::Plain) {
            run->textFlags &= ~TextFlag::RunKindMask;
            (vertical ? pen.x : pen.y) = vertical ? saved.x : saved.y;
        }
    }
}
