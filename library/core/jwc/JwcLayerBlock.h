#pragma once
#include <cstdint>
#include "jwc/JwcLayout.h"

// The 560-byte layer block of a .jwc drawing: flag and state of each group
// and layer (index group x 16 + layer) and each group's write layer. A state
// of 1 with a flag of 0 is a display-only group or layer.
class JwcLayerBlock {
public:
    JwcLayerBlock() { Clear(); }

    void Clear();
    uint8_t* Bytes() { return m_bytes; }

    uint8_t GroupState(int group) const { return m_bytes[jwc::kGroupStateOffset + group]; }
    uint8_t LayerState(int layer) const { return m_bytes[jwc::kLayerStateOffset + layer]; }
    int GroupWriteLayer(int group) const { return m_bytes[jwc::kGroupWriteLayerOffset + group] & 0xF; }

    // Figures of a display-only layer, or of a layer in a display-only
    // group, are drawn grey.
    bool IsDisplayOnly(uint16_t layer) const;
    // The states as the layer table gives them: a state of 1 with a flag of
    // 1 counts as 2.
    uint8_t TableGroupState(int group) const;
    uint8_t TableLayerState(int layer) const;

private:
    uint8_t GroupFlag(int group) const { return m_bytes[jwc::kGroupFlagOffset + group]; }
    uint8_t LayerFlag(int layer) const { return m_bytes[jwc::kLayerFlagOffset + layer]; }
    static uint8_t TableState(uint8_t state, uint8_t flag) { return state == 1 && flag == 1 ? 2 : state; }

    uint8_t m_bytes[jwc::kLayerBlockSize];
};
