#include "ui/dock/dock_bar_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

constexpr int kGap = DockBarModel::kSplitterWidth;

// The frames of a bar in entry order, with their extents.
std::vector<std::pair<int, int>> frames(const DockBarModel& bar)
{
    std::vector<std::pair<int, int>> out;
    for (const DockBarEntry& e : bar.entries())
        out.emplace_back(e.frame, e.extent);
    return out;
}

// A drop rectangle along a horizontal bar, centred at x, `length` long.
DockRect dropAt(int x, int length = 0)
{
    return {x - length / 2, 0, x - length / 2 + length, 10};
}

// A top bar holding frames 1, 2, 3... with the given extents, laid out at
// a length that keeps them.
DockBarModel topBar(const std::vector<int>& extents, DockRect& client)
{
    DockBarModel bar(DockSide::Top);
    int length = 0;
    for (std::size_t i = 0; i < extents.size(); ++i) {
        bar.addFrame(static_cast<int>(i) + 1, dropAt(30000));
        length += extents[i] + (i > 0 ? kGap : 0);
    }
    bar.setExtents(extents);
    client = {0, 0, length, 40};
    bar.layoutBar(client);
    return bar;
}

TEST(DockBarModel, SharesTheUsableLengthByCumulativeRoundingAndPlacesFramesWithGapsBetween)
{
    DockRect client;
    DockBarModel bar = topBar({100, 300}, client);
    // L = 200 for two frames: the bar is 207 long.
    client = {0, 0, 200 + kGap, 40};
    const std::vector<DockFramePlacement> placed = bar.layoutBar(client);
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{50, 150}));
    ASSERT_EQ(placed.size(), 2u);
    // A pixel off the top, the bottom and the sash along the bottom edge.
    EXPECT_EQ(placed[0].rect, (DockRect{0, 1, 50, 40 - 1 - kGap}));
    EXPECT_EQ(placed[1].rect, (DockRect{50 + kGap, 1, 207, 40 - 1 - kGap}));

    // Rounding never loses a pixel: the edges are rounded, not the lengths.
    bar.setExtents(std::vector<int>{1, 1});
    bar.addFrame(3, dropAt(30000));
    bar.setExtents(std::vector<int>{1, 1, 1});
    bar.layoutBar({0, 0, 10 + 2 * kGap, 40});
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{3, 3, 4}));
    // Nothing to share out: equal parts.
    bar.setExtents(std::vector<int>{0, 0, 0});
    bar.layoutBar({0, 0, 10 + 2 * kGap, 40});
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{3, 3, 4}));

    // Vertical bars run from a pixel below the top, the sash on the inner side.
    DockBarModel right(DockSide::Right);
    right.addFrame(7, DockRect{});
    EXPECT_EQ(right.layoutBar({0, 0, 60, 102})[0].rect, (DockRect{kGap, 1, 60, 101}));
}

TEST(DockBarModel, ABarSqueezedToNothingKeepsHowItsFramesShareIt)
{
    DockBarModel bar(DockSide::Left);
    bar.addFrame(1, DockRect{});
    bar.addFrame(2, DockRect{0, 30000, 0, 30000});
    bar.setExtents(std::vector<int>{100, 300});
    bar.layoutBar({0, 0, 50, 0});
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{100, 300}));
    bar.layoutBar({0, 0, 50, 2 + 200 + kGap});
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{50, 150}));
}

TEST(DockBarModel, AddedFrameGoesBeforeTheFirstFrameWhoseMiddleLiesPastTheDropAndTakesItsLength)
{
    DockRect client;
    DockBarModel bar = topBar({100, 100}, client);
    // Frame 1 spans 0-100 (middle 50), frame 2 107-207 (middle 157).
    EXPECT_TRUE(bar.addFrame(9, dropAt(120, 60)));
    EXPECT_EQ(frames(bar), (std::vector<std::pair<int, int>>{{1, 70}, {9, 60}, {2, 70}}));
    EXPECT_FALSE(bar.addFrame(9, dropAt(0))); // once per bar
    // Right on frame 2's middle is past it.
    bar = topBar({100, 100}, client);
    bar.addFrame(9, dropAt(157));
    EXPECT_EQ(frames(bar).back().first, 9);

    bar = topBar({100, 100}, client);
    bar.addFrame(9, dropAt(49, 500)); // longer than the bar: takes all of it
    EXPECT_EQ(frames(bar), (std::vector<std::pair<int, int>>{{9, 200}, {1, 0}, {2, 0}}));

    // An invisible entry is passed over and keeps its extent.
    bar = topBar({100, 100}, client);
    bar.setFrameVisible(1, false);
    bar.addFrame(9, dropAt(40, 50));
    EXPECT_EQ(frames(bar), (std::vector<std::pair<int, int>>{{1, 100}, {9, 50}, {2, 50}}));
}

TEST(DockBarModel, MovedFrameLandsBeforeOrAfterTheTargetByWhichHalfTheDropPointsAt)
{
    const auto order = [](const DockBarModel& bar) {
        std::vector<int> out;
        for (const DockBarEntry& e : bar.entries())
            out.push_back(e.frame);
        return out;
    };
    DockRect client;
    // Frames 1, 2, 3 at 0-100, 107-207, 214-314.
    DockBarModel bar = topBar({100, 100, 100}, client);
    EXPECT_TRUE(bar.moveFrame(1, dropAt(214 + 60)));
    EXPECT_EQ(order(bar), (std::vector<int>{2, 3, 1}));
    bar = topBar({100, 100, 100}, client);
    EXPECT_TRUE(bar.moveFrame(1, dropAt(214 + 20)));
    EXPECT_EQ(order(bar), (std::vector<int>{2, 1, 3}));
    bar = topBar({100, 100, 100}, client);
    EXPECT_TRUE(bar.moveFrame(3, dropAt(20)));
    EXPECT_EQ(order(bar), (std::vector<int>{3, 1, 2}));
    bar = topBar({100, 100, 100}, client);
    EXPECT_TRUE(bar.moveFrame(3, dropAt(70)));
    EXPECT_EQ(order(bar), (std::vector<int>{1, 3, 2}));
    // In the gap after frame 1 the drop points at the start of frame 2.
    bar = topBar({100, 100, 100}, client);
    EXPECT_TRUE(bar.moveFrame(3, dropAt(103)));
    EXPECT_EQ(order(bar), (std::vector<int>{1, 3, 2}));
    // Past the end: the last place. On itself: nowhere.
    bar = topBar({100, 100, 100}, client);
    EXPECT_TRUE(bar.moveFrame(1, dropAt(30000)));
    EXPECT_EQ(order(bar), (std::vector<int>{2, 3, 1}));
    EXPECT_FALSE(bar.moveFrame(1, dropAt(290)));
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{100, 100, 100}));
}

TEST(DockBarModel, ReturningFrameKeepsItsExtentAndTheOthersMakeRoomInProportion)
{
    DockRect client;
    DockBarModel bar = topBar({100, 150, 50}, client);
    EXPECT_TRUE(bar.setFrameVisible(1, false));
    EXPECT_FALSE(bar.setFrameVisible(1, false));
    EXPECT_EQ(bar.visibleCount(), 2);
    EXPECT_TRUE(bar.containsFrame(1));
    EXPECT_TRUE(bar.setFrameVisible(1, true));
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{100, 75, 25}));
    EXPECT_FALSE(bar.setFrameVisible(1, true)); // no second share-out

    // The only frame of a bar: the bar has nothing left to show, but keeps it.
    DockBarModel single(DockSide::Bottom);
    single.addFrame(4, DockRect{});
    single.setFrameVisible(4, false);
    EXPECT_EQ(single.visibleCount(), 0);
    EXPECT_TRUE(single.layoutBar({0, 0, 100, 40}).empty());
    EXPECT_TRUE(single.containsFrame(4));
}

TEST(DockBarModel, SplittersAreFoundAcrossTheBarFirstAndKeepTheirGrabOffset)
{
    DockRect client;
    DockBarModel bar = topBar({100, 100, 100}, client); // 314 x 40, sash at y 33-39
    using Hit = std::optional<DockSplitterDrag>;
    const auto hit = [&](int x, int y) { return bar.hitSplitter(client, {x, y}); };
    EXPECT_EQ(hit(102, 35)->index, DockSplitterDrag::kSash); // in a gap's column, but on the sash
    EXPECT_EQ(hit(102, 35)->grabOffset, 2);
    EXPECT_EQ(hit(102, 10)->index, 0);
    EXPECT_EQ(hit(102, 10)->grabOffset, 2);
    EXPECT_EQ(hit(210, 10)->index, 1);
    EXPECT_EQ(hit(50, 10), Hit{});
    EXPECT_EQ(hit(314, 10), Hit{}); // outside
    EXPECT_EQ(bar.cursorAt(client, {50, 35}), DockSizeCursor::SizeNorthSouth);
    EXPECT_EQ(bar.cursorAt(client, {102, 10}), DockSizeCursor::SizeWestEast);
    EXPECT_EQ(bar.cursorAt(client, {50, 10}), DockSizeCursor::Arrow);
    DockBarModel left(DockSide::Left);
    left.addFrame(1, DockRect{});
    EXPECT_EQ(left.cursorAt({0, 0, 60, 100}, {55, 50}), DockSizeCursor::SizeWestEast);
}

TEST(DockBarModel, SashMovesBetweenTheOuterEdgeAndTheClientWindowsFarEdge)
{
    DockRect client;
    DockBarModel top = topBar({100}, client); // 100 x 40
    const DockRect clientWindow{0, 39, 100, 300};
    const DockSplitterDrag sash{DockSplitterDrag::kSash, 3};
    EXPECT_EQ(top.dragPosition(sash, client, clientWindow, {10, -50}), 0);
    EXPECT_EQ(top.dragPosition(sash, client, clientWindow, {10, 103}), 100);
    EXPECT_EQ(top.dragPosition(sash, client, clientWindow, {10, 900}), 300 - kGap);
    EXPECT_EQ(top.dragBand(sash, client, 100), (DockRect{0, 100, 100, 100 + kGap}));
    EXPECT_EQ(top.finishDrag(sash, client, 100), 100 + kGap);
    EXPECT_EQ(top.finishDrag(sash, client, 0), kGap);

    // A bottom bar's sash is along its top; the client window lies above.
    DockBarModel bottom(DockSide::Bottom);
    bottom.addFrame(1, DockRect{});
    const DockRect bottomClient{0, 0, 100, 50};
    EXPECT_EQ(bottom.dragPosition(sash, bottomClient, {0, -200, 100, 1}, {0, -500}), -200);
    EXPECT_EQ(bottom.dragPosition(sash, bottomClient, {0, -200, 100, 1}, {0, 500}), 50 - kGap);
    EXPECT_EQ(bottom.finishDrag(sash, bottomClient, -200), 250);
    EXPECT_EQ(bottom.finishDrag(sash, bottomClient, 50 - kGap), kGap);
}

TEST(DockBarModel, GapDraggedPastANeighbourPushesTheOtherEdgesAlongAndKeepsEveryGap)
{
    DockRect client;
    // Frames at 0-100, 107-207, 214-314, 321-421; gaps start at 100, 207, 314.
    DockBarModel bar = topBar({100, 100, 100, 100}, client);
    const DockSplitterDrag gap{0, 0};
    EXPECT_EQ(bar.dragPosition(gap, client, client, {-50, 10}), 0);
    EXPECT_EQ(bar.dragPosition(gap, client, client, {1000, 10}), 421 - 3 * kGap);
    EXPECT_EQ(bar.dragBand(gap, client, 60), (DockRect{60, 0, 60 + kGap, 40}));

    // Gap 0 dragged to 380: gaps 1 and 2 are pushed to 387 and 394.
    bar.finishDrag(gap, client, 380);
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{380, 0, 0, 421 - 394 - kGap}));
    EXPECT_EQ(bar.layoutBar(client).back().rect.left, 394 + kGap);
    // Gap 2 dragged back to the start: gaps 1 and 0 are pushed back to 7 and 0.
    const DockSplitterDrag last{2, 0};
    bar.finishDrag(last, client, bar.dragPosition(last, client, client, {-1000, 0}));
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{0, 0, 0, 421 - 3 * kGap}));
    // Untouched neighbours keep their edges.
    bar = topBar({100, 100, 100, 100}, client);
    bar.finishDrag(DockSplitterDrag{1, 0}, client, 150);
    EXPECT_EQ(bar.getExtents(), (std::vector<int>{100, 43, 157, 100}));
}

} // namespace
} // namespace tessaly
