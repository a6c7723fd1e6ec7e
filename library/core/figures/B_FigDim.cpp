#include "figures/B_FigDim.h"

#include "figures/FigLifetime.h"

B_FigDim::B_FigDim(const B_FigDim& other)
    : B_Base(other),
      text(other.text),
      dimLine(CloneFig(other.dimLine)),
      extLine1(CloneFig(other.extLine1)),
      extLine2(CloneFig(other.extLine2)),
      endPoint1(CloneFig(other.endPoint1)),
      endPoint2(CloneFig(other.endPoint2)),
      terminator1(other.terminator1),
      terminator2(other.terminator2)
{
}

B_FigDim::~B_FigDim()
{
    DeleteFig(&dimLine);
    DeleteFig(&extLine1);
    DeleteFig(&extLine2);
    DeleteFig(&endPoint1);
    DeleteFig(&endPoint2);
}
