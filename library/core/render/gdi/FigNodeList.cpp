#include "render/gdi/FigNodeList.h"

void DeleteFigNodes(CFigNodeList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos;)
        delete list.GetNext(pos);
    list.RemoveAll();
}
