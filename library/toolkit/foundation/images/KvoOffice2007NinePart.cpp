#include "foundation/images/KvoOffice2007NinePart.h"

namespace {

// Splits [from, to) at the two margins into three bands.
void NinePartBands(int from, int to, int first, int last, int bands[4])
{
    bands[0] = from;
    bands[1] = from + first;
    bands[2] = to - last;
    bands[3] = to;
}

} // namespace

CRect CKvoOffice2007NinePart::DestinationMargins(const CRect& dest, const CRect& src, const CRect& margins)
{
    CRect result = margins;
    const int destHeight = dest.Height(), destWidth = dest.Width();
    const int vertical = margins.top + margins.bottom;
    if (vertical > 0 && (destHeight <= vertical || src.Height() == vertical)) {
        result.top = MulDiv(destHeight, margins.top, vertical);
        result.bottom = destHeight - result.top;
        // Keeps the parity of the bottom margin, so a shrunken bottom edge
        // of odd height stays odd as the picture's is.
        if (result.bottom > 0 && result.bottom % 2 != margins.bottom % 2)
            ++result.bottom;
    }
    const int horizontal = margins.left + margins.right;
    if (horizontal > 0 && (destWidth <= horizontal || src.Width() == horizontal)) {
        result.left = destWidth * margins.left / horizontal;
        result.right = destWidth - result.left;
    }
    return result;
}

int CKvoOffice2007NinePart::Layout(const CRect& dest, const CRect& src, CRect margins, bool rightToLeft,
                                   Piece pieces[9])
{
    if (dest.Width() == src.Width())
        margins.left = margins.right = 0;
    if (dest.Height() == src.Height())
        margins.top = margins.bottom = 0;
    int count = 0;
    if (margins.left == 0 && margins.top == 0 && margins.right == 0 && margins.bottom == 0) {
        if (!dest.IsRectEmpty() && !src.IsRectEmpty())
            pieces[count++] = Piece{dest, src};
        return count;
    }
    const CRect destMargins = DestinationMargins(dest, src, margins);
    int srcX[4], srcY[4], destX[4], destY[4];
    NinePartBands(src.left, src.right, margins.left, margins.right, srcX);
    NinePartBands(src.top, src.bottom, margins.top, margins.bottom, srcY);
    NinePartBands(dest.left, dest.right, destMargins.left, destMargins.right, destX);
    NinePartBands(dest.top, dest.bottom, destMargins.top, destMargins.bottom, destY);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            CRect source(srcX[column], srcY[row], srcX[column + 1], srcY[row + 1]);
            CRect target(destX[column], destY[row], destX[column + 1], destY[row + 1]);
            if (rightToLeft && column != 1) {
                // The source column goes to the other side, at its own width.
                const int width = target.Width();
                target.left = column == 0 ? dest.right - width : dest.left;
                target.right = target.left + width;
            }
            if (source.Width() > 0 && source.Height() > 0 && target.Width() > 0 && target.Height() > 0)
                pieces[count++] = Piece{target, source};
        }
    }
    return count;
}
