#include "document/stroke_entry.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "editing/model/line_stepper.h"
#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

class StrokeEntryTest : public test::PixelStepTest {
protected:
    std::unique_ptr<StrokeEntry> stroke(StrokeKind kind, std::uint32_t value, std::uint8_t mask,
                                        const std::vector<PixelPoint>& points)
    {
        auto entry = std::make_unique<StrokeEntry>(image, kind, value, mask);
        entry->begin(points.front());
        for (std::size_t i = 1; i < points.size(); ++i)
            entry->continueTo(points[i]);
        return entry;
    }
};

TEST_F(StrokeEntryTest, ASelfCrossingStrokeUndoesToTheColoursBeforeIt)
{
    loadRandom(16, 16, 32, test::randomValues(6, rng), 0.3);
    // A figure eight over the same pixels, then back along the first segment.
    auto entry =
        stroke(StrokeKind::ValueAndMask, 0xFF0000FF, 0, {{2, 2}, {13, 13}, {13, 2}, {2, 13}, {2, 2}, {13, 13}, {7, 7}});
    EXPECT_EQ(entry->segmentCount(), 7u);
    EXPECT_NE(image.cells(), before);
    checkUndoRedo(std::move(entry));
}

TEST_F(StrokeEntryTest, DrawsExactlyThePointsOfItsSegments)
{
    loadRandom(12, 12, 8, {0}, 0.0);
    const std::vector<PixelPoint> points{{1, 1}, {1, 9}, {10, 4}, {0, 0}};
    auto entry = stroke(StrokeKind::ValueAndMask, 7, 1, points);
    std::set<std::pair<int, int>> walked;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        for (LineStepper s(points[i], points[i + 1]); !s.done(); s.advance())
            walked.insert({s.point().row, s.point().column});
    }
    for (std::int32_t r = 0; r < 12; ++r) {
        for (std::int32_t c = 0; c < 12; ++c) {
            const Cell expected = walked.count({r, c}) ? Cell{7, 1} : Cell{0, 0};
            EXPECT_EQ(image.cellAt(r, c), expected) << r << ", " << c;
        }
    }
    checkUndoRedo(std::move(entry));
}

TEST_F(StrokeEntryTest, MaskAndAlphaStrokesUndoExactly)
{
    loadRandom(10, 10, 32, test::randomValues(5, rng), 0.5);
    auto mask = stroke(StrokeKind::MaskOnly, 0, 1, {{0, 0}, {9, 9}, {0, 9}, {9, 0}});
    checkUndoRedo(std::move(mask));
    before = test::copyOf(image.cells());
    auto alpha = stroke(StrokeKind::AlphaOnly, 0x40FFFFFF, 0, {{5, 0}, {5, 9}, {0, 5}, {9, 5}, {5, 0}});
    for (std::int32_t c = 0; c < 10; ++c)
        EXPECT_EQ(image.valueAt(5, c) >> 24, 0x40u);
    checkUndoRedo(std::move(alpha));
}

TEST_F(StrokeEntryTest, AStrokeEnteringFromOutsideIsOneStep)
{
    loadRandom(8, 8, 24, {0x000000}, 0.0);
    auto entry = stroke(StrokeKind::ValueAndMask, 0x00FF00, 0, {{-5, -5}, {-3, -1}, {3, 3}, {3, 6}});
    EXPECT_EQ(entry->segmentCount(), 2u); // the first segment lies wholly outside
    EXPECT_EQ(image.cellAt(3, 3).value, 0x00FF00u);
    EXPECT_EQ(image.cellAt(0, 1).value, 0x00FF00u); // where the second segment enters
    checkUndoRedo(std::move(entry));
    EXPECT_EQ(history.count(), 1);
}

TEST_F(StrokeEntryTest, AStrokeOutsideTheImageOrStandingStillRecordsNothing)
{
    loadRandom(4, 4, 8, {1}, 0.0);
    auto outside = stroke(StrokeKind::ValueAndMask, 2, 0, {{-1, -1}, {-1, 5}, {5, 5}});
    EXPECT_TRUE(outside->isEmpty());
    EXPECT_EQ(image.cells(), before);
    EXPECT_TRUE(canvas.rects.empty());

    auto still = stroke(StrokeKind::ValueAndMask, 2, 0, {{1, 1}, {1, 1}, {1, 1}});
    EXPECT_EQ(still->segmentCount(), 1u); // the press point only
}

} // namespace
} // namespace tessaly
