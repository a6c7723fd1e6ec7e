#pragma once
// Cuts an image strip into equal 32-bit cells that keep the strip's alpha
// channel, and turns single cells into icons.
#include <afxwin.h>
#include <atlimage.h>
#include <memory>
#include <vector>

class CAlphaImageList {
public:
    CAlphaImageList(int cellWidth, int cellHeight);
    virtual ~CAlphaImageList();
    CAlphaImageList(const CAlphaImageList&) = delete;
    CAlphaImageList& operator=(const CAlphaImageList&) = delete;

    // Appends the strip's full cells, row by row from the top, each row from
    // the left.
    void Create(const CImage& strip);
    int GetCount() const { return static_cast<int>(m_cells.size()); }
    // The cell as an icon that the caller destroys; NULL for an index out of
    // range or a cell already given out (each cell serves once).
    HICON GetIcon(int index);

private:
    int m_cellWidth;
    int m_cellHeight;
    std::vector<std::unique_ptr<CImage>> m_cells;
};
