#include "document/fill_entry.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <utility>

#include "pixel_step_fixture.h"

namespace tessaly {
namespace {

class FillEntryTest : public test::PixelStepTest {
protected:
    // Loads rows of text: '.' value 0, '#' value 1, 'o' value 0 with mask 1.
    void loadPicture(const std::vector<std::string>& rows)
    {
        IconImage icon;
        const auto height = static_cast<std::int32_t>(rows.size());
        const auto width = static_cast<std::int32_t>(rows.front().size());
        ASSERT_TRUE(icon.create(width, height, 8));
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                const char ch = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                icon.setPixel(y, x, ch == '#' ? 1 : 0);
                icon.setMask(y, x, ch == 'o');
            }
        }
        ASSERT_TRUE(image.load(icon));
        before = test::copyOf(image.cells());
        clearReports();
    }

    // The fill worked out the slow way: every cell 4-connected to the start
    // through cells equal to it takes the new pair.
    static CellGrid referenceFill(const CellGrid& grid, std::int32_t row, std::int32_t column, Cell fill)
    {
        CellGrid out = test::copyOf(grid);
        const Cell old = grid.at(row, column);
        std::deque<std::pair<std::int32_t, std::int32_t>> queue{{row, column}};
        std::set<std::pair<std::int32_t, std::int32_t>> seen{{row, column}};
        while (!queue.empty()) {
            const auto [r, c] = queue.front();
            queue.pop_front();
            out.at(r, c) = fill;
            const std::pair<std::int32_t, std::int32_t> next[] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
            for (const auto& [nr, nc] : next) {
                if (nr >= 0 && nr < grid.rows() && nc >= 0 && nc < grid.columns() && grid.at(nr, nc) == old &&
                    seen.insert({nr, nc}).second)
                    queue.push_back({nr, nc});
            }
        }
        return out;
    }
};

TEST_F(FillEntryTest, FillsTheSameRegionAsASlowSearchAndUndoesExactly)
{
    int revisits = 0;
    for (int trial = 0; trial < 60; ++trial) {
        history.clear();
        loadRandom(17, 13, 32, {0xFF000000, 0xFFFFFFFF}, 0.15);
        const auto row = static_cast<std::int32_t>(rng() % 13);
        const auto column = static_cast<std::int32_t>(rng() % 17);
        const Cell fill{0x80808080, 0};
        const CellGrid expected = referenceFill(before, row, column, fill);
        auto entry = std::make_unique<FillEntry>(image);
        ASSERT_TRUE(entry->fill(row, column, fill.value, fill.mask));
        ASSERT_EQ(image.cells(), expected) << "trial " << trial;
        std::set<std::pair<std::int32_t, std::int32_t>> filled;
        for (std::int32_t i = 0; i < entry->spanCount(); ++i) {
            const FillSpan& span = entry->span(i);
            for (std::int32_t c = span.first; c <= span.last; ++c)
                revisits += filled.insert({span.row, c}).second ? 0 : 1;
        }
        checkUndoRedo(std::move(entry));
    }
    EXPECT_GT(revisits, 0); // the trials did include seeds that were filled already
}

TEST_F(FillEntryTest, ARevisitedSeedBecomesAOneCellSpanThatUndoAlsoRestores)
{
    loadPicture({
        "...",
        ".#.",
        "...",
    });
    auto entry = std::make_unique<FillEntry>(image);
    ASSERT_TRUE(entry->fill(1, 0, 5, 0));
    // Left column, bottom row, right column, top row; then the seed (0, 0),
    // pushed from the left column before the top row filled it.
    const std::vector<FillSpan> expected{{1, 0, 0}, {2, 0, 2}, {1, 2, 2}, {0, 0, 2}, {0, 0, 0}};
    ASSERT_EQ(entry->spanCount(), 5);
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(entry->span(i), expected[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(image.cellAt(1, 1), (Cell{1, 0}));
    checkUndoRedo(std::move(entry));
}

TEST_F(FillEntryTest, RegionsTouchingOnlyDiagonallyStayApart)
{
    loadPicture({
        "..##",
        "..##",
        "##..",
        "##..",
    });
    FillEntry entry(image);
    ASSERT_TRUE(entry.fill(0, 0, 7, 0));
    EXPECT_EQ(image.cellAt(1, 1).value, 7u);
    EXPECT_EQ(image.cellAt(2, 2).value, 0u);
    EXPECT_EQ(image.cellAt(3, 3).value, 0u);
}

TEST_F(FillEntryTest, OnlyCellsWithTheClickedMaskAreFilled)
{
    loadPicture({
        "..oo",
        "..oo",
    });
    FillEntry entry(image);
    ASSERT_TRUE(entry.fill(0, 3, 2, 0));
    EXPECT_EQ(image.cellAt(1, 2), (Cell{2, 0}));
    EXPECT_EQ(image.cellAt(1, 1), (Cell{0, 0}));
}

TEST_F(FillEntryTest, AStartCellHoldingTheFillAlreadyChangesNothing)
{
    loadPicture({
        ".#",
        "o.",
    });
    FillEntry entry(image);
    EXPECT_FALSE(entry.fill(0, 0, 0, 0));
    EXPECT_FALSE(entry.fill(2, 0, 4, 0)); // outside
    EXPECT_EQ(entry.spanCount(), 0);
    EXPECT_EQ(image.cells(), before);
    EXPECT_TRUE(canvas.rects.empty());
    EXPECT_TRUE(entry.fill(1, 0, 0, 0)); // same value, other mask: a real fill
    EXPECT_EQ(image.cellAt(1, 0), (Cell{0, 0}));
}

} // namespace
} // namespace tessaly
