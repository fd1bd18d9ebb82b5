#include "image/icon_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/byte_writer.h"

namespace tessaly {
namespace {

IconImage created(int width, int height, int bitCount)
{
    IconImage image;
    EXPECT_TRUE(image.create(width, height, bitCount));
    return image;
}

// The stored row of picture row y: rows are kept bottom-up.
const std::uint8_t* storedPixelRow(const IconImage& image, int y)
{
    return image.pixelData().data() + (image.height() - 1 - y) * image.pixelStride();
}

TEST(IconImage, CreateColor16SizesStridesAndBuffers)
{
    IconImage image = created(16, 16, 4);
    EXPECT_EQ(image.pixelStride(), 8);
    EXPECT_EQ(image.maskStride(), 4);
    EXPECT_EQ(image.colorCount(), 16);
    EXPECT_EQ(image.paletteBytes(), 64);
    EXPECT_EQ(image.pixelBytes(), 128);
    EXPECT_EQ(image.maskBytes(), 64);
    EXPECT_EQ(image.dataBytes(), 256);
    EXPECT_TRUE(image.hasPalette());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_TRUE(image.getMask(y, x));
            EXPECT_EQ(image.getPixel(y, x), 0u);
        }
    }
    for (std::uint8_t b : image.maskData())
        EXPECT_EQ(b, 0xFF);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image.getPaletteColor(i), 0u);
}

TEST(IconImage, StridesRoundUpToFourBytes)
{
    EXPECT_EQ(created(1, 1, 1).pixelStride(), 4);
    EXPECT_EQ(created(1, 1, 1).maskStride(), 4);
    EXPECT_EQ(created(32, 32, 24).pixelStride(), 96);
    EXPECT_EQ(created(31, 31, 24).pixelStride(), 96);
    EXPECT_EQ(created(33, 1, 1).pixelStride(), 8);
    EXPECT_EQ(created(33, 1, 1).maskStride(), 8);
    EXPECT_EQ(created(9, 1, 4).pixelStride(), 8);
    EXPECT_EQ(created(5, 1, 8).pixelStride(), 8);
    EXPECT_EQ(created(3, 1, 32).pixelStride(), 12);
    EXPECT_EQ(created(256, 256, 32).pixelBytes(), 256 * 1024);
}

TEST(IconImage, ColorCountFollowsBitCount)
{
    EXPECT_EQ(created(2, 2, 1).colorCount(), 2);
    EXPECT_EQ(created(2, 2, 8).colorCount(), 256);
    EXPECT_EQ(created(2, 2, 24).colorCount(), 0);
    EXPECT_FALSE(created(2, 2, 32).hasPalette());
    EXPECT_EQ(created(2, 2, 32).paletteBytes(), 0);
}

TEST(IconImage, CreateRefusesBitCountsIconsCannotHave)
{
    IconImage image;
    for (int bits : {0, 2, 3, 16, 31, 64, -1})
        EXPECT_FALSE(image.create(4, 4, bits)) << bits;
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.pixelBytes(), 0);
}

TEST(IconImage, CreateRefusesNegativeAndOversizedSides)
{
    IconImage image;
    EXPECT_FALSE(image.create(-1, 4, 32));
    EXPECT_FALSE(image.create(4, -4, 32));
    EXPECT_FALSE(image.create(IconImage::kMaxSide + 1, 1, 1));
    EXPECT_FALSE(image.create(IconImage::kMaxSide, IconImage::kMaxSide, 32)); // 1 GiB of pixels
    EXPECT_TRUE(image.create(0, 0, 32));
    EXPECT_EQ(image.dataBytes(), 0);
}

TEST(IconImage, MonochromePixelZeroIsTheTopBitOfTheLastStoredRow)
{
    IconImage image = created(8, 3, 1);
    image.setPixel(0, 0, 1);
    const std::size_t lastRow = 2 * static_cast<std::size_t>(image.pixelStride());
    EXPECT_EQ(image.pixelData()[lastRow], 0x80);
    for (std::size_t i = 0; i < image.pixelData().size(); ++i) {
        if (i != lastRow) {
            EXPECT_EQ(image.pixelData()[i], 0) << i;
        }
    }
    EXPECT_EQ(image.getPixel(0, 0), 1u);
}

TEST(IconImage, PackedPixelsLeaveTheirNeighboursAlone)
{
    IconImage image = created(8, 2, 4);
    image.setPixel(1, 0, 0xA);
    image.setPixel(1, 1, 0x5);
    image.setPixel(1, 3, 0x1F); // masked to 15
    EXPECT_EQ(storedPixelRow(image, 1)[0], 0xA5);
    EXPECT_EQ(storedPixelRow(image, 1)[1], 0x0F);
    EXPECT_EQ(image.getPixel(1, 0), 0xAu);
    EXPECT_EQ(image.getPixel(1, 1), 0x5u);
    EXPECT_EQ(image.getPixel(1, 2), 0u);
    EXPECT_EQ(image.getPixel(1, 3), 0xFu);
    image.setPixel(1, 0, 0);
    EXPECT_EQ(storedPixelRow(image, 1)[0], 0x05);

    IconImage mono = created(10, 1, 1);
    mono.setPixel(0, 9, 3); // masked to 1
    EXPECT_EQ(mono.pixelData()[1], 0x40);
    EXPECT_EQ(mono.getPixel(0, 9), 1u);
    EXPECT_EQ(mono.getPixel(0, 8), 0u);
}

TEST(IconImage, EightBitPixelsAreOneBytePerPixel)
{
    IconImage image = created(5, 2, 8);
    image.setPixel(0, 4, 0x1C8);
    EXPECT_EQ(storedPixelRow(image, 0)[4], 0xC8);
    EXPECT_EQ(image.getPixel(0, 4), 0xC8u);
}

TEST(IconImage, ThirtyTwoBitPixelsStoreBlueGreenRedAlpha)
{
    IconImage image = created(2, 2, 32);
    const ColorValue c = makeColor(0, 0, 255, 128);
    image.setPixel(0, 1, c);
    const std::uint8_t* p = storedPixelRow(image, 0) + 4;
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[2], 0);
    EXPECT_EQ(p[3], 128);
    EXPECT_EQ(image.getPixel(0, 1), c);
}

TEST(IconImage, TwentyFourBitPixelsDropAlpha)
{
    IconImage image = created(2, 2, 24);
    image.setPixel(1, 1, makeColor(0x11, 0x22, 0x33, 128));
    const std::uint8_t* p = storedPixelRow(image, 1) + 3;
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(image.getPixel(1, 1), makeColor(0x11, 0x22, 0x33, 0));
}

TEST(IconImage, MaskBitsAreMostSignificantFirstAndBottomUp)
{
    IconImage image = created(12, 2, 32);
    image.setMask(0, 9, false);
    const std::size_t stored = static_cast<std::size_t>(image.maskStride()) + 1; // row y 0 is stored last
    EXPECT_EQ(image.maskData()[stored], 0xBF);
    EXPECT_FALSE(image.getMask(0, 9));
    EXPECT_TRUE(image.getMask(0, 8));
    EXPECT_TRUE(image.getMask(1, 9));
    image.setMask(0, 9, true);
    EXPECT_EQ(image.maskData()[stored], 0xFF);
}

TEST(IconImage, PaletteEntriesAreBlueGreenRedZero)
{
    IconImage image = created(1, 1, 8);
    image.setPaletteColor(3, makeColor(10, 20, 30, 200));
    EXPECT_EQ(image.getPaletteColor(3), makeColor(10, 20, 30, 0));
    const std::uint8_t* entry = image.paletteData().data() + 12;
    EXPECT_EQ(entry[0], 30);
    EXPECT_EQ(entry[1], 20);
    EXPECT_EQ(entry[2], 10);
    EXPECT_EQ(entry[3], 0);
}

TEST(IconImage, StandardPalettesByBitCount)
{
    IconImage mono = created(1, 1, 1);
    mono.setStandardPalette();
    EXPECT_EQ(mono.getPaletteColor(0), makeColor(0, 0, 0));
    EXPECT_EQ(mono.getPaletteColor(1), makeColor(255, 255, 255));

    IconImage sixteen = created(1, 1, 4);
    sixteen.setStandardPalette();
    EXPECT_EQ(sixteen.getPaletteColor(1), makeColor(128, 0, 0));
    EXPECT_EQ(sixteen.getPaletteColor(6), makeColor(0, 128, 128));
    EXPECT_EQ(sixteen.getPaletteColor(7), makeColor(192, 192, 192));
    EXPECT_EQ(sixteen.getPaletteColor(8), makeColor(128, 128, 128));
    EXPECT_EQ(sixteen.getPaletteColor(12), makeColor(0, 0, 255));
    EXPECT_EQ(sixteen.getPaletteColor(15), makeColor(255, 255, 255));

    IconImage full = created(1, 1, 24);
    full.setStandardPalette(); // nothing to fill, and nothing written out of bounds
    EXPECT_FALSE(full.hasPalette());
}

TEST(IconImage, WebSafePaletteFillsTheCubeAndKeepsTheRest)
{
    IconImage image = created(1, 1, 8);
    image.setPaletteColor(216, makeColor(1, 2, 3));
    image.setWebSafePalette();
    EXPECT_EQ(image.getPaletteColor(0), makeColor(0, 0, 0));
    EXPECT_EQ(image.getPaletteColor(1 * 36 + 2 * 6 + 3), makeColor(51, 102, 153));
    EXPECT_EQ(image.getPaletteColor(215), makeColor(255, 255, 255));
    EXPECT_EQ(image.getPaletteColor(216), makeColor(1, 2, 3));

    IconImage sixteen = created(1, 1, 4);
    sixteen.setWebSafePalette();
    EXPECT_EQ(sixteen.getPaletteColor(1), 0u);
}

TEST(IconImage, CopyFromIsDeepAndExact)
{
    IconImage source = created(9, 7, 4);
    source.setStandardPalette();
    source.setPixel(3, 4, 9);
    source.setMask(3, 4, false);
    IconImage copy;
    ASSERT_TRUE(copy.copyFrom(source));
    EXPECT_EQ(copy.width(), 9);
    EXPECT_EQ(copy.height(), 7);
    EXPECT_EQ(copy.bitCount(), 4);
    EXPECT_TRUE(std::equal(copy.paletteData().begin(), copy.paletteData().end(), source.paletteData().begin()));
    EXPECT_TRUE(std::equal(copy.pixelData().begin(), copy.pixelData().end(), source.pixelData().begin()));
    EXPECT_TRUE(std::equal(copy.maskData().begin(), copy.maskData().end(), source.maskData().begin()));

    copy.setPixel(3, 4, 2);
    copy.setMask(3, 4, true);
    copy.setPaletteColor(0, makeColor(1, 1, 1));
    EXPECT_EQ(source.getPixel(3, 4), 9u);
    EXPECT_FALSE(source.getMask(3, 4));
    EXPECT_EQ(source.getPaletteColor(0), 0u);
}

TEST(IconImage, StorageTravelsWithCopiesAndMovesAndNewPixelsAreBitmaps)
{
    IconImage source = created(4, 4, 32);
    EXPECT_EQ(source.storage(), ImageStorage::Bitmap);
    source.setStorage(ImageStorage::Png);
    source.setPixel(1, 1, makeColor(1, 2, 3, 4)); // changing pixels in place keeps it
    IconImage copy;
    ASSERT_TRUE(copy.copyFrom(source));
    EXPECT_EQ(copy.storage(), ImageStorage::Png);
    IconImage moved(std::move(copy));
    EXPECT_EQ(moved.storage(), ImageStorage::Png);
    EXPECT_EQ(copy.storage(), ImageStorage::Bitmap);

    // New pixels of any size are made here: a bitmap, as a conversion's result is.
    ASSERT_TRUE(moved.create(4, 4, 32));
    EXPECT_EQ(moved.storage(), ImageStorage::Bitmap);
    source.release();
    EXPECT_EQ(source.storage(), ImageStorage::Bitmap);
}

TEST(IconImage, ReleaseReturnsToTheEmptyRecord)
{
    IconImage image = created(4, 4, 8);
    image.release();
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.bitCount(), 0);
    EXPECT_EQ(image.colorCount(), 0);
    EXPECT_EQ(image.dataBytes(), 0);
    EXPECT_FALSE(image.hasPalette());
    EXPECT_TRUE(image.pixelData().empty());
}

TEST(IconImage, WriteDataThenReadDataTransfersTheThreeBlocks)
{
    IconImage source = created(3, 2, 1);
    source.setStandardPalette();
    source.setPixel(1, 2, 1);
    source.setMask(0, 0, false);
    ByteWriter out;
    source.writeData(out);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(source.dataBytes()));
    EXPECT_EQ(out.data()[4], 255); // entry 1 (white) follows entry 0

    IconImage target = created(3, 2, 1);
    ByteReader in(out.data());
    ASSERT_TRUE(target.readData(in));
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(target.getPixel(1, 2), 1u);
    EXPECT_FALSE(target.getMask(0, 0));
    EXPECT_EQ(target.getPaletteColor(1), makeColor(255, 255, 255));
}

TEST(IconImage, ReadDataFailsOnAShortInput)
{
    IconImage image = created(3, 2, 1);
    const std::vector<std::uint8_t> bytes(static_cast<std::size_t>(image.dataBytes()) - 1, 0);
    ByteReader in(bytes);
    EXPECT_FALSE(image.readData(in));
}

TEST(IconImage, LoadFromResourceSkipsTheHeaderAndNeedsTheWholeBlock)
{
    IconImage image = created(2, 1, 32);
    std::vector<std::uint8_t> block(40 + static_cast<std::size_t>(image.dataBytes()), 0xEE);
    block[40 + 4] = 0x11; // blue of pixel 1
    block[40 + 8] = 0x00; // first mask byte: both pixels opaque
    ASSERT_TRUE(image.loadFromResource(block));
    EXPECT_EQ(image.getPixel(0, 1), makeColor(0xEE, 0xEE, 0x11, 0xEE));
    EXPECT_FALSE(image.getMask(0, 0));

    block.pop_back();
    EXPECT_FALSE(image.loadFromResource(block));
}

} // namespace
} // namespace tessaly

namespace tessaly {
namespace {

TEST(IconImage, RevisionNamesContentAndChangesWhenTheImageIsMadeAnewOrMarked)
{
    IconImage a;
    ASSERT_TRUE(a.create(4, 4, 8));
    IconImage b;
    ASSERT_TRUE(b.copyFrom(a));
    EXPECT_NE(a.revision(), b.revision()) << "a copy is another image";
    const std::uint64_t before = a.revision();
    a.setPixel(0, 0, 3);
    EXPECT_EQ(a.revision(), before) << "pixel writes are the writer's to announce";
    a.markChanged();
    EXPECT_NE(a.revision(), before);
    const std::uint64_t marked = a.revision();
    IconImage moved(std::move(a));
    EXPECT_EQ(moved.revision(), marked) << "moving keeps the content's name";
    EXPECT_NE(a.revision(), marked);
    ASSERT_TRUE(moved.create(4, 4, 8));
    EXPECT_NE(moved.revision(), marked);
}

} // namespace
} // namespace tessaly
