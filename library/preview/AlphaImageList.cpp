#include "AlphaImageList.h"

CAlphaImageList::CAlphaImageList(int cellWidth, int cellHeight) : m_cellWidth(cellWidth), m_cellHeight(cellHeight)
{
}

CAlphaImageList::~CAlphaImageList() = default;

void CAlphaImageList::Create(const CImage& strip)
{
    if (strip.IsNull() || m_cellWidth <= 0 || m_cellHeight <= 0)
        return;
    const int columns = strip.GetWidth() / m_cellWidth;
    const int rows = strip.GetHeight() / m_cellHeight;
    if (columns == 0 || rows == 0)
        return;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            auto cell = std::make_unique<CImage>();
            if (!cell->Create(m_cellWidth, m_cellHeight, 32))
                return;
            // A plain copy of all four channels: the cell keeps the strip's
            // alpha as it is.
            HDC source = strip.GetDC();
            HDC target = cell->GetDC();
            BitBlt(target, 0, 0, m_cellWidth, m_cellHeight, source, column * m_cellWidth, row * m_cellHeight, SRCCOPY);
            cell->ReleaseDC();
            strip.ReleaseDC();
            m_cells.push_back(std::move(cell));
        }
    }
}

HICON CAlphaImageList::GetIcon(int index)
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    HBITMAP bitmap = m_cells[index]->Detach();
    if (bitmap == nullptr)
        return nullptr;
    // The colour bitmap doubles as the mask: its alpha channel makes the
    // transparency.
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmMask = bitmap;
    info.hbmColor = bitmap;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(bitmap);
    return icon;
}
