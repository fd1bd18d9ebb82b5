// Import through the system under Wine: program files through its resource
// loader (against our own reading of the same bytes), JPEG pictures through
// its picture loader, bitmaps through a bitmap section, and the Windows
// build's dispatch by extension.

#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>

#include "cli/cli_program.h"
#include "convert/dib_section_win32.h"
#include "formats/bmp_reader.h"
#include "formats/from_dib_section_win32.h"
#include "formats/ico_reader.h"
#include "formats/module_icon_import_win32.h"
#include "formats/module_icon_reader.h"
#include "formats/platform_icon_file_formats_win32.h"
#include "image/file_bytes.h"
#include "image/icon_collection.h"
#include "support/icon_samples.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

const fs::path kData = TESSALY_TEST_DATA_DIR;

fs::path systemFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return fs::path(std::wstring(folder, length)) / name;
}

fs::path fixtureProgram()
{
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(std::wstring(self, length)).parent_path() / L"icon_fixture.exe";
}

void expectSameImages(const IconImageList& actual, const IconImageList& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(test::sameImage(*actual[i], *expected[i])) << "image " << i;
}

TEST(ModuleIconImport, SystemLibrariesGiveWhatTheirBytesHold)
{
    for (const wchar_t* name : {L"user32.dll", L"shell32.dll", L"comctl32.dll", L"notepad.exe"}) {
        SCOPED_TRACE(fs::path(name).string());
        ModuleIconImport import;
        IconImageList loaded;
        ASSERT_TRUE(import.readFile(systemFile(name), loaded));
        ModuleIconReader reader;
        IconImageList read;
        ASSERT_TRUE(reader.readFile(systemFile(name), read));
        EXPECT_GT(loaded.size(), 3u);
        expectSameImages(loaded, read);
        EXPECT_EQ(import.skippedEntries(), reader.skippedEntries());
    }
}

TEST(ModuleIconImport, ProgramBuiltWithKnownIconsGivesThemNamedGroupFirst)
{
    IconImageList expected;
    for (const char* name : {"icotool_mixed.ico", "imagemagick_palette.ico", "imagemagick_32bit.ico"}) {
        IconImageList images;
        IcoReader().readFile(kData / "ico" / name, images);
        ASSERT_FALSE(images.empty()) << name;
        for (auto& image : images)
            expected.push_back(std::move(image));
    }
    IconCollection collection{platformIconFileFormats()};
    ASSERT_TRUE(collection.open(fixtureProgram()));
    IconImageList opened;
    for (std::int32_t i = 0; i < collection.count(); ++i) {
        opened.push_back(std::make_unique<IconImage>());
        ASSERT_TRUE(opened.back()->copyFrom(*collection.get(i)));
    }
    expectSameImages(opened, expected);
    IconImageList read;
    ASSERT_TRUE(ModuleIconReader().readFile(fixtureProgram(), read));
    expectSameImages(read, expected);
}

TEST(ModuleIconImport, FilesWithoutIconsLeaveTheListAsItWas)
{
    IconCollection collection{platformIconFileFormats()};
    ASSERT_TRUE(collection.open(kData / "ico" / "icotool_mixed.ico"));
    const std::int32_t before = collection.count();
    EXPECT_FALSE(collection.open(systemFile(L"kernel32.dll")));
    EXPECT_EQ(collection.count(), before);
    // Not a program at all, whatever its name says.
    EXPECT_FALSE(collection.open(kData / "import" / "not_a_program.exe"));
    EXPECT_EQ(collection.count(), before);
}

TEST(PictureImport, JpegGivesOneOpaqueFullColourImageOfItsSize)
{
    IconCollection collection{platformIconFileFormats()};
    ASSERT_TRUE(collection.open(kData / "import" / "plasma.jpg"));
    ASSERT_EQ(collection.count(), 1);
    const IconImage& image = *collection.get(0);
    EXPECT_EQ(image.width(), 40);
    EXPECT_EQ(image.height(), 30);
    EXPECT_EQ(image.bitCount(), 24);
    // Two decoders of one JPEG may round differently, never by much.
    const auto reference = readFileBytes(kData / "import" / "plasma.jpg.rgb");
    ASSERT_TRUE(reference && reference->size() == 40u * 30u * 3u);
    int worst = 0;
    for (std::int32_t y = 0; y < 30; ++y) {
        for (std::int32_t x = 0; x < 40; ++x) {
            const ColorValue c = image.getPixel(y, x);
            const std::uint8_t* expected = reference->data() + 3 * (y * 40 + x);
            worst = std::max({worst, std::abs(redOf(c) - expected[0]), std::abs(greenOf(c) - expected[1]),
                              std::abs(blueOf(c) - expected[2])});
            EXPECT_FALSE(image.getMask(y, x));
        }
    }
    EXPECT_LE(worst, 6);
    std::ostringstream out, err;
    const std::vector<std::string> args = {"info", (kData / "import" / "plasma.jpg").string()};
    EXPECT_EQ(CliProgram(platformIconFileFormats()).run(args, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "0: 40x30 24-bit\n");
}

TEST(PictureImport, MakeTurnsAJpegIntoAnOpaqueIconThroughTheSystem)
{
    // The portable build has no JPEG decoder; this one reads through the system.
    test::TempDir dir;
    const fs::path icon = dir / "plasma.ico";
    std::ostringstream out, err;
    const std::vector<std::string> args = {"make", (kData / "import" / "plasma.jpg").string(), icon.string(), "--sizes",
                                           "32,16"};
    ASSERT_EQ(CliProgram(platformIconFileFormats()).run(args, out, err), 0) << err.str();
    IconCollection made{platformIconFileFormats()};
    ASSERT_TRUE(made.open(icon));
    ASSERT_EQ(made.count(), 2);
    // 40 x 30 fits 32 x 32 as 32 x 24 from row 4, and 16 x 16 as 16 x 12 from row 2.
    for (std::int32_t i = 0; i < 2; ++i) {
        const IconImage& image = *made.get(i);
        const std::int32_t side = i == 0 ? 32 : 16;
        ASSERT_EQ(image.width(), side);
        ASSERT_EQ(image.bitCount(), 32);
        for (std::int32_t y = 0; y < side; ++y) {
            const bool inside = y >= side / 8 && y < side / 8 + side * 3 / 4;
            for (std::int32_t x = 0; x < side; ++x)
                ASSERT_EQ(alphaOf(image.getPixel(y, x)), inside ? 255 : 0) << side << ": " << x << ',' << y;
        }
    }
}

TEST(PictureImport, ANonPictureLeavesTheListAsItWas)
{
    IconCollection collection{platformIconFileFormats()};
    ASSERT_TRUE(collection.open(kData / "ico" / "icotool_mixed.ico"));
    const std::int32_t before = collection.count();
    EXPECT_FALSE(collection.open(kData / "import" / "not_a_picture.jpg"));
    EXPECT_EQ(collection.count(), before);
}

TEST(PictureImport, TheLoaderReadsBitmapsToTheSamePixelsAsTheBitmapReader)
{
    // A .bmp file by another name: the picture loader understands it too.
    IconCollection collection{platformIconFileFormats()};
    ASSERT_TRUE(collection.open(kData / "import" / "bitmap_named.jpg"));
    IconImageList read;
    ASSERT_TRUE(BmpReader().readFile(kData / "import" / "full24.bmp", read));
    ASSERT_EQ(collection.count(), 1);
    EXPECT_TRUE(test::sameImage(*collection.get(0), *read[0]));
}

TEST(FromDibSection, BitmapSectionsGiveWhatTheBitmapReaderGives)
{
    for (const char* name : {"full24.bmp", "palette8.bmp", "alpha32.bmp", "mono1.bmp"}) {
        SCOPED_TRACE(name);
        const auto file = readFileBytes(kData / "import" / name);
        ASSERT_TRUE(file);
        const std::uint32_t offset = (*file)[10] | (*file)[11] << 8;
        DibSection section;
        ASSERT_TRUE(section.createFromInfo(std::span(*file).subspan(14, offset - 14)));
        const std::size_t pixelBytes = static_cast<std::size_t>(section.bytesPerRow()) * std::abs(section.height());
        ASSERT_LE(offset + pixelBytes, file->size());
        std::copy_n(file->data() + offset, pixelBytes, section.bits());
        const std::unique_ptr<IconImage> converted = fromDibSection(section);
        ASSERT_TRUE(converted);
        IconCollection collection{platformIconFileFormats()};
        ASSERT_TRUE(collection.open(kData / "import" / name));
        ASSERT_EQ(collection.count(), 1);
        EXPECT_TRUE(test::sameImage(*converted, *collection.get(0)));
    }
}

} // namespace
} // namespace tessaly
