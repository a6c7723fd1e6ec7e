#include "jww/JwwFigureBuilder.h"

#include "entities/CDataMoji.h"
#include "figures/B_FigImage.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "figures/FigLifetime.h"
#include "reader/BCN_CImpJWW.h"

namespace {
const WORD kVerticalTextFlag = 0x0020;
// Texts placed at this point in both ends are switches of the drawing.
const Point2D kSwitchPoint(0.0, -1000.0);

const wchar_t* const kTransparencyOff[] = {L"Draw_BMPTOUKA = 0", L"Draw_BmpTOUKA = 0"};
const wchar_t* const kTransparencyOn[] = {L"Draw_BMPTOUKA = 1", L"Draw_BmpTOUKA = 1"};

bool IsSwitchPoint(double x, double y)
{
    return x == kSwitchPoint.x && y == kSwitchPoint.y;
}

template <size_t N>
bool IsOneOf(const CStringW& text, const wchar_t* const (&texts)[N])
{
    for (const wchar_t* candidate : texts) {
        if (text == candidate)
            return true;
    }
    return false;
}

uint16_t TextFlagsOf(const CDataMoji& text)
{
    uint16_t flags = 0;
    if (text.m_flags & kVerticalTextFlag)
        flags |= TextFlag::Vertical;
    if (text.m_style & CDataMoji::kBold)
        flags |= TextFlag::Bold;
    if (text.m_style & CDataMoji::kItalic)
        flags |= TextFlag::Italic;
    return flags;
}
}

// A text of no size adds nothing; an image text becomes the image's frame.
int CJwwFigureBuilder::ConvertText(const CDataMoji& text, B_Base** out, const CDataBlock* insert)
{
    if (!(text.m_width > 0.0) || !(text.m_height > 0.0))
        return 0;
    B_FigText figure;
    m_reader.SetFigureAttributes(figure, text.GetLayerIndex(), text.m_penColor, 0, 0, insert);
    static_cast<B_Base&>(figure).width = 0;
    figure.start = Point2D(text.m_x1, text.m_y1);
    figure.end = Point2D(text.m_x2, text.m_y2);
    figure.width = text.m_width;
    figure.height = text.m_height;
    figure.spacing = text.m_spacing;
    figure.angle = text.m_angle;
    figure.fontName = text.m_fontName;
    figure.text = text.m_text;
    figure.textFlags = TextFlagsOf(text);
    if (MakeImageFrame(figure, out))
        return 1;
    if (ApplySwitchText(text))
        return 0;
    AssignFig(out, &figure);
    return 1;
}

bool CJwwFigureBuilder::MakeImageFrame(const B_FigText& text, B_Base** out)
{
    B_ImageParams params;
    if (!CDrawBase::ParseImageText(text.text, &params, m_reader.m_path, m_reader.m_readerId))
        return false;
    B_FigImage frame;
    frame.colour = text.colour;
    frame.layer = text.layer;
    if (!frame.Layout(params, text.start))
        return false;
    AssignFig(out, &frame);
    m_reader.ConvertImages(&params);
    return true;
}

// Switch texts set the drawing's image transparency; any text at the switch
// point is not drawn.
bool CJwwFigureBuilder::ApplySwitchText(const CDataMoji& text)
{
    if (!IsSwitchPoint(text.m_x1, text.m_y1) || !IsSwitchPoint(text.m_x2, text.m_y2))
        return false;
    if (IsOneOf(text.m_text, kTransparencyOff))
        m_reader.m_imageTransparency = false;
    else if (IsOneOf(text.m_text, kTransparencyOn))
        m_reader.m_imageTransparency = true;
    return true;
}
