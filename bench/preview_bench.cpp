#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "app/preview_controller.h"
#include "image/icon_image.h"
#include "editing/editing_model.h"
#include "support/plain_canvas.h"

namespace {

using namespace tessaly;

constexpr std::int32_t kSide = 256;
constexpr ColorValue kHighlight = makeColor(0x33, 0x99, 0xFF);

// Remembers the last area the preview asked to repaint.
class LastAreaHost final : public PreviewHost {
public:
    void invalidateAll(Erase) override {}
    void invalidateArea(const ClientRect& area) override { last = area; }
    ClientRect last;
};

// A 256 x 256 32-bit image of random colours and alphas.
IconImage noise()
{
    IconImage icon;
    icon.create(kSide, kSide, 32);
    std::mt19937 rng(21);
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            icon.setPixel(y, x, static_cast<std::uint32_t>(rng()));
            icon.setMask(y, x, false);
        }
    }
    return icon;
}

// The editing objects with the preview (automatic zoom) as the image's
// observer, a plain canvas for the tools, and the preview's off-screen pixels.
struct Editor : EditingModel {
    Editor(std::int32_t width, std::int32_t height)
        : pixels(static_cast<std::size_t>(width * height))
    {
        image.setObservers(nullptr, &preview);
        preview.setHost(&host);
        preview.setAutoZoom(true);
        preview.resize(width, height);
        image.load(noise());
        controller.setView(&canvas, &canvas);
        toolState.setColourMode(32);
        toolState.setTool(ToolId::Pencil);
    }

    // What WM_PAINT does for an update area, short of the copy to the screen.
    void paint(const ClientRect& update)
    {
        const PreviewPaint plan = preview.paintFor(update);
        const std::int32_t width = plan.destination.width();
        preview.compose(plan, kHighlight, CanvasPixels{pixels.data(), width, width, plan.destination.height()});
    }

    PreviewController preview{image, palette};
    LastAreaHost host;
    test::PlainCanvas canvas{kSide};
    std::vector<std::uint32_t> pixels;
};

// The whole preview: 256 x 256 reduced by 4 to 64 x 64, each pixel the
// summary of 16.
void fullRepaintReduced(benchmark::State& state)
{
    Editor editor(120, 80);
    for (auto _ : state) {
        editor.paint({0, 0, 120, 80});
        benchmark::DoNotOptimize(editor.pixels.data());
    }
}
BENCHMARK(fullRepaintReduced)
    ->Name("preview/tessaly/full_repaint_256_alpha_reduced_into_120x80")
    ->Unit(benchmark::kMicrosecond);

// One pointer move of a pencil stroke that paints one new pixel, walking
// along the rows, and the preview's repaint of what it reports.
void pencilPixelRepaint(benchmark::State& state)
{
    Editor editor(120, 80);
    std::uint32_t value = 0xFF0000FFu;
    std::int32_t row = 0;
    std::int32_t column = 0;
    editor.toolState.setDrawingValue(value);
    editor.controller.buttonDown(MouseButton::Left, ClientPoint{0, 0});
    for (auto _ : state) {
        if (++column == kSide) {
            // A new stroke on the next row (and a new colour after the last row), not timed.
            state.PauseTiming();
            editor.controller.buttonUp(MouseButton::Left, ClientPoint{kSide - 1, row});
            column = 0;
            if (++row == kSide) {
                row = 0;
                value ^= 0x00FFFFFFu;
                editor.toolState.setDrawingValue(value);
            }
            editor.controller.buttonDown(MouseButton::Left, ClientPoint{0, row});
            state.ResumeTiming();
            continue;
        }
        editor.controller.mouseMove(ClientPoint{column, row});
        editor.paint(editor.host.last);
    }
    editor.controller.buttonUp(MouseButton::Left, ClientPoint{column, row});
    benchmark::DoNotOptimize(editor.pixels.data());
}
BENCHMARK(pencilPixelRepaint)->Name("preview/tessaly/pencil_pixel_repaint_256_alpha")->Unit(benchmark::kMicrosecond);

} // namespace
