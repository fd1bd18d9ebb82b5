#include "app/preview_window_win32.h"

#include <gtest/gtest.h>

#include "support/edit_image_support.h"
#include "support/preview_workbench_win32.h"

namespace tessaly {
namespace {

constexpr ColorValue kWhite = makeColor(255, 255, 255);
constexpr ColorValue kBlack = makeColor(0, 0, 0);
constexpr ColorValue kRed = makeColor(255, 0, 0);

ColorValue systemColour(int index)
{
    return static_cast<ColorValue>(GetSysColor(index));
}

// A 32 x 32 16-colour icon: a masked black pixel at (0, 0), a masked white
// one at (0, 1), red everywhere else.
IconImage sampleIcon()
{
    return test::drawnIcon(32, 32, 4, {kBlack, kWhite, kRed}, [](std::int32_t y, std::int32_t x) {
        return test::IconPixel{y == 0 && x < 2 ? static_cast<std::uint32_t>(x) : 2u, y == 0 && x < 2};
    });
}

// A canvas and, to its right, a 100 x 70 preview with automatic zoom.
class PreviewWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.create(400, 300, RECT{0, 0, 300, 300}, RECT{}, RECT{300, 0, 400, 70}));
        preview.controller().setAutoZoom(true);
        ASSERT_TRUE(bench.open(sampleIcon()));
    }

    // What the window shows: painted into a bitmap after erasing, or read back from the screen.
    void render(bool fromScreen)
    {
        RECT client{};
        preview.clientRect(client);
        shot.release();
        ASSERT_TRUE(shot.create32(client.right, client.bottom));
        if (fromScreen) {
            HDC window = GetDC(preview.handle());
            ASSERT_TRUE(shot.captureFrom(window, client, SRCCOPY));
            ReleaseDC(preview.handle(), window);
            return;
        }
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, shot.handle());
        preview.send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        preview.paintInto(memory, client);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    ColorValue pixelShown(int row, int column) const { return shot.getPixel32(18 + 2 * column, 3 + 2 * row); }

    // The canvas gets a mouse message at the middle of an image pixel.
    void canvasMouse(UINT message, PixelPoint pixel)
    {
        const ClientPoint corner = bench.canvas.pixelToWindow(pixel);
        const int half = bench.canvas.zoom() / 2;
        const WPARAM keys = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
        bench.canvas.send(message, keys, MAKELPARAM(corner.x + half, corner.y + half));
    }

    test::PreviewWorkbench bench;
    PreviewWindow& preview = bench.preview;
    DibSection shot;
};

TEST_F(PreviewWindowTest, ShowsTheIconEnlargedOnTheChosenBackgroundWithTheFaceColourAroundIt)
{
    ASSERT_EQ(preview.controller().layout().zoom(), 2);
    ASSERT_EQ(preview.controller().layout().origin(), (ClientPoint{18, 3}));
    render(false);
    const ColorValue face = systemColour(COLOR_BTNFACE);
    for (const POINT p : {POINT{0, 0}, POINT{17, 3}, POINT{18, 2}, POINT{82, 66}, POINT{99, 69}})
        EXPECT_EQ(shot.getPixel32(p.x, p.y), face) << p.x << "," << p.y;
    // The masked black pixel shows the white background, the masked white one black.
    EXPECT_EQ(pixelShown(0, 0), kWhite);
    EXPECT_EQ(shot.getPixel32(19, 4), kWhite);
    EXPECT_EQ(pixelShown(0, 1), kBlack);
    EXPECT_EQ(pixelShown(31, 31), kRed);
    EXPECT_EQ(shot.getPixel32(81, 66), kRed);

    EXPECT_EQ(PreviewWindow::backgroundColour(0), systemColour(COLOR_BACKGROUND));
    EXPECT_EQ(PreviewWindow::backgroundColour(2), systemColour(COLOR_INACTIVECAPTION));
    EXPECT_EQ(PreviewWindow::backgroundColour(3), kWhite);
    EXPECT_EQ(PreviewWindow::backgroundColour(4), face);
    EXPECT_EQ(PreviewWindow::backgroundColour(7), kBlack);
    preview.setBackgroundChoice(1);
    render(false);
    EXPECT_EQ(pixelShown(0, 0), systemColour(COLOR_ACTIVECAPTION));
}

TEST_F(PreviewWindowTest, APencilStrokeOnTheCanvasShowsInThePreviewWhileItIsDrawn)
{
    bench.toolState.setTool(ToolId::Pencil);
    bench.toolState.setDrawingValue(1);
    UpdateWindow(preview.handle());
    canvasMouse(WM_LBUTTONDOWN, {10, 10});
    canvasMouse(WM_MOUSEMOVE, {10, 14});
    // Only the preview's blocks of the changed pixels wait for repainting.
    RECT pending{};
    ASSERT_TRUE(GetUpdateRect(preview.handle(), &pending, FALSE));
    EXPECT_EQ(pending.left, 18 + 2 * 10);
    EXPECT_EQ(pending.top, 3 + 2 * 10);
    EXPECT_EQ(pending.right, 18 + 2 * 15);
    EXPECT_EQ(pending.bottom, 3 + 2 * 11);
    UpdateWindow(preview.handle());
    render(true);
    for (int column = 10; column <= 14; ++column)
        EXPECT_EQ(pixelShown(10, column), kWhite) << column;
    EXPECT_EQ(pixelShown(10, 15), kRed);

    canvasMouse(WM_LBUTTONUP, {10, 14});
    bench.history.undo();
    UpdateWindow(preview.handle());
    render(true);
    EXPECT_EQ(pixelShown(10, 12), kRed);
}

} // namespace
} // namespace tessaly
