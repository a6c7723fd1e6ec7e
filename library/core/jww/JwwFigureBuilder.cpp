#include "jww/JwwFigureBuilder.h"

#include <afxwin.h>
#include <memory>

#include "entities/CDataBlock.h"
#include "entities/CDataEnko.h"
#include "entities/CDataSen.h"
#include "entities/CDataSolid.h"
#include "entities/CDataSunpou.h"
#include "entities/CDataTen.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigNode.h"
#include "figures/B_FigPoint.h"
#include "figures/B_FigPointEx.h"
#include "figures/FigFlags.h"
#include "geometry/AngleFunctions.h"
#include "jwc/FigHolder.h"
#include "reader/BCN_CImpJWW.h"

namespace {
const WORD kFilledPointFlag = 0x0040;
const uint16_t kFilledPointMarker = 2;
const double kFilledPointSize = 0.4;
const LONG kFirstMarkerCode = -7;
const LONG kLastMarkerCode = -1;
}

CJwwFigureBuilder::CJwwFigureBuilder(BCN_CImpJWW& reader, const JwwExpansionLimits& limits)
    : m_reader(reader), m_limits(limits), m_figures(0), m_blockMembers(0), m_limitReached(false)
{
}

B_FigNode* CJwwFigureBuilder::AddToDrawing(CData& entity, CDataBlock* insert)
{
    FigHolder figure;
    if (!Convert(entity, &figure.fig, insert))
        return nullptr;
    B_FigNode* node = AddFigure(&figure.fig, insert);
    if (CDataTen* point = ENTITY_CAST(CDataTen, &entity); point && node)
        MakeMarker(*point, *node);
    return node;
}

// One look at the entity's run-time class picks its kind: the entity classes
// are final, so each kind is one pointer comparison. Lines and curves, the
// most common, come first.
int CJwwFigureBuilder::Convert(CData& entity, B_Base** out, CDataBlock* insert)
{
    const CRuntimeClass* kind = entity.GetRuntimeClass();
    if (kind == RUNTIME_CLASS(CDataSen))
        return ConvertLine(static_cast<CDataSen&>(entity), out, insert);
    if (kind == RUNTIME_CLASS(CDataEnko))
        return ConvertCurve(static_cast<CDataEnko&>(entity), out, insert);
    if (kind == RUNTIME_CLASS(CDataMoji))
        return ConvertText(static_cast<CDataMoji&>(entity), out, insert);
    if (kind == RUNTIME_CLASS(CDataSolid))
        return ConvertSolid(static_cast<CDataSolid&>(entity), insert);
    if (kind == RUNTIME_CLASS(CDataBlock))
        return ConvertBlock(static_cast<CDataBlock&>(entity), insert);
    if (kind == RUNTIME_CLASS(CDataTen))
        return ConvertPoint(static_cast<CDataTen&>(entity), out, insert);
    if (kind == RUNTIME_CLASS(CDataSunpou))
        return ConvertDimension(static_cast<CDataSunpou&>(entity), insert);
    return 0;
}

int CJwwFigureBuilder::ConvertLine(const CDataSen& line, B_Base** out, const CDataBlock* insert)
{
    B_FigLine figure;
    figure.line.first = Point2D(line.m_x1, line.m_y1);
    figure.line.second = Point2D(line.m_x2, line.m_y2);
    return AssignAttributed(figure, line, out, insert);
}

// A temporary point is drawn as a bare pixel.
int CJwwFigureBuilder::ConvertPoint(const CDataTen& point, B_Base** out, const CDataBlock* insert)
{
    B_FigPoint figure;
    m_reader.SetFigureAttributes(figure, point.GetLayerIndex(), point.m_penColor, 0, 0, insert);
    figure.lineType = 0;
    figure.width = 0;
    if (point.m_temporary != 0)
        figure.flags |= FigFlag::Auxiliary;
    else
        figure.flags &= ~FigFlag::Auxiliary;
    figure.position = Point2D(point.m_x, point.m_y);
    AssignFig(out, &figure);
    return 1;
}

// A filled point, or a special point with a marker code, becomes a marker.
void CJwwFigureBuilder::MakeMarker(const CDataTen& point, B_FigNode& node)
{
    if (point.m_flags & kFilledPointFlag) {
        node.fig->flags |= FigFlag::Filled;
        MakePointExFig(node, kFilledPointMarker, 0.0, kFilledPointSize);
    } else if (point.m_penStyle == CDataTen::kSpecialPointStyle && point.m_code >= kFirstMarkerCode &&
               point.m_code <= kLastMarkerCode) {
        MakePointExFig(node, static_cast<uint16_t>(-point.m_code), point.m_angle * kDegreesPerRadian,
                       point.m_scale);
    }
}

int CJwwFigureBuilder::AssignAttributed(B_Base& figure, const CData& entity, B_Base** out,
                                        const CDataBlock* insert)
{
    m_reader.SetFigureAttributes(figure, entity.GetLayerIndex(), entity.m_penColor, entity.m_penStyle,
                                 entity.m_penWidth, insert);
    AssignFig(out, &figure);
    return 1;
}

B_FigNode* CJwwFigureBuilder::AddFigure(B_Base** figure, const CDataBlock* insert)
{
    if (!*figure || !CountFigure())
        return nullptr;
    std::unique_ptr<B_FigNode> node(new B_FigNode(figure));
    m_reader.AddData(node.get(), insert != nullptr);
    return node.release();
}

B_FigNode* CJwwFigureBuilder::AddOwnFigure(B_Base** figure, const CDataBlock* insert)
{
    B_FigNode* node = AddFigure(figure, insert);
    if (node && insert)
        m_insertNodes.back()->push_back(node);
    return node;
}

bool CJwwFigureBuilder::CountFigure()
{
    if (m_figures >= m_limits.figures)
        m_limitReached = true;
    if (m_limitReached)
        return false;
    ++m_figures;
    return true;
}
