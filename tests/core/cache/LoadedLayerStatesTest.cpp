// The thumbnail takes its layer table from the load instead of reading the
// file's header once more: the table must be the one a new read gives.
#include <gtest/gtest.h>
#include <cstring>
#include "core/jww/JwwTestSupport.h"
#include "reader/JwCADBase.h"
#include "records/ZumenInfo.h"
#include "writer/SampleDrawing.h"

namespace {
std::vector<uint8_t> LayeredDrawingBytes()
{
    jwwrite::Drawing drawing = BareDrawing();
    drawing.header.writeGroup = 5;
    drawing.header.groupState[2] = 0;
    drawing.header.layerState[1][3] = 0;
    drawing.header.layerState[4][6] = 1;
    drawing.entities.push_back(LineOf(0, 0, 10, 10));
    return jwwrite::WriteDrawing(drawing);
}

std::vector<uint8_t> SymbolBytes()
{
    jwwrite::Symbol symbol = jwwrite::SampleSymbol(700);
    symbol.entities = {LineOf(0, 0, 1, 1)};
    return jwwrite::WriteSymbol(symbol);
}

void ExpectSameStates(const ZumenLayers& a, const ZumenLayers& b)
{
    EXPECT_EQ(0, std::memcmp(a.groupState, b.groupState, sizeof a.groupState));
    EXPECT_EQ(0, std::memcmp(a.groupScale, b.groupScale, sizeof a.groupScale));
    EXPECT_EQ(0, std::memcmp(a.layerState, b.layerState, sizeof a.layerState));
}
}

TEST(LoadedLayerStates, AreTheLayerTableOfTheFile)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const wchar_t* name;
    } cases[] = {
        {"drawing", LayeredDrawingBytes(), L"layers.jww"},
        {"symbol", SymbolBytes(), L"part.jws"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadedDrawing loaded(c.bytes, c.name);
        ASSERT_TRUE(loaded.Complete());
        ZumenLayers fromLoad{};
        ASSERT_TRUE(loaded.Reader()->GetLoadedLayerStates(&fromLoad));
        ZumenLayers fromFile{};
        ZumenInfo info;
        CFile file(loaded.Path().c_str(), CFile::modeRead | CFile::shareDenyNone);
        ASSERT_TRUE(loaded.Reader()->GetInfoAndLayers(&file, &info, &fromFile));
        ExpectSameStates(fromLoad, fromFile);
    }
    LoadedDrawing drawing(LayeredDrawingBytes(), L"layers.jww");
    ZumenLayers layers{};
    ASSERT_TRUE(drawing.Reader()->GetLoadedLayerStates(&layers));
    EXPECT_EQ(3, layers.groupState[5]);  // the write group
    EXPECT_EQ(0, layers.groupState[2]);
    EXPECT_EQ(0, layers.layerState[1 * 16 + 3]);
}

// A load cut short read its header, but the file reads again as before.
TEST(LoadedLayerStates, NoneAfterALoadThatFailed)
{
    std::vector<uint8_t> bytes = LayeredDrawingBytes();
    bytes.resize(bytes.size() - 40);  // into the line
    LoadedDrawing cut(bytes, L"cut.jww");
    ASSERT_NE(nullptr, cut.Reader());
    ASSERT_FALSE(cut.Complete());
    ZumenLayers layers{};
    EXPECT_FALSE(cut.Reader()->GetLoadedLayerStates(&layers));
}
