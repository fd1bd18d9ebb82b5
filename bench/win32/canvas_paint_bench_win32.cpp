// A full repaint of the canvas (a 256 x 256 32-bit image at zoom 16, grid
// and checkerboard on, filling a 1024 x 768 client area) beside a plain
// BitBlt of a 1024 x 768 bitmap to the same window: the floor any repaint
// that ends in one blit has. Runs under Wine; prints the median of each.
//   canvas_paint_bench.exe [ROUNDS]

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench_timing_win32.h"
#include "convert/dib_section_win32.h"
#include "editing/canvas_renderer.h"
#include "support/canvas_workbench_win32.h"
#include "ui/window_class_win32.h"
#include "ui/window_win32.h"

namespace {

using tessaly::bench::medianMs;
using tessaly::bench::PlainPaintWindow;

tessaly::IconImage noisyIcon()
{
    tessaly::IconImage icon;
    icon.create(256, 256, 32);
    std::mt19937 rng(5);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            icon.setPixel(y, x, static_cast<std::uint32_t>(rng()));
            icon.setMask(y, x, false);
        }
    }
    return icon;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    tessaly::test::CanvasWorkbench bench;
    // The canvas window is made so that its client area, inside the scroll
    // bars, is 1024 x 768.
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    if (!bench.create(1024 + bar, 768 + barHeight, RECT{0, 0, 1024 + bar, 768 + barHeight}, RECT{}))
        return 1;
    if (!bench.open(noisyIcon()))
        return 1;
    bench.canvas.setBackground(6);
    bench.canvas.setGridShown(true);
    bench.canvas.setZoom(16);
    bench.canvas.scrollTo({bench.canvas.origin().x + 1000, bench.canvas.origin().y + 1000});
    RECT client{};
    bench.canvas.clientRect(client);
    HWND window = bench.canvas.handle();
    UpdateWindow(window);

    const double canvas = medianMs(rounds, [&] {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    });
    const double compose = medianMs(rounds, [&] {
        HDC dc = GetDC(window);
        bench.canvas.paintInto(dc, client);
        ReleaseDC(window, dc);
    });
    tessaly::DibSection plain;
    if (!plain.create32(client.right, client.bottom))
        return 1;
    plain.fillRect32(client, 0x00804020);
    const double blit = medianMs(rounds, [&] {
        HDC dc = GetDC(window);
        plain.drawTo(dc, client, SRCCOPY);
        ReleaseDC(window, dc);
    });
    // Where the time goes: composition alone, into plain memory.
    std::vector<std::uint32_t> memory(static_cast<std::size_t>(client.right + 16) * (client.bottom + 16));
    const tessaly::PixelRect range = bench.canvas.visiblePixels();
    const tessaly::PixelRect drawn{std::max(range.top - 1, 0), std::max(range.left - 1, 0), range.bottom + 1,
                                   range.right + 1};
    tessaly::CanvasRenderer renderer;
    const std::array<tessaly::ColorValue, 256> palette{};
    const tessaly::CanvasPixels out{memory.data(), client.right + 16, client.right + 16, client.bottom + 16};
    const double composeOnly = medianMs(rounds, [&] {
        renderer.render(bench.image, palette, drawn, bench.canvas.zoom(), bench.canvas.appearance(), {}, out);
    });
    PlainPaintWindow plainWindow(plain);
    const RECT beside{0, 0, client.right, client.bottom};
    if (!plainWindow.create(bench.frame, beside))
        return 1;
    ShowWindow(window, SW_HIDE);
    UpdateWindow(plainWindow.handle());
    const double plainCycle = medianMs(rounds, [&] {
        InvalidateRect(plainWindow.handle(), nullptr, TRUE);
        UpdateWindow(plainWindow.handle());
    });
    std::printf("client %ldx%ld, zoom %d, %d rounds (median)\n", client.right, client.bottom, bench.canvas.zoom(),
                rounds);
    std::printf("canvas/full_repaint (erase + paint message)  %8.3f ms\n", canvas);
    std::printf("canvas/paint_into (compose + one blit)       %8.3f ms\n", compose);
    std::printf("gdi/plain_bitblt_same_size                   %8.3f ms\n", blit);
    std::printf("breakdown/compose_only (into memory)         %8.3f ms\n", composeOnly);
    std::printf("breakdown/plain_paint_cycle (blit in WM_PAINT) %6.3f ms\n", plainCycle);
    std::printf("ratio full repaint / plain blit              %8.2f\n", canvas / blit);
    std::printf("ratio paint_into / plain blit                %8.2f\n", compose / blit);
    return 0;
}
