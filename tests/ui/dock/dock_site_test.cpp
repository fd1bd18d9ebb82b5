#include "ui/dock/dock_site_layout.h"
#include "ui/dock/dock_targets.h"

#include "ui/dock/dock_bar_model.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

using Action = DockDropPlan::Action;

TEST(DockSiteLayout, StacksBarsFromTheEdgesInwardsOverlappingByAPixelAndGivesTheRestToTheClient)
{
    std::array<std::vector<DockBarSlot>, kDockSideCount> sides;
    sides[0] = {{40, true}, {30, true}};
    sides[1] = {{50, true}};
    sides[2] = {{60, true}};
    sides[3] = {{70, true}, {99, false}};
    const DockSiteArrangement a = arrangeDockSite({0, 0, 800, 600}, sides);
    EXPECT_EQ(a.bars[0][0], (DockRect{0, 0, 800, 40}));
    EXPECT_EQ(a.bars[0][1], (DockRect{0, 39, 800, 69}));
    EXPECT_EQ(a.bars[1][0], (DockRect{0, 550, 800, 600}));
    // Side bars reach a pixel into the top and bottom bars.
    EXPECT_EQ(a.bars[2][0], (DockRect{0, 68, 60, 551}));
    EXPECT_EQ(a.bars[3][0], (DockRect{730, 68, 800, 551}));
    EXPECT_EQ(a.bars[3][1], DockRect{}); // hidden: not placed, takes no room
    EXPECT_EQ(a.client, (DockRect{60, 69, 730, 550}));

    // Too thick for the window: the client window shrinks to nothing, never
    // to a negative size, and the side bars no longer reach beyond it.
    sides[0] = {{500, true}};
    sides[1] = {{200, true}};
    const DockSiteArrangement squeezed = arrangeDockSite({0, 0, 800, 600}, sides);
    EXPECT_EQ(squeezed.client.top, 500);
    EXPECT_EQ(squeezed.client.bottom, 500);
    EXPECT_EQ(squeezed.bars[1][0], (DockRect{0, 400, 800, 600}));
    EXPECT_EQ(squeezed.bars[2][0], (DockRect{0, 500, 60, 500}));
    // Nothing docked: the client window fills the area.
    EXPECT_EQ(arrangeDockSite({0, 0, 800, 578}, {}).client, (DockRect{0, 0, 800, 578}));
}

DockTargets site()
{
    DockTargets t;
    t.siteClient = {0, 0, 1000, 800};
    t.clientWindow = {100, 50, 900, 700};
    t.bars = {
        {DockSide::Top, {0, 0, 1000, 51}, true, false},
        {DockSide::Left, {0, 49, 101, 701}, false, false}, // hidden
        {DockSide::Left, {0, 49, 60, 701}, true, true},
    };
    return t;
}

TEST(DockTargets, FindsTheFirstVisibleBarHoldingTheCentreAndTheSideStickingOutMost)
{
    const DockTargets t = site();
    EXPECT_EQ(t.findBarAt({-10, -10, 10, 10}), std::optional<std::size_t>(0));
    EXPECT_EQ(t.findBarAt({900, 41, 1100, 61}), std::optional<std::size_t>(0)); // centre on the bar's edge
    EXPECT_EQ(t.findBarAt({50, 300, 110, 400}), std::nullopt);                   // only the hidden bar is there
    EXPECT_EQ(t.findBarAt({0, 300, 110, 400}), std::optional<std::size_t>(2));

    // 40 pixels out on the left and on the right: the right side wins.
    EXPECT_EQ(t.findSideAt({60, 200, 940, 300}), DockSide::Right);
    EXPECT_EQ(t.findSideAt({80, 30, 300, 200}), DockSide::Top); // top and left tie: top
    EXPECT_EQ(t.findSideAt({80, 680, 300, 720}), DockSide::Bottom);
    EXPECT_EQ(t.findSideAt({300, 40, 400, 710}), DockSide::Bottom); // top and bottom tie
    EXPECT_EQ(t.findSideAt({90, 300, 200, 400}), DockSide::Left);
    EXPECT_EQ(t.findSideAt({200, 200, 300, 300}), std::nullopt); // wholly inside
    EXPECT_EQ(t.findSideAt({900, 200, 950, 300}), std::nullopt); // touching is not overlapping
}

TEST(DockTargets, DropPlansDockIntoBarsNewBarsOrFloatAndSizeTheBarsForTheFrame)
{
    const DockTargets t = site();
    DockFrameSizes sizes = DockFrameSizes::fromCreation(200, 150, 20, 20);
    sizes.dockedWidth = 80;
    sizes.dockedHeight = 50;

    // Its own bar: a docked frame moves within it, a floating one docks back.
    DockDropPlan plan = t.planDrop({0, 300, 50, 400}, true, sizes);
    EXPECT_EQ(plan.action, Action::MoveWithinBar);
    EXPECT_EQ(plan.bar, 2u);
    plan = t.planDrop({0, 300, 50, 400}, false, sizes);
    EXPECT_EQ(plan.action, Action::DockIntoBar);
    EXPECT_EQ(plan.thickness, 0);
    // Another bar grows to hold the frame: its height and the bar's pixel
    // above and below it, and the sash.
    plan = t.planDrop({400, 0, 600, 40}, true, sizes);
    EXPECT_EQ(plan.action, Action::DockIntoBar);
    EXPECT_EQ(plan.bar, 0u);
    EXPECT_EQ(plan.thickness, 50 + 2 + DockBarModel::kSplitterWidth);
    // A free side gets a new bar; a vertical one is the frame's width and the sash.
    plan = t.planDrop({860, 200, 940, 300}, false, sizes);
    EXPECT_EQ(plan.action, Action::DockIntoNewBar);
    EXPECT_EQ(plan.side, DockSide::Right);
    EXPECT_EQ(plan.thickness, 80 + DockBarModel::kSplitterWidth);
    plan = t.planDrop({300, 680, 500, 760}, false, sizes);
    EXPECT_EQ(plan.side, DockSide::Bottom);
    EXPECT_EQ(plan.thickness, 59);
    // Elsewhere it floats, never with its top above the screen's.
    plan = t.planDrop({1200, -30, 1400, 120}, true, sizes);
    EXPECT_EQ(plan.action, Action::Float);
    EXPECT_EQ(plan.rect, (DockRect{1200, 0, 1400, 150}));
}

} // namespace
} // namespace tessaly
