#include "formats/ico_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "formats/built_in_icon_file_formats.h"
#include "formats/ico_reader.h"
#include "formats/png_encoder.h"
#include "image/file_bytes.h"
#include "image/icon_collection.h"
#include "support/ico_file_builder.h"
#include "support/icon_samples.h"
#include "support/png_samples.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::patternedImage;

std::vector<std::uint8_t> encode(std::initializer_list<const IconImage*> images, IcoWriteProblem* problem = nullptr)
{
    std::vector<const IconImage*> list(images);
    std::vector<std::uint8_t> file;
    IcoWriter writer;
    writer.encode(list, file);
    if (problem)
        *problem = writer.problem();
    return file;
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

TEST(IcoWriter, WritesA32x32Color16ImageAsA766ByteFile)
{
    const IconImage image = patternedImage(32, 32, 4, 9);
    const auto file = encode({&image});
    ASSERT_EQ(file.size(), 766u);
    // Header: reserved, type 1, one image.
    EXPECT_EQ(u16At(file, 0), 0);
    EXPECT_EQ(u16At(file, 2), 1);
    EXPECT_EQ(u16At(file, 4), 1);
    // Directory entry.
    EXPECT_EQ(file[6], 32);           // width
    EXPECT_EQ(file[7], 32);           // height
    EXPECT_EQ(file[8], 16);           // colour count
    EXPECT_EQ(file[9], 0);            // reserved
    EXPECT_EQ(u16At(file, 10), 1);    // planes
    EXPECT_EQ(u16At(file, 12), 4);    // bit count
    EXPECT_EQ(u32At(file, 14), 744u); // 40 + 64 + 512 + 128
    EXPECT_EQ(u32At(file, 18), 22u);
    // Bitmap information header.
    EXPECT_EQ(u32At(file, 22), 40u);
    EXPECT_EQ(u32At(file, 26), 32u);
    EXPECT_EQ(u32At(file, 30), 64u); // colour rows and mask rows
    EXPECT_EQ(u16At(file, 34), 1);
    EXPECT_EQ(u16At(file, 36), 4);
    for (std::size_t at : {38u, 46u, 50u, 54u, 58u})
        EXPECT_EQ(u32At(file, at), 0u) << at;
    EXPECT_EQ(u32At(file, 42), 512u); // the colour rows only
    // Colour table, colour rows and mask rows, as the image holds them.
    const auto data = test::imageData(image);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), file.begin() + 62, file.end()));
}

TEST(IcoWriter, LaysOutBlocksBackToBackWithAccumulatedOffsets)
{
    const IconImage small = patternedImage(16, 16, 4);
    const IconImage alpha = patternedImage(48, 48, 32);
    const auto file = encode({&small, &alpha});
    const std::uint32_t first = 6 + 2 * 16;
    EXPECT_EQ(u32At(file, 6 + 8), 296u);
    EXPECT_EQ(u32At(file, 6 + 12), first);
    // 40 + 48 rows of 192 colour bytes + 48 rows of 8 mask bytes.
    EXPECT_EQ(u32At(file, 22 + 8), 40u + 48 * 192 + 48 * 8);
    EXPECT_EQ(u32At(file, 22 + 12), first + 296);
    EXPECT_EQ(file[22 + 2], 0); // no colour count for 32 bits
    EXPECT_EQ(file.size(), first + 296 + 40 + 48 * 192 + 48 * 8);
}

TEST(IcoWriter, Writes256ColoursAndSidesOf256AsZero)
{
    const IconImage image = patternedImage(256, 256, 8);
    const auto file = encode({&image});
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[7], 0);
    EXPECT_EQ(file[8], 0);
    EXPECT_EQ(u32At(file, 22 + 4), 256u);
    EXPECT_EQ(u32At(file, 22 + 8), 512u);
}

TEST(IcoWriter, RoundTripsByteForByte)
{
    const IconImage a = patternedImage(16, 16, 1, 1);
    const IconImage b = patternedImage(300, 20, 4, 2);
    const IconImage c = patternedImage(33, 33, 24, 3);
    const IconImage d = patternedImage(64, 64, 32, 4);
    const auto file = encode({&a, &b, &c, &d});
    IconImageList images;
    ASSERT_TRUE(IcoReader().read(file, images));
    std::vector<const IconImage*> again;
    for (const auto& image : images)
        again.push_back(image.get());
    std::vector<std::uint8_t> second;
    ASSERT_TRUE(IcoWriter().encode(again, second));
    EXPECT_EQ(second, file);
}

TEST(IcoWriter, RefusesAnEmptyListAndEmptyImages)
{
    IcoWriteProblem problem = IcoWriteProblem::None;
    EXPECT_TRUE(encode({}, &problem).empty());
    EXPECT_EQ(problem, IcoWriteProblem::NoImages);
    IconImage empty;
    ASSERT_TRUE(empty.create(0, 16, 4));
    const IconImage fine = patternedImage(16, 16, 4);
    EXPECT_TRUE(encode({&fine, &empty}, &problem).empty());
    EXPECT_EQ(problem, IcoWriteProblem::EmptyImage);
}

// A smooth picture with every alpha from 0 to 255, hidden in the mask
// exactly where its alpha is 0, as images read from PNG entries are.
IconImage softImage(std::int32_t side, ImageStorage storage)
{
    IconImage image;
    EXPECT_TRUE(image.create(side, side, 32));
    std::fill(image.maskData().begin(), image.maskData().end(), 0); // the padding too, as a PNG entry reads
    for (std::int32_t y = 0; y < side; ++y) {
        for (std::int32_t x = 0; x < side; ++x) {
            const auto alpha = static_cast<std::uint8_t>(x * 255 / (side - 1));
            image.setPixel(y, x, makeColor(static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x / 2), 200, alpha));
            image.setMask(y, x, alpha == 0);
        }
    }
    image.setStorage(storage);
    return image;
}

bool isPngAt(const std::vector<std::uint8_t>& file, std::size_t at)
{
    return at + 8 <= file.size() && file[at] == 0x89 && file[at + 1] == 'P' && file[at + 2] == 'N' &&
           file[at + 3] == 'G';
}

TEST(IcoWriter, WritesPngStoredImagesAsPngEntriesThatReadBackExactly)
{
    const IconImage large = softImage(256, ImageStorage::Png);
    const IconImage small = patternedImage(16, 16, 4, 3);
    const IconImage medium = softImage(48, ImageStorage::Png);
    const auto file = encode({&large, &small, &medium});
    ASSERT_FALSE(file.empty());

    // The PNG entry: sides of 256 as 0, no colour count, 32 bits, its PNG's length.
    EXPECT_EQ(file[6], 0);
    EXPECT_EQ(file[7], 0);
    EXPECT_EQ(file[8], 0);
    EXPECT_EQ(u16At(file, 10), 1);
    EXPECT_EQ(u16At(file, 12), 32);
    const std::uint32_t first = 6 + 3 * 16;
    const std::uint32_t pngBytes = u32At(file, 14);
    EXPECT_EQ(u32At(file, 18), first);
    EXPECT_TRUE(isPngAt(file, first));
    // A bitmap of it would take 40 + 256 * 1024 + 256 * 32 bytes.
    EXPECT_LT(pngBytes, 270'000u / 10);
    EXPECT_EQ(u32At(file, 22 + 8), 296u);
    EXPECT_EQ(u32At(file, 22 + 12), first + pngBytes);
    EXPECT_EQ(u32At(file, 38 + 12), first + pngBytes + 296);
    EXPECT_TRUE(isPngAt(file, first + pngBytes + 296));
    EXPECT_EQ(file.size(), first + pngBytes + 296 + u32At(file, 38 + 8));

    IconImageList images;
    ASSERT_TRUE(IcoReader().read(file, images));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_TRUE(test::sameImage(*images[0], large));
    EXPECT_TRUE(test::sameImage(*images[1], small));
    EXPECT_TRUE(test::sameImage(*images[2], medium));
    EXPECT_EQ(images[0]->storage(), ImageStorage::Png);
    EXPECT_EQ(images[1]->storage(), ImageStorage::Bitmap);
    EXPECT_EQ(images[2]->storage(), ImageStorage::Png);
    EXPECT_EQ(encode({images[0].get(), images[1].get(), images[2].get()}), file);
}

TEST(IcoWriter, PngEntriesOfImagesWithoutAlphaShowWhatTheMaskShows)
{
    // Below 32 bits, and at 32 bits with no alpha anywhere (icons from before
    // alpha), the mask is the transparency: a PNG entry must not turn such an
    // image invisible. An image with alpha keeps it, mask or not.
    IconImage palette = patternedImage(20, 10, 4, 1);
    IconImage noAlpha = patternedImage(20, 10, 32, 2);
    IconImage withAlpha = patternedImage(20, 10, 32, 3);
    for (std::int32_t y = 0; y < 10; ++y) {
        for (std::int32_t x = 0; x < 20; ++x) {
            noAlpha.setPixel(y, x, noAlpha.getPixel(y, x) & 0x00FFFFFFu);
            withAlpha.setPixel(y, x, (withAlpha.getPixel(y, x) & 0x00FFFFFFu) | 0x80000000u);
        }
    }
    for (IconImage* image : {&palette, &noAlpha, &withAlpha})
        image->setStorage(ImageStorage::Png);
    const auto file = encode({&palette, &noAlpha, &withAlpha});
    IconImageList images;
    ASSERT_TRUE(IcoReader().read(file, images));
    ASSERT_EQ(images.size(), 3u);
    for (std::int32_t y = 0; y < 10; ++y) {
        for (std::int32_t x = 0; x < 20; ++x) {
            const ColorValue fromPalette = palette.getPaletteColor(static_cast<std::int32_t>(palette.getPixel(y, x)));
            EXPECT_EQ(images[0]->getPixel(y, x), fromPalette | (palette.getMask(y, x) ? 0u : 0xFF000000u));
            EXPECT_EQ(images[0]->getMask(y, x), palette.getMask(y, x));
            EXPECT_EQ(images[1]->getPixel(y, x), noAlpha.getPixel(y, x) | (noAlpha.getMask(y, x) ? 0u : 0xFF000000u));
            EXPECT_EQ(images[2]->getPixel(y, x), withAlpha.getPixel(y, x));
            EXPECT_FALSE(images[2]->getMask(y, x));
        }
    }
    EXPECT_EQ(images[0]->bitCount(), 32);
}

TEST(IcoWriter, WritesAnUnchangedPngEntryBackAsItWasAndAChangedOneAfresh)
{
    // A 16-bit truecolour PNG with a transparent colour: no 8-bit RGBA file
    // holds it exactly, so only its own bytes keep it.
    const test::SamplePicture sample({PngHeader::Truecolor, 16}, 40, 30, 5);
    const std::vector<std::uint8_t> png = PngEncoder().encode(sample.picture());
    test::IcoPart part;
    part.entry.width = 40;
    part.entry.height = 30;
    part.entry.bitCount = 32;
    part.block = png;
    // A byte count past the PNG's end, as some writers store: the PNG is
    // still kept as itself, without what follows it.
    part.fixByteCount = false;
    part.entry.bytesInImage = static_cast<std::uint32_t>(png.size() + 9);
    std::vector<std::uint8_t> original = test::assembleIco({part});
    original.insert(original.end(), 9, 0xCC);
    IconImageList images;
    ASSERT_TRUE(IcoReader().read(original, images));
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(std::ranges::equal(images[0]->pngSource(), png));

    // Copies carry the source with the pixels.
    IconImage copy;
    ASSERT_TRUE(copy.copyFrom(*images[0]));
    const auto unchanged = encode({&copy});
    ASSERT_EQ(unchanged.size(), 22 + png.size());
    EXPECT_TRUE(std::equal(png.begin(), png.end(), unchanged.begin() + 22));

    // One changed pixel: the source no longer holds the picture.
    copy.setPixel(3, 4, makeColor(1, 2, 3, 200));
    const auto changed = encode({&copy});
    IconImageList again;
    ASSERT_TRUE(IcoReader().read(changed, again));
    EXPECT_TRUE(test::sameImage(*again[0], copy));
    EXPECT_EQ(changed[22 + 25], PngHeader::TruecolorAlpha);

    // New pixels drop the source.
    ASSERT_TRUE(copy.create(40, 30, 32));
    EXPECT_TRUE(copy.pngSource().empty());
}

// An edited image from a grey, grey-and-alpha or opaque truecolour entry
// stays of that kind while its pixels fit, and becomes RGBA once they do not.
TEST(IcoWriter, AChangedPngEntryKeepsANarrowerKindWhileThePixelsFitIt)
{
    struct Case {
        std::uint8_t colorType;
        ColorValue fitting;
        ColorValue widening;
    };
    for (const Case c : {Case{PngHeader::Grey, makeColor(9, 9, 9, 255), makeColor(9, 9, 9, 254)},
                         Case{PngHeader::GreyAlpha, makeColor(9, 9, 9, 100), makeColor(9, 9, 10, 100)},
                         Case{PngHeader::Truecolor, makeColor(1, 2, 3, 255), makeColor(1, 2, 3, 128)}}) {
        test::SamplePicture sample({c.colorType, 8}, 20, 12, 3);
        sample.transparency.clear();
        test::IcoPart part;
        part.entry.width = 20;
        part.entry.height = 12;
        part.entry.bitCount = 32;
        part.block = PngEncoder().encode(sample.picture());
        IconImageList images;
        ASSERT_TRUE(IcoReader().read(test::assembleIco({part}), images));
        ASSERT_EQ(images.size(), 1u);
        IconImage& image = *images[0];
        for (const ColorValue color : {c.fitting, c.widening}) {
            image.setPixel(5, 7, color);
            const auto file = encode({&image});
            IconImageList again;
            ASSERT_TRUE(IcoReader().read(file, again));
            EXPECT_TRUE(test::sameImage(*again[0], image)) << int{c.colorType};
            EXPECT_EQ(file[22 + 25], color == c.fitting ? c.colorType : std::uint8_t{PngHeader::TruecolorAlpha}) << int{c.colorType};
        }
    }
}

class IcoSaveTest : public ::testing::Test {
protected:
    test::TempDir dir;
    IconCollection collection{builtInIconFileFormats()};
};

TEST_F(IcoSaveTest, SavesAndOpensThroughTheCollection)
{
    ASSERT_TRUE(collection.addCopy(patternedImage(16, 16, 4, 1)));
    ASSERT_TRUE(collection.addCopy(patternedImage(32, 32, 32, 2)));
    const auto path = dir / u8"アイコン.ico";
    ASSERT_TRUE(collection.save(path));
    IconCollection back{builtInIconFileFormats()};
    ASSERT_TRUE(back.open(path));
    ASSERT_EQ(back.count(), 2);
    EXPECT_TRUE(test::sameImage(*back.get(0), *collection.get(0)));
    EXPECT_TRUE(test::sameImage(*back.get(1), *collection.get(1)));
}

TEST_F(IcoSaveTest, OpenAndSaveKeepAPngEntryAndTheFileSize)
{
    // ImageMagick's icon: bitmaps of 16, 32 and 48 pixels and a 256-pixel
    // PNG entry, through the collection as the editor opens and saves it.
    const auto original = std::filesystem::path(TESSALY_TEST_DATA_DIR) / "ico" / "imagemagick_32bit.ico";
    ASSERT_TRUE(collection.open(original));
    ASSERT_EQ(collection.count(), 4);
    EXPECT_EQ(collection.get(3)->storage(), ImageStorage::Png);
    const auto path = dir / "saved.ico";
    ASSERT_TRUE(collection.save(path));
    const auto before = test::fileContents(original);
    const auto after = test::fileContents(path);
    EXPECT_LE(after.size(), before.size() * 103 / 100);
    EXPECT_TRUE(isPngAt(after, u32At(after, 6 + 3 * 16 + 12)));

    IconCollection back{builtInIconFileFormats()};
    ASSERT_TRUE(back.open(path));
    ASSERT_EQ(back.count(), 4);
    for (std::int32_t i = 0; i < 4; ++i)
        EXPECT_TRUE(test::sameImage(*back.get(i), *collection.get(i))) << i;
    EXPECT_EQ(back.get(0)->storage(), ImageStorage::Bitmap);
    EXPECT_EQ(back.get(3)->storage(), ImageStorage::Png);
}

TEST_F(IcoSaveTest, AFailedSaveLeavesTheOldFileAsItWas)
{
    ASSERT_TRUE(collection.addCopy(patternedImage(16, 16, 4, 1)));
    const auto path = dir / "kept.ico";
    ASSERT_TRUE(collection.save(path));
    const auto before = test::fileContents(path);
    // An empty list writes nothing at all.
    IconCollection empty{builtInIconFileFormats()};
    EXPECT_FALSE(empty.save(path));
    EXPECT_EQ(test::fileContents(path), before);
    // An image that cannot be stored fails the save before the file is touched.
    IconImage zero;
    ASSERT_TRUE(zero.create(16, 0, 8));
    ASSERT_TRUE(collection.addCopy(zero));
    EXPECT_FALSE(collection.save(path));
    EXPECT_EQ(test::fileContents(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(IcoSaveTest, AnEmptyListCreatesNoFile)
{
    EXPECT_FALSE(collection.save(dir / "none.ico"));
    EXPECT_FALSE(std::filesystem::exists(dir / "none.ico"));
}

TEST_F(IcoSaveTest, OpeningACursorFileKeepsTheList)
{
    const auto path = dir / "cursor.ico";
    ASSERT_TRUE(collection.addCopy(patternedImage(16, 16, 4, 1)));
    ASSERT_TRUE(collection.save(path));
    auto bytes = test::fileContents(path);
    bytes[2] = 2;
    ASSERT_TRUE(writeFileReplacing(path, bytes));
    IconCollection other{builtInIconFileFormats()};
    ASSERT_TRUE(other.addCopy(patternedImage(8, 8, 1)));
    ASSERT_TRUE(other.addCopy(patternedImage(9, 9, 1)));
    EXPECT_FALSE(other.open(path));
    EXPECT_EQ(other.count(), 2);
}

} // namespace
} // namespace tessaly
