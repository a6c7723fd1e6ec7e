#pragma once

#include "figures/B_CFormGroup.h"
#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigDim.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/B_FigImage.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigPoint.h"
#include "figures/B_FigPointEx.h"
#include "figures/B_FigPolyline.h"
#include "figures/B_FigSolid.h"
#include "figures/B_FigText.h"

#include <type_traits>

// Kind& or const Kind&, after the constness of Base.
template <class Kind, class Base>
using FigKindRef = std::conditional_t<std::is_const_v<Base>, const Kind&, Kind&>;

// Calls visit with fig as its kind, told by the type code; a code that names
// no kind reaches visit as the plain B_Base. Base is B_Base or const B_Base.
template <class Base, class Visitor>
decltype(auto) VisitFig(Base& fig, Visitor&& visit)
{
    static_assert(std::is_same_v<std::remove_const_t<Base>, B_Base>, "visit a figure header");
    switch (fig.typeCode) {
    case FigCode::Point: return visit(static_cast<FigKindRef<B_FigPoint, Base>>(fig));
    case FigCode::PointEx: return visit(static_cast<FigKindRef<B_FigPointEx, Base>>(fig));
    case FigCode::Line: return visit(static_cast<FigKindRef<B_FigLine, Base>>(fig));
    case FigCode::Polyline: return visit(static_cast<FigKindRef<B_FigPolyline, Base>>(fig));
    case FigCode::Circle: return visit(static_cast<FigKindRef<B_FigCircle, Base>>(fig));
    case FigCode::Arc: return visit(static_cast<FigKindRef<B_FigArc, Base>>(fig));
    case FigCode::Ellipse: return visit(static_cast<FigKindRef<B_FigEllipse, Base>>(fig));
    case FigCode::EllipseArc: return visit(static_cast<FigKindRef<B_FigEllipseArc, Base>>(fig));
    case FigCode::Text: return visit(static_cast<FigKindRef<B_FigText, Base>>(fig));
    case FigCode::Dim: return visit(static_cast<FigKindRef<B_FigDim, Base>>(fig));
    case FigCode::Solid: return visit(static_cast<FigKindRef<B_FigSolid, Base>>(fig));
    case FigCode::Group: return visit(static_cast<FigKindRef<B_CFormGroup, Base>>(fig));
    case FigCode::Image: return visit(static_cast<FigKindRef<B_FigImage, Base>>(fig));
    default: return visit(fig);
    }
}
