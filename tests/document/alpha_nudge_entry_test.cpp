#include "document/alpha_nudge_entry.h"

#include <gtest/gtest.h>

#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

using AlphaNudgeEntryTest = test::PixelStepTest;

TEST_F(AlphaNudgeEntryTest, LoweringStopsAtZeroAndRecordsOnlyRealSteps)
{
    loadRandom(3, 3, 32, {0x03102030}, 0.0);
    auto entry = std::make_unique<AlphaNudgeEntry>(image, AlphaDirection::Lower);
    std::vector<std::uint32_t> alphas;
    for (int tick = 0; tick < 6; ++tick) {
        entry->nudge({1, 1});
        alphas.push_back(image.valueAt(1, 1) >> 24);
    }
    EXPECT_EQ(alphas, (std::vector<std::uint32_t>{2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(entry->pointCount(), 3u);
    EXPECT_EQ(image.valueAt(1, 1) & 0xFFFFFF, 0x102030u);
    checkUndoRedo(std::move(entry));
    history.undo();
    EXPECT_EQ(image.valueAt(1, 1), 0x03102030u);
}

TEST_F(AlphaNudgeEntryTest, RaisingAnOpaquePixelRecordsNothing)
{
    loadRandom(2, 2, 32, {0xFF000000}, 0.0);
    AlphaNudgeEntry entry(image, AlphaDirection::Raise);
    EXPECT_FALSE(entry.nudge({0, 0}));
    EXPECT_FALSE(entry.nudge({5, 0}));
    EXPECT_TRUE(entry.isEmpty());
    EXPECT_TRUE(canvas.rects.empty());
}

TEST_F(AlphaNudgeEntryTest, ManyPointsInBothDirectionsUndoExactly)
{
    loadRandom(6, 6, 32, test::randomValues(10, rng), 0.2);
    for (const AlphaDirection direction : {AlphaDirection::Raise, AlphaDirection::Lower}) {
        before = test::copyOf(image.cells());
        auto entry = std::make_unique<AlphaNudgeEntry>(image, direction);
        for (int tick = 0; tick < 400; ++tick)
            entry->nudge({static_cast<std::int32_t>(rng() % 6), static_cast<std::int32_t>(rng() % 6)});
        ASSERT_FALSE(entry->isEmpty());
        checkUndoRedo(std::move(entry));
    }
}

} // namespace
} // namespace tessaly
