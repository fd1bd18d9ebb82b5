#include "editing/canvas_tools.h"

#include <gtest/gtest.h>

#include <vector>

#include "canvas_fixture.h"

namespace tessaly {
namespace {

using test::CanvasTest;

constexpr MouseButton kLeft = MouseButton::Left;
constexpr MouseButton kRight = MouseButton::Right;

class CanvasToolsTest : public CanvasTest {};

// The view scrolls only during the rectangle's and the select tool's drags,
// and every such drag turns the scrolling off again however it ends; only a
// release of the select tool's right button opens the selection menu.
TEST_P(CanvasToolsTest, OnlyRectangleAndSelectDragsScrollAndOnlyASelectRightReleaseOpensTheMenu)
{
    load(blankIcon(16, 16, 24));

    toolState.setTool(ToolId::Line);
    drag(kLeft, {{1, 1}, {5, 9}});
    drag(kRight, {{2, 1}, {6, 9}});
    toolState.setTool(ToolId::Pencil);
    drag(kRight, {{1, 1}, {3, 3}});
    EXPECT_TRUE(canvas->autoScroll.empty());

    toolState.setTool(ToolId::RectFill);
    drag(kRight, {{1, 1}, {4, 4}});
    EXPECT_EQ(canvas->autoScroll, (std::vector<bool>{true, false}));

    toolState.setTool(ToolId::Select);
    click(kRight, 8, 8);
    EXPECT_EQ(canvas->autoScroll, (std::vector<bool>{true, false, false}));
    ASSERT_EQ(canvas->menus.size(), 1U);
    EXPECT_EQ(canvas->menus[0].point, at(8, 8));
    EXPECT_FALSE(canvas->menus[0].inside);

    drag(kLeft, {{2, 2}, {6, 7}});
    EXPECT_EQ(selection.rect(), (PixelRect{2, 2, 6, 7}));
    EXPECT_EQ(canvas->autoScroll, (std::vector<bool>{true, false, false, true, false}));

    // A right press whose capture is lost ends like its release, but opens no menu.
    press(kRight, 4, 4);
    controller.captureLost();
    EXPECT_FALSE(controller.isRightPressed());
    EXPECT_EQ(canvas->autoScroll.back(), false);
    EXPECT_EQ(canvas->menus.size(), 1U);

    click(kRight, 4, 4);
    ASSERT_EQ(canvas->menus.size(), 2U);
    EXPECT_TRUE(canvas->menus[1].inside);
}

INSTANTIATE_TEST_SUITE_P(Layouts, CanvasToolsTest, ::testing::Values(test::kPlainLayout, test::kZoomedLayout));

} // namespace
} // namespace tessaly
