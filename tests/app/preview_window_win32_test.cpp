#include "app/preview_window_win32.h"

#include <gtest/gtest.h>

#include <vector>

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

class RecordingSink final : public PreviewStatusSink {
public:
    void previewReadout(const PreviewReadout& readout) override { readouts.push_back(readout); }
    std::vector<PreviewReadout> readouts;
};

// A 32 x 32 16-colour icon: a masked black pixel at (0, 0), a masked white
// one at (0, 1), red everywhere else.
IconImage sampleIcon()
{
    IconImage icon;
    EXPECT_TRUE(icon.create(32, 32, 4));
    icon.setPaletteColor(0, kBlack);
    icon.setPaletteColor(1, kWhite);
    icon.setPaletteColor(2, kRed);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            icon.setPixel(y, x, 2);
            icon.setMask(y, x, false);
        }
    }
    icon.setPixel(0, 0, 0);
    icon.setMask(0, 0, true);
    icon.setPixel(0, 1, 1);
    icon.setMask(0, 1, true);
    return icon;
}

// A canvas and, to its right, a 100 x 70 preview with automatic zoom.
class PreviewWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.create(400, 300, RECT{0, 0, 300, 300}, RECT{}, RECT{300, 0, 400, 70}));
        preview.setStatusSink(&sink);
        preview.controller().setAutoZoom(true);
        ASSERT_TRUE(bench.open(sampleIcon()));
    }

    // What the window shows after erasing and painting its whole client area.
    void renderClient()
    {
        RECT client{};
        preview.clientRect(client);
        shot.release();
        ASSERT_TRUE(shot.create32(client.right, client.bottom));
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, shot.handle());
        preview.send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
        preview.paintInto(memory, client);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
    }

    // What the screen shows of the window right now.
    void captureScreen()
    {
        RECT client{};
        preview.clientRect(client);
        shot.release();
        ASSERT_TRUE(shot.create32(client.right, client.bottom));
        HDC window = GetDC(preview.handle());
        ASSERT_TRUE(shot.captureFrom(window, client, SRCCOPY));
        ReleaseDC(preview.handle(), window);
    }

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
    RecordingSink sink;
    DibSection shot;
};

TEST_F(PreviewWindowTest, ShowsTheIconEnlargedOverWhiteAndTheFaceColourAroundIt)
{
    const PreviewLayout& layout = preview.controller().layout();
    ASSERT_EQ(layout.zoom(), 2);
    ASSERT_EQ(layout.origin(), (ClientPoint{18, 3}));
    renderClient();
    const ColorValue face = systemColour(COLOR_BTNFACE);
    EXPECT_EQ(shot.getPixel32(0, 0), face);
    EXPECT_EQ(shot.getPixel32(17, 3), face);
    EXPECT_EQ(shot.getPixel32(18, 2), face);
    EXPECT_EQ(shot.getPixel32(82, 66), face);
    EXPECT_EQ(shot.getPixel32(99, 69), face);
    // The masked black pixel shows the white background, the masked white one black.
    EXPECT_EQ(shot.getPixel32(18, 3), kWhite);
    EXPECT_EQ(shot.getPixel32(19, 4), kWhite);
    EXPECT_EQ(shot.getPixel32(20, 3), kBlack);
    EXPECT_EQ(shot.getPixel32(21, 4), kBlack);
    EXPECT_EQ(shot.getPixel32(22, 3), kRed);
    EXPECT_EQ(shot.getPixel32(81, 66), kRed);
}

TEST_F(PreviewWindowTest, BackgroundChoicesTakeTheSystemColoursAndUnknownOnesAreBlack)
{
    EXPECT_EQ(PreviewWindow::backgroundColour(0), systemColour(COLOR_BACKGROUND));
    EXPECT_EQ(PreviewWindow::backgroundColour(1), systemColour(COLOR_ACTIVECAPTION));
    EXPECT_EQ(PreviewWindow::backgroundColour(2), systemColour(COLOR_INACTIVECAPTION));
    EXPECT_EQ(PreviewWindow::backgroundColour(3), kWhite);
    EXPECT_EQ(PreviewWindow::backgroundColour(4), systemColour(COLOR_BTNFACE));
    EXPECT_EQ(PreviewWindow::backgroundColour(7), kBlack);
    EXPECT_EQ(PreviewWindow::backgroundColour(-1), kBlack);

    preview.setBackgroundChoice(1);
    renderClient();
    EXPECT_EQ(shot.getPixel32(18, 3), systemColour(COLOR_ACTIVECAPTION));
    preview.controller().setShowSelected(true);
    renderClient();
    EXPECT_EQ(shot.getPixel32(20, 3), systemColour(COLOR_ACTIVECAPTION));
}

TEST_F(PreviewWindowTest, APencilStrokeOnTheCanvasShowsInThePreviewWhileItIsDrawn)
{
    bench.toolState.setTool(ToolId::Pencil);
    bench.toolState.setDrawingValue(1);
    UpdateWindow(preview.handle());
    RECT pending{};
    ASSERT_FALSE(GetUpdateRect(preview.handle(), &pending, FALSE));

    canvasMouse(WM_LBUTTONDOWN, {10, 10});
    canvasMouse(WM_MOUSEMOVE, {10, 14});
    // Only the preview's blocks of the changed pixels wait for repainting.
    ASSERT_TRUE(GetUpdateRect(preview.handle(), &pending, FALSE));
    EXPECT_EQ(pending.left, 18 + 2 * 10);
    EXPECT_EQ(pending.top, 3 + 2 * 10);
    EXPECT_EQ(pending.right, 18 + 2 * 15);
    EXPECT_EQ(pending.bottom, 3 + 2 * 11);
    UpdateWindow(preview.handle());
    captureScreen();
    for (int column = 10; column <= 14; ++column)
        EXPECT_EQ(shot.getPixel32(18 + 2 * column + 1, 3 + 2 * 10 + 1), kWhite) << column;
    EXPECT_EQ(shot.getPixel32(18 + 2 * 15, 3 + 2 * 10), kRed);
    EXPECT_EQ(shot.getPixel32(18 + 2 * 12, 3 + 2 * 11), kRed);

    canvasMouse(WM_MOUSEMOVE, {12, 14});
    canvasMouse(WM_LBUTTONUP, {12, 14});
    UpdateWindow(preview.handle());
    captureScreen();
    EXPECT_EQ(shot.getPixel32(18 + 2 * 14, 3 + 2 * 12), kWhite);
    bench.history.undo();
    UpdateWindow(preview.handle());
    captureScreen();
    EXPECT_EQ(shot.getPixel32(18 + 2 * 14, 3 + 2 * 12), kRed);
    EXPECT_EQ(shot.getPixel32(18 + 2 * 10, 3 + 2 * 10), kRed);
}

TEST_F(PreviewWindowTest, PointerMovesReportTheScaleUnlessTheWindowHasNoRoom)
{
    preview.send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    preview.controller().setShowSelected(true);
    preview.send(WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(sink.readouts, (std::vector<PreviewReadout>{{2, true, false}, {2, true, true}}));

    ASSERT_TRUE(preview.setPosition(nullptr, 300, 0, 0, 70, SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(preview.controller().layout().showsNothing());
    preview.send(WM_MOUSEMOVE, 0, MAKELPARAM(0, 5));
    EXPECT_EQ(sink.readouts.size(), 2u);
}

} // namespace
} // namespace tessaly
