#include "resources/program_icons.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "formats/ico_reader.h"
#include "image/file_bytes.h"

namespace tessaly {
namespace {

std::vector<std::uint8_t> drawn(std::int32_t id)
{
    std::vector<std::uint8_t> file;
    EXPECT_TRUE(ProgramIcons::encode(id, file)) << id;
    return file;
}

// The resource script compiles the files in the tree; they must be what the
// drawings give today (rebuild them with the tessaly_icons target).
TEST(ProgramIcons, FilesInTheTreeAreTheCurrentDrawings)
{
    for (const std::int32_t id : ProgramIcons::resourceIds()) {
        const std::filesystem::path path =
            std::filesystem::path(TESSALY_ICON_DIR) / std::string(ProgramIcons::fileName(id));
        const auto bytes = readFileBytes(path, 1 << 20);
        ASSERT_TRUE(bytes.has_value()) << path;
        EXPECT_TRUE(*bytes == drawn(id)) << path << " is out of date";
    }
    std::vector<std::uint8_t> none;
    EXPECT_FALSE(ProgramIcons::encode(104, none));
    EXPECT_TRUE(ProgramIcons::fileName(126).empty());
}

// Each tool icon is one 24 x 24 32-bit image, partly transparent and partly
// drawn, and no two tools look the same.
TEST(ProgramIcons, ToolIconsAreDistinctTwentyFourPixelPictures)
{
    std::set<std::vector<std::uint8_t>> pictures;
    for (const std::int32_t id : ProgramIcons::resourceIds()) {
        IconImageList images;
        IcoReader reader;
        ASSERT_TRUE(reader.read(drawn(id), images)) << id;
        if (id == ProgramIcons::kApplicationIcon) {
            ASSERT_EQ(images.size(), 4u);
            EXPECT_EQ(images.back()->width(), 48);
            continue;
        }
        ASSERT_EQ(images.size(), 1u) << id;
        const IconImage& icon = *images.front();
        EXPECT_EQ(icon.width(), 24);
        EXPECT_EQ(icon.height(), 24);
        EXPECT_EQ(icon.bitCount(), 32);
        int opaque = 0;
        for (std::int32_t y = 0; y < 24; ++y)
            for (std::int32_t x = 0; x < 24; ++x)
                opaque += icon.getMask(y, x) ? 0 : 1;
        EXPECT_GT(opaque, 24 * 24 / 16) << id;
        EXPECT_LT(opaque, 24 * 24) << id;
        const auto pixels = icon.pixelData();
        pictures.insert(std::vector<std::uint8_t>(pixels.begin(), pixels.end()));
    }
    EXPECT_EQ(pictures.size(), 16u);
}

} // namespace
} // namespace tessaly
