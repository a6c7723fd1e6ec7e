#pragma once
#include <afxwin.h>

// How a picture's source rectangle is laid into a destination by nine
// parts: the corners at their own size, the edges stretched one way, the
// middle both ways. Margins are (left, top, right, bottom) widths of the
// fixed parts. Pure geometry, so the drawing only copies the pieces.
class CKvoOffice2007NinePart {
public:
    struct Piece {
        CRect dest;
        CRect src;
    };

    // Lays src into dest. A side whose size agrees in source and
    // destination needs no margins. rightToLeft: the left and right
    // columns change places (a mirrored alpha picture in a right-to-left
    // DC). The pieces in drawing order; those with an empty side skipped.
    static int Layout(const CRect& dest, const CRect& src, CRect margins, bool rightToLeft, Piece pieces[9]);

    // The margins in the destination: the source margins, or shares of the
    // destination when it, or the source, has no room for a middle.
    static CRect DestinationMargins(const CRect& dest, const CRect& src, const CRect& margins);
};
