#include "jww/JwwListSlots.h"

#include <afxwin.h>
#include <climits>
#include <vector>

#include "entities/CBlockDefList.h"
#include "entities/CDataList.h"
#include "entities/CEntityList.h"

namespace {

// Definitions whose lists are still to be counted. A definition is queued
// when it is met first, so one that lists itself or an earlier one ends;
// the queue, not recursion, follows chains of definitions of any length.
using DefinitionQueue = std::vector<const CDataList*>;

void CountSlot(CData* entity, DefinitionQueue& unvisited)
{
    if (!entity)
        return;
    if (entity->m_listSlots == 0) {
        if (const CDataList* definition = ENTITY_CAST(CDataList, entity))
            unvisited.push_back(definition);
    }
    if (entity->m_listSlots < UCHAR_MAX)
        ++entity->m_listSlots;
}

template <class List>
void CountSlots(const List& list, DefinitionQueue& unvisited)
{
    for (POSITION position = list.GetHeadPosition(); position;)
        CountSlot(list.GetNext(position), unvisited);
}

}  // namespace

void CountListSlots(const CEntityList& entities, const CBlockDefList& blocks)
{
    DefinitionQueue unvisited;
    CountSlots(entities, unvisited);
    CountSlots(blocks, unvisited);
    while (!unvisited.empty()) {
        const CDataList* definition = unvisited.back();
        unvisited.pop_back();
        CountSlots(definition->m_entities, unvisited);
    }
}
