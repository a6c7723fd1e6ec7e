#pragma once
#include <functional>
#include "figures/FigVisit.h"
#include "ShapeReader.h"

// A reader for render tests: its figures come from the test, its view maps
// world x to device x * scale and world y to device (zoom - y * scale)
// unless the test fits the extent instead.
class RenderTestReader : public ShapeReader {
public:
    enum class View { Fixed, FitExtent };

    void SetupView() override
    {
        if (m_view == View::FitExtent) {
            FitExtent(0.0, 0.0);
            return;
        }
        m_scale = m_fixedScale;
        m_worldRefX = m_worldRefY = 0.0;
        m_devOffsetX = m_devOffsetY = 0.0;
    }
    float ToDeviceLength(double length) override { return static_cast<float>(length * m_scale); }
    float GetPenWidth(int) override { return m_penWidth; }
    bool GetUserLineStyle(uint16_t lineType, float dashes[32], int* count) override
    {
        if (!m_userStyle || lineType != m_userStyleType)
            return false;
        for (int i = 0; i < m_userStyleCount && i < 32; ++i)
            dashes[i] = m_userStyleDashes[i];
        *count = m_userStyleCount;
        return true;
    }
    void DrawOverlay(CD2DrawCore*) override { ++m_overlays; }

    // Takes fig into the drawing and returns it.
    template <class Fig>
    Fig* Add(Fig* fig)
    {
        B_Base* holder = fig;
        AddData(new B_FigNode(&holder), false);
        return fig;
    }
    void SetUserStyle(uint16_t type, std::initializer_list<float> dashes)
    {
        m_userStyle = true;
        m_userStyleType = type;
        m_userStyleCount = 0;
        for (float d : dashes)
            m_userStyleDashes[m_userStyleCount++] = d;
    }
    // Makes pens and brushes on dc without a draw.
    void UseDC(CDC* dc) { m_pDC = dc; }

    View m_view = View::Fixed;
    double m_fixedScale = 1.0;
    float m_penWidth = 2.0f;
    int m_overlays = 0;

private:
    bool m_userStyle = false;
    uint16_t m_userStyleType = 0;
    int m_userStyleCount = 0;
    float m_userStyleDashes[40] = {};
};
