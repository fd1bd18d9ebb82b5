// Icons made by other programs (see tests/data/ico/make_samples.sh), read on
// every platform and compared with the pixels those programs expect.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/ico_reader.h"
#include "formats/ico_writer.h"
#include "support/icon_samples.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

struct Expected {
    std::int32_t width;
    std::int32_t height;
    std::int32_t bitCount;
    std::int32_t entry; // directory index, which names the file of expected pixels
};

struct Sample {
    const char* name;
    std::vector<Expected> images;
};

const std::vector<Sample>& samples()
{
    static const std::vector<Sample> all = {
        // The 256-pixel image is PNG-compressed.
        {"imagemagick_32bit", {{16, 16, 32, 0}, {32, 32, 32, 1}, {48, 48, 32, 2}, {256, 256, 32, 3}}},
        {"imagemagick_palette", {{16, 16, 4, 0}, {32, 32, 8, 1}}},
        {"icotool_mixed", {{16, 16, 1, 0}, {16, 16, 4, 1}, {32, 32, 8, 2}, {32, 32, 24, 3}, {64, 64, 32, 4}}},
        {"pillow_bmp32", {{32, 32, 32, 0}}},  // no mask rows
        {"pillow_palette", {{16, 16, 8, 0}}}, // 5 colours, unpadded mask rows
        {"pillow_png", {{16, 16, 32, 0}, {32, 32, 32, 1}}}, // every entry PNG-compressed
    };
    return all;
}

fs::path sampleDir()
{
    return fs::path(TESSALY_TEST_DATA_DIR) / "ico";
}

TEST(IcoSampleFiles, ReadWithTheSizesBitCountsAndPixelsTheirMakersExpect)
{
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.name);
        IcoReader reader;
        IconImageList images;
        ASSERT_TRUE(reader.readFile(sampleDir() / (std::string(sample.name) + ".ico"), images));
        ASSERT_EQ(images.size(), sample.images.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            const Expected& expected = sample.images[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(images[i]->width(), expected.width);
            EXPECT_EQ(images[i]->height(), expected.height);
            EXPECT_EQ(images[i]->bitCount(), expected.bitCount);
            const auto pixels = test::fileContents(
                sampleDir() / (std::string(sample.name) + "." + std::to_string(expected.entry) + ".rgba"));
            ASSERT_FALSE(pixels.empty());
            EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*images[i]), pixels, expected.width));
        }
    }
}

TEST(IcoSampleFiles, SurviveBeingWrittenAndReadAgain)
{
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.name);
        IconImageList images;
        ASSERT_TRUE(IcoReader().readFile(sampleDir() / (std::string(sample.name) + ".ico"), images));
        std::vector<const IconImage*> list;
        for (const auto& image : images)
            list.push_back(image.get());
        std::vector<std::uint8_t> file;
        ASSERT_TRUE(IcoWriter().encode(list, file));
        IconImageList back;
        ASSERT_TRUE(IcoReader().read(file, back));
        ASSERT_EQ(back.size(), images.size());
        for (std::size_t i = 0; i < images.size(); ++i)
            EXPECT_TRUE(test::sameImage(*back[i], *images[i]));
    }
}

} // namespace
} // namespace tessaly
