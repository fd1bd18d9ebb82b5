// The PNG encoder's framing; that other programs decode its files to the
// same pixels is checked against Pillow in the peer tests.

#include <gtest/gtest.h>

#include "formats/png_encoder.h"
#include "image/byte_reader.h"

namespace tessaly {
namespace {

TEST(PngEncoder, SplitsLargePicturesIntoStoredBlocksThatCoverEveryRow)
{
    // 200 x 100 pixels: 100 rows of 801 bytes, more than one stored block holds.
    std::vector<std::uint8_t> rgba(200 * 100 * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i)
        rgba[i] = static_cast<std::uint8_t>(i * 7);
    const std::vector<std::uint8_t> png = PngEncoder::encodeRgba(200, 100, rgba);
    ByteReader in(png);
    in.skip(8);
    EXPECT_EQ(in.u32be(), 13u);
    EXPECT_EQ(in.u32be(), 0x49484452u); // IHDR
    EXPECT_EQ(in.u32be(), 200u);
    EXPECT_EQ(in.u32be(), 100u);
    in.skip(5 + 4);
    const std::uint32_t idatLength = in.u32be();
    EXPECT_EQ(in.u32be(), 0x49444154u); // IDAT
    in.skip(2);
    std::size_t stored = 0;
    bool last = false;
    while (!last && in.ok()) {
        last = (in.u8() & 1) != 0;
        const std::uint16_t length = in.u16le();
        EXPECT_EQ(static_cast<std::uint16_t>(~in.u16le()), length);
        in.skip(length);
        stored += length;
    }
    EXPECT_EQ(stored, 100u * 801u);
    in.skip(4 + 4); // Adler-32, CRC
    EXPECT_EQ(idatLength, 2 + stored + 5 * ((stored + 65534) / 65535) + 4);
    EXPECT_EQ(in.u32be(), 0u);
    EXPECT_EQ(in.u32be(), 0x49454E44u); // IEND
    EXPECT_EQ(in.u32be(), 0xAE426082u); // the CRC every empty IEND chunk has
    EXPECT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(PngEncoder, RefusesSizesThatDoNotMatchThePixels)
{
    const std::vector<std::uint8_t> rgba(16);
    EXPECT_TRUE(PngEncoder::encodeRgba(0, 4, rgba).empty());
    EXPECT_TRUE(PngEncoder::encodeRgba(2, 3, rgba).empty());
    EXPECT_FALSE(PngEncoder::encodeRgba(2, 2, rgba).empty());
}

} // namespace
} // namespace tessaly
