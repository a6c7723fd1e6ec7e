// Figures both renderers must draw alike, checked pixel by pixel in each.
#include "D2DrawFixture.h"
#include "figures/FigFlags.h"

namespace {
enum class Renderer { Gdi, Direct2D };

const char* NameOf(Renderer renderer)
{
    return renderer == Renderer::Gdi ? "GDI" : "Direct2D";
}

class RendererAgreement : public D2DrawFixture {
protected:
    bool DrawWith(Renderer renderer, D2DTestDrawing& drawing, PixelCanvas& canvas)
    {
        return renderer == Renderer::Gdi ? DrawWithGdi(drawing, canvas) : Draw(drawing, canvas);
    }
};

const Renderer kBoth[] = {Renderer::Gdi, Renderer::Direct2D};

B_FigPoint* EndPoint(const Point2D& position)
{
    B_FigPoint* point = new B_FigPoint();
    point->position = position;
    return point;
}

// A dimension with only its ends: solid arrows (kind 8, fill 2) of size 8
// and half-angle 20 degrees at both, so every pixel of ink is an arrow's.
B_FigDim* ArrowsOnly(const Point2D& first, const Point2D& second)
{
    B_FigDim* dimension = new B_FigDim();
    dimension->endPoint1 = EndPoint(first);
    dimension->endPoint2 = EndPoint(second);
    for (B_DimTerminator* end : {&dimension->terminator1, &dimension->terminator2}) {
        end->kind = 8;
        end->fillMode = 2;
        end->size = 8;
        end->halfAngle = 20;
    }
    return dimension;
}

struct Pixel {
    int x, y;
};
}

// An arrow's tip sits on its end and its body lies along the line towards
// the other end: 4.5 pixels inwards is ink, where a reversed arrow would
// lie is not.
TEST_F(RendererAgreement, DimensionArrowsPointAlongTheirLine)
{
    struct Case {
        const char* line;
        Pixel first, second, insideFirst, outsideFirst, insideSecond, outsideSecond;
    } cases[] = {
        {"vertical", {32, 48}, {32, 16}, {32, 43}, {32, 52}, {32, 20}, {32, 11}},
        {"45 degrees", {20, 44}, {44, 20}, {23, 40}, {16, 47}, {40, 23}, {47, 16}},
    };
    for (Renderer renderer : kBoth) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << NameOf(renderer) << ", " << c.line);
            D2DTestDrawing drawing;
            drawing.Add(ArrowsOnly(drawing.World(c.first.x, c.first.y), drawing.World(c.second.x, c.second.y)));
            PixelCanvas canvas(64, 64);
            ASSERT_TRUE(DrawWith(renderer, drawing, canvas));
            EXPECT_NE(canvas.At(c.insideFirst.x, c.insideFirst.y), 0xFFFFFFu);
            EXPECT_EQ(canvas.At(c.outsideFirst.x, c.outsideFirst.y), 0xFFFFFFu);
            EXPECT_NE(canvas.At(c.insideSecond.x, c.insideSecond.y), 0xFFFFFFu);
            EXPECT_EQ(canvas.At(c.outsideSecond.x, c.outsideSecond.y), 0xFFFFFFu);
        }
    }
}

// A filled triangle marker turned a quarter counter-clockwise points left:
// its base stands on the right.
TEST_F(RendererAgreement, MarkersTurnCounterClockwise)
{
    for (Renderer renderer : kBoth) {
        SCOPED_TRACE(NameOf(renderer));
        D2DTestDrawing drawing;
        B_FigPointEx* marker = drawing.Add(new B_FigPointEx());
        marker->position = drawing.World(32, 32);
        marker->markerCode = 6;
        marker->size = 12;
        marker->angle = 90;
        marker->flags = FigFlag::Filled;
        PixelCanvas canvas(64, 64);
        ASSERT_TRUE(DrawWith(renderer, drawing, canvas));
        EXPECT_NE(canvas.At(36, 35), 0xFFFFFFu) << "beside the base";
        EXPECT_EQ(canvas.At(28, 35), 0xFFFFFFu) << "beside the apex";
    }
}
