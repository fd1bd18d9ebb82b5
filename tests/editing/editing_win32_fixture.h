#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "convert/dib_section_win32.h"
#include "support/canvas_workbench_win32.h"

namespace tessaly::test {

// The canvas of a workbench, 400 x 300 with scroll bars, without a tool window.
class CanvasWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bench.create(400, 300, RECT{0, 0, 400, 300}, RECT{}));
        canvas.setGridShown(true);
    }

    void open(const IconImage& icon) { ASSERT_TRUE(bench.open(icon)); }

    RECT client() const
    {
        RECT rect{};
        canvas.clientRect(rect);
        return rect;
    }

    // The whole client area as the window would show it after painting.
    void renderClient()
    {
        const RECT rect = client();
        shot.release();
        ASSERT_TRUE(shot.create32(rect.right, rect.bottom));
        paintInto(shot, rect);
    }

    // What the canvas paints for an update rectangle, into target.
    void paintInto(const DibSection& target, const RECT& update)
    {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, target.handle());
        canvas.paintInto(memory, update);
        GdiFlush();
        SelectObject(memory, old);
        DeleteDC(memory);
    }

    // The rendered colour at offset (dx, dy) from a pixel's top-left corner.
    ColorValue at(PixelPoint pixel, int dx, int dy) const
    {
        const ClientPoint corner = canvas.pixelToWindow(pixel);
        return shot.getPixel32(corner.x + dx, corner.y + dy);
    }

    void mouse(UINT message, PixelPoint pixel)
    {
        const ClientPoint corner = canvas.pixelToWindow(pixel);
        const int half = canvas.zoom() / 2;
        const WPARAM keys = message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
        canvas.send(message, keys, MAKELPARAM(corner.x + half, corner.y + half));
    }

    CanvasWorkbench bench;
    EditImage& image = bench.image;
    ToolState& toolState = bench.toolState;
    UndoHistory& history = bench.history;
    Selection& selection = bench.selection;
    EditCanvas& canvas = bench.canvas;
    DibSection shot;
};

} // namespace tessaly::test
