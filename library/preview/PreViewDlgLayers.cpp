#include "PreViewDlg.h"
#include "records/ZumenInfo.h"

// The view's mask holds the layers that received entities when this runs;
// the tree leaves in it the ones it shows, which the first render draws.
void CPreViewDlg::FillLayerTree(const ZumenLayers& layers)
{
    m_layerTree.FillLayers(layers, m_view);
}

void CPreViewDlg::SetLayerShown(int index, bool shown)
{
    const uint32_t bit = 1u << (index & 31);
    if (shown)
        m_view.layerMask[index >> 5] |= bit;
    else
        m_view.layerMask[index >> 5] &= ~bit;
}

// A layer switch shows at once, on this thread.
void CPreViewDlg::RenderAfterLayerSwitch()
{
    Redraw(false, false, false, POINT{0, 0});
}
