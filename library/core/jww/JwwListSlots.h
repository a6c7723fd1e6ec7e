#pragma once

class CBlockDefList;
class CEntityList;

// Counts into CData::m_listSlots of every entity how many list slots hold
// it: the entity list, the block-definition list, and the list of every
// definition reached from them (each definition's own list counted once,
// however often the definition is listed). An entity of the entity list
// with one slot is held by nothing else, so it may be freed once converted.
// The counts start from 0, as the entities are read.
void CountListSlots(const CEntityList& entities, const CBlockDefList& blocks);
