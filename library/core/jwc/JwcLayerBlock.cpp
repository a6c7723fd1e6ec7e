#include "jwc/JwcLayerBlock.h"
#include <cstring>

void JwcLayerBlock::Clear()
{
    std::memset(m_bytes, 0, sizeof m_bytes);
}

bool JwcLayerBlock::IsDisplayOnly(uint16_t layer) const
{
    int group = (layer >> 4) & 0xF;
    int index = layer & 0xFF;
    return (GroupFlag(group) == 0 && GroupState(group) == 1) || (LayerFlag(index) == 0 && LayerState(index) == 1);
}

uint8_t JwcLayerBlock::TableGroupState(int group) const
{
    return TableState(GroupState(group), GroupFlag(group));
}

uint8_t JwcLayerBlock::TableLayerState(int layer) const
{
    return TableState(LayerState(layer), LayerFlag(layer));
}
