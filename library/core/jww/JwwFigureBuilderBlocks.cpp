#include "jww/JwwFigureBuilder.h"

#include <algorithm>

#include "entities/CDataBlock.h"
#include "entities/CDataList.h"
#include "figures/B_CFormGroup.h"
#include "figures/B_FigNode.h"
#include "figures/FigTransform.h"
#include "geometry/AngleFunctions.h"
#include "geometry/TransformSaver.h"
#include "jwc/FigHolder.h"
#include "reader/BCN_CImpJWW.h"

namespace {
const uint16_t kLastLayer = 255;

// Marks a definition as being expanded, with the nodes its insert collects,
// for as long as the scope lasts.
class ExpansionScope {
public:
    ExpansionScope(std::vector<const CDataList*>& expanding, std::vector<std::vector<B_FigNode*>*>& insertNodes,
                   const CDataList* definition, std::vector<B_FigNode*>& nodes)
        : m_expanding(expanding), m_insertNodes(insertNodes)
    {
        m_expanding.push_back(definition);
        m_insertNodes.push_back(&nodes);
    }
    ~ExpansionScope()
    {
        m_expanding.pop_back();
        m_insertNodes.pop_back();
    }

    ExpansionScope(const ExpansionScope&) = delete;
    ExpansionScope& operator=(const ExpansionScope&) = delete;

private:
    std::vector<const CDataList*>& m_expanding;
    std::vector<std::vector<B_FigNode*>*>& m_insertNodes;
};
}

// The definition's entities become figures placed by the insert, held by a
// group; an insert of a definition being expanded adds nothing.
int CJwwFigureBuilder::ConvertBlock(CDataBlock& block, CDataBlock* insert)
{
    const CDataList* definition = block.m_definition;
    if (!definition || !MayExpand(definition))
        return 0;
    if (!insert)
        m_reader.m_blockLayer = std::min<uint16_t>(block.GetLayerIndex(), kLastLayer);
    // Most members become one node each: one allocation for the group.
    std::vector<B_FigNode*> nodes;
    nodes.reserve(static_cast<size_t>(definition->m_entities.GetCount()));
    {
        ExpansionScope scope(m_expanding, m_insertNodes, definition, nodes);
        ExpandMembers(*definition, block, nodes);
    }
    if (nodes.empty())
        return 0;
    TransformMembers(block, nodes);
    FigHolder group;
    group.fig = new B_CFormGroup;
    FigCast<B_CFormGroup>(group.fig)->children.swap(nodes);
    AddOwnFigure(&group.fig, insert);
    return 0;
}

// Neither a definition inside itself nor nesting beyond the limit.
bool CJwwFigureBuilder::MayExpand(const CDataList* definition)
{
    if (std::find(m_expanding.begin(), m_expanding.end(), definition) != m_expanding.end())
        return false;
    if (m_expanding.size() >= m_limits.blockDepth)
        m_limitReached = true;
    return !m_limitReached;
}

void CJwwFigureBuilder::ExpandMembers(const CDataList& definition, CDataBlock& block, std::vector<B_FigNode*>& nodes)
{
    for (POSITION position = definition.m_entities.GetHeadPosition(); position && !m_reader.m_cancel;) {
        CData* entity = definition.m_entities.GetNext(position);
        if (++m_blockMembers > m_limits.blockMembers)
            m_limitReached = true;
        if (m_limitReached)
            return;
        if (!entity)
            continue;
        if (B_FigNode* node = AddToDrawing(*entity, &block))
            nodes.push_back(node);
    }
}

// Moves the members from the definition's frame to the insertion point:
// scaled and turned about it.
void CJwwFigureBuilder::TransformMembers(const CDataBlock& block, std::vector<B_FigNode*>& nodes)
{
    TransformSaver saver;
    const Point2D reference(block.m_refX, block.m_refY);
    ResetTransform();
    TranslateTransform(block.m_refX, block.m_refY);
    ScaleTransform(&reference, block.m_scaleX, block.m_scaleY);
    RotateTransform(block.m_rotation * kDegreesPerRadian, &reference);
    TransformFigs(nodes);
}
