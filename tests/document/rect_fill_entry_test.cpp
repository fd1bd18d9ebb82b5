#include "document/rect_fill_entry.h"

#include <gtest/gtest.h>

#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

using RectFillEntryTest = test::PixelStepTest;

TEST_F(RectFillEntryTest, FillsTheRectangleInsideTheImageAndUndoesExactly)
{
    loadRandom(8, 6, 8, {0, 1, 2, 3}, 0.3);
    auto entry = std::make_unique<RectFillEntry>(image);
    ASSERT_TRUE(entry->apply(PixelRect{-3, -3, 3, 3}, 9, 1));
    EXPECT_EQ(test::differingCells(before, image.cells()).intersected(PixelRect{0, 0, 3, 3}),
              test::differingCells(before, image.cells()));
    for (std::int32_t r = 0; r <= 3; ++r) {
        for (std::int32_t c = 0; c <= 3; ++c)
            EXPECT_EQ(image.cellAt(r, c), (Cell{9, 1}));
    }
    EXPECT_EQ(canvas.rects, (std::vector<PixelRect>{PixelRect{0, 0, 3, 3}}));
    checkUndoRedo(std::move(entry));
}

TEST_F(RectFillEntryTest, ARectangleOutsideTheImageIsRefused)
{
    loadRandom(4, 4, 24, {0x111111}, 0.0);
    RectFillEntry entry(image);
    EXPECT_FALSE(entry.apply(PixelRect{4, 0, 6, 3}, 0, 1));
    EXPECT_FALSE(entry.apply(PixelRect{}, 0, 1));
    EXPECT_EQ(image.cells(), before);
}

} // namespace
} // namespace tessaly
