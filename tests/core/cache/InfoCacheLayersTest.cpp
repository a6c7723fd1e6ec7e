// Info text and shown layers of a drawing held by the cache.
#include <gtest/gtest.h>
#include <atlbase.h>
#include <memory>
#include "LanguageFixture.h"
#include "cache/InfoCache.h"
#include "cache/InfoText.h"
#include "records/ZumenInfo.h"
#include "support/ScratchFolder.h"
#include "writer/Drawing.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {
class InfoCacheLayersTest : public LanguageFixture {
protected:
    // Lines on layers 0x01 (shown), 0x13 (hidden layer), 0x25 (in a hidden
    // group) and 0x36 (shown); group 4 is shown but has no entities.
    std::wstring LayeredDrawing()
    {
        JwcDrawing drawing;
        drawing.memo = "layered";
        drawing.layerState[0x13] = 0;
        drawing.groupState[2] = 0;
        for (uint8_t layer : {0x01, 0x13, 0x25, 0x36})
            drawing.lines.push_back({0, 0, 10, 10, 1, 1, layer});
        std::wstring path = m_folder.At(L"layered.jwc");
        SaveFile(path, WriteJwc(drawing));
        return path;
    }

    ScratchFolder m_folder;
    CInfoCache m_cache;
};
}

// The cached drawing's text is the tip's text; the layer table comes with it.
TEST_F(InfoCacheLayersTest, InfoTextOfACachedDrawing)
{
    std::wstring path = LayeredDrawing();
    ZumenLayers layers{};
    ATL::CComBSTR text(L"earlier text");
    ASSERT_TRUE(m_cache.GetInfoText(path.c_str(), &layers, &text.m_str));
    ATL::CComBSTR tip;
    ASSERT_TRUE(BuildZumenInfo(path.c_str(), &tip.m_str));
    EXPECT_STREQ(text.m_str, tip.m_str);
    EXPECT_NE(CStringW(text.m_str).Find(L"layered"), -1);
    EXPECT_EQ(layers.groupState[2], 0);
    EXPECT_EQ(m_cache.GetPaths().size(), 1u);

    EXPECT_FALSE(m_cache.GetInfoText(m_folder.At(L"missing.jwc").c_str(), &layers, &text.m_str));
    EXPECT_EQ(text.m_str, nullptr);
}

// Layers that received entities and are shown, in a shown group.
TEST_F(InfoCacheLayersTest, LayerMaskHoldsShownLayersWithEntities)
{
    std::wstring path = LayeredDrawing();
    CInfoCacheEntry* entry = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(path.c_str(), &entry, nullptr));
    ASSERT_TRUE(entry->IsLayerSet(0x13) && entry->IsLayerSet(0x25));
    uint32_t mask[8] = {};
    EXPECT_TRUE(m_cache.GetLayerMask(path.c_str(), entry, mask));
    m_cache.ReleaseEntry(entry);
    uint32_t expected[8] = {};
    expected[0x01 >> 5] |= 1u << (0x01 & 31);
    expected[0x36 >> 5] |= 1u << (0x36 & 31);
    for (int word = 0; word < 8; ++word)
        EXPECT_EQ(mask[word], expected[word]) << word;

    uint32_t untouched[8] = {};
    DrawData other;
    EXPECT_FALSE(m_cache.GetLayerMask(m_folder.At(L"missing.jwc").c_str(), &other, untouched));
}
