#include "document/line_entry.h"

#include <gtest/gtest.h>

#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

using LineEntryTest = test::PixelStepTest;

TEST_F(LineEntryTest, UndoAndRedoOfALineAreExact)
{
    loadRandom(9, 7, 4, {0, 3, 5, 15}, 0.4);
    auto line = std::make_unique<LineEntry>(image, 9, 0);
    ASSERT_TRUE(line->setEndPoints({-2, 10}, {6, 0}));
    EXPECT_EQ(image.cellAt(6, 0), (Cell{9, 0}));
    checkUndoRedo(std::move(line));
}

TEST_F(LineEntryTest, ALineAtThePressPointDrawsOnePixel)
{
    loadRandom(3, 3, 32, {0}, 0.0);
    LineEntry line(image, 0xFF123456, 1);
    ASSERT_TRUE(line.setEndPoints({1, 1}, {1, 1}));
    EXPECT_EQ(test::differingCells(before, image.cells()), (PixelRect{1, 1, 1, 1}));
}

TEST_F(LineEntryTest, ALineWhollyOutsideIsRefusedAndDrawsNothing)
{
    loadRandom(3, 3, 32, {0}, 0.0);
    LineEntry line(image, 0xFF123456, 1);
    EXPECT_FALSE(line.setEndPoints({-1, -4}, {-1, 8}));
    EXPECT_EQ(image.cells(), before);
    EXPECT_TRUE(canvas.rects.empty());
}

} // namespace
} // namespace tessaly
