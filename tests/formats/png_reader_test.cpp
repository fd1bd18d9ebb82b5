#include "formats/png_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/built_in_icon_file_formats.h"
#include "image/icon_collection.h"
#include "support/icon_samples.h"
#include "support/png_file_builder.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::PngFileBuilder;

// A 16 x 16 truecolour picture whose every pixel differs, as unfiltered scanlines.
Bytes rgbScanlines(std::uint32_t width, std::uint32_t height, std::uint8_t filter = 0)
{
    Bytes rows;
    for (std::uint32_t y = 0; y < height; ++y) {
        rows.push_back(filter);
        for (std::uint32_t x = 0; x < width; ++x)
            rows.insert(rows.end(), {static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(y * 16),
                                     static_cast<std::uint8_t>(x ^ y)});
    }
    return rows;
}

std::unique_ptr<IconImage> import(const Bytes& file)
{
    PngReader reader;
    if (!reader.read(file))
        return nullptr;
    return PngReader::fromPng(reader);
}

bool allOpaque(const IconImage& image)
{
    return std::all_of(image.maskData().begin(), image.maskData().end(), [](std::uint8_t b) { return b == 0; });
}

TEST(PngReader, ImportsTruecolourAsFullColourWithTheLastScanlineStoredFirst)
{
    const Bytes file = PngFileBuilder().header(16, 16, 8, 2).imageData(rgbScanlines(16, 16)).end().bytes();
    const auto image = import(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bitCount(), 24);
    EXPECT_EQ(image->getPixel(0, 3), makeColor(48, 0, 3));
    EXPECT_EQ(image->getPixel(15, 2), makeColor(32, 240, 13));
    // The stored first row is the picture's bottom row: blue, green, red.
    EXPECT_EQ(image->pixelData()[0], 15);
    EXPECT_EQ(image->pixelData()[1], 240);
    EXPECT_TRUE(allOpaque(*image));

    // Split over IDAT chunks of 7 bytes, with a wrong CRC and a tRNS chunk:
    // the same image.
    Bytes split = PngFileBuilder()
                      .header(16, 16, 8, 2)
                      .chunk("tRNS", {0, 0, 0, 240, 0, 15})
                      .imageData(rgbScanlines(16, 16), 7)
                      .end()
                      .bytes();
    split[29] ^= 0xFF; // IHDR's CRC
    const auto again = import(split);
    ASSERT_TRUE(again);
    EXPECT_TRUE(test::sameImage(*again, *image));
}

TEST(PngReader, ImportsPaletteImagesOfEveryDepthWithTheirPalette)
{
    const Bytes palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    // 5 x 2 pixels of indices 0 1 2 0 1 / 2 0 1 2 0 at each depth.
    auto scanlines = [](std::uint8_t depth) {
        Bytes rows;
        for (int y = 0; y < 2; ++y) {
            rows.push_back(0);
            std::vector<int> bits;
            for (int x = 0; x < 5; ++x)
                for (int b = depth - 1; b >= 0; --b)
                    bits.push_back(((x + 2 * y) % 3 >> b) & 1);
            for (std::size_t i = 0; i < bits.size(); i += 8) {
                int byte = 0;
                for (std::size_t k = 0; k < 8; ++k)
                    byte = byte << 1 | (i + k < bits.size() ? bits[i + k] : 0);
                rows.push_back(static_cast<std::uint8_t>(byte));
            }
        }
        return rows;
    };
    for (const auto& [depth, bitCount] : {std::pair{2, 4}, std::pair{4, 4}, std::pair{8, 8}}) {
        SCOPED_TRACE(depth);
        const auto d = static_cast<std::uint8_t>(depth);
        const auto image =
            import(PngFileBuilder().header(5, 2, d, 3).chunk("PLTE", palette).imageData(scanlines(d)).end().bytes());
        ASSERT_TRUE(image);
        EXPECT_EQ(image->bitCount(), bitCount);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(image->getPixel(y, x), static_cast<std::uint32_t>((x + 2 * y) % 3)) << x << ',' << y;
        EXPECT_EQ(image->getPaletteColor(2), makeColor(0, 0, 255));
        EXPECT_EQ(image->getPaletteColor(3), makeColor(0, 0, 0)); // past the 3-entry PLTE: black
        EXPECT_TRUE(allOpaque(*image));
    }
    // Depth 1: monochrome, indices copied as they are.
    const auto mono = import(PngFileBuilder()
                                 .header(9, 1, 1, 3)
                                 .chunk("PLTE", palette)
                                 .imageData({0, 0b10110000, 0b10000000})
                                 .end()
                                 .bytes());
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->bitCount(), 1);
    EXPECT_EQ(mono->getPixel(0, 2), 1u);
    EXPECT_EQ(mono->getPixel(0, 1), 0u);
    EXPECT_EQ(mono->getPixel(0, 8), 1u);
}

TEST(PngReader, ImportRefusesKindsWithoutAnIconModeButReadsThem)
{
    const struct {
        std::uint8_t depth, colorType;
        std::size_t bytesPerPixel;
    } refused[] = {{8, 6, 4}, {8, 0, 1}, {16, 2, 6}, {8, 4, 2}};
    for (const auto& kind : refused) {
        SCOPED_TRACE(int(kind.colorType));
        Bytes rows;
        for (int y = 0; y < 4; ++y) {
            rows.push_back(0);
            rows.insert(rows.end(), 4 * kind.bytesPerPixel, 0x80);
        }
        PngReader reader;
        ASSERT_TRUE(
            reader.read(PngFileBuilder().header(4, 4, kind.depth, kind.colorType).imageData(rows).end().bytes()));
        EXPECT_FALSE(PngReader::fromPng(reader));
    }
    EXPECT_FALSE(PngReader::fromPng(PngReader())); // nothing read
}

TEST(PngReader, ImportKeepsARowOfUnknownFilterTypeThatTheIconEntriesRefuse)
{
    Bytes rows = rgbScanlines(4, 3);
    rows[rows.size() / 3] = 7; // the second row's filter byte
    const Bytes file = PngFileBuilder().header(4, 3, 8, 2).imageData(rows).end().bytes();
    const auto image = import(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getPixel(1, 2), makeColor(32, 16, 3)); // the bytes as stored
    PngReader reader;
    IconImage entry;
    EXPECT_FALSE(reader.decodeToIconImage(file, entry));
    EXPECT_EQ(reader.problem(), PngReadProblem::UnknownFilterType);
}

TEST(PngReader, PaethTiesGoToTheByteAboveBeforeTheUpperLeft)
{
    // Second row, second pixel: left 0, above 3, upper left 1 -> estimate 2,
    // equally far from above and upper left: above wins, 0 + 3 = 3.
    const Bytes file = PngFileBuilder().header(2, 2, 8, 0).imageData({0, 1, 3, 4, 255, 0}).end().bytes();
    PngReader reader;
    ASSERT_TRUE(reader.read(file));
    EXPECT_EQ(reader.scanlines()[4], 0);
    EXPECT_EQ(reader.scanlines()[5], 3);
}

TEST(PngReader, ReadsUpToTheLastWholeChunkWhenIendIsMissing)
{
    const Bytes withoutEnd = PngFileBuilder().header(4, 4, 8, 2).imageData(rgbScanlines(4, 4)).bytes();
    ASSERT_TRUE(import(withoutEnd));
    Bytes cutChunk = withoutEnd;
    cutChunk.insert(cutChunk.end(), {0, 0, 0, 50, 't', 'E', 'X', 't', 'a'}); // a chunk cut short
    EXPECT_TRUE(import(cutChunk));
    // Cut inside the only IDAT: nothing to decode.
    PngReader reader;
    EXPECT_FALSE(reader.read(std::span(withoutEnd).first(withoutEnd.size() - 5)));
    EXPECT_EQ(reader.problem(), PngReadProblem::MoreDataThanPossible);
}

TEST(PngReader, RefusesAPictureWithoutRows)
{
    // Its image data inflates to the 0 bytes expected; it still makes no icon.
    const Bytes file = PngFileBuilder().header(4, 0, 8, 2).imageData({}).end().bytes();
    PngReader reader;
    EXPECT_FALSE(reader.read(file));
    EXPECT_EQ(reader.problem(), PngReadProblem::ImpossibleSize);
    EXPECT_FALSE(PngReader::fromPng(reader));
}

TEST(PngReader, ImportFailsAnInterlacedFileThatTheIconEntriesDecode)
{
    const fs::path file = fs::path(TESSALY_TEST_DATA_DIR) / "png" / "im_rgb8_interlaced.png";
    PngReader reader;
    EXPECT_FALSE(reader.read(file));
    EXPECT_EQ(reader.problem(), PngReadProblem::DataDamaged);
    IconImage image;
    EXPECT_TRUE(reader.decodeToIconImage(test::fileContents(file), image));
}

struct MalformedCase {
    const char* file;
    PngReadProblem problem;
};

TEST(PngReader, RefusesEveryMalformedFileCleanly)
{
    const MalformedCase cases[] = {
        {"png_truncated.png", PngReadProblem::MoreDataThanPossible},
        {"png_chunk_past_end.png", PngReadProblem::MoreDataThanPossible},
        {"png_4gb_header.png", PngReadProblem::ImpossibleSize},
        {"png_more_pixels_than_data.png", PngReadProblem::MoreDataThanPossible},
        {"png_bad_filter.png", PngReadProblem::UnknownFilterType},
        {"png_bad_zlib.png", PngReadProblem::DataDamaged},
        {"png_zero_width.png", PngReadProblem::ImpossibleSize},
        {"png_short_header.png", PngReadProblem::NoHeader},
    };
    for (const MalformedCase& c : cases) {
        const auto path = fs::path(TESSALY_TEST_DATA_DIR) / "malformed" / c.file;
        const Bytes bytes = test::fileContents(path);
        ASSERT_FALSE(bytes.empty()) << path;
        PngReader reader;
        IconImage image;
        EXPECT_FALSE(reader.decodeToIconImage(bytes, image)) << c.file;
        EXPECT_EQ(reader.problem(), c.problem) << c.file;
        EXPECT_EQ(image.width(), 0) << c.file;
        // The import refuses them too, except the unknown filter type it keeps.
        EXPECT_EQ(reader.read(bytes), c.problem == PngReadProblem::UnknownFilterType) << c.file;
    }
    PngReader reader;
    EXPECT_FALSE(reader.read(fs::path(TESSALY_TEST_DATA_DIR) / "no-such-file.png"));
    EXPECT_EQ(reader.problem(), PngReadProblem::FileUnreadable);
    EXPECT_FALSE(reader.read(Bytes{0x89, 'P', 'N', 'G'}));
    EXPECT_EQ(reader.problem(), PngReadProblem::NotAPng);
}

// Files made by ImageMagick and Pillow (tests/data/png/make_samples.sh) of
// every colour type, depth and interlacing, against ImageMagick's reading.
TEST(PngSampleFiles, DecodeForIconEntriesToThePixelsTheirMakersRead)
{
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TESSALY_TEST_DATA_DIR) / "png")) {
        if (entry.path().extension() != ".png")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        PngReader reader;
        IconImage image;
        ASSERT_TRUE(reader.decodeToIconImage(test::fileContents(entry.path()), image));
        EXPECT_EQ(image.bitCount(), 32);
        const Bytes expected = test::fileContents(fs::path(entry.path()).replace_extension(".rgba"));
        EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(image), expected, image.width()));
        for (std::int32_t y = 0; y < image.height(); ++y)
            for (std::int32_t x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.getMask(y, x), alphaOf(image.getPixel(y, x)) == 0) << x << ',' << y;
        ++files;
    }
    EXPECT_GE(files, 30);
}

TEST(PngSampleFiles, ImportTheOpaqueColoursOfTruecolourAndPaletteFiles)
{
    const std::vector<std::pair<std::string, int>> accepted = {
        {"im_rgb8", 24},    {"pillow_rgb8", 24},         {"pillow_rgb8_trns", 24}, {"im_palette1", 1},
        {"im_palette2", 4}, {"pillow_palette2_trns", 4}, {"im_palette4", 4},       {"pillow_palette4", 4},
        {"im_palette8", 8}, {"im_palette8_trns", 8}};
    for (const auto& [name, bitCount] : accepted) {
        SCOPED_TRACE(name);
        PngReader reader;
        ASSERT_TRUE(reader.read(fs::path(TESSALY_TEST_DATA_DIR) / "png" / (name + ".png")));
        const auto image = PngReader::fromPng(reader);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->bitCount(), bitCount);
        EXPECT_TRUE(allOpaque(*image));
        // The colours are the file's, also under pixels its tRNS hides.
        IconImage full;
        ASSERT_TRUE(reader.decodeToIconImage(
            test::fileContents(fs::path(TESSALY_TEST_DATA_DIR) / "png" / (name + ".png")), full));
        for (std::int32_t y = 0; y < image->height(); ++y) {
            for (std::int32_t x = 0; x < image->width(); ++x) {
                const auto ours = test::rgbaOf(*image);
                const auto theirs = test::rgbaOf(full);
                const std::size_t at = 4 * static_cast<std::size_t>(y * image->width() + x);
                ASSERT_TRUE(std::equal(&ours[at], &ours[at + 3], &theirs[at])) << x << ',' << y;
            }
        }
    }
    for (const char* refused : {"im_grey8", "im_rgba8", "im_rgb16", "im_greyalpha8", "im_palette8_interlaced"}) {
        PngReader reader;
        const bool read = reader.read(fs::path(TESSALY_TEST_DATA_DIR) / "png" / (std::string(refused) + ".png"));
        EXPECT_FALSE(read && PngReader::fromPng(reader)) << refused;
    }
}

} // namespace
} // namespace tessaly

namespace tessaly {
namespace {

TEST(PngImport, ReplacesTheCollectionWithTheOneImageAndKeepsItOnARefusal)
{
    IconCollection collection{builtInIconFileFormats()};
    ASSERT_TRUE(collection.addCopy(test::patternedImage(16, 16, 4, 1)));
    ASSERT_TRUE(collection.addCopy(test::patternedImage(32, 32, 8, 2)));
    const fs::path data = fs::path(TESSALY_TEST_DATA_DIR);
    ASSERT_TRUE(collection.open(data / "png" / "im_palette4.png"));
    ASSERT_EQ(collection.count(), 1);
    EXPECT_EQ(collection.get(0)->width(), 13);
    EXPECT_EQ(collection.get(0)->bitCount(), 4);
    for (const fs::path& refused :
         {data / "png" / "im_rgba8.png", data / "malformed" / "png_truncated.png", data / "png" / "no-such-file.png"}) {
        EXPECT_FALSE(collection.open(refused)) << refused;
        ASSERT_EQ(collection.count(), 1) << refused;
        EXPECT_EQ(collection.get(0)->bitCount(), 4);
    }
}

} // namespace
} // namespace tessaly
