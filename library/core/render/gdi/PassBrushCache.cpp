#include "render/gdi/PassBrushCache.h"

CBrush* CPassBrushCache::Get(const BrushKey& key)
{
    return m_brushes.Get(key, [&](CBrush& brush) {
        return (key.hatched ? brush.CreateHatchBrush(HS_FDIAGONAL, key.colour) : brush.CreateSolidBrush(key.colour)) !=
               FALSE;
    });
}
