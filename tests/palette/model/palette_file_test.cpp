#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/file_bytes.h"
#include "palette/model/palette.h"
#include "support/recording_palette_observers.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

void writeRaw(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class PaletteFileTest : public ::testing::Test {
protected:
    void SetUp() override { palette.setObservers(views.observers()); }

    std::vector<ColorValue> entries() const
    {
        std::vector<ColorValue> out;
        EXPECT_TRUE(palette.copyTo(out));
        return out;
    }

    test::TempDir dir;
    Palette palette;
    test::RecordingPaletteObservers views;
};

TEST_F(PaletteFileTest, ReadsLittleEndianEntriesAndIgnoresTrailingBytes)
{
    writeRaw(dir / "ten.pal", {0x10, 0x20, 0x30, 0x00, 0xFF, 0x80, 0x01, 0x00, 0xAB, 0xCD});
    ASSERT_TRUE(palette.loadFile(dir / "ten.pal"));
    EXPECT_EQ(entries(), (std::vector<ColorValue>{makeColor(0x10, 0x20, 0x30), makeColor(0xFF, 0x80, 0x01)}));
    EXPECT_FALSE(palette.isLinked());
    EXPECT_EQ(views.log,
              (Log{"window: relayout", "canvas: all", "preview: all", "colour: refresh", "window: select 0"}));
}

TEST_F(PaletteFileTest, KeepsTheTopByteAsRead)
{
    writeRaw(dir / "top.pal", {1, 2, 3, 0x9C});
    ASSERT_TRUE(palette.loadFile(dir / "top.pal"));
    ASSERT_EQ(palette.length(), 1);
    EXPECT_EQ(palette.entry(0), 0x9C030201u);
}

TEST_F(PaletteFileTest, AnEmptyFileIsAnEmptyPalette)
{
    palette.replace(std::vector<ColorValue>{1, 2, 3});
    views.log.clear();
    writeRaw(dir / "empty.pal", {});
    ASSERT_TRUE(palette.loadFile(dir / "empty.pal"));
    EXPECT_EQ(palette.length(), 0);
    EXPECT_EQ(views.log.back(), "window: select -1");
}

TEST_F(PaletteFileTest, ALinkedPaletteKeepsItsLength)
{
    IconImage icon;
    ASSERT_TRUE(icon.create(1, 1, 4));
    icon.setStandardPalette();
    ASSERT_TRUE(palette.takeFromIcon(icon));
    const std::vector<ColorValue> before = entries();

    std::vector<std::uint8_t> four;
    for (std::uint8_t i = 0; i < 16; ++i)
        four.push_back(static_cast<std::uint8_t>(200 + i));
    writeRaw(dir / "four.pal", four);
    ASSERT_TRUE(palette.loadFile(dir / "four.pal"));
    EXPECT_TRUE(palette.isLinked());
    ASSERT_EQ(palette.length(), 16);
    EXPECT_EQ(palette.entry(0), 0xCBCAC9C8u);
    EXPECT_EQ(palette.entry(3), 0xD7D6D5D4u);
    for (std::int32_t i = 4; i < 16; ++i)
        EXPECT_EQ(palette.entry(i), before[static_cast<std::size_t>(i)]) << i;

    std::vector<std::uint8_t> twenty(4 * 20, 0x11);
    writeRaw(dir / "twenty.pal", twenty);
    ASSERT_TRUE(palette.loadFile(dir / "twenty.pal"));
    EXPECT_EQ(palette.length(), 16);
    EXPECT_EQ(palette.entry(15), 0x11111111u);
}

TEST_F(PaletteFileTest, SaveThenLoadGivesTheSameEntriesAndBytes)
{
    const std::vector<ColorValue> colours{makeColor(1, 2, 3), 0x7F00FF00, makeColor(255, 255, 255)};
    palette.replace(colours);
    ASSERT_TRUE(palette.saveFile(dir / "round.pal"));
    const auto bytes = readFileBytes(dir / "round.pal");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, (std::vector<std::uint8_t>{1, 2, 3, 0, 0x00, 0xFF, 0x00, 0x7F, 255, 255, 255, 0}));
    Palette other;
    ASSERT_TRUE(other.loadFile(dir / "round.pal"));
    std::vector<ColorValue> back;
    ASSERT_TRUE(other.copyTo(back));
    EXPECT_EQ(back, colours);
}

TEST_F(PaletteFileTest, SavingAnEmptyPaletteIsRefusedAndLeavesTheFile)
{
    writeRaw(dir / "default.pal", {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_FALSE(palette.saveFile(dir / "default.pal"));
    EXPECT_EQ(*readFileBytes(dir / "default.pal"), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(PaletteFileTest, SavingReplacesALongerFileWholeAndLeavesNoTemporaryFile)
{
    writeRaw(dir / "default.pal", std::vector<std::uint8_t>(4000, 0xEE));
    palette.replace(std::vector<ColorValue>{makeColor(4, 5, 6)});
    ASSERT_TRUE(palette.saveFile(dir / "default.pal"));
    EXPECT_EQ(*readFileBytes(dir / "default.pal"), (std::vector<std::uint8_t>{4, 5, 6, 0}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(PaletteFileTest, AFailedSaveReportsFailure)
{
    palette.replace(std::vector<ColorValue>{1});
    EXPECT_FALSE(palette.saveFile(dir / "missing" / "default.pal"));
    fs::create_directory(dir / "taken.pal");
    EXPECT_FALSE(palette.saveFile(dir / "taken.pal"));
    EXPECT_TRUE(fs::is_directory(dir / "taken.pal"));
}

TEST_F(PaletteFileTest, AMissingFileChangesNothing)
{
    palette.replace(std::vector<ColorValue>{1, 2});
    views.log.clear();
    EXPECT_FALSE(palette.loadFile(dir / "nothing.pal"));
    EXPECT_EQ(entries(), (std::vector<ColorValue>{1, 2}));
    EXPECT_TRUE(views.log.empty());
}

TEST_F(PaletteFileTest, TakesTheLargestPaletteAndRefusesAnythingBigger)
{
    std::vector<std::uint8_t> largest(Palette::kMaxFileBytes, 0x42);
    writeRaw(dir / "largest.pal", largest);
    ASSERT_TRUE(palette.loadFile(dir / "largest.pal"));
    EXPECT_EQ(palette.length(), Palette::kMaxLength);

    palette.replace(std::vector<ColorValue>{7});
    views.log.clear();
    largest.push_back(0);
    writeRaw(dir / "larger.pal", largest);
    EXPECT_FALSE(palette.loadFile(dir / "larger.pal"));
    EXPECT_FALSE(palette.loadBytes(largest));
    EXPECT_EQ(entries(), (std::vector<ColorValue>{7}));
    EXPECT_TRUE(views.log.empty());
}

} // namespace
} // namespace tessaly
