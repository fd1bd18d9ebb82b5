#include "document/move_entry.h"

#include <gtest/gtest.h>

#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

constexpr std::uint32_t kBackground = 3;

class MoveEntryTest : public test::PixelStepTest {
protected:
    // Lifts liftRect the way the selection does (its cells saved, then
    // cleared to the background with mask 1) and returns the lifted cells.
    CellGrid lift(const PixelRect& liftRect)
    {
        CellGrid under;
        EXPECT_TRUE(image.saveBlock(liftRect, under));
        image.fillRect(liftRect, kBackground, 1);
        return under;
    }
};

TEST_F(MoveEntryTest, AMoveOverlappingItsOriginUndoesToTheImageBeforeTheLift)
{
    loadRandom(12, 10, 8, {0, 1, 2, 4, 5, 6, 7}, 0.25);
    const PixelRect origin{2, 2, 6, 7};
    const CellGrid under = lift(origin);
    const PixelRect moved{4, 5, 8, 10}; // three rows down, three columns right: overlaps
    auto entry = std::make_unique<MoveEntry>(image, kBackground);
    ASSERT_TRUE(entry->apply(origin, under, moved, under));
    for (std::int32_t r = 0; r < 10; ++r) {
        for (std::int32_t c = 0; c < 12; ++c) {
            Cell expected = before.at(r, c);
            if (origin.contains(r, c))
                expected = Cell{kBackground, 1};
            if (moved.contains(r, c) && under.at(r - moved.top, c - moved.left).mask == 0)
                expected = Cell{under.at(r - moved.top, c - moved.left).value, 0};
            ASSERT_EQ(image.cellAt(r, c), expected) << r << ", " << c;
        }
    }
    checkUndoRedo(std::move(entry));
}

TEST_F(MoveEntryTest, APartlyOffImageMoveAtThirtyTwoBitsUndoesExactly)
{
    loadRandom(8, 8, 32, test::randomValues(12, rng), 0.3);
    const PixelRect origin{0, 0, 4, 4};
    const CellGrid under = lift(origin);
    auto entry = std::make_unique<MoveEntry>(image, kBackground);
    ASSERT_TRUE(entry->apply(origin, under, PixelRect{-2, 6, 2, 10}, under));
    checkUndoRedo(std::move(entry));
}

TEST_F(MoveEntryTest, ContentMovedWhollyOffTheImageStillRecordsTheClearedOrigin)
{
    loadRandom(6, 6, 4, {0, 1, 2}, 0.0);
    const PixelRect origin{1, 1, 2, 2};
    const CellGrid under = lift(origin);
    auto entry = std::make_unique<MoveEntry>(image, kBackground);
    ASSERT_TRUE(entry->apply(origin, under, PixelRect{1, 20, 2, 21}, under));
    EXPECT_EQ(image.cellAt(1, 1), (Cell{kBackground, 1}));
    checkUndoRedo(std::move(entry));
}

TEST_F(MoveEntryTest, MismatchedSizesAreRefused)
{
    loadRandom(6, 6, 8, {1}, 0.0);
    const PixelRect origin{0, 0, 1, 1};
    const CellGrid under = lift(origin);
    const CellGrid lifted = test::copyOf(image.cells());
    MoveEntry entry(image, kBackground);
    EXPECT_FALSE(entry.apply(origin, under, PixelRect{0, 0, 2, 2}, under));
    EXPECT_FALSE(entry.apply(PixelRect{0, 0, 1, 2}, under, PixelRect{0, 0, 1, 1}, under));
    EXPECT_FALSE(entry.apply(PixelRect{5, 5, 6, 6}, under, PixelRect{0, 0, 1, 1}, under));
    EXPECT_EQ(image.cells(), lifted);
}

} // namespace
} // namespace tessaly
