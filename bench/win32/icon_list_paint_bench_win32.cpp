// The icon list laid out and repainted whole with 200 icons on screen (the
// icons of the system's shell32.dll, the first 200), beside a plain BitBlt
// of a bitmap of the same size to the same window and a paint cycle that
// does nothing but that blit: the floors any repaint that ends in one blit
// has. Runs under Wine; prints medians of interleaved rounds.
//   icon_list_paint_bench.exe [ROUNDS [MODULE]]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_timing_win32.h"
#include "formats/platform_icon_file_formats_win32.h"
#include "support/icon_list_workbench_win32.h"

int main(int argc, char** argv)
{
    using tessaly::bench::interleavedMediansMs;
    using tessaly::bench::nowMs;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const std::string module = argc > 2 ? argv[2] : "C:\\windows\\system32\\shell32.dll";
    tessaly::test::IconListWorkbench bench(tessaly::platformIconFileFormats());
    // 16 columns of 13 rows fit the view without a scroll bar.
    if (!bench.create(1240, 1024))
        return 1;
    bench.pane.selectTab(tessaly::IconListPane::kImportTab);
    bench.importIcons.open(std::filesystem::path(module));
    const int found = bench.importIcons.count();
    if (found == 0)
        return 1;
    for (int i = found; i < 200; ++i)
        bench.importIcons.addCopy(*bench.importIcons.get(i % found));
    while (bench.importIcons.count() > 200)
        bench.importIcons.removeAt(bench.importIcons.count() - 1);
    tessaly::IconListView& view = bench.importView;
    tessaly::IconListState& state = bench.imports;
    HWND window = view.handle();
    RECT client{};
    view.clientRect(client);

    const double firstStart = nowMs();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    const double first = nowMs() - firstStart;
    const auto made = state.thumbnails().madeCount();

    tessaly::DibSection plain;
    if (!plain.create32(client.right, client.bottom))
        return 1;
    plain.fillRect32(client, 0x00804020);
    const std::vector<double> list =
        interleavedMediansMs(rounds, {
                                         [&] {
                                             state.relayout();
                                             UpdateWindow(window);
                                         },
                                         // A change of the list: the last icon moved to the front.
                                         [&] {
                                             state.moveItem(state.count() - 1, 0);
                                             UpdateWindow(window);
                                         },
                                         [&] {
                                             HDC dc = GetDC(window);
                                             view.paintInto(dc, client);
                                             ReleaseDC(window, dc);
                                         },
                                         [&] {
                                             HDC dc = GetDC(window);
                                             plain.drawTo(dc, client, SRCCOPY);
                                             ReleaseDC(window, dc);
                                         },
                                     });
    // The paint cycle of a window that only blits, in the view's place.
    tessaly::bench::PlainPaintWindow plainWindow(plain);
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, bench.pane.handle(), reinterpret_cast<POINT*>(&place), 2);
    if (!plainWindow.create(bench.pane, place))
        return 1;
    view.show(SW_HIDE);
    UpdateWindow(plainWindow.handle());
    const std::vector<double> cycles =
        interleavedMediansMs(rounds, {
                                         [&] {
                                             InvalidateRect(plainWindow.handle(), nullptr, TRUE);
                                             UpdateWindow(plainWindow.handle());
                                         },
                                         // The same with new pixels every time, as a repaint of changed content has.
                                         [&] {
                                             static std::uint32_t colour = 0;
                                             colour += 0x010101;
                                             std::fill_n(reinterpret_cast<std::uint32_t*>(plain.bits()),
                                                         plain.bytesPerRow() / 4 * plain.height(), colour);
                                             InvalidateRect(plainWindow.handle(), nullptr, TRUE);
                                             UpdateWindow(plainWindow.handle());
                                         },
                                     });
    const double plainCycle = cycles[0];

    std::printf("view %ldx%ld, %d icons (of %d), %d columns x %d rows, %d rounds (median)\n", client.right,
                client.bottom, state.count(), found, state.layout().columns(), state.layout().rows(), rounds);
    std::printf("list/first_paint (resamples %lld thumbnails)      %8.3f ms\n", static_cast<long long>(made), first);
    std::printf("list/relayout_repaint_whole                         %8.3f ms\n", list[0]);
    std::printf("list/move_item_relayout_repaint_whole               %8.3f ms\n", list[1]);
    std::printf("list/paint_into_whole (compose + one blit)          %8.3f ms\n", list[2]);
    std::printf("gdi/plain_bitblt_same_size                          %8.3f ms\n", list[3]);
    std::printf("gdi/plain_paint_cycle_same_size (blit in WM_PAINT)  %8.3f ms\n", plainCycle);
    std::printf("gdi/plain_paint_cycle_new_pixels_same_size          %8.3f ms\n", cycles[1]);
    std::printf("thumbnails resampled after all rounds               %8lld\n",
                static_cast<long long>(state.thumbnails().madeCount()));
    return 0;
}
