#pragma once
#include <afxtempl.h>
#include "figures/B_FigNode.h"

// A list of figure nodes. Whether the list owns its nodes is its holder's
// business: a drawing's figure list owns them, its solid and image lists
// only point into it.
typedef CList<B_FigNode*, B_FigNode*> CFigNodeList;

// Nodes per block of a drawing's figure list: thousands of figures are
// common, and each block is one heap request.
const INT_PTR kFigureListBlock = 128;

// Deletes every node of list (and its primitive) and empties the list.
void DeleteFigNodes(CFigNodeList& list);
