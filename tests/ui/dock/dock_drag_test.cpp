#include "ui/dock/dock_drag.h"

#include <gtest/gtest.h>

#include "ui/dock/dock_frame_geometry.h"

namespace tessaly {
namespace {

namespace geometry = dock_frame_geometry;

DockTargets site()
{
    DockTargets t;
    t.siteClient = {0, 0, 1000, 800};
    t.clientWindow = {100, 50, 900, 700};
    t.bars = {{DockSide::Top, {0, 0, 1000, 51}, true, false}, {DockSide::Left, {0, 49, 60, 701}, true, true}};
    return t;
}

class DockDragTest : public ::testing::Test {
protected:
    DockDragTest()
    {
        sizes = DockFrameSizes::fromCreation(200, 150, 40, 30);
        sizes.dockedWidth = 80;
        sizes.dockedHeight = 50;
    }
    DockOutlineShape moveTo(int x, int y)
    {
        EXPECT_TRUE(drag.follow({x, y}, targets));
        return drag.outline();
    }

    DockTargets targets = site();
    DockFrameSizes sizes;
    DockDrag drag;
    const DockRect window{100, 100, 300, 250};
};

TEST_F(DockDragTest, MovingShowsTheFloatingRectangleOrWhereTheFrameWouldDock)
{
    ASSERT_TRUE(drag.begin(kDockHitCaption, {150, 110}, window, sizes));
    EXPECT_EQ(drag.mode(), DockDrag::Mode::Moving);
    EXPECT_EQ(drag.outline(), (DockOutlineShape{window, false}));
    EXPECT_FALSE(drag.follow({150, 110}, targets)); // a click moves nothing
    EXPECT_FALSE(drag.moved());

    EXPECT_EQ(moveTo(1500, 400), (DockOutlineShape{{1450, 390, 1650, 540}, false}));
    EXPECT_TRUE(drag.moved());
    // Another bar: the floating length along it, the docked height across,
    // the grab point at its proportional place.
    EXPECT_EQ(moveTo(500, -40), (DockOutlineShape{{450, -43, 650, 7}, true}));
    // Its own bar: the length it has there (the window's).
    EXPECT_EQ(moveTo(10, 400), (DockOutlineShape{{-10, 390, 70, 540}, true}));
    // A free side: where the new bar would lie along the client window.
    EXPECT_EQ(moveTo(880, 300), (DockOutlineShape{{820, 50, 900, 700}, true}));
    EXPECT_EQ(moveTo(500, 55), (DockOutlineShape{{0, 50, 1000, 100}, true}));
    EXPECT_EQ(drag.floatingRectAt({500, 55}), (DockRect{450, 45, 650, 195}));
    // Back on the starting point, the drag stays a move.
    EXPECT_TRUE(drag.follow({150, 110}, targets));
}

TEST_F(DockDragTest, SizingMovesTheNamedEdgesAndKeepsTheMinimumSize)
{
    EXPECT_FALSE(drag.begin(kDockHitClient, {150, 150}, window, sizes));
    EXPECT_FALSE(drag.active());
    ASSERT_TRUE(drag.begin(kDockHitTopLeft, {100, 100}, window, sizes));
    EXPECT_EQ(moveTo(150, 230), (DockOutlineShape{{150, 220, 300, 250}, false}));
    ASSERT_TRUE(drag.begin(kDockHitBottomRight, {300, 250}, window, sizes));
    EXPECT_EQ(moveTo(0, 0), (DockOutlineShape{{100, 100, 140, 130}, false}));
    ASSERT_TRUE(drag.begin(kDockHitRight, {300, 200}, window, sizes));
    EXPECT_EQ(moveTo(350, 0), (DockOutlineShape{{100, 100, 350, 250}, false})); // height untouched
    ASSERT_TRUE(drag.begin(kDockHitBottom, {200, 250}, window, sizes));
    EXPECT_EQ(moveTo(0, 300), (DockOutlineShape{{100, 100, 300, 300}, false}));
}

TEST(DockFrameGeometry, DockedClientAreaLeavesRoomForTheGripAndNeverTurnsNegative)
{
    EXPECT_EQ(geometry::dockedClientArea({0, 0, 200, 60}, true, 15), (DockRect{18, 3, 194, 57}));
    EXPECT_EQ(geometry::dockedClientArea({0, 0, 80, 300}, false, 15), (DockRect{6, 18, 74, 297}));
    EXPECT_EQ(geometry::dockedClientArea({0, 0, 10, 5}, true, 15), (DockRect{18, 3, 18, 3}));
}

TEST(DockFrameGeometry, OutlineBandsNeverOverlapSoThatTheInvertedOutlineShowsWhole)
{
    const std::array<DockRect, 4> bands = geometry::outlineBands({10, 10, 110, 60}, 3);
    EXPECT_EQ(bands[0], (DockRect{10, 10, 110, 13}));
    EXPECT_EQ(bands[1], (DockRect{10, 57, 110, 60}));
    EXPECT_EQ(bands[2], (DockRect{10, 13, 13, 57}));
    EXPECT_EQ(bands[3], (DockRect{107, 13, 110, 57}));
    // Narrower than two bands: they meet in the middle.
    const std::array<DockRect, 4> tiny = geometry::outlineBands({0, 0, 4, 5}, 3);
    EXPECT_EQ(tiny[0], (DockRect{0, 0, 4, 2}));
    EXPECT_EQ(tiny[1], (DockRect{0, 3, 4, 5}));
    EXPECT_EQ(tiny[2], (DockRect{0, 2, 2, 3}));
    EXPECT_EQ(tiny[3], (DockRect{2, 2, 4, 3}));
}

TEST(DockFrameGeometry, AFloatingFrameWhoseCaptionIsOutOfReachMovesOntoTheNearestWorkArea)
{
    const std::vector<DockRect> areas = {{0, 0, 1280, 1000}, {1280, 0, 2560, 1040}};
    const auto place = [&](const DockRect& r) { return geometry::placeCaptionOnWorkArea(r, 20, areas); };
    EXPECT_EQ(place({100, 100, 300, 250}), (DockRect{100, 100, 300, 250}));
    EXPECT_EQ(place({1260, 100, 1460, 250}), (DockRect{1260, 100, 1460, 250})); // across two monitors
    EXPECT_EQ(place({-150, 100, 50, 250}), (DockRect{-150, 100, 50, 250}));     // 50 pixels to hold
    EXPECT_EQ(place({1270, -5, 1300, 100}), (DockRect{1280, 0, 1310, 105}));
    EXPECT_EQ(place({2550, 100, 2750, 250}), (DockRect{2360, 100, 2560, 250}));
    EXPECT_EQ(place({-5000, 20000, -4800, 20150}), (DockRect{0, 850, 200, 1000}));
    EXPECT_EQ(place({100, 990, 300, 1140}), (DockRect{100, 850, 300, 1000})); // caption cut by the taskbar
}

} // namespace
} // namespace tessaly
