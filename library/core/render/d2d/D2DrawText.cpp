#include "render/d2d/D2DrawCore.h"
#include "render/d2d/ColorDrawingEffect.h"
#include "render/d2d/D2DColor.h"
#include "render/d2d/D2DMatrix.h"
#include "render/d2d/D2DTextFrame.h"
#include "render/d2d/D2DTextRenderer.h"
#include "render/gdi/DrawBase.h"
#include "app/TavrenaApp.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "records/SettingFlag.h"
#include <atlbase.h>
#include <d2d1_1.h>
#include <dwrite.h>
#include <new>
#include <vector>

namespace {
// The characters to draw: the text, or the value of the text variable it
// names when variables are expanded.
CStringW ShownCharacters(const B_FigText* text, CDrawBase& reader)
{
    CStringW value;
    if ((theApp.m_settings & SettingFlag::ExpandTextVariables) && reader.ExpandVariable(text->text, value))
        return value;
    return text->text;
}

HRESULT MakeTextFormat(IDWriteFactory* factory, const B_FigText* text, float size, IDWriteTextFormat** format)
{
    DWRITE_FONT_WEIGHT weight = static_cast<DWRITE_FONT_WEIGHT>((text->textFlags & TextFlag::Bold) ? 800 : 400);
    DWRITE_FONT_STYLE style =
        (text->textFlags & TextFlag::Italic) ? DWRITE_FONT_STYLE_ITALIC : DWRITE_FONT_STYLE_NORMAL;
    HRESULT result = factory->CreateTextFormat(text->fontName, nullptr, weight, style, DWRITE_FONT_STRETCH_NORMAL,
                                               size, L"", format);
    if (FAILED(result))
        return result;
    (*format)->SetWordWrapping(DWRITE_WORD_WRAPPING_NO_WRAP);
    (*format)->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_LEADING);
    (*format)->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_NEAR);
    return S_OK;
}
}

// Every character gets a layout of its own, so that the pen, not DirectWrite,
// decides the spacing; only a spacing of exactly 0.01 lays the text out whole.
void CD2DrawCore::DrawTextFigure(B_FigText* text)
{
    if (text->text.IsEmpty())
        return;
    D2DTextFrame frame = LayOutTextFrame(*text, ToDevice(text->start), *m_reader);
    if (frame.width <= 1.0f || frame.height <= 1.0f) {
        DrawTinyText(text, frame);
        return;
    }
    ATL::CComPtr<IDWriteTextFormat> format;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    if (FAILED(MakeTextFormat(m_writeFactory, text, frame.height, &format)) || !GetBrush(text->colour, &brush))
        return;
    CStringW characters = ShownCharacters(text, *m_reader);
    int length = characters.GetLength();
    std::vector<WORD> types(static_cast<size_t>(length) + 1, 0);
    GetStringTypeExW(LOCALE_SYSTEM_DEFAULT, CT_CTYPE3, characters, length, types.data());
    ATL::CComPtr<ColorDrawingEffect> effect(new (std::nothrow)
                                                ColorDrawingEffect(ColorRefToD2D(ShownColour(text->colour))));
    ATL::CComPtr<IDWriteTextRenderer> renderer(new (std::nothrow) D2DTextRenderer(m_factory, m_target));
    if (!effect || !renderer)
        return;
    SetTargetTransform(TextTransform(frame));
    bool whole = text->spacing == 0.01;
    D2D_POINT_2F pen = frame.pen;
    for (int i = 0; i < length;) {
        const wchar_t* units = characters.GetString() + i;
        int count = whole ? length : CharacterUnits(characters, length, i);
        bool halfWidth = (types[i + count - 1] & C3_HALFWIDTH) != 0;
        ATL::CComPtr<IDWriteTextLayout> layout;
        if (SUCCEEDED(m_writeFactory->CreateTextLayout(units, static_cast<UINT32>(count), format, frame.width,
                                                       frame.height, &layout)) &&
            PrepareCharacter(layout, static_cast<UINT32>(count), effect, text->textFlags))
            DrawCharacter(layout, renderer, frame, pen, halfWidth, count == 1 && units[0] == kLongVowelMark,
                          text->textFlags);
        if (i == 0 && frame.vertical && (text->textFlags & TextFlag::HalfShiftFirst))
            pen.x -= frame.width * 0.5f;
        if (frame.vertical)
            pen.y += halfWidth ? frame.halfY : frame.advanceY;
        else
            pen.x += halfWidth ? frame.halfX : frame.advanceX;
        i += count;
    }
    ResetTargetTransform();
}

// Too small for glyphs: a dot at the corner, or, when one side is exactly
// one unit, a dot per character along the text.
void CD2DrawCore::DrawTinyText(const B_FigText* text, const D2DTextFrame& frame)
{
    if (frame.width < 1.0f || frame.height < 1.0f) {
        DrawDot(frame.base, text->colour);
        return;
    }
    SetTargetTransform(TextTransform(frame));
    D2D_POINT_2F at = frame.base;
    for (int i = 0; i < text->text.GetLength(); ++i) {
        DrawDot(at, text->colour);
        if (frame.vertical)
            at.y += frame.height;
        else
            at.x += frame.width;
    }
    ResetTargetTransform();
}

bool CD2DrawCore::PrepareCharacter(IDWriteTextLayout* layout, UINT32 count, IUnknown* effect, uint16_t textFlags)
{
    DWRITE_TEXT_RANGE range = {0, count};
    HRESULT result = layout->SetDrawingEffect(effect, range);
    if (textFlags & TextFlag::Underline)
        result = layout->SetUnderline(TRUE, range);
    if (textFlags & TextFlag::StrikeOut)
        result = layout->SetStrikethrough(TRUE, range);
    return SUCCEEDED(result);
}

// Full-width characters may be nudged into their cells; in vertical text the
// long vowel mark keeps reading along the column instead of turning with it.
void CD2DrawCore::DrawCharacter(IDWriteTextLayout* layout, IDWriteTextRenderer* renderer, const D2DTextFrame& frame,
                                const D2D_POINT_2F& pen, bool halfWidth, bool longVowelMark, uint16_t textFlags)
{
    if ((textFlags & TextFlag::NudgeFullWidth) && !halfWidth) {
        if (frame.vertical)
            layout->Draw(nullptr, renderer, pen.x - frame.advanceX * 0.22f, pen.y + frame.advanceY * 0.01f);
        else
            layout->Draw(nullptr, renderer, pen.x - frame.advanceX * 0.2f, pen.y + frame.advanceY * 0.1f);
    } else if (frame.vertical && longVowelMark) {
        D2D_POINT_2F q = TurnOnDevice(D2D_POINT_2F{pen.x + frame.advanceX, pen.y}, frame.start, frame.angle);
        float upright = static_cast<float>(-(frame.angle - 90.0));
        SetTargetTransform(Then(ScaleAbout(frame.stretch, 1.0f, q), RotationAbout(upright, q)));
        layout->Draw(nullptr, renderer, q.x, q.y);
        SetTargetTransform(TextTransform(frame));
    } else {
        layout->Draw(nullptr, renderer, pen.x, pen.y);
    }
}
