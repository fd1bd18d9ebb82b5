#include "editing/tool_button_layout.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

constexpr ViewRect kNone{0, 0, -1, -1};

ViewRect cell(std::int32_t column, std::int32_t row)
{
    return {column * 28, row * 28, column * 28 + 28, row * 28 + 28};
}

TEST(ToolButtonLayout, ButtonsFillRowsInToolOrderAndSkipTheAlphaToolsWhileHidden)
{
    ToolButtonLayout buttons;
    EXPECT_EQ(buttons.buttonRect(ToolId::Pencil), kNone); // nothing until laid out
    EXPECT_EQ(buttons.hitTest(0, 0), -1);

    buttons.layout(139, false); // four whole cells across
    EXPECT_EQ(buttons.buttonRect(ToolId::Pencil), cell(0, 0));
    EXPECT_EQ(buttons.buttonRect(ToolId::Strip), cell(3, 0));
    EXPECT_EQ(buttons.buttonRect(ToolId::Eyedropper), cell(0, 1));
    EXPECT_EQ(buttons.buttonRect(ToolId::FillEyedropper), cell(0, 2));
    EXPECT_EQ(buttons.buttonRect(ToolId::Line), cell(1, 2)); // straight after the combined tools
    EXPECT_EQ(buttons.buttonRect(ToolId::Move), cell(1, 3));
    EXPECT_EQ(buttons.buttonRect(ToolId::AlphaSet), kNone);
    EXPECT_EQ(buttons.buttonRect(ToolId::AlphaNudge), kNone);

    buttons.layout(139, true);
    EXPECT_EQ(buttons.buttonRect(ToolId::AlphaSet), cell(1, 2));
    EXPECT_EQ(buttons.buttonRect(ToolId::AlphaNudge), cell(2, 2));
    EXPECT_EQ(buttons.buttonRect(ToolId::Line), cell(3, 2));
    EXPECT_EQ(buttons.buttonRect(ToolId::Move), cell(3, 3));

    buttons.layout(140, true); // a fifth column
    EXPECT_EQ(buttons.buttonRect(ToolId::Eyedropper), cell(4, 0));
    EXPECT_EQ(buttons.buttonRect(ToolId::PencilEraser), cell(0, 1));

    for (const std::int32_t narrow : {27, 0, -40}) { // never fewer than one column
        buttons.layout(narrow, false);
        EXPECT_EQ(buttons.buttonRect(ToolId::Eraser), cell(0, 1)) << narrow;
        EXPECT_EQ(buttons.buttonRect(ToolId::Move), cell(0, 13)) << narrow;
        EXPECT_EQ(buttons.buttonRect(ToolId::AlphaSet), kNone) << narrow;
    }
}

TEST(ToolButtonLayout, HitsIncludeTheEdgesAndSharedEdgesGoToTheEarlierTool)
{
    ToolButtonLayout buttons;
    buttons.layout(56, false); // two columns, seven rows
    const auto tool = [&](std::int32_t x, std::int32_t y) { return buttons.hitTest(x, y); };
    EXPECT_EQ(tool(0, 0), int(ToolId::Pencil));
    EXPECT_EQ(tool(28, 5), int(ToolId::Pencil)); // Pencil's right edge is Eraser's left
    EXPECT_EQ(tool(29, 5), int(ToolId::Eraser));
    EXPECT_EQ(tool(56, 5), int(ToolId::Eraser));
    EXPECT_EQ(tool(57, 5), -1);
    EXPECT_EQ(tool(28, 28), int(ToolId::Pencil)); // the corner of four buttons
    EXPECT_EQ(tool(29, 29), int(ToolId::Strip));
    EXPECT_EQ(tool(40, 120), int(ToolId::Line)); // where AlphaSet goes once shown
    EXPECT_EQ(tool(10, 196), int(ToolId::Select));
    EXPECT_EQ(tool(10, 197), -1);
    EXPECT_EQ(tool(-1, 5), -1);

    buttons.layout(56, true);
    EXPECT_EQ(tool(40, 120), int(ToolId::AlphaSet));
    EXPECT_EQ(tool(10, 150), int(ToolId::AlphaNudge));
    EXPECT_EQ(tool(40, 210), int(ToolId::Move));
    EXPECT_EQ(tool(40, 225), -1); // eight rows now, the last ending at 224
}

} // namespace
} // namespace tessaly
