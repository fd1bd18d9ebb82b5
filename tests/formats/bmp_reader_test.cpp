// .bmp files built by hand: every bit count and row order, and the damaged
// files that must be refused without reading past their end.

#include <gtest/gtest.h>

#include "formats/bmp_reader.h"
#include "image/byte_writer.h"
#include "support/icon_samples.h"

namespace tessaly {
namespace {

struct BmpSpec {
    std::int32_t width = 3;
    std::int32_t height = 2; // negative: top-down
    std::uint16_t bitCount = 24;
    std::uint32_t colorsUsed = 0;
    std::uint32_t compression = 0;
    std::vector<ColorValue> table;
    std::vector<std::uint8_t> rows; // as stored
};

std::vector<std::uint8_t> buildBmp(const BmpSpec& spec, std::int64_t pixelOffsetChange = 0)
{
    ByteWriter out;
    const auto offset = static_cast<std::uint32_t>(14 + 40 + 4 * spec.table.size() + pixelOffsetChange);
    out.u8('B');
    out.u8('M');
    out.u32le(static_cast<std::uint32_t>(offset + spec.rows.size()));
    out.u32le(0);
    out.u32le(offset);
    out.u32le(40);
    out.i32le(spec.width);
    out.i32le(spec.height);
    out.u16le(1);
    out.u16le(spec.bitCount);
    out.u32le(spec.compression);
    out.u32le(static_cast<std::uint32_t>(spec.rows.size()));
    out.u32le(2835);
    out.u32le(2835);
    out.u32le(spec.colorsUsed);
    out.u32le(0);
    for (const ColorValue c : spec.table) {
        out.u8(blueOf(c));
        out.u8(greenOf(c));
        out.u8(redOf(c));
        out.u8(0);
    }
    out.bytes(spec.rows);
    return out.take();
}

struct Read {
    bool ok = false;
    IconImageList images;
    BmpReader reader;
};

std::unique_ptr<Read> readBmp(const std::vector<std::uint8_t>& file)
{
    auto read = std::make_unique<Read>();
    read->ok = read->reader.read(file, read->images);
    return read;
}

bool fullyOpaque(const IconImage& image)
{
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x)
            if (image.getMask(y, x))
                return false;
    return true;
}

TEST(BmpReader, ReadsBottomUpAndTopDownTwentyFourBitRowsTheRightWayUp)
{
    // Bottom row stored first: blue, green, red pixels; then white, black, grey.
    const std::vector<std::uint8_t> rows = {255, 0,   0,   0, 255, 0, 0,   0,   255, 0, 0, 0,
                                            255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0, 0};
    for (const bool topDown : {false, true}) {
        BmpSpec spec;
        spec.height = topDown ? -2 : 2;
        spec.rows = rows;
        const auto read = readBmp(buildBmp(spec));
        ASSERT_TRUE(read->ok);
        const IconImage& image = *read->images.at(0);
        EXPECT_EQ(image.bitCount(), 24);
        const std::int32_t blueRow = topDown ? 0 : 1;
        EXPECT_EQ(image.getPixel(blueRow, 0), makeColor(0, 0, 255));
        EXPECT_EQ(image.getPixel(blueRow, 2), makeColor(255, 0, 0));
        EXPECT_EQ(image.getPixel(1 - blueRow, 0), makeColor(255, 255, 255));
        EXPECT_EQ(image.getPixel(1 - blueRow, 2), makeColor(128, 128, 128));
        EXPECT_TRUE(fullyOpaque(image));
    }
}

TEST(BmpReader, ReadsPaletteBitmapsWithTheirColourTable)
{
    BmpSpec spec;
    spec.width = 9;
    spec.height = 1;
    spec.bitCount = 4;
    spec.colorsUsed = 3;
    spec.table = {makeColor(10, 20, 30), makeColor(40, 50, 60), makeColor(70, 80, 90)};
    spec.rows = {0x01, 0x20, 0x11, 0x22, 0x10, 0, 0, 0};
    const auto read = readBmp(buildBmp(spec));
    ASSERT_TRUE(read->ok);
    const IconImage& image = *read->images.at(0);
    EXPECT_EQ(image.bitCount(), 4);
    EXPECT_EQ(image.getPixel(0, 0), 0u);
    EXPECT_EQ(image.getPixel(0, 2), 2u);
    EXPECT_EQ(image.getPixel(0, 8), 1u);
    EXPECT_EQ(image.getPaletteColor(2), makeColor(70, 80, 90));
    EXPECT_EQ(image.getPaletteColor(3), makeColor(0, 0, 0));

    BmpSpec mono;
    mono.width = 10;
    mono.height = -1;
    mono.bitCount = 1;
    mono.table = {makeColor(0, 0, 0), makeColor(255, 255, 255)};
    mono.rows = {0b10100000, 0b01000000, 0, 0};
    const auto monoRead = readBmp(buildBmp(mono));
    ASSERT_TRUE(monoRead->ok);
    EXPECT_EQ(monoRead->images.at(0)->getPixel(0, 0), 1u);
    EXPECT_EQ(monoRead->images.at(0)->getPixel(0, 1), 0u);
    EXPECT_EQ(monoRead->images.at(0)->getPixel(0, 9), 1u);
    EXPECT_EQ(monoRead->images.at(0)->getPaletteColor(1), makeColor(255, 255, 255));
}

TEST(BmpReader, GivesThirtyTwoBitBitmapsFullAlphaWhateverTheirFourthByte)
{
    BmpSpec spec;
    spec.width = 2;
    spec.height = 1;
    spec.bitCount = 32;
    spec.rows = {1, 2, 3, 0, 4, 5, 6, 77};
    const auto read = readBmp(buildBmp(spec));
    ASSERT_TRUE(read->ok);
    EXPECT_EQ(read->images.at(0)->getPixel(0, 0), makeColor(3, 2, 1, 255));
    EXPECT_EQ(read->images.at(0)->getPixel(0, 1), makeColor(6, 5, 4, 255));
    EXPECT_TRUE(fullyOpaque(*read->images.at(0)));
}

TEST(BmpReader, RefusesWhatNoIconCanHoldOrTheFileDoesNotHold)
{
    BmpSpec good;
    good.rows.assign(24, 0x55);
    ASSERT_TRUE(readBmp(buildBmp(good))->ok);

    auto problemOf = [](const std::vector<std::uint8_t>& file) {
        const auto read = readBmp(file);
        EXPECT_FALSE(read->ok);
        EXPECT_TRUE(read->images.empty());
        return std::pair{read->reader.problem(), read->reader.dibProblem()};
    };
    using P = std::pair<BmpReadProblem, DibProblem>;
    auto file = buildBmp(good);
    file[1] = 'A';
    EXPECT_EQ(problemOf(file), (P{BmpReadProblem::NotABitmapFile, DibProblem::None}));
    EXPECT_EQ(problemOf({'B', 'M', 0, 0}), (P{BmpReadProblem::NotABitmapFile, DibProblem::None}));
    EXPECT_EQ(problemOf(buildBmp(good, 1000)), (P{BmpReadProblem::PixelOffsetOutside, DibProblem::None}));

    file = buildBmp(good);
    file.pop_back(); // one byte of pixel data short of what the header claims
    EXPECT_EQ(problemOf(file), (P{BmpReadProblem::BadBitmap, DibProblem::PixelsTruncated}));

    BmpSpec sixteen = good;
    sixteen.bitCount = 16;
    sixteen.rows.assign(16, 0);
    EXPECT_EQ(problemOf(buildBmp(sixteen)), (P{BmpReadProblem::BadBitmap, DibProblem::NotIconBitCount}));

    BmpSpec runLength = good;
    runLength.bitCount = 8;
    runLength.compression = 1;
    EXPECT_EQ(problemOf(buildBmp(runLength)), (P{BmpReadProblem::BadBitmap, DibProblem::UnsupportedCompression}));

    BmpSpec huge = good;
    huge.width = 100000;
    EXPECT_EQ(problemOf(buildBmp(huge)), (P{BmpReadProblem::BadBitmap, DibProblem::ImpossibleSize}));

    BmpSpec paletted = good;
    paletted.bitCount = 8;
    paletted.table = {makeColor(1, 2, 3)}; // the header announces all 256 entries
    EXPECT_EQ(problemOf(buildBmp(paletted)), (P{BmpReadProblem::BadBitmap, DibProblem::ColorTableTruncated}));

    file = buildBmp(good);
    file[14] = 12; // the 12-byte header of the oldest bitmaps
    EXPECT_EQ(problemOf(file), (P{BmpReadProblem::BadBitmap, DibProblem::HeaderTooSmall}));
}

} // namespace
} // namespace tessaly
