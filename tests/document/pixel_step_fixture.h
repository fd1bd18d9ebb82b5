#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "document/undo_history.h"
#include "editing/model/edit_image.h"
#include "support/edit_image_support.h"

namespace tessaly::test {

// An edit image watched by two recording views, and a history, for the
// tests of the steps that change pixels.
class PixelStepTest : public ::testing::Test {
protected:
    void SetUp() override { image.setObservers(&canvas, &preview); }

    void loadRandom(std::int32_t width, std::int32_t height, std::int32_t bitCount,
                    const std::vector<std::uint32_t>& values, double maskChance = 0.3)
    {
        const IconImage icon = randomIcon(width, height, bitCount, values, maskChance, rng);
        ASSERT_TRUE(image.load(icon));
        before = copyOf(image.cells());
        clearReports();
    }

    void clearReports()
    {
        canvas.clear();
        preview.clear();
    }

    // Pushes a step that has just been applied (the image now shows its
    // result, `before` the image before it) and then undoes and redoes it
    // twice: every undo must give back `before` and every redo the result,
    // cell for cell, and each must report every cell it changed.
    void checkUndoRedo(std::unique_ptr<UndoEntry> step)
    {
        const CellGrid after = copyOf(image.cells());
        history.push(std::move(step));
        for (int round = 0; round < 2; ++round) {
            clearReports();
            ASSERT_TRUE(history.undo());
            ASSERT_EQ(image.cells(), before) << "undo, round " << round;
            EXPECT_TRUE(reportsCoverChanges(canvas.rects, after, before));
            EXPECT_EQ(canvas.rects, preview.rects);
            clearReports();
            ASSERT_TRUE(history.redo());
            ASSERT_EQ(image.cells(), after) << "redo, round " << round;
            EXPECT_TRUE(reportsCoverChanges(canvas.rects, before, after));
        }
    }

    std::mt19937 rng{5};
    EditImage image;
    RecordingImageObserver canvas;
    RecordingImageObserver preview;
    UndoHistory history;
    CellGrid before;
};

} // namespace tessaly::test
