#pragma once
#include <functional>
#include "reader/JwCADBase.h"

// A reader whose kind and load the test decides; everything else answers
// as a reader of an empty drawing would.
class ScriptedReader : public CJwCADBase {
public:
    using LoadScript = std::function<BOOL(ScriptedReader&)>;

    explicit ScriptedReader(int kind = 2, LoadScript load = nullptr) : m_kind(kind), m_load(std::move(load)) {}

    float ToDeviceLength(double length) override { return static_cast<float>(length); }
    void SetupView() override {}
    float GetPenWidth(int) override { return 1.0f; }
    void DrawOverlay(CD2DrawCore*) override {}
    COLORREF GetPenColor(int) override { return 0; }
    double GetScale() override { return 1.0; }
    BOOL GetInfoAndLayers(CFile*, ZumenInfo*, ZumenLayers*) override { return FALSE; }
    BOOL GetInfo(CFile*, ZumenInfo*) override { return FALSE; }
    int GetFileKind() override { return m_kind; }
    BOOL Load(CFile*) override { return m_load ? m_load(*this) : TRUE; }
    bool GetRandomLineShape(uint16_t, RandomLineShape*) override { return false; }
    void FitForPreview(DrawData*) override {}

    void MarkLayer(int layer) { m_usedLayers[layer >> 5] |= 1u << (layer & 31); }

private:
    int m_kind;
    LoadScript m_load;
};
