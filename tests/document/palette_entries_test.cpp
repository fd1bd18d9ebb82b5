#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/palette_color_entry.h"
#include "document/palette_gradient_entry.h"
#include "document/palette_paste_entry.h"
#include "document/undo_history.h"
#include "palette/model/palette.h"
#include "support/recording_palette_observers.h"

namespace tessaly {
namespace {

using Log = std::vector<std::string>;

class PaletteEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        palette.setObservers(views.observers());
        IconImage icon;
        ASSERT_TRUE(icon.create(1, 1, 4));
        icon.setStandardPalette();
        ASSERT_TRUE(palette.takeFromIcon(icon));
        // Top bytes as a file or the colour window may leave them: undo must
        // bring them back too.
        palette.setEntry(0, 0x5A0000FF);
        palette.setEntry(15, 0xA5FF0000);
        before = entries();
        views.log.clear();
    }

    std::vector<ColorValue> entries() const
    {
        std::vector<ColorValue> out;
        EXPECT_TRUE(palette.copyTo(out));
        return out;
    }

    // Pushes the applied step, then undoes and redoes it twice, comparing
    // every entry each time.
    void checkUndoRedo(std::unique_ptr<UndoEntry> step)
    {
        const std::vector<ColorValue> after = entries();
        history.push(std::move(step));
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(history.undo());
            ASSERT_EQ(entries(), before) << "undo, round " << round;
            ASSERT_TRUE(history.redo());
            ASSERT_EQ(entries(), after) << "redo, round " << round;
        }
    }

    Palette palette;
    test::RecordingPaletteObservers views;
    UndoHistory history;
    std::vector<ColorValue> before;
};

TEST_F(PaletteEntryTest, AColourStepKeepsTheFirstOldAndTheLastNewColour)
{
    auto entry = std::make_unique<PaletteColorEntry>(palette);
    entry->set(makeColor(1, 1, 1)); // not begun: nothing happens
    EXPECT_EQ(entries(), before);
    ASSERT_TRUE(entry->begin(4));
    for (std::uint8_t v = 10; v <= 50; v = static_cast<std::uint8_t>(v + 10))
        entry->set(makeColor(v, 0, v));
    EXPECT_EQ(palette.entry(4), makeColor(50, 0, 50));
    EXPECT_EQ(views.log.back(), "colour: refresh");
    checkUndoRedo(std::move(entry));
}

TEST_F(PaletteEntryTest, AColourStepBeginsOnlyInsideThePalette)
{
    PaletteColorEntry entry(palette);
    EXPECT_FALSE(entry.begin(16));
    EXPECT_FALSE(entry.begin(-1));
    EXPECT_FALSE(entry.isBegun());
}

TEST_F(PaletteEntryTest, APasteAtTheEndWritesWhatFitsAndUndoesExactly)
{
    const std::vector<ColorValue> clip{11, 22, 33, 44, 55};
    auto entry = std::make_unique<PalettePasteEntry>(palette);
    ASSERT_TRUE(entry->apply(clip, 14));
    EXPECT_EQ(palette.length(), 16);
    EXPECT_EQ(palette.entry(14), 11u);
    EXPECT_EQ(palette.entry(15), 22u);
    EXPECT_EQ(views.log.front(), "window: cells 14-15");
    checkUndoRedo(std::move(entry));
}

TEST_F(PaletteEntryTest, APasteOutsideThePaletteOrOfNothingIsRefused)
{
    PalettePasteEntry entry(palette);
    EXPECT_FALSE(entry.apply(std::vector<ColorValue>{1}, 16));
    EXPECT_FALSE(entry.apply(std::vector<ColorValue>{}, 0));
    EXPECT_EQ(entries(), before);
}

TEST_F(PaletteEntryTest, AGradientUndoesToTheOldColoursTopBytesIncluded)
{
    auto entry = std::make_unique<PaletteGradientEntry>(palette);
    ASSERT_TRUE(entry->apply(0, 15));
    EXPECT_EQ(palette.entry(0), makeColor(255, 0, 0)); // rewritten with a zero top byte
    EXPECT_EQ(palette.entry(15), makeColor(0, 0, 255));
    checkUndoRedo(std::move(entry));
}

TEST_F(PaletteEntryTest, AGradientNeedsTwoEntriesInsideThePalette)
{
    PaletteGradientEntry entry(palette);
    EXPECT_FALSE(entry.apply(3, 3));
    EXPECT_FALSE(entry.apply(4, 16));
    EXPECT_EQ(entries(), before);
}

} // namespace
} // namespace tessaly
