#include "editing/model/edit_image.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "editing/model/alpha_composite.h"
#include "editing/model/line_stepper.h"
#include "formats/ico_reader.h"
#include "formats/png_entry.h"
#include "support/edit_image_support.h"

namespace tessaly {
namespace {

using test::copyOf;
using test::differingCells;
using test::RecordingImageObserver;

class EditImageTest : public ::testing::Test {
protected:
    void SetUp() override { image.setObservers(&canvas, &preview); }

    // Loads a width x height image of the bit count with random pixels drawn
    // from values and clears the reports of the load.
    void loadRandom(std::int32_t width, std::int32_t height, std::int32_t bitCount, std::vector<std::uint32_t> values,
                    double maskChance = 0.3)
    {
        const IconImage icon = test::randomIcon(width, height, bitCount, values, maskChance, rng);
        ASSERT_TRUE(image.load(icon));
        canvas.clear();
        preview.clear();
    }

    // The one report both views got; fails when there is not exactly one.
    PixelRect onlyReport()
    {
        EXPECT_EQ(canvas.rects, preview.rects);
        EXPECT_EQ(canvas.rects.size(), 1u);
        return canvas.rects.empty() ? PixelRect{} : canvas.rects.front();
    }

    std::mt19937 rng{11};
    EditImage image;
    RecordingImageObserver canvas;
    RecordingImageObserver preview;
};

TEST_F(EditImageTest, LoadThenStoreGivesBackEveryBitCountExactly)
{
    for (const std::int32_t bitCount : {1, 4, 8, 24, 32}) {
        std::vector<std::uint32_t> values;
        if (bitCount <= 8) {
            for (std::uint32_t v = 0; v < (1u << bitCount); ++v)
                values.push_back(v);
        } else {
            values = test::randomValues(40, rng);
            if (bitCount == 24) {
                for (auto& v : values)
                    v &= 0xFFFFFF; // 24-bit pixels carry no alpha
            }
        }
        const IconImage icon = test::randomIcon(13, 7, bitCount, values, 0.5, rng);
        ASSERT_TRUE(image.load(icon)) << bitCount;
        EXPECT_EQ(image.width(), 13);
        EXPECT_EQ(image.height(), 7);
        EXPECT_EQ(image.bitCount(), bitCount);
        for (std::int32_t r = 0; r < 7; ++r) {
            for (std::int32_t c = 0; c < 13; ++c) {
                ASSERT_EQ(image.valueAt(r, c), icon.getPixel(r, c));
                ASSERT_EQ(image.maskAt(r, c), icon.getMask(r, c) ? 1 : 0);
            }
        }
        IconImage stored;
        ASSERT_TRUE(stored.create(13, 7, bitCount));
        ASSERT_TRUE(image.storeInto(stored));
        EXPECT_TRUE(std::equal(stored.pixelData().begin(), stored.pixelData().end(), icon.pixelData().begin()));
        EXPECT_TRUE(std::equal(stored.maskData().begin(), stored.maskData().end(), icon.maskData().begin()));
    }
}

TEST_F(EditImageTest, AnImageEditedAndStoredBackKeepsItsPngStorageButNotItsOldBytes)
{
    // As the editor opens an icon and stores an edit back into its list.
    IconImageList read;
    ASSERT_TRUE(IcoReader().readFile(std::string(TESSALY_TEST_DATA_DIR) + "/ico/imagemagick_32bit.ico", read));
    ASSERT_EQ(read.size(), 4u);
    IconImage& icon = *read[3];
    ASSERT_EQ(icon.storage(), ImageStorage::Png);
    ASSERT_TRUE(image.load(icon));
    ASSERT_TRUE(image.storeInto(icon));
    EXPECT_TRUE(PngEntry::sourceMatches(icon)); // unchanged: written back as it was

    image.drawLine({0, 0}, {5, 5}, 0xFF0000FFu, 0);
    ASSERT_TRUE(image.storeInto(icon));
    EXPECT_EQ(icon.storage(), ImageStorage::Png);
    EXPECT_FALSE(PngEntry::sourceMatches(icon)); // changed: encoded afresh
}

TEST_F(EditImageTest, LoadAndClearLayTheViewsOutAgain)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(4, 4, 32));
    ASSERT_TRUE(image.load(icon));
    EXPECT_GE(canvas.replaced, 1);
    EXPECT_EQ(canvas.replaced, preview.replaced);
    canvas.clear();
    preview.clear();
    image.clear();
    EXPECT_EQ(canvas.replaced, 1);
    EXPECT_EQ(preview.replaced, 1);
    EXPECT_FALSE(image.hasImage());
    EXPECT_EQ(image.bitCount(), 0);
    EXPECT_EQ(image.width(), 0);
}

TEST_F(EditImageTest, LoadOfAnEmptyImageFailsAndLeavesNothing)
{
    loadRandom(3, 3, 32, {1, 2});
    IconImage empty;
    EXPECT_FALSE(image.load(empty));
    EXPECT_FALSE(image.hasImage());
    EXPECT_EQ(image.cells().rows(), 0);
}

TEST_F(EditImageTest, StoreIntoRefusesAnotherBitCountOrSizeAndWritesNothing)
{
    loadRandom(8, 8, 32, {0xFF112233});
    for (const auto& [w, h, bits] : {std::tuple{8, 8, 24}, std::tuple{8, 7, 32}, std::tuple{9, 8, 32}}) {
        IconImage other;
        ASSERT_TRUE(other.create(w, h, bits));
        const std::vector<std::uint8_t> pixels(other.pixelData().begin(), other.pixelData().end());
        EXPECT_FALSE(image.storeInto(other));
        EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), other.pixelData().begin()));
    }
}

TEST_F(EditImageTest, DrawLineReportsTheBoundingBoxOfWhatChanged)
{
    loadRandom(10, 10, 32, {7});
    // Two cells of the line already hold the new pair: the report shrinks to the rest.
    image.drawLine({2, 1}, {2, 2}, 5, 0);
    canvas.clear();
    preview.clear();
    const CellGrid before = copyOf(image.cells());
    image.drawLine({2, 1}, {4, 6}, 5, 0);
    const PixelRect changed = differingCells(before, image.cells());
    EXPECT_EQ(changed, (PixelRect{3, 3, 4, 6})); // (2, 1) and (2, 2) held the pair already
    EXPECT_EQ(onlyReport(), changed);
    std::vector<PixelPoint> walked;
    for (LineStepper s({2, 1}, {4, 6}); !s.done(); s.advance())
        walked.push_back(s.point());
    for (const PixelPoint p : walked)
        EXPECT_EQ(image.cellAt(p.row, p.column), (Cell{5, 0}));
}

TEST_F(EditImageTest, DrawLineOverCellsThatAlreadyHoldItReportsNothing)
{
    loadRandom(6, 6, 8, {3}, 0.0);
    image.drawLine({0, 0}, {5, 5}, 3, 0);
    EXPECT_TRUE(canvas.rects.empty());
    EXPECT_TRUE(preview.rects.empty());
}

TEST_F(EditImageTest, LinesDrawOnlyTheirPointsInsideTheImage)
{
    loadRandom(5, 5, 24, {0x000000}, 0.0);
    const CellGrid before = copyOf(image.cells());
    image.drawLine({-3, -3}, {7, 2}, 0xABCDEF, 1);
    std::vector<std::vector<bool>> expected(5, std::vector<bool>(5, false));
    for (LineStepper s({-3, -3}, {7, 2}); !s.done(); s.advance()) {
        const PixelPoint p = s.point();
        if (image.contains(p.row, p.column))
            expected[static_cast<std::size_t>(p.row)][static_cast<std::size_t>(p.column)] = true;
    }
    for (std::int32_t r = 0; r < 5; ++r) {
        for (std::int32_t c = 0; c < 5; ++c) {
            const Cell want =
                expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] ? Cell{0xABCDEF, 1} : Cell{0, 0};
            EXPECT_EQ(image.cellAt(r, c), want) << r << ", " << c;
        }
    }
    EXPECT_EQ(onlyReport(), differingCells(before, image.cells()));
}

TEST_F(EditImageTest, DrawMaskLineChangesOnlyMasks)
{
    loadRandom(6, 6, 32, test::randomValues(5, rng), 0.5);
    const CellGrid before = copyOf(image.cells());
    image.drawMaskLine({0, 5}, {5, 0}, 1);
    for (std::int32_t r = 0; r < 6; ++r) {
        for (std::int32_t c = 0; c < 6; ++c) {
            EXPECT_EQ(image.valueAt(r, c), before.at(r, c).value);
            if (r + c == 5)
                EXPECT_EQ(image.maskAt(r, c), 1);
            else
                EXPECT_EQ(image.maskAt(r, c), before.at(r, c).mask);
        }
    }
    const PixelRect changed = differingCells(before, image.cells());
    if (changed.isEmpty())
        EXPECT_TRUE(canvas.rects.empty());
    else
        EXPECT_EQ(onlyReport(), changed);
}

TEST_F(EditImageTest, DrawAlphaLineReplacesOnlyTheAlphaByte)
{
    loadRandom(4, 4, 32, {0x10203040, 0x80A0B0C0}, 0.5);
    const CellGrid before = copyOf(image.cells());
    image.drawAlphaLine({1, 0}, {1, 3}, 0x7F000000);
    for (std::int32_t c = 0; c < 4; ++c) {
        EXPECT_EQ(image.valueAt(1, c), (before.at(1, c).value & 0xFFFFFF) | 0x7F000000);
        EXPECT_EQ(image.maskAt(1, c), before.at(1, c).mask);
    }
    EXPECT_EQ(onlyReport(), (PixelRect{1, 0, 1, 3}));
}

TEST_F(EditImageTest, AlphaOperationsLeaveImagesWithoutAlphaAlone)
{
    loadRandom(4, 4, 24, {0x102030}, 0.0);
    image.drawAlphaLine({0, 0}, {3, 3}, 0xFF000000);
    EXPECT_FALSE(image.nudgeAlpha(1, 1, AlphaDirection::Raise));
    EXPECT_EQ(image.valueAt(1, 1), 0x102030u);
    EXPECT_TRUE(canvas.rects.empty());
}

TEST_F(EditImageTest, SaveLineThenRestoreLineGivesTheCellsBack)
{
    loadRandom(8, 8, 32, test::randomValues(6, rng), 0.4);
    const CellGrid before = copyOf(image.cells());
    const PixelPoint from{-2, 9};
    const PixelPoint to{7, 1};
    std::vector<Cell> saved(static_cast<std::size_t>(LineStepper::pointCount(from, to)));
    EXPECT_TRUE(image.saveLine(from, to, saved));
    EXPECT_TRUE(canvas.rects.empty()); // saving reports nothing
    image.drawLine(from, to, 0x12345678, 1);
    const CellGrid drawn = copyOf(image.cells());
    canvas.clear();
    preview.clear();
    image.restoreLine(from, to, saved);
    EXPECT_EQ(image.cells(), before);
    EXPECT_EQ(onlyReport(), differingCells(drawn, before));
}

TEST_F(EditImageTest, SaveLineWhollyOutsideFindsNothing)
{
    loadRandom(4, 4, 8, {1});
    std::vector<Cell> saved(4, Cell{99, 1});
    EXPECT_FALSE(image.saveLine({-1, 0}, {-1, 3}, saved));
    EXPECT_EQ(saved[0], (Cell{99, 1}));
}

TEST_F(EditImageTest, BlockOperationsReportTheirWholeRectangleInsideTheImage)
{
    loadRandom(6, 5, 8, {4}, 0.0);
    image.fillSpan(2, 1, 3, 4, 0); // already holds the pair: still reported
    EXPECT_EQ(onlyReport(), (PixelRect{2, 1, 2, 3}));
    canvas.clear();
    preview.clear();
    image.fillRect(PixelRect{-2, 3, 1, 9}, 6, 1);
    EXPECT_EQ(onlyReport(), (PixelRect{0, 3, 1, 5}));
    EXPECT_EQ(image.cellAt(1, 5), (Cell{6, 1}));
    EXPECT_EQ(image.cellAt(2, 5), (Cell{4, 0}));
    canvas.clear();
    preview.clear();
    image.fillRect(PixelRect{5, 0, 7, 3}, 6, 1); // wholly below the image
    EXPECT_TRUE(canvas.rects.empty());
}

TEST_F(EditImageTest, SaveBlockAndRestoreBlockRoundTrip)
{
    loadRandom(7, 6, 32, test::randomValues(9, rng), 0.3);
    const CellGrid before = copyOf(image.cells());
    CellGrid block;
    const PixelRect rect{1, 2, 4, 6};
    ASSERT_TRUE(image.saveBlock(rect, block));
    EXPECT_TRUE(canvas.rects.empty());
    ASSERT_EQ(block.rows(), 4);
    ASSERT_EQ(block.columns(), 5);
    EXPECT_EQ(block.at(0, 0), before.at(1, 2));
    EXPECT_EQ(block.at(3, 4), before.at(4, 6));
    image.fillRect(rect, 0, 1);
    canvas.clear();
    preview.clear();
    image.restoreBlock(rect, block);
    EXPECT_EQ(image.cells(), before);
    EXPECT_EQ(onlyReport(), rect);
    EXPECT_FALSE(image.saveBlock(PixelRect{4, 4, 6, 7}, block)); // reaches past the right edge
    EXPECT_EQ(block.rows(), 4);
}

TEST_F(EditImageTest, NudgeAlphaStopsAtTheLimits)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(2, 1, 32));
    icon.setPixel(0, 0, 0xFF010203);
    icon.setPixel(0, 1, 0x00010203);
    ASSERT_TRUE(image.load(icon));
    canvas.clear();
    preview.clear();
    EXPECT_FALSE(image.nudgeAlpha(0, 0, AlphaDirection::Raise));
    EXPECT_FALSE(image.nudgeAlpha(0, 1, AlphaDirection::Lower));
    EXPECT_FALSE(image.nudgeAlpha(0, 2, AlphaDirection::Lower)); // outside
    EXPECT_TRUE(canvas.rects.empty());
    EXPECT_TRUE(image.nudgeAlpha(0, 0, AlphaDirection::Lower));
    EXPECT_EQ(image.valueAt(0, 0), 0xFE010203u);
    EXPECT_EQ(onlyReport(), (PixelRect{0, 0, 0, 0}));
    EXPECT_TRUE(image.nudgeAlpha(0, 1, AlphaDirection::Raise));
    EXPECT_EQ(image.valueAt(0, 1), 0x01010203u);
}

TEST_F(EditImageTest, CompositeSkipsMaskedContentAndBlendsAtThirtyTwoBits)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(4, 4, 32));
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 4; ++x) {
            icon.setPixel(y, x, makeColor(10, 20, 30, 255));
            icon.setMask(y, x, true);
        }
    }
    ASSERT_TRUE(image.load(icon));
    canvas.clear();
    preview.clear();
    CellGrid content;
    ASSERT_TRUE(content.setSize(2, 2));
    content.at(0, 0) = Cell{makeColor(200, 100, 50, 128), 0};
    content.at(0, 1) = Cell{makeColor(1, 1, 1, 255), 1}; // masked: skipped
    content.at(1, 0) = Cell{makeColor(9, 9, 9, 0), 0};
    content.at(1, 1) = Cell{makeColor(5, 6, 7, 255), 0};
    image.composite(PixelRect{2, 2, 3, 3}, content);
    EXPECT_EQ(image.cellAt(2, 2), (Cell{compositeColor(makeColor(200, 100, 50, 128), makeColor(10, 20, 30, 255)), 0}));
    EXPECT_EQ(image.cellAt(2, 3), (Cell{makeColor(10, 20, 30, 255), 1}));
    EXPECT_EQ(image.cellAt(3, 2), (Cell{makeColor(10, 20, 30, 255), 0}));
    EXPECT_EQ(image.cellAt(3, 3), (Cell{makeColor(5, 6, 7, 255), 0}));
    EXPECT_EQ(onlyReport(), (PixelRect{2, 2, 3, 3}));
}

TEST_F(EditImageTest, CompositeCopiesValuesInPaletteImagesAndClipsToTheImage)
{
    loadRandom(3, 3, 8, {9}, 1.0);
    CellGrid content;
    ASSERT_TRUE(content.setSize(2, 2));
    for (std::int32_t r = 0; r < 2; ++r) {
        for (std::int32_t c = 0; c < 2; ++c)
            content.at(r, c) = Cell{static_cast<std::uint32_t>(r * 2 + c), 0};
    }
    image.composite(PixelRect{2, -1, 3, 0}, content); // only content cell (0, 1) lands inside
    EXPECT_EQ(image.cellAt(2, 0), (Cell{1, 0}));
    EXPECT_EQ(image.cellAt(1, 0), (Cell{9, 1}));
    EXPECT_EQ(image.cellAt(2, 1), (Cell{9, 1}));
    EXPECT_EQ(onlyReport(), (PixelRect{2, 0, 2, 0}));
}

// Line operations in random order: each report is exactly the bounding box of
// the cells that changed, and there is none when nothing changed.
TEST_F(EditImageTest, LineOperationsReportExactlyWhatTheyChanged)
{
    loadRandom(12, 9, 32, {0xFF000000, 0x80FFFFFF, 0x00000000}, 0.3);
    std::uniform_int_distribution<std::int32_t> row(-3, 11);
    std::uniform_int_distribution<std::int32_t> column(-3, 14);
    std::uniform_int_distribution<int> kind(0, 4);
    const std::uint32_t values[] = {0xFF000000, 0x80FFFFFF, 0x00000000};
    for (int i = 0; i < 400; ++i) {
        const PixelPoint from{row(rng), column(rng)};
        const PixelPoint to{row(rng), column(rng)};
        const std::uint32_t value = values[rng() % 3];
        const auto mask = static_cast<std::uint8_t>(rng() % 2);
        const CellGrid before = copyOf(image.cells());
        canvas.clear();
        preview.clear();
        switch (kind(rng)) {
        case 0:
            image.drawLine(from, to, value, mask);
            break;
        case 1:
            image.drawMaskLine(from, to, mask);
            break;
        case 2:
            image.drawAlphaLine(from, to, value);
            break;
        case 3:
            image.nudgeAlpha(from.row, from.column, mask ? AlphaDirection::Raise : AlphaDirection::Lower);
            break;
        default: {
            std::vector<Cell> saved(static_cast<std::size_t>(LineStepper::pointCount(from, to)),
                                    Cell{values[rng() % 3], mask});
            image.restoreLine(from, to, saved);
        }
        }
        const PixelRect changed = differingCells(before, image.cells());
        ASSERT_EQ(canvas.rects, preview.rects);
        if (changed.isEmpty()) {
            ASSERT_TRUE(canvas.rects.empty()) << i;
        } else {
            ASSERT_EQ(canvas.rects.size(), 1u) << i;
            ASSERT_EQ(canvas.rects.front(), changed) << i;
        }
    }
}

} // namespace
} // namespace tessaly
