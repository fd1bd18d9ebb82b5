#include "formats/ico_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "formats/ico_writer.h"
#include "support/ico_file_builder.h"
#include "support/icon_samples.h"

namespace tessaly {
namespace {

using test::assembleIco;
using test::IcoPart;
using test::partFor;
using test::patternedImage;
using test::sameImage;

// A real 1 x 1 PNG (one red, opaque pixel), as an icon's compressed entry.
constexpr std::array<std::uint8_t, 70> kTinyPng = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1f, 0x15, 0xc4, 0x89, 0x00, 0x00, 0x00,
    0x0d, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0xf0, 0x1f, 0x00, 0x05, 0x00, 0x01, 0xff,
    0x89, 0x99, 0x3d, 0x1d, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

struct ReadResult {
    bool ok = false;
    IconImageList images;
    IcoReadProblem problem = IcoReadProblem::None;
};

ReadResult readBytes(std::span<const std::uint8_t> bytes)
{
    IcoReader reader;
    ReadResult result;
    result.ok = reader.read(bytes, result.images);
    result.problem = reader.problem();
    return result;
}

std::vector<std::uint8_t> encode(std::initializer_list<const IconImage*> images)
{
    std::vector<const IconImage*> list(images);
    std::vector<std::uint8_t> file;
    EXPECT_TRUE(IcoWriter().encode(list, file));
    return file;
}

TEST(IcoReader, ReadsBackEveryKindOfImageTheWriterWrote)
{
    const IconImage mono = patternedImage(16, 16, 1, 1);
    const IconImage color16 = patternedImage(32, 32, 4, 2);
    const IconImage color256 = patternedImage(48, 48, 8, 3);
    const IconImage full = patternedImage(31, 17, 24, 4);
    const IconImage alpha = patternedImage(256, 256, 32, 5);
    const auto result = readBytes(encode({&mono, &color16, &color256, &full, &alpha}));
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.problem, IcoReadProblem::None);
    ASSERT_EQ(result.images.size(), 5u);
    EXPECT_TRUE(sameImage(*result.images[0], mono));
    EXPECT_TRUE(sameImage(*result.images[1], color16));
    EXPECT_TRUE(sameImage(*result.images[2], color256));
    EXPECT_TRUE(sameImage(*result.images[3], full));
    EXPECT_TRUE(sameImage(*result.images[4], alpha));
}

TEST(IcoReader, ReadsEachImageAtTheOffsetItsEntryGives)
{
    const IconImage a = patternedImage(16, 16, 4, 1);
    const IconImage b = patternedImage(32, 32, 8, 2);
    const IconImage c = patternedImage(24, 24, 32, 3);
    // Stored in reverse order with gaps: reading on from the previous image
    // would give wrong pictures.
    const auto file = assembleIco({partFor(a), partFor(b), partFor(c)}, {2, 0, 1}, 13);
    const auto result = readBytes(file);
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 3u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
    EXPECT_TRUE(sameImage(*result.images[1], b));
    EXPECT_TRUE(sameImage(*result.images[2], c));
}

TEST(IcoReader, TwoEntriesMayShareOneImage)
{
    const IconImage a = patternedImage(16, 16, 4, 1);
    auto parts = std::vector<IcoPart>{partFor(a), partFor(a)};
    auto file = assembleIco(parts);
    // Point the second entry at the first image.
    file[6 + 16 + 12] = file[6 + 12];
    file[6 + 16 + 13] = file[6 + 13];
    const auto result = readBytes(file);
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 2u);
    EXPECT_TRUE(sameImage(*result.images[1], a));
}

TEST(IcoReader, StopsWhenEntriesSharingAnImageClaimMoreThanTheFileCanJustify)
{
    // One 256 x 256 image (about 73 KB) named by 2000 entries: read out in
    // full that would be 146 MB from a file of about 105 KB.
    const IconImage image = patternedImage(256, 256, 8, 3);
    constexpr std::uint16_t kEntries = 2000;
    IcoPart part = partFor(image);
    part.entry.imageOffset = static_cast<std::uint32_t>(6 + 16 * kEntries);
    ByteWriter out;
    out.u16le(0);
    out.u16le(1);
    out.u16le(kEntries);
    for (std::uint16_t i = 0; i < kEntries; ++i)
        part.entry.write(out);
    out.bytes(part.block);
    const std::vector<std::uint8_t> file = out.take();

    const auto result = readBytes(file);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.problem, IcoReadProblem::ImagesExceedFile);
    ASSERT_FALSE(result.images.empty());
    EXPECT_LT(result.images.size(), kEntries);
    std::uint64_t decoded = 0;
    for (const auto& read : result.images)
        decoded += static_cast<std::uint64_t>(read->dataBytes());
    EXPECT_LE(decoded, IcoReader::decodedBytesLimit(file.size()) + static_cast<std::uint64_t>(image.dataBytes()));
    EXPECT_TRUE(sameImage(*result.images.back(), image));
}

TEST(IcoReader, RefusesACursorFileAndAFileWithoutImages)
{
    const IconImage a = patternedImage(16, 16, 4);
    const auto cursor = readBytes(assembleIco({partFor(a)}, {}, 0, 2));
    EXPECT_FALSE(cursor.ok);
    EXPECT_EQ(cursor.problem, IcoReadProblem::NotAnIconFile);
    EXPECT_TRUE(cursor.images.empty());

    const auto empty = readBytes(assembleIco({}));
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.problem, IcoReadProblem::NoImages);
}

TEST(IcoReader, RefusesAFileShorterThanItsHeaderOrDirectory)
{
    const IconImage a = patternedImage(16, 16, 4);
    const auto file = assembleIco({partFor(a), partFor(a)});
    EXPECT_EQ(readBytes(std::span(file).first(5)).problem, IcoReadProblem::HeaderTruncated);
    EXPECT_EQ(readBytes(std::span(file).first(6 + 16 + 15)).problem, IcoReadProblem::DirectoryTruncated);
    EXPECT_EQ(readBytes({}).problem, IcoReadProblem::HeaderTruncated);
}

TEST(IcoReader, KeepsTheCompleteImagesWhenOneEntryIsDamaged)
{
    const IconImage a = patternedImage(16, 16, 4, 1);
    const IconImage b = patternedImage(32, 32, 32, 2);
    const IconImage c = patternedImage(16, 16, 8, 3);
    auto parts = std::vector<IcoPart>{partFor(a), partFor(b), partFor(c)};
    parts[1].block.resize(parts[1].block.size() / 2); // b loses half its rows
    parts[1].fixByteCount = false;
    parts[1].entry.bytesInImage = 40 + static_cast<std::uint32_t>(b.dataBytes());
    // Stored last, so that its rows run into the end of the file.
    const auto result = readBytes(assembleIco(parts, {0, 2, 1}));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.problem, IcoReadProblem::ImageDataPastEndOfFile);
    ASSERT_EQ(result.images.size(), 2u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
    EXPECT_TRUE(sameImage(*result.images[1], c));
}

TEST(IcoReader, RefusesAnEntryThatStartsInsideTheDirectoryOrPastTheEnd)
{
    const IconImage a = patternedImage(16, 16, 4);
    auto file = assembleIco({partFor(a)});
    file[6 + 12] = 21; // one byte before the image area
    EXPECT_EQ(readBytes(file).problem, IcoReadProblem::EntryOffsetInsideDirectory);
    file[6 + 12] = static_cast<std::uint8_t>(file.size());
    file[6 + 13] = static_cast<std::uint8_t>(file.size() >> 8);
    EXPECT_EQ(readBytes(file).problem, IcoReadProblem::EntryPastEndOfFile);
    file[6 + 15] = 0xFF; // an offset near 4 GB
    EXPECT_EQ(readBytes(file).problem, IcoReadProblem::EntryPastEndOfFile);
}

TEST(IcoReader, RefusesABitmapHeaderCutShort)
{
    const IconImage a = patternedImage(16, 16, 4);
    const auto file = assembleIco({partFor(a)});
    const auto result = readBytes(std::span(file).first(22 + 39));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.problem, IcoReadProblem::EntryPastEndOfFile);
}

TEST(IcoReader, HonoursABitmapHeaderLongerThan40Bytes)
{
    const IconImage a = patternedImage(20, 20, 32, 1);
    IcoPart part = partFor(a);
    BitmapInfoHeader header = test::infoHeaderFor(a);
    header.size = 124; // the fifth version of the header
    part.block = test::bitmapBlock(header, test::imageData(a));
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
}

TEST(IcoReader, RefusesImpossibleBitmapHeaders)
{
    const IconImage a = patternedImage(16, 16, 8);
    const std::vector<std::pair<std::function<void(BitmapInfoHeader&)>, IcoReadProblem>> cases = {
        {[](BitmapInfoHeader& h) { h.size = 12; }, IcoReadProblem::BitmapHeaderTooSmall},
        {[](BitmapInfoHeader& h) { h.size = 0xFFFFFFF0; }, IcoReadProblem::EntryPastEndOfFile},
        {[](BitmapInfoHeader& h) { h.compression = 1; }, IcoReadProblem::UnsupportedCompression},
        {[](BitmapInfoHeader& h) { h.bitCount = 16; }, IcoReadProblem::UnsupportedBitCount},
        {[](BitmapInfoHeader& h) { h.bitCount = 2; }, IcoReadProblem::UnsupportedBitCount},
    };
    for (const auto& [change, problem] : cases) {
        IcoPart part = partFor(a);
        BitmapInfoHeader header = test::infoHeaderFor(a);
        change(header);
        ByteWriter out;
        header.write(out);
        std::copy(out.data().begin(), out.data().end(), part.block.begin());
        const auto result = readBytes(assembleIco({part}));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.problem, problem);
        EXPECT_TRUE(result.images.empty());
    }
}

TEST(IcoReader, RefusesSidesOfZeroOrBeyondTheLimit)
{
    const IconImage a = patternedImage(16, 16, 4);
    for (std::int32_t side : {0, -32, IconImage::kMaxSide + 1, 0x7FFFFFFF}) {
        IcoPart part = partFor(a);
        part.entry.width = 0;
        BitmapInfoHeader header = test::infoHeaderFor(a);
        header.width = side;
        part.block = test::bitmapBlock(header, test::imageData(a));
        const auto result = readBytes(assembleIco({part}));
        EXPECT_FALSE(result.ok) << side;
        EXPECT_EQ(result.problem, IcoReadProblem::ImpossibleSize) << side;
    }
}

TEST(IcoReader, ChecksTheImageSizeAgainstTheFileBeforeCreatingIt)
{
    // 16000 x 16000 at 32 bits would be a gigabyte; the file has 40 bytes.
    IcoPart part;
    part.entry.bitCount = 32;
    BitmapInfoHeader header;
    header.width = 16000;
    header.height = 32000;
    header.bitCount = 32;
    part.block = test::bitmapBlock(header, {});
    const auto result = readBytes(assembleIco({part}));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.problem, IcoReadProblem::ImageDataPastEndOfFile);
}

TEST(IcoReader, TakesSidesOf256AndMoreFromTheBitmapHeader)
{
    const IconImage wide = patternedImage(300, 256, 4, 1);
    const auto file = assembleIco({partFor(wide)});
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[7], 0);
    const auto result = readBytes(file);
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    EXPECT_TRUE(sameImage(*result.images[0], wide));
}

TEST(IcoReader, TakesTheBitCountFromTheBitmapHeaderWhenTheDirectoryDisagrees)
{
    const IconImage a = patternedImage(16, 16, 8, 1);
    IcoPart part = partFor(a);
    part.entry.bitCount = 32;
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
}

TEST(IcoReader, FallsBackToTheDirectoryForAMissingBitCount)
{
    const IconImage a = patternedImage(16, 16, 4, 1);
    auto withHeaderBitCount0 = [&](std::uint16_t entryBits, std::uint8_t colors) {
        IcoPart part = partFor(a);
        part.entry.bitCount = entryBits;
        part.entry.colorCount = colors;
        BitmapInfoHeader header = test::infoHeaderFor(a);
        header.bitCount = 0;
        part.block = test::bitmapBlock(header, test::imageData(a));
        return readBytes(assembleIco({part}));
    };
    const auto fromEntry = withHeaderBitCount0(4, 0);
    ASSERT_EQ(fromEntry.images.size(), 1u);
    EXPECT_TRUE(sameImage(*fromEntry.images[0], a));
    // Both bit counts 0 with colour count 16: a Color16 image.
    const auto fromColors = withHeaderBitCount0(0, 16);
    ASSERT_EQ(fromColors.images.size(), 1u);
    EXPECT_TRUE(sameImage(*fromColors.images[0], a));
    // Nothing at all to go by: 8 bits, which needs more data than a 4-bit image has.
    const auto eight = withHeaderBitCount0(0, 0);
    EXPECT_EQ(eight.problem, IcoReadProblem::ImageDataPastEndOfFile);
    // Colour count 8 would mean 3 bits.
    EXPECT_EQ(withHeaderBitCount0(0, 8).problem, IcoReadProblem::UnsupportedBitCount);
}

TEST(IcoReader, ReadsAShortColourTableAndLeavesTheRestBlack)
{
    IconImage a = patternedImage(8, 8, 8, 1);
    for (std::int32_t i = 5; i < 256; ++i)
        a.setPaletteColor(i, 0);
    IcoPart part = partFor(a);
    BitmapInfoHeader header = test::infoHeaderFor(a);
    header.colorsUsed = 5;
    std::vector<std::uint8_t> data(a.paletteData().begin(), a.paletteData().begin() + 5 * 4);
    data.insert(data.end(), a.pixelData().begin(), a.pixelData().end());
    data.insert(data.end(), a.maskData().begin(), a.maskData().end());
    part.block = test::bitmapBlock(header, data);
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
}

TEST(IcoReader, TakesNoColourTableAsLongerThan256Entries)
{
    const IconImage a = patternedImage(8, 8, 8, 1);
    IcoPart part = partFor(a);
    BitmapInfoHeader header = test::infoHeaderFor(a);
    header.colorsUsed = 100000;
    part.block = test::bitmapBlock(header, test::imageData(a));
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
}

TEST(IcoReader, SkipsAColourTableNamedByA24BitImage)
{
    const IconImage a = patternedImage(8, 8, 24, 1);
    IcoPart part = partFor(a);
    BitmapInfoHeader header = test::infoHeaderFor(a);
    header.colorsUsed = 3;
    std::vector<std::uint8_t> data(12, 0x77);
    const auto rest = test::imageData(a);
    data.insert(data.end(), rest.begin(), rest.end());
    part.block = test::bitmapBlock(header, data);
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
}

TEST(IcoReader, MakesTheMaskOfA32BitImageWithoutMaskRowsFromItsAlpha)
{
    IconImage a = patternedImage(16, 16, 32, 1);
    IcoPart part = partFor(a);
    part.block.resize(part.block.size() - static_cast<std::size_t>(a.maskBytes()));
    // A second image right behind it must not be taken for the mask.
    const IconImage b = patternedImage(16, 16, 4, 2);
    const auto result = readBytes(assembleIco({part, partFor(b)}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 2u);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x)
            a.setMask(y, x, alphaOf(a.getPixel(y, x)) == 0);
    }
    EXPECT_TRUE(sameImage(*result.images[0], a));
    EXPECT_TRUE(sameImage(*result.images[1], b));
}

TEST(IcoReader, ReadsAnImageOfFewerBitsWithoutMaskRowsAsOpaque)
{
    IconImage a = patternedImage(16, 16, 8, 1);
    IcoPart part = partFor(a);
    part.block.resize(part.block.size() - static_cast<std::size_t>(a.maskBytes()));
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x)
            a.setMask(y, x, false);
    }
    EXPECT_TRUE(sameImage(*result.images[0], a));
}

TEST(IcoReader, KeepsTheMaskWhenOnlyTheByteCountLeavesItOut)
{
    // A writer that counted the colour rows but not the mask, and stored both.
    const IconImage a = patternedImage(16, 16, 8, 1);
    IcoPart part = partFor(a);
    part.fixByteCount = false;
    part.entry.bytesInImage = static_cast<std::uint32_t>(part.block.size()) - static_cast<std::uint32_t>(a.maskBytes());
    const IconImage b = patternedImage(16, 16, 4, 2);
    const auto result = readBytes(assembleIco({part, partFor(b)}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 2u);
    EXPECT_TRUE(sameImage(*result.images[0], a));
    EXPECT_TRUE(sameImage(*result.images[1], b));
}

TEST(IcoReader, ReadsMaskRowsStoredWithoutPadding)
{
    IconImage a = patternedImage(16, 16, 4, 1);
    IcoPart part = partFor(a);
    std::vector<std::uint8_t> data(a.paletteData().begin(), a.paletteData().end());
    data.insert(data.end(), a.pixelData().begin(), a.pixelData().end());
    for (std::int32_t row = 0; row < 16; ++row) { // 2 bytes a row instead of 4
        data.push_back(a.maskData()[static_cast<std::size_t>(row) * 4]);
        data.push_back(a.maskData()[static_cast<std::size_t>(row) * 4 + 1]);
    }
    part.block = test::bitmapBlock(test::infoHeaderFor(a), data);
    const auto result = readBytes(assembleIco({part}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 1u);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x)
            EXPECT_EQ(result.images[0]->getMask(y, x), a.getMask(y, x)) << x << ',' << y;
    }
    EXPECT_TRUE(std::equal(a.pixelData().begin(), a.pixelData().end(), result.images[0]->pixelData().begin()));
}

TEST(IcoReader, DoesNotTrustTheDirectoryByteCountAsABound)
{
    const IconImage a = patternedImage(16, 16, 4, 1);
    for (std::uint32_t count : {0u, 100u, 0xFFFFFFFFu}) {
        IcoPart part = partFor(a);
        part.fixByteCount = false;
        part.entry.bytesInImage = count;
        const auto result = readBytes(assembleIco({part}));
        ASSERT_TRUE(result.ok) << count;
        ASSERT_EQ(result.images.size(), 1u);
        EXPECT_TRUE(sameImage(*result.images[0], a)) << count;
    }
}

TEST(IcoReader, DecodesAPngEntryBesideABitmapEntry)
{
    const IconImage bmp = patternedImage(32, 32, 32, 1);
    IcoPart png;
    png.entry.bitCount = 32;
    png.block.assign(kTinyPng.begin(), kTinyPng.end());
    const auto result = readBytes(assembleIco({png, partFor(bmp)}));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.images.size(), 2u);
    const IconImage& decoded = *result.images[0];
    EXPECT_EQ(decoded.width(), 1);
    EXPECT_EQ(decoded.height(), 1);
    EXPECT_EQ(decoded.bitCount(), 32);
    EXPECT_EQ(decoded.getPixel(0, 0), makeColor(255, 0, 0, 255));
    EXPECT_FALSE(decoded.getMask(0, 0));
    EXPECT_TRUE(sameImage(*result.images[1], bmp));
}

TEST(IcoReader, ADamagedPngEntryCostsOnlyItself)
{
    const IconImage bmp = patternedImage(16, 16, 8, 2);
    IcoPart damaged;
    damaged.block.assign(kTinyPng.begin(), kTinyPng.end());
    damaged.block[45] ^= 0xFF; // inside the compressed data
    IcoPart good;
    good.block.assign(kTinyPng.begin(), kTinyPng.end());
    const auto result = readBytes(assembleIco({damaged, partFor(bmp), good}));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.problem, IcoReadProblem::PngEntryDamaged);
    ASSERT_EQ(result.images.size(), 2u);
    EXPECT_TRUE(sameImage(*result.images[0], bmp));
    EXPECT_EQ(result.images[1]->width(), 1);
}

TEST(IcoReader, EmptiesTheListItIsGiven)
{
    const IconImage a = patternedImage(16, 16, 4, 1);
    IconImageList images;
    images.push_back(std::make_unique<IconImage>());
    images.push_back(std::make_unique<IconImage>());
    IcoReader reader;
    ASSERT_TRUE(reader.read(encode({&a}), images));
    EXPECT_EQ(images.size(), 1u);
    EXPECT_FALSE(reader.read(std::vector<std::uint8_t>{0, 0, 2, 0}, images));
    EXPECT_TRUE(images.empty());
}

struct MalformedCase {
    const char* file;
    IcoReadProblem problem;
};

TEST(IcoReader, RefusesEveryMalformedFileCleanly)
{
    const MalformedCase cases[] = {
        {"ico_truncated.ico", IcoReadProblem::ImageDataPastEndOfFile},
        {"ico_header_truncated.ico", IcoReadProblem::HeaderTruncated},
        {"ico_entry_past_end.ico", IcoReadProblem::EntryPastEndOfFile},
        {"ico_65535_entries.ico", IcoReadProblem::DirectoryTruncated},
        {"ico_absurd_size.ico", IcoReadProblem::ImpossibleSize},
        {"ico_huge_image.ico", IcoReadProblem::ImageDataPastEndOfFile},
        {"ico_bit_count_2.ico", IcoReadProblem::UnsupportedBitCount},
        {"ico_bit_count_16.ico", IcoReadProblem::UnsupportedBitCount},
        {"ico_header_size_huge.ico", IcoReadProblem::EntryPastEndOfFile},
        {"ico_offset_inside_directory.ico", IcoReadProblem::EntryOffsetInsideDirectory},
    };
    for (const MalformedCase& c : cases) {
        const auto path = std::filesystem::path(TESSALY_TEST_DATA_DIR) / "malformed" / c.file;
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        IcoReader reader;
        IconImageList images;
        EXPECT_FALSE(reader.readFile(path, images)) << c.file;
        EXPECT_EQ(reader.problem(), c.problem) << c.file;
        EXPECT_TRUE(images.empty()) << c.file;
    }
}

TEST(IcoReader, RefusesAMissingFile)
{
    IcoReader reader;
    IconImageList images;
    EXPECT_FALSE(reader.readFile(std::filesystem::path(TESSALY_TEST_DATA_DIR) / "no-such-file.ico", images));
    EXPECT_EQ(reader.problem(), IcoReadProblem::FileUnreadable);
}

} // namespace
} // namespace tessaly
