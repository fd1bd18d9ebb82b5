#include "palette/palette_grid.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PaletteGrid, FixedCellsFillTheWidthAndTheContentClosesWithAGridLine)
{
    PaletteGrid grid;
    grid.layout(193, 50, 256, false);
    EXPECT_EQ(grid.cellSize(), 12);
    EXPECT_EQ(grid.columns(), 16);
    EXPECT_EQ(grid.rows(), 16);
    EXPECT_EQ(grid.contentHeight(), 193);
    grid.layout(192, 50, 256, false); // one pixel short of the closing line
    EXPECT_EQ(grid.columns(), 15);
    grid.layout(5, 50, 3, false); // narrower than a cell: still one column
    EXPECT_EQ(grid.columns(), 1);
    EXPECT_EQ(grid.rows(), 3);
    grid.layout(193, 50, 0, false);
    EXPECT_EQ(grid.rows(), 0);
    EXPECT_FALSE(grid.drawsAnything());
}

TEST(PaletteGrid, ShowWholeTakesTheLargestCellsAtWhichEveryEntryFits)
{
    PaletteGrid grid;
    grid.layout(100, 100, 16, true);
    EXPECT_EQ(grid.cellSize(), 24); // 4 x 4 fit; at 25 only 3 x 3
    EXPECT_EQ(grid.columns(), 4);
    EXPECT_EQ(grid.rows(), 4);
    grid.layout(100, 100, 17, true);
    EXPECT_EQ(grid.cellSize(), 19); // 5 x 5 = 25 at 19; 4 x 4 = 16 at 20
    grid.layout(4, 4, 16, true);    // 3 x 3 pixels for 16 entries
    EXPECT_EQ(grid.cellSize(), 0);
    EXPECT_FALSE(grid.drawsAnything());
    EXPECT_EQ(grid.contentHeight(), 1);
    EXPECT_EQ(grid.indexAt({5, 5}, {}), -1);
    grid.layout(100, 100, 0, true);
    EXPECT_EQ(grid.cellSize(), 0);
}

TEST(PaletteGrid, CellPartsLieOnAndInsideTheGridLines)
{
    PaletteGrid grid;
    grid.layout(193, 100, 20, false);
    const ClientPoint scroll{0, 7};
    EXPECT_EQ(grid.cellOrigin(17, scroll), (ClientPoint{12, 5}));
    EXPECT_EQ(grid.colourSquare(17, scroll), (ViewRect{13, 6, 24, 17}));
    EXPECT_EQ(grid.frame(17, scroll), (ViewRect{12, 5, 25, 18}));
    EXPECT_EQ(grid.rangeMark(17, scroll), (ViewRect{14, 7, 23, 16}));
    // Missing places cover their grid lines right and below; in the first
    // row also the one above.
    EXPECT_EQ(grid.missingCell(20, {}), (ViewRect{49, 13, 61, 25}));
    grid.layout(193, 100, 5, false);
    EXPECT_EQ(grid.missingCell(5, {}), (ViewRect{61, 0, 73, 13}));
    EXPECT_EQ(grid.gridEnd({0, 3}), (ClientPoint{193, 10}));
}

TEST(PaletteGrid, IndexAtTakesNegativeCoordinatesIntoTheCellBeforeAndTheHitTestIsStrict)
{
    PaletteGrid grid;
    grid.layout(193, 100, 40, false);
    EXPECT_EQ(grid.indexAt({0, 0}, {}), 0);
    EXPECT_EQ(grid.indexAt({12, 11}, {}), 1);
    EXPECT_EQ(grid.indexAt({5, 13}, {0, 12}), 32);
    EXPECT_EQ(grid.indexAt({-1, 5}, {}), -1);
    EXPECT_EQ(grid.indexAt({5, -1}, {}), -16);
    EXPECT_EQ(grid.indexAt({250, 5}, {}), 20); // past the last column: the next row's index
    EXPECT_FALSE(grid.hitTest({0, 0}, {}));    // the top-left grid line
    EXPECT_TRUE(grid.hitTest({1, 1}, {}));
    EXPECT_FALSE(grid.hitTest({192, 5}, {}));
    EXPECT_TRUE(grid.hitTest({191, 35}, {}));
    EXPECT_FALSE(grid.hitTest({5, 36}, {}));
    EXPECT_TRUE(grid.hitTest({5, 0}, {0, 1}));
}

TEST(PaletteGrid, CellsMeetingAnUpdateIncludeTheCellsWhoseMissingPartsReachIn)
{
    PaletteGrid grid;
    grid.layout(193, 100, 40, false);
    const auto span = grid.cellsMeeting({24, 12, 25, 13}, {});
    EXPECT_EQ(span.firstColumn, 1);
    EXPECT_EQ(span.lastColumn, 2);
    EXPECT_EQ(span.firstRow, 0);
    EXPECT_EQ(span.lastRow, 1);
    const auto all = grid.cellsMeeting({0, 0, 400, 400}, {0, 12});
    EXPECT_EQ(all.firstColumn, 0);
    EXPECT_EQ(all.lastColumn, 15);
    EXPECT_EQ(all.firstRow, 0);
    EXPECT_EQ(all.lastRow, 2);
    EXPECT_TRUE(grid.cellsMeeting({300, 0, 400, 10}, {}).isEmpty()); // right of the grid
    EXPECT_TRUE(grid.cellsMeeting({0, 0, 0, 10}, {}).isEmpty());
}

} // namespace
} // namespace tessaly
