#include "editing/model/cell_grid.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessaly {
namespace {

TEST(CellGrid, RefusesSidesBelowOneOrAboveTheLimit)
{
    CellGrid grid;
    ASSERT_TRUE(grid.setSize(2, 3));
    EXPECT_FALSE(grid.setSize(0, 3));
    EXPECT_TRUE(grid.isEmpty());
    EXPECT_FALSE(grid.setSize(3, -1));
    EXPECT_FALSE(grid.setSize(CellGrid::kMaxSide + 1, 1));
    EXPECT_EQ(grid.rows(), 0);
    EXPECT_EQ(grid.columns(), 0);
}

TEST(CellGrid, AddressesCellsByRowThenColumn)
{
    CellGrid grid;
    ASSERT_TRUE(grid.setSize(2, 3));
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.columns(), 3);
    for (std::int32_t r = 0; r < 2; ++r) {
        for (std::int32_t c = 0; c < 3; ++c) {
            EXPECT_EQ(grid.at(r, c), Cell{});
            grid.at(r, c) = Cell{static_cast<std::uint32_t>(10 * r + c), static_cast<std::uint8_t>(c & 1)};
        }
    }
    EXPECT_EQ(grid.row(1)[2], (Cell{12, 0}));
    EXPECT_EQ(grid.row(0)[1], (Cell{1, 1}));
}

TEST(CellGrid, CopiesAreExactAndEqualityIncludesMasks)
{
    CellGrid grid;
    ASSERT_TRUE(grid.setSize(3, 2));
    grid.at(2, 1) = Cell{0xAABBCCDD, 1};
    CellGrid copy;
    ASSERT_TRUE(copy.copyFrom(grid));
    EXPECT_EQ(copy, grid);
    copy.at(2, 1).mask = 0;
    EXPECT_NE(copy, grid);
    CellGrid wider;
    ASSERT_TRUE(wider.setSize(2, 3));
    CellGrid narrower;
    ASSERT_TRUE(narrower.setSize(3, 2));
    EXPECT_NE(wider, narrower);
}

TEST(CellGrid, CopiesARegionAndRefusesOneReachingOutside)
{
    CellGrid grid;
    ASSERT_TRUE(grid.setSize(4, 5));
    for (std::int32_t r = 0; r < 4; ++r) {
        for (std::int32_t c = 0; c < 5; ++c)
            grid.at(r, c).value = static_cast<std::uint32_t>(10 * r + c);
    }
    CellGrid part;
    ASSERT_TRUE(part.copyFrom(grid, PixelRect{1, 2, 2, 4}));
    ASSERT_EQ(part.rows(), 2);
    ASSERT_EQ(part.columns(), 3);
    EXPECT_EQ(part.at(0, 0).value, 12u);
    EXPECT_EQ(part.at(1, 2).value, 24u);
    EXPECT_FALSE(part.copyFrom(grid, PixelRect{3, 3, 4, 4}));
    EXPECT_TRUE(part.isEmpty());
    EXPECT_FALSE(part.copyFrom(grid, PixelRect{-1, 0, 0, 0}));
}

TEST(CellGrid, MovingLeavesTheSourceEmpty)
{
    CellGrid grid;
    ASSERT_TRUE(grid.setSize(2, 2));
    grid.at(1, 1).value = 9;
    CellGrid moved(std::move(grid));
    EXPECT_TRUE(grid.isEmpty());
    EXPECT_EQ(moved.at(1, 1).value, 9u);
}

} // namespace
} // namespace tessaly
