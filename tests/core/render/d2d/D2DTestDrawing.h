#pragma once
#include <functional>
#include <map>
#include <vector>
#include "figures/FigVisit.h"
#include "render/gdi/DrawBase.h"

// A drawing for the renderer's tests: one world unit is one device pixel and
// world y runs up from the bottom of an m_height-pixel canvas, so a figure
// at world (x, y) lands on device (x, m_height - y). Every layer is shown.
class D2DTestDrawing : public CDrawBase {
public:
    explicit D2DTestDrawing(int width = 64, int height = 64)
    {
        m_width = width;
        m_height = height;
        m_zoom = height;
        m_scale = 1.0;
        m_backColor = 0xFFFFFF;
    }
    ~D2DTestDrawing() override { DeleteFigures(); }

    // Takes over figure; returns it for further set-up.
    template <class Kind> Kind* Add(Kind* figure)
    {
        B_Base* holder = figure;
        AddData(new B_FigNode(&holder), false);
        return figure;
    }
    // The world point of device point (x, y).
    Point2D World(double x, double y) const { return Point2D(x, m_height - y); }

    bool IsLayerVisible(uint16_t) override { return true; }
    float ToDeviceLength(double length) override { return static_cast<float>(length * m_scale); }
    void SetupView() override {}
    float GetPenWidth(int) override { return 2.0f; }
    void DrawOverlay(CD2DrawCore*) override { ++overlays; }
    COLORREF GetPenColor(int) override { return 0; }
    bool GetUserLineStyle(uint16_t lineType, float dashes[32], int* count) override
    {
        auto found = userStyles.find(lineType);
        if (found == userStyles.end())
            return false;
        *count = static_cast<int>(found->second.size());
        for (size_t i = 0; i < found->second.size() && i < 32; ++i)
            dashes[i] = found->second[i];
        return true;
    }
    bool ParseTextCodes(B_FigText*) override { return false; }
    bool ExpandVariable(const wchar_t*, CStringW&) override { return false; }
    CFigNodeList& GetTextRuns() override { return m_runs; }

    std::map<uint16_t, std::vector<float>> userStyles;
    int overlays = 0;

private:
    CFigNodeList m_runs;
};
