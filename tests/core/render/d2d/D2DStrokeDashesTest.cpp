#include <gtest/gtest.h>
#include <vector>
#include "D2DTestDrawing.h"
#include "render/d2d/D2DStrokeDashes.h"
#include "render/gdi/DashTable.h"

namespace {
// The dashes of lineType, or an empty list for a solid line.
std::vector<float> Dashes(D2DTestDrawing& drawing, uint16_t lineType)
{
    float dashes[kMaxStrokeDashes];
    int count = -1;
    if (!StrokeDashes(drawing, lineType, dashes, &count))
        return {};
    return std::vector<float>(dashes, dashes + count);
}
}

// A print doubles every dash and gap of the GDI pattern; the screen takes
// it as it is.
TEST(D2DStrokeDashes, BuiltInRowsOnScreenAndDoubledInPrint)
{
    for (uint16_t type = 2; type <= 9; ++type) {
        SCOPED_TRACE(type);
        const DashPattern* row = BuiltInDashes(type);
        std::vector<float> screen(row->lengths, row->lengths + row->count), print;
        for (float length : screen)
            print.push_back(length * 2);
        D2DTestDrawing drawing;
        EXPECT_EQ(Dashes(drawing, type), screen);
        drawing.m_print = true;
        EXPECT_EQ(Dashes(drawing, type), print);
    }
    D2DTestDrawing printing;
    printing.m_print = true;
    EXPECT_EQ(Dashes(printing, 3), (std::vector<float>{4, 8, 4, 0}));
}

TEST(D2DStrokeDashes, SolidTypesHaveNoDashes)
{
    D2DTestDrawing drawing;
    for (uint16_t type : {0, 1, 10, 11, 15, 16, 255})
        EXPECT_TRUE(Dashes(drawing, type).empty()) << type;
}

// The drawing's own pattern wins over the table, for any line type.
TEST(D2DStrokeDashes, DrawingsOwnPatternWins)
{
    D2DTestDrawing drawing;
    drawing.userStyles[2] = {6, 3};
    drawing.userStyles[12] = {1, 1, 4, 1};
    EXPECT_EQ(Dashes(drawing, 2), (std::vector<float>{6, 3}));
    EXPECT_EQ(Dashes(drawing, 12), (std::vector<float>{1, 1, 4, 1}));
    drawing.m_print = true;
    EXPECT_EQ(Dashes(drawing, 2), (std::vector<float>{12, 6}));
}

// Patterns Direct2D would refuse or could never draw fall back to solid,
// and a count beyond the array is cut to it.
TEST(D2DStrokeDashes, UnusablePatternsAreSolidAndLongOnesAreCut)
{
    D2DTestDrawing drawing;
    drawing.userStyles[2] = {};
    drawing.userStyles[3] = {0, 0, 0};
    drawing.userStyles[4] = {-2, 3};
    drawing.userStyles[5] = std::vector<float>(32, 1.0f);
    EXPECT_TRUE(Dashes(drawing, 2).empty());
    EXPECT_TRUE(Dashes(drawing, 3).empty());
    EXPECT_EQ(Dashes(drawing, 4), (std::vector<float>{0, 3}));
    EXPECT_EQ(Dashes(drawing, 5).size(), 32u);
}
