#include "render/d2d/D2DTextFrame.h"
#include "render/d2d/D2DMatrix.h"
#include "render/gdi/DrawBase.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "geometry/AngleFunctions.h"
#include "geometry/TrigTables.h"

namespace {
struct Extras {
    float aheadX = 0, aheadY = 0;  // extra half advances of tight texts
    float gapX = 0, gapY = 0;      // spacing between characters
};

// A negative spacing pulls the characters together: vertical texts shorten
// their cells, horizontal ones narrow them, more when they would overlap by
// more than half a character.
Extras ApplySpacing(const B_FigText& text, float spacing, D2DTextFrame& frame, CDrawBase& reader)
{
    Extras extras;
    if (spacing < 0.0f) {
        if (frame.vertical) {
            extras.aheadY = -spacing;
            frame.height += spacing;
        } else {
            double narrowed = text.width + text.spacing;
            frame.width = reader.ToDeviceLength(narrowed);
            if (text.width * 0.5 <= narrowed)
                extras.aheadX = -spacing;
            else if (narrowed < 0.5)
                frame.width = reader.ToDeviceLength(narrowed * 2.5);
            else if (narrowed == 0.5)
                frame.width = reader.ToDeviceLength(1.0);
        }
    } else if (spacing > 0.0f) {
        (frame.vertical ? extras.gapY : extras.gapX) = spacing;
    }
    return extras;
}
}

D2D1_POINT_2F TurnOnDevice(const D2D1_POINT_2F& point, const D2D1_POINT_2F& centre, double angle)
{
    double alpha = SnapAngle90(-angle), c = LookupCosDeg(alpha), s = LookupSinDeg(alpha);
    double dx = point.x - centre.x, dy = point.y - centre.y;
    return D2D1_POINT_2F{static_cast<float>(centre.x + dx * c - dy * s),
                         static_cast<float>(centre.y + dx * s + dy * c)};
}

D2DTextFrame LayOutTextFrame(const B_FigText& text, const D2D1_POINT_2F& start, CDrawBase& reader)
{
    D2DTextFrame frame = {};
    frame.start = start;
    frame.vertical = (text.textFlags & TextFlag::Vertical) != 0;
    frame.width = reader.ToDeviceLength(text.width);
    frame.height = reader.ToDeviceLength(text.height);
    Extras extras = ApplySpacing(text, reader.ToDeviceLength(text.spacing), frame, reader);
    frame.angle = text.angle + (frame.vertical ? 90.0 : 0.0);
    frame.base = start;
    if (!frame.vertical) {
        frame.base.y -= frame.height;
        if (frame.angle != 0.0)
            frame.base = TurnOnDevice(frame.base, start, frame.angle);
    }
    frame.stretch = frame.height > 0.0f ? frame.width / frame.height : 1.0f;
    frame.advanceX = (extras.gapX + frame.width) / frame.stretch;
    frame.advanceY = extras.gapY + frame.height;
    frame.halfX = (frame.advanceX + extras.aheadX) * 0.5f;
    frame.halfY = (frame.advanceY + extras.aheadY) * 0.5f;
    frame.pen = frame.base;
    if (frame.vertical && (text.textFlags & TextFlag::HalfShiftFirst))
        frame.pen.x += frame.width * 0.5f;
    return frame;
}

D2D1_MATRIX_3X2_F TextTransform(const D2DTextFrame& frame)
{
    return Then(ScaleAbout(frame.stretch, 1.0f, frame.base),
                RotationAbout(static_cast<float>(-frame.angle), frame.base));
}

int CharacterUnits(const wchar_t* text, int length, int index)
{
    bool high = text[index] >= 0xD800 && text[index] <= 0xDBFF;
    bool lowFollows = index + 1 < length && text[index + 1] >= 0xDC00 && text[index + 1] <= 0xDFFF;
    return high && lowFollows ? 2 : 1;
}
