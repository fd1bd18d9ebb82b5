#include "formats/pam_encoder.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

std::string headerOf(const std::vector<std::uint8_t>& pam)
{
    const std::string text(pam.begin(), pam.end());
    return text.substr(0, text.find("ENDHDR\n") + 7);
}

TEST(PamEncoder, WritesAnRgbAlphaHeaderAndFourSamplesAPixelTopRowFirst)
{
    IconImage image;
    ASSERT_TRUE(image.create(3, 2, 24));
    image.setPixel(0, 0, makeColor(1, 2, 3));
    image.setPixel(1, 2, makeColor(200, 100, 50));
    image.setMask(0, 0, false);
    const auto pam = PamEncoder::encode(image);
    const std::string header = headerOf(pam);
    EXPECT_EQ(header, "P7\nWIDTH 3\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n");
    ASSERT_EQ(pam.size(), header.size() + 3 * 2 * 4);
    const std::uint8_t* samples = pam.data() + header.size();
    EXPECT_EQ(std::vector<std::uint8_t>(samples, samples + 4), (std::vector<std::uint8_t>{1, 2, 3, 255}));
    // Still transparent by the mask.
    EXPECT_EQ(std::vector<std::uint8_t>(samples + 20, samples + 24), (std::vector<std::uint8_t>{200, 100, 50, 0}));
}

TEST(PamEncoder, TakesPaletteImagesThroughTheirPalette)
{
    IconImage image;
    ASSERT_TRUE(image.create(2, 1, 4));
    image.setPaletteColor(5, makeColor(10, 20, 30, 99));
    image.setPixel(0, 1, 5);
    image.setMask(0, 1, false);
    EXPECT_EQ(PamEncoder::rgba(image, 0, 1), (std::array<std::uint8_t, 4>{10, 20, 30, 255}));
    EXPECT_EQ(PamEncoder::rgba(image, 0, 0), (std::array<std::uint8_t, 4>{0, 0, 0, 0}));
}

TEST(PamEncoder, UsesTheStoredAlphaOf32BitImagesWhateverTheMaskSays)
{
    IconImage image;
    ASSERT_TRUE(image.create(2, 1, 32));
    image.setPixel(0, 0, makeColor(1, 2, 3, 128));
    image.setMask(0, 0, true);
    image.setPixel(0, 1, makeColor(4, 5, 6, 0));
    image.setMask(0, 1, false);
    EXPECT_EQ(PamEncoder::rgba(image, 0, 0), (std::array<std::uint8_t, 4>{1, 2, 3, 128}));
    EXPECT_EQ(PamEncoder::rgba(image, 0, 1), (std::array<std::uint8_t, 4>{4, 5, 6, 0}));
}

} // namespace
} // namespace tessaly
