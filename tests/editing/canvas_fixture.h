#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "support/edit_image_support.h"
#include "editing/editing_model.h"
#include "support/fake_canvas.h"

namespace tessaly::test {

// The two layouts every controller test runs under: one screen pixel per
// image pixel, and a magnified, scrolled canvas whose image starts away from
// the window's corner, so that a slip in the coordinate mapping shows.
inline const CanvasLayout kPlainLayout{1, {0, 0}, {0, 0}, {400, 300}, {1000, 1000}};
inline const CanvasLayout kZoomedLayout{8, {37, 21}, {5, 3}, {400, 300}, {1000, 1000}};

// The editor's editing objects wired as the application wires them, over a
// real image and history, with a fake canvas recording what the tools ask.
class CanvasTest : public ::testing::TestWithParam<CanvasLayout>, protected EditingModel {
protected:
    void load(const IconImage& icon)
    {
        ASSERT_TRUE(image.load(icon));
        if (icon.bitCount() <= 8) {
            ASSERT_TRUE(palette.takeFromIcon(icon));
        }
        canvas = std::make_unique<FakeCanvas>(GetParam(), icon.width(), icon.height());
        controller.setView(canvas.get(), canvas.get());
        selection.setView(canvas.get(), canvas.get());
        toolState.setColourMode(icon.bitCount());
        before = copyOf(image.cells());
    }
    // A random image of the given values, with the given chance of a mask bit.
    void loadRandom(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                    const std::vector<std::uint32_t>& values, double maskChance = 0.0)
    {
        load(randomIcon(width, height, bitCount, values, maskChance, rng));
    }

    // An opaque icon of value 0 (a new icon starts fully masked), with the
    // standard palette in palette modes.
    static IconImage blankIcon(std::int32_t width, std::int32_t height, std::int32_t bitCount)
    {
        IconImage icon;
        EXPECT_TRUE(icon.create(width, height, bitCount));
        icon.setStandardPalette();
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                icon.setMask(y, x, false);
        return icon;
    }

    ClientPoint at(std::int32_t row, std::int32_t column) const { return canvas->centreOf(row, column); }
    void press(MouseButton b, std::int32_t row, std::int32_t column) { controller.buttonDown(b, at(row, column)); }
    void moveTo(std::int32_t row, std::int32_t column) { controller.mouseMove(at(row, column)); }
    void release(MouseButton b, std::int32_t row, std::int32_t column) { controller.buttonUp(b, at(row, column)); }
    // Press at the first point, move through the others, release at the last.
    void drag(MouseButton b, std::initializer_list<PixelPoint> path)
    {
        const PixelPoint* p = path.begin();
        press(b, p->row, p->column);
        for (++p; p != path.end(); ++p)
            moveTo(p->row, p->column);
        release(b, (path.end() - 1)->row, (path.end() - 1)->column);
    }
    void click(MouseButton b, std::int32_t row, std::int32_t column) { drag(b, {{row, column}}); }

    // The last pushed step undoes to `expectedBefore` and redoes to the
    // image as it is now, twice over, cell for cell.
    void expectExactUndoRedo(const CellGrid& expectedBefore)
    {
        const CellGrid after = copyOf(image.cells());
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(history.undo());
            ASSERT_EQ(image.cells(), expectedBefore) << "undo, round " << round;
            ASSERT_TRUE(history.redo());
            ASSERT_EQ(image.cells(), after) << "redo, round " << round;
        }
    }

    std::mt19937 rng{7};
    std::unique_ptr<FakeCanvas> canvas;
    CellGrid before;
};

} // namespace tessaly::test
