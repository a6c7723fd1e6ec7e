#include "jww/JwwFigureBuilder.h"

#include <cmath>
#include <memory>

#include "entities/CDataSunpou.h"
#include "figures/B_CFormGroup.h"
#include "figures/B_FigDim.h"
#include "figures/B_FigLine.h"
#include "figures/FigLifetime.h"
#include "geometry/AngleFunctions.h"
#include "jwc/FigHolder.h"

namespace {
struct TerminatorShape {
    int32_t kind;
    uint16_t fillMode;
    double sizeFactor;
    bool arrow;  // an arrow head: half-angle, and the along-the-line bit
};

// By the end point's code, from 1.
const TerminatorShape kTerminators[] = {
    {8, 6, 7.6034, true}, {9, 6, 2.5, false},  {10, 6, 2.5, false}, {10, 0, 2.5, false},
    {9, 2, 2.5, false},   {8, 2, 7.6034, true}, {10, 2, 2.5, false}, {11, 0, 3.535, false},
    {5, 0, 7.6034, true}, {12, 0, 5.0, false}, {8, 0, 7.6034, true},
};
const double kArrowHalfAngle = 9.46;
const uint16_t kAlongLineBit = 0x0001;
const double kAngleTolerance = 0.0001;

// The end point's angle less the line's direction, in [0, 360); a value a
// hair below 360 counts as 0.
double AngleToLine(double endAngleDegrees, double lineDirection)
{
    double d = std::fmod(endAngleDegrees - lineDirection, 360.0);
    if (d < 0.0)
        d += 360.0;
    return std::fabs(d - 360.0) < kAngleTolerance ? 0.0 : d;
}

// The terminator at the first end (first) or the second end of a dimension
// line of the direction (degrees).
B_DimTerminator TerminatorOf(const CDataTen& end, double direction, bool first)
{
    B_DimTerminator terminator;
    terminator.kind = 0;
    if (end.m_code < 1 || end.m_code > static_cast<LONG>(sizeof kTerminators / sizeof kTerminators[0]))
        return terminator;
    const TerminatorShape& shape = kTerminators[end.m_code - 1];
    terminator.kind = shape.kind;
    terminator.fillMode = shape.fillMode;
    terminator.size = end.m_scale * shape.sizeFactor;
    if (!shape.arrow)
        return terminator;
    terminator.halfAngle = kArrowHalfAngle;
    double d = AngleToLine(end.m_angle * kDegreesPerRadian, direction);
    bool along = first ? std::fabs(d) < kAngleTolerance : std::fabs(180.0 - d) < kAngleTolerance;
    if (along)
        terminator.fillMode |= kAlongLineBit;
    return terminator;
}
}

// A dimension adds its figures itself: its text and line are required.
int CJwwFigureBuilder::ConvertDimension(const CDataSunpou& dimension, CDataBlock* insert)
{
    FigHolder text;
    if (!ConvertText(dimension.m_text, &text.fig, insert) || !FigCast<B_FigText>(text.fig))
        return 0;
    FigHolder line;
    if (!ConvertLine(dimension.m_line, &line.fig, insert))
        return 0;
    if (insert)
        line.fig->width = 0;
    const B_FigText& textFigure = *FigCast<B_FigText>(text.fig);
    if (dimension.m_sxfMode != 0)
        AddSxfDimension(dimension, *line.fig, textFigure, insert);
    else
        AddPlainDimension(&line.fig, textFigure, insert);
    return 0;
}

// One dimension figure with its lines, end points and terminators.
void CJwwFigureBuilder::AddSxfDimension(const CDataSunpou& dimension, const B_Base& line, const B_FigText& text,
                                        CDataBlock* insert)
{
    std::unique_ptr<B_FigDim> figure(new B_FigDim);
    static_cast<B_Base&>(*figure) = B_Base(line, FigCode::Dim);
    figure->dimLine = CloneFig(&line);
    ConvertLine(dimension.m_extLine1, &figure->extLine1, nullptr);
    ConvertLine(dimension.m_extLine2, &figure->extLine2, nullptr);
    ConvertPoint(dimension.m_point1, &figure->endPoint1, nullptr);
    ConvertPoint(dimension.m_point2, &figure->endPoint2, nullptr);
    if (!text.text.IsEmpty())
        figure->text = text;
    double direction = SegmentAngleDeg(static_cast<const B_FigLine&>(line).line);
    figure->terminator1 = TerminatorOf(dimension.m_point1, direction, true);
    figure->terminator2 = TerminatorOf(dimension.m_point2, direction, false);
    FigHolder holder;
    holder.fig = figure.release();
    AddOwnFigure(&holder.fig, insert);
}

// The line and the text each as a figure, held together by a group.
void CJwwFigureBuilder::AddPlainDimension(B_Base** line, const B_FigText& text, CDataBlock* insert)
{
    FigHolder group;
    group.fig = new B_CFormGroup(**line);
    FigHolder textCopy;
    textCopy.fig = MakeTextCopy(text);
    B_CFormGroup& children = *FigCast<B_CFormGroup>(group.fig);
    for (B_Base** part : {line, &textCopy.fig}) {
        if (B_FigNode* node = AddFigure(part, insert))
            children.children.push_back(node);
    }
    if (!children.children.empty())
        AddOwnFigure(&group.fig, insert);
}
