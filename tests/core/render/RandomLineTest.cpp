// Patterned lines: the shape table and the walk along lines and curves.
#include <gtest/gtest.h>
#include <atomic>
#include <cmath>
#include <thread>
#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigLine.h"
#include "render/gdi/RandomLineBuilder.h"
#include "ShapeReader.h"

namespace {

const float kFarStart = -32769.0f;

// A zig-zag of period 8 and amplitude 2, starting on the line.
void SetZigZag(ShapeReader& reader, uint16_t type)
{
    reader.SetShape(type, 0.0f, 8.0f, {{kFarStart, 0}, {2, 2}, {6, -2}, {8, 0}});
}

B_FigLine LineOf(Point2D a, Point2D b, uint16_t type)
{
    B_FigLine line;
    line.line.first = a;
    line.line.second = b;
    line.lineType = type;
    return line;
}

void ExpectPoints(const std::vector<Point2D>& actual, const std::vector<Point2D>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-6) << "point " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-6) << "point " << i;
    }
}

class RandomLine : public ::testing::Test {
protected:
    void TearDown() override
    {
        ShapeReader none;
        BuildRandomLineTable(&none);
    }

    ShapeReader m_reader;
    RandomLineBuilder m_builder;
    std::vector<Point2D> m_out;
};
}

TEST_F(RandomLine, ZigZagAlongALineMergesCollinearPieces)
{
    SetZigZag(m_reader, 12);
    BuildRandomLineTable(&m_reader);
    B_FigLine line = LineOf({0, 0}, {16, 0}, 12);
    ASSERT_TRUE(m_builder.Build(&line, m_out, 1.0));
    // The rising piece of the second period continues the one before; the
    // empty window at the end leaves a piece 0.005 long.
    ExpectPoints(m_out, {{0, 0}, {2, 2}, {6, -2}, {10, 2}, {14, -2}, {16, 0}, {16.005, 0}});
}

TEST_F(RandomLine, ShapeKeepsItsDeviceSizeAtAnyScale)
{
    SetZigZag(m_reader, 11);
    BuildRandomLineTable(&m_reader);
    B_FigLine line = LineOf({0, 0}, {0, 8}, 11);
    ASSERT_TRUE(m_builder.Build(&line, m_out, 2.0));
    // Half the world size at 2 pixels per unit; a vertical line turns the
    // shape's across-axis to -x.
    ExpectPoints(m_out, {{0, 0}, {-1, 1}, {1, 3}, {-1, 5}, {1, 7}, {0, 8}, {0, 8.005}});
}

TEST_F(RandomLine, ShapesWithoutSegmentsAreNotPatterned)
{
    m_reader.SetShape(13, 0.0f, 8.0f, {{kFarStart, 0}});
    m_reader.SetShape(14, 0.0f, 8.0f, {{kFarStart, 0}, {-2, 1}, {-4, 1}});
    SetZigZag(m_reader, 15);
    m_reader.SetShape(11, 0.0f, 0.0f, {{kFarStart, 0}, {2, 2}});  // no period
    m_reader.SetShape(12, 0.0f, 4.0f, {{kFarStart, 0}, {2, 2}, {9, 0}});  // a piece wider than the period
    BuildRandomLineTable(&m_reader);
    for (uint16_t type : {11, 12, 13, 14}) {
        B_FigLine line = LineOf({0, 0}, {16, 0}, type);
        EXPECT_FALSE(m_builder.Build(&line, m_out, 1.0)) << "type " << type;
    }
    for (uint16_t type : {0, 2, 10, 16}) {
        B_FigLine line = LineOf({0, 0}, {16, 0}, type);
        EXPECT_FALSE(m_builder.Build(&line, m_out, 1.0)) << "type " << type << " is not patterned";
    }
    B_FigLine line = LineOf({0, 0}, {16, 0}, 15);
    EXPECT_FALSE(m_builder.Build(&line, m_out, 0.0)) << "no scale";
    EXPECT_TRUE(m_builder.Build(&line, m_out, 1.0));
}

TEST_F(RandomLine, LongFiguresFallBackToPlainLines)
{
    SetZigZag(m_reader, 11);
    m_reader.SetShape(12, 0.0f, 8.0f, {{kFarStart, 0}, {8, 0}});  // straight: every piece merges
    BuildRandomLineTable(&m_reader);
    B_FigLine zigZag = LineOf({0, 0}, {8 * 600, 0}, 11);
    EXPECT_FALSE(m_builder.Build(&zigZag, m_out, 1.0)) << "more than 1000 points";
    m_out.clear();
    B_FigLine straight = LineOf({0, 0}, {8 * 100, 0}, 12);
    ASSERT_TRUE(m_builder.Build(&straight, m_out, 1.0));
    EXPECT_LE(m_out.size(), 3u) << "a straight shape merges into the line";
    struct Case {
        double periods;
        bool patterned;
    };
    for (Case c : {Case{1500, true}, Case{2500, false}, Case{1.25e11, false}}) {
        m_out.clear();
        B_FigLine line = LineOf({0, 0}, {8 * c.periods, 0}, 12);
        EXPECT_EQ(m_builder.Build(&line, m_out, 1.0), c.patterned) << c.periods << " periods to walk";
    }
}

TEST_F(RandomLine, CurvesArePatternedAroundTheirOutline)
{
    SetZigZag(m_reader, 11);
    BuildRandomLineTable(&m_reader);
    B_FigCircle circle;
    circle.centre = Point2D(100, 100);
    circle.radius = 50;
    circle.lineType = 11;
    ASSERT_TRUE(m_builder.Build(&circle, m_out, 1.0));
    ASSERT_GT(m_out.size(), 20u);
    for (const Point2D& p : m_out)
        EXPECT_NEAR(std::hypot(p.x - 100, p.y - 100), 50.0, 2.0 * std::sqrt(2.0) + 1.0);

    // An arc: the chord from its end back to its start is patterned too.
    B_FigArc arc;
    arc.arc.centre = Point2D(0, 0);
    arc.arc.radius = 50;
    arc.arc.start = Point2D(50, 0);
    arc.arc.end = Point2D(-50, 0);
    arc.lineType = 11;
    m_out.clear();
    ASSERT_TRUE(m_builder.Build(&arc, m_out, 1.0));
    int onChord = 0;
    for (const Point2D& p : m_out)
        onChord += std::fabs(p.y) <= 2.0 + 1e-9 && std::fabs(p.x) < 45 ? 1 : 0;
    EXPECT_GE(onChord, 10) << "points along the chord y = 0";
}

TEST_F(RandomLine, TheLastLoadsShapesServeEveryDrawing)
{
    SetZigZag(m_reader, 11);
    BuildRandomLineTable(&m_reader);
    ShapeReader second;
    second.SetShape(11, 0.0f, 16.0f, {{kFarStart, 0}, {8, 4}, {16, 0}});
    BuildRandomLineTable(&second);
    B_FigLine line = LineOf({0, 0}, {16, 0}, 11);
    ASSERT_TRUE(m_builder.Build(&line, m_out, 1.0));
    EXPECT_NEAR(m_out[1].x, 8.0, 1e-9);
    EXPECT_NEAR(m_out[1].y, 4.0, 1e-9);
}

TEST_F(RandomLine, LoadsAndDrawsOnOtherThreadsSeeWholeTables)
{
    SetZigZag(m_reader, 11);
    ShapeReader other;
    other.SetShape(11, 0.0f, 8.0f, {{kFarStart, 0}, {4, 4}, {8, 0}});
    BuildRandomLineTable(&m_reader);
    std::atomic<bool> stop(false);
    std::thread loader([&] {
        for (int i = 0; !stop; ++i)
            BuildRandomLineTable(i % 2 ? &m_reader : &other);
    });
    B_FigLine line = LineOf({0, 0}, {8, 0}, 11);
    int bad = 0;
    for (int i = 0; i < 2000; ++i) {
        m_out.clear();
        if (!m_builder.Build(&line, m_out, 1.0) || (m_out.size() != 5 && m_out.size() != 4))
            ++bad;
    }
    stop = true;
    loader.join();
    EXPECT_EQ(bad, 0) << "every draw saw one whole shape";
}
