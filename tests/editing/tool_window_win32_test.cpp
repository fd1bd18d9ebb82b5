#include "editing/tool_window_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "editing/model/edit_image.h"
#include "editing/tool_state.h"
#include "support/canvas_workbench_win32.h"

namespace tessaly {
namespace {

class RecordingStatus final : public EditingStatusSink {
public:
    void toolHint(std::int32_t tool) override { hints.push_back(tool); }
    void canvasReadout(PixelPoint) override {}
    void selectionPopupHint(std::int32_t) override {}
    std::vector<std::int32_t> hints;
};

class ToolWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.create(400, 400));
        const RECT area{0, 0, 60, 300};
        ASSERT_TRUE(window.create(frame, area, 10004));
        toolState.addObserver(&window);
        window.setStatusSink(&status);
    }

    void click(POINT point) { window.send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }

    EditImage image;
    ToolState toolState{image};
    test::HostFrame frame;
    ToolWindow window{toolState};
    RecordingStatus status;
};

TEST_F(ToolWindowTest, SixtyPixelsWideLaysTwoButtonsPerRowAndHidesTheAlphaTools)
{
    for (int tool = 0; tool < kToolCount; ++tool)
        EXPECT_TRUE(window.hasIcon(static_cast<ToolId>(tool))) << tool;
    EXPECT_EQ(window.buttonRect(ToolId::Pencil).left, 0);
    EXPECT_EQ(window.buttonRect(ToolId::Eraser).left, 28);
    EXPECT_EQ(window.buttonRect(ToolId::Eraser).top, 0);
    EXPECT_EQ(window.buttonRect(ToolId::Fill).top, 28);
    EXPECT_EQ(window.buttonRect(ToolId::AlphaSet).right, -1);
    EXPECT_EQ(window.buttonRect(ToolId::AlphaNudge).right, -1);
    // Line is the 10th visible button: row 4, right column; Move the 14th.
    EXPECT_EQ(window.buttonRect(ToolId::Line).top, 4 * 28);
    EXPECT_EQ(window.buttonRect(ToolId::Line).left, 28);
    EXPECT_EQ(window.buttonRect(ToolId::Move).top, 6 * 28);
    EXPECT_EQ(window.buttonRect(ToolId::Move).left, 28);

    toolState.setColourMode(32); // the alpha tools become the 10th and 11th
    EXPECT_TRUE(window.alphaToolsShown());
    EXPECT_EQ(window.buttonRect(ToolId::AlphaSet).top, 4 * 28);
    EXPECT_EQ(window.buttonRect(ToolId::AlphaSet).left, 28);
    EXPECT_EQ(window.buttonRect(ToolId::AlphaNudge).top, 5 * 28);
    EXPECT_EQ(window.buttonRect(ToolId::AlphaNudge).left, 0);
    EXPECT_EQ(window.buttonRect(ToolId::Line).top, 5 * 28);
    EXPECT_EQ(window.buttonRect(ToolId::Line).left, 28);
    toolState.setTool(ToolId::AlphaNudge);
    toolState.setColourMode(24);
    EXPECT_FALSE(window.alphaToolsShown());
    EXPECT_EQ(toolState.tool(), ToolId::Pencil);
}

TEST_F(ToolWindowTest, ClicksChooseTheToolUnderThePointerAndMovesNameIt)
{
    click(POINT{30, 29}); // row 1, right column: Strip
    EXPECT_EQ(toolState.tool(), ToolId::Strip);
    click(POINT{28, 28}); // a shared corner belongs to the first button in tool order
    EXPECT_EQ(toolState.tool(), ToolId::Pencil);
    click(POINT{33, 28});
    EXPECT_EQ(toolState.tool(), ToolId::Eraser);
    click(POINT{58, 250}); // below the last row: nothing
    EXPECT_EQ(toolState.tool(), ToolId::Eraser);
    window.send(WM_MOUSEMOVE, 0, MAKELPARAM(33, 4 * 28 + 5));
    window.send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 290));
    EXPECT_EQ(status.hints, (std::vector<std::int32_t>{static_cast<std::int32_t>(ToolId::Line), -1}));
}

} // namespace
} // namespace tessaly
