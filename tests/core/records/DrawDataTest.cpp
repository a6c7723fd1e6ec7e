#include <gtest/gtest.h>
#include <cstring>
#include "records/DrawData.h"
#include "support/LibraryModule.h"

TEST(BuildWidth, PointerSizeMatchesTarget)
{
#ifdef _WIN64
    EXPECT_EQ(sizeof(void*), 8u);
#else
    EXPECT_EQ(sizeof(void*), 4u);
#endif
}

// Calls the constructor the library exports, the way another module builds
// the record in its own storage.
TEST(DrawData, ExportedConstructorOverDirtyMemory)
{
    LibraryModule tavrena(L"Tavrena.dll");
    ASSERT_TRUE(tavrena.IsLoaded());
    using Constructor = void(__thiscall*)(DrawData*);
    auto construct = tavrena.Proc<Constructor>("_ZN8DrawDataC1Ev");
    ASSERT_NE(construct, nullptr);

    alignas(DrawData) unsigned char storage[sizeof(DrawData)];
    memset(storage, 0xFF, sizeof storage);
    DrawData* data = reinterpret_cast<DrawData*>(storage);
    construct(data);

    EXPECT_EQ(data->flags, 0xFFFF0C7Fu);
    for (uint32_t word : data->layerMask) EXPECT_EQ(word, 0u);
    EXPECT_EQ(data->width, 256);
    EXPECT_EQ(data->height, 256);
    EXPECT_EQ(data->scale, 256);
    EXPECT_EQ(data->doc, nullptr);
    EXPECT_EQ(data->progressWnd, nullptr);
    EXPECT_EQ(data->viewWidth, 0);
    EXPECT_EQ(data->originY, 0);
    EXPECT_FALSE(data->viewSet);
}

TEST(DrawData, ConstructorOwnsBitsSevenToFifteenOnly)
{
    const uint32_t before[] = {0x00000000u, 0xFFFFFFFFu, 0x0000F380u, 0x12345678u};
    for (uint32_t bits : before) {
        alignas(DrawData) unsigned char storage[sizeof(DrawData)] = {};
        DrawData* data = reinterpret_cast<DrawData*>(storage);
        data->flags = bits;
        new (storage) DrawData;
        EXPECT_EQ(data->flags, (bits & ~0xFF80u) | DrawFlag::WholeDrawing | DrawFlag::KeepView) << std::hex << bits;
    }
}
