#include "document/stamp_entry.h"

#include <gtest/gtest.h>

#include "editing/model/alpha_composite.h"
#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

class StampEntryTest : public test::PixelStepTest {
protected:
    CellGrid randomContent(std::int32_t rows, std::int32_t columns)
    {
        CellGrid content;
        EXPECT_TRUE(content.setSize(rows, columns));
        for (std::int32_t r = 0; r < rows; ++r) {
            for (std::int32_t c = 0; c < columns; ++c)
                content.at(r, c) = Cell{static_cast<std::uint32_t>(rng()), static_cast<std::uint8_t>(rng() % 4 == 0)};
        }
        return content;
    }
};

TEST_F(StampEntryTest, CompositesThePartInsideTheImageAndUndoesExactly)
{
    loadRandom(10, 8, 32, test::randomValues(7, rng), 0.3);
    const CellGrid content = randomContent(5, 6);
    const PixelRect rect{5, -2, 9, 3}; // reaches past the left and bottom edges
    auto entry = std::make_unique<StampEntry>(image);
    ASSERT_TRUE(entry->apply(content, rect));
    for (std::int32_t r = 0; r < 8; ++r) {
        for (std::int32_t c = 0; c < 10; ++c) {
            Cell expected = before.at(r, c);
            if (rect.contains(r, c) && content.at(r - rect.top, c - rect.left).mask == 0)
                expected = Cell{compositeColor(content.at(r - rect.top, c - rect.left).value, expected.value), 0};
            ASSERT_EQ(image.cellAt(r, c), expected) << r << ", " << c;
        }
    }
    EXPECT_EQ(canvas.rects, (std::vector<PixelRect>{PixelRect{5, 0, 7, 3}}));
    checkUndoRedo(std::move(entry));
}

TEST_F(StampEntryTest, ContentWhollyOffTheImageOrOfTheWrongSizeIsRefused)
{
    loadRandom(4, 4, 8, {1}, 0.0);
    const CellGrid content = randomContent(2, 2);
    StampEntry entry(image);
    EXPECT_FALSE(entry.apply(content, PixelRect{-2, 0, -1, 1}));
    EXPECT_FALSE(entry.apply(content, PixelRect{0, 0, 2, 2}));
    EXPECT_EQ(image.cells(), before);
    EXPECT_TRUE(canvas.rects.empty());
}

} // namespace
} // namespace tessaly
