// A stand-in for the visual-style entry points (Wine's visual styles differ
// or are off): every class list opens, every drawing is recorded with its
// part and state, and GetThemeColor answers one fixed colour.
#pragma once
#include <string>
#include <vector>

#include "foundation/base/KvoWinThemeWrapper.h"

class KvoRecordingUxTheme {
public:
    struct DrawnPart {
        std::wstring classList;
        int part;
        int state;
        RECT rect;
    };
    static constexpr COLORREF kThemeTextColor = RGB(0x12, 0x34, 0x56);

    KvoRecordingUxTheme() : m_functions(false)
    {
        m_functions.openThemeData = OpenThemeData;
        m_functions.closeThemeData = CloseThemeData;
        m_functions.isAppThemed = IsAppThemed;
        m_functions.isThemeActive = IsAppThemed;
        m_functions.drawThemeBackground = DrawThemeBackground;
        m_functions.getThemeColor = GetThemeColor;
        Opened().clear();
        Drawn().clear();
    }
    KvoUxThemeFunctions* Functions() { return &m_functions; }

    // The class lists opened, in order.
    static std::vector<std::wstring>& Opened()
    {
        static std::vector<std::wstring> opened;
        return opened;
    }
    static std::vector<DrawnPart>& Drawn()
    {
        static std::vector<DrawnPart> drawn;
        return drawn;
    }
    // (part, state) of every drawing of the class list.
    static std::vector<std::pair<int, int>> DrawnOf(const std::wstring& classList)
    {
        std::vector<std::pair<int, int>> parts;
        for (const DrawnPart& drawn : Drawn())
            if (drawn.classList == classList)
                parts.emplace_back(drawn.part, drawn.state);
        return parts;
    }

private:
    // A theme handle is the index of its class list in Opened(), plus one.
    static HTHEME WINAPI OpenThemeData(HWND, LPCWSTR classList)
    {
        Opened().push_back(classList);
        return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(Opened().size()));
    }
    static HRESULT WINAPI CloseThemeData(HTHEME) { return S_OK; }
    static BOOL WINAPI IsAppThemed() { return TRUE; }
    static HRESULT WINAPI DrawThemeBackground(HTHEME theme, HDC, int part, int state, LPCRECT rect, LPCRECT)
    {
        Drawn().push_back({ClassOf(theme), part, state, *rect});
        return S_OK;
    }
    static HRESULT WINAPI GetThemeColor(HTHEME, int, int, int, COLORREF* color)
    {
        *color = kThemeTextColor;
        return S_OK;
    }
    static std::wstring ClassOf(HTHEME theme)
    {
        const size_t index = static_cast<size_t>(reinterpret_cast<INT_PTR>(theme)) - 1;
        return index < Opened().size() ? Opened()[index] : std::wstring();
    }

    KvoUxThemeFunctions m_functions;
};
