#include <benchmark/benchmark.h>

#include <cstdint>

#include "document/stroke_entry.h"
#include "image/icon_image.h"
#include "editing/editing_model.h"
#include "support/plain_canvas.h"

namespace {

using namespace tessaly;

constexpr std::int32_t kSide = 256;

enum class Picture { SingleColour, Maze };

// A 256 x 256 palette image. The maze has a wall at every odd row and odd
// column, so the region around it is 4-connected but every other row breaks
// into 128 one-pixel spans: the most seeds and spans a fill of this size meets.
IconImage picture(Picture kind)
{
    IconImage icon;
    icon.create(kSide, kSide, 8);
    for (std::int32_t y = 0; y < kSide; ++y) {
        for (std::int32_t x = 0; x < kSide; ++x) {
            icon.setMask(y, x, false);
            icon.setPixel(y, x, kind == Picture::Maze && (y % 2 == 1) && (x % 2 == 1) ? 1 : 0);
        }
    }
    return icon;
}

// The editor's editing objects over a picture, with a canvas that grants every request.
struct Editor : EditingModel {
    explicit Editor(Picture kind)
    {
        image.load(picture(kind));
        controller.setView(&canvas, &canvas);
        toolState.setColourMode(8);
        toolState.setDrawingValue(7);
    }
    test::PlainCanvas canvas{kSide};
};

// One click of the fill tool (the fill and its step pushed) and the undo of that step.
void fillAndUndo(benchmark::State& state, Picture kind)
{
    Editor editor(kind);
    editor.toolState.setTool(ToolId::Fill);
    for (auto _ : state) {
        editor.controller.buttonDown(MouseButton::Left, ClientPoint{0, 0});
        editor.controller.buttonUp(MouseButton::Left, ClientPoint{0, 0});
        editor.history.undo();
    }
    benchmark::DoNotOptimize(editor.image.valueAt(kSide - 1, kSide - 1));
}
BENCHMARK_CAPTURE(fillAndUndo, single_colour, Picture::SingleColour)
    ->Name("editing/tessaly/fill_and_undo_256_single_colour")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillAndUndo, maze, Picture::Maze)
    ->Name("editing/tessaly/fill_and_undo_256_maze")
    ->Unit(benchmark::kMicrosecond);

// Undo and redo of a recorded fill, once each.
void fillUndoRedo(benchmark::State& state, Picture kind)
{
    Editor editor(kind);
    editor.toolState.setTool(ToolId::Fill);
    editor.controller.buttonDown(MouseButton::Left, ClientPoint{0, 0});
    editor.controller.buttonUp(MouseButton::Left, ClientPoint{0, 0});
    for (auto _ : state) {
        editor.history.undo();
        editor.history.redo();
    }
    benchmark::DoNotOptimize(editor.image.valueAt(kSide - 1, kSide - 1));
}
BENCHMARK_CAPTURE(fillUndoRedo, single_colour, Picture::SingleColour)
    ->Name("editing/tessaly/fill_undo_redo_256_single_colour")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillUndoRedo, maze, Picture::Maze)
    ->Name("editing/tessaly/fill_undo_redo_256_maze")
    ->Unit(benchmark::kMicrosecond);

// A pencil stroke zigzagging across the whole image through 64 pointer
// positions (about 8000 pixels), released, and undone.
void pencilStrokeAndUndo(benchmark::State& state)
{
    Editor editor(Picture::SingleColour);
    editor.toolState.setTool(ToolId::Pencil);
    for (auto _ : state) {
        editor.controller.buttonDown(MouseButton::Left, ClientPoint{0, 0});
        for (std::int32_t i = 1; i <= 64; ++i)
            editor.controller.mouseMove(ClientPoint{(i % 2) * (kSide - 1), i * 4 - 1});
        editor.controller.buttonUp(MouseButton::Left, ClientPoint{kSide - 1, kSide - 1});
        editor.history.undo();
    }
    benchmark::DoNotOptimize(editor.image.valueAt(kSide - 1, kSide - 1));
}
BENCHMARK(pencilStrokeAndUndo)->Name("editing/tessaly/pencil_stroke_and_undo_256")->Unit(benchmark::kMicrosecond);

} // namespace
