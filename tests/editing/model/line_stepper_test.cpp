#include "editing/model/line_stepper.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace tessaly {
namespace {

std::vector<PixelPoint> walk(PixelPoint from, PixelPoint to)
{
    std::vector<PixelPoint> points;
    for (LineStepper s(from, to); !s.done(); s.advance()) {
        EXPECT_EQ(s.step(), static_cast<std::int64_t>(points.size()));
        points.push_back(s.point());
        if (points.size() > 10000)
            break; // a walk that does not stop fails below instead of hanging
    }
    return points;
}

// The same line worked out geometrically: along the longer axis every
// coordinate once; on the shorter one the integer nearest the ideal line,
// the one nearer the start where two are equally near.
std::vector<PixelPoint> nearestPoints(PixelPoint from, PixelPoint to)
{
    const std::int64_t dRow = to.row - from.row;
    const std::int64_t dColumn = to.column - from.column;
    const bool columnMajor = std::llabs(dColumn) >= std::llabs(dRow);
    const std::int64_t major = columnMajor ? std::llabs(dColumn) : std::llabs(dRow);
    const std::int64_t minor = columnMajor ? std::llabs(dRow) : std::llabs(dColumn);
    const std::int64_t majorSign = (columnMajor ? dColumn : dRow) < 0 ? -1 : 1;
    const std::int64_t minorSign = (columnMajor ? dRow : dColumn) < 0 ? -1 : 1;
    std::vector<PixelPoint> points;
    for (std::int64_t k = 0; k <= major; ++k) {
        std::int64_t offset = 0;
        if (major > 0) {
            const std::int64_t exact = k * minor; // ideal offset = exact / major
            offset = exact / major;
            if (2 * (exact % major) > major)
                ++offset;
        }
        const auto along = static_cast<std::int32_t>(majorSign * k);
        const auto across = static_cast<std::int32_t>(minorSign * offset);
        points.push_back(columnMajor ? PixelPoint{from.row + across, from.column + along}
                                     : PixelPoint{from.row + along, from.column + across});
    }
    return points;
}

TEST(LineStepper, StepsOnTheMinorAxisPastTheHalf)
{
    const std::vector<PixelPoint> expected{{0, 0}, {0, 1}, {1, 2}, {1, 3}};
    EXPECT_EQ(walk({0, 0}, {1, 3}), expected);
}

TEST(LineStepper, StaysOnTheStartRowAtAnExactHalf)
{
    const std::vector<PixelPoint> expected{{0, 0}, {0, 1}, {1, 2}};
    EXPECT_EQ(walk({0, 0}, {1, 2}), expected);
}

TEST(LineStepper, WalksSteepLinesAlongTheRows)
{
    const std::vector<PixelPoint> expected{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    EXPECT_EQ(walk({0, 0}, {3, 1}), expected);
}

TEST(LineStepper, AZeroLengthLineVisitsOnePoint)
{
    const std::vector<PixelPoint> expected{{5, -7}};
    EXPECT_EQ(walk({5, -7}, {5, -7}), expected);
    EXPECT_EQ(LineStepper::pointCount({5, -7}, {5, -7}), 1);
}

TEST(LineStepper, WalksBackwardsAndThroughNegativeCoordinates)
{
    const std::vector<PixelPoint> expected{{1, 3}, {1, 2}, {0, 1}, {0, 0}};
    EXPECT_EQ(walk({1, 3}, {0, 0}), expected);
    const std::vector<PixelPoint> diagonal{{-1, 2}, {-2, 1}, {-3, 0}, {-4, -1}};
    EXPECT_EQ(walk({-1, 2}, {-4, -1}), diagonal);
}

TEST(LineStepper, MatchesTheNearestPointsInEveryDirection)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int32_t> coordinate(-40, 40);
    for (int i = 0; i < 5000; ++i) {
        const PixelPoint from{coordinate(rng), coordinate(rng)};
        const PixelPoint to{coordinate(rng), coordinate(rng)};
        const auto points = walk(from, to);
        ASSERT_EQ(points, nearestPoints(from, to))
            << "from (" << from.row << ", " << from.column << ") to (" << to.row << ", " << to.column << ")";
        ASSERT_EQ(static_cast<std::int64_t>(points.size()), LineStepper::pointCount(from, to));
        ASSERT_EQ(points.front(), from);
        ASSERT_EQ(points.back(), to);
    }
}

TEST(LineStepper, CountsPointsOfLinesSpanningTheWholeCoordinateRange)
{
    EXPECT_EQ(LineStepper::pointCount({0, INT32_MIN}, {3, INT32_MAX}), std::int64_t{1} << 32);
    LineStepper s({INT32_MAX, 0}, {INT32_MAX - 2, 1});
    s.advance();
    s.advance();
    EXPECT_FALSE(s.done());
    EXPECT_EQ(s.point(), (PixelPoint{INT32_MAX - 2, 1}));
}

} // namespace
} // namespace tessaly
