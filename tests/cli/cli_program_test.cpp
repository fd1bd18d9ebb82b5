#include "cli/cli_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "convert/image_converter.h"
#include "formats/built_in_icon_file_formats.h"
#include "formats/ico_reader.h"
#include "formats/png_encoder.h"
#include "formats/png_reader.h"
#include "image/file_bytes.h"
#include "support/icon_samples.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// For each directory entry of an .ico file, whether its image is a PNG.
std::vector<bool> pngEntries(const std::vector<std::uint8_t>& file)
{
    std::vector<bool> png;
    const std::size_t count = file.size() >= 6 ? static_cast<std::size_t>(file[4] | file[5] << 8) : 0;
    for (std::size_t i = 0; i < count && 22 + 16 * i <= file.size(); ++i) {
        const std::size_t at = 6 + 16 * i + 12;
        const std::size_t offset = file[at] | file[at + 1] << 8 | file[at + 2] << 16 | std::size_t{file[at + 3]} << 24;
        png.push_back(offset + 4 <= file.size() && file[offset] == 0x89 && file[offset + 1] == 'P');
    }
    return png;
}

class CliProgramTest : public ::testing::Test {
protected:
    CliProgramTest()
    {
        EXPECT_TRUE(collection.addCopy(test::patternedImage(32, 32, 4, 1)));
        EXPECT_TRUE(collection.addCopy(test::patternedImage(16, 16, 1, 2)));
        EXPECT_TRUE(collection.addCopy(test::patternedImage(256, 256, 32, 3)));
        EXPECT_TRUE(collection.save(icon));
    }

    int run(std::vector<std::string> args)
    {
        out.str("");
        err.str("");
        return CliProgram(builtInIconFileFormats()).run(args, out, err);
    }

    test::TempDir dir;
    fs::path icon = dir / "three.ico";
    IconCollection collection{builtInIconFileFormats()};
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CliProgramTest, HelpDescribesEveryCommand)
{
    EXPECT_EQ(run({"--help"}), 0);
    const std::string help = out.str();
    for (const char* part :
         {"info FILE", "INDEX: WIDTHxHEIGHT BITS-bit", "export FILE INDEX OUT.pam", "RGB_ALPHA", "convert IN OUT.ico",
          "--size WxH", "--mode MODE", "mono, 16, 256, full", "--palette KIND", "websafe or grey", "--index N",
          "--png POLICY", "make PICTURE OUT.ico", "--sizes LIST", "--help"})
        EXPECT_NE(help.find(part), std::string::npos) << part;
    EXPECT_EQ(err.str(), "");
}

TEST_F(CliProgramTest, InfoPrintsOneLinePerImage)
{
    EXPECT_EQ(run({"info", utf8(icon)}), 0);
    EXPECT_EQ(out.str(), "0: 32x32 4-bit\n1: 16x16 1-bit\n2: 256x256 32-bit\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CliProgramTest, InfoOfAFileThatCannotBeReadSaysSoOnOneLine)
{
    const fs::path malformed = fs::path(TESSALY_TEST_DATA_DIR) / "malformed" / "ico_truncated.ico";
    for (const std::string& path : {utf8(dir / "missing.ico"), utf8(malformed), utf8(dir / "noextension")}) {
        EXPECT_EQ(run({"info", path}), 1) << path;
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str(), "tessaly-cli: cannot read " + path + "\n");
    }
}

TEST_F(CliProgramTest, ExportWritesTheChosenImageAsPam)
{
    const fs::path pam = dir / "one.pam";
    EXPECT_EQ(run({"export", utf8(icon), "1", utf8(pam)}), 0);
    EXPECT_EQ(err.str(), "");
    const auto bytes = test::fileContents(pam);
    const std::string header = "P7\nWIDTH 16\nHEIGHT 16\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    ASSERT_GT(bytes.size(), header.size());
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(header.size())), header);
    const auto samples =
        std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(header.size()), bytes.end());
    EXPECT_EQ(samples, test::rgbaOf(*collection.get(1)));
}

TEST_F(CliProgramTest, ExportRefusesABadIndexClearly)
{
    const fs::path pam = dir / "none.pam";
    for (const char* index : {"3", "-1", "x"}) {
        EXPECT_EQ(run({"export", utf8(icon), index, utf8(pam)}), 1) << index;
        EXPECT_EQ(err.str(), "tessaly-cli: no image " + std::string(index) + " in " + utf8(icon) +
                                 " (its images are numbered 0 to 2)\n");
    }
    EXPECT_FALSE(fs::exists(pam));
}

TEST_F(CliProgramTest, ConvertWritesEveryImage)
{
    const fs::path copy = dir / "copy.ico";
    EXPECT_EQ(run({"convert", utf8(icon), utf8(copy)}), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(test::fileContents(copy), test::fileContents(icon));
}

TEST_F(CliProgramTest, ConvertWritesOnlyIcoFilesAndKeepsTheTargetWhenTheInputFails)
{
    EXPECT_EQ(run({"convert", utf8(icon), utf8(dir / "copy.png")}), 1);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "copy.png"));

    const fs::path target = dir / "target.ico";
    ASSERT_TRUE(writeFileReplacing(target, std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(run({"convert", utf8(dir / "missing.ico"), utf8(target)}), 1);
    EXPECT_EQ(err.str(), "tessaly-cli: cannot read " + utf8(dir / "missing.ico") + "\n");
    EXPECT_EQ(test::fileContents(target), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(CliProgramTest, ConvertWithOptionsConvertsEveryImageAsTheConverterDoes)
{
    const fs::path target = dir / "converted.ico";
    ASSERT_EQ(run({"convert", utf8(icon), utf8(target), "--size", "24x20", "--mode", "256"}), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(run({"info", utf8(target)}), 0);
    EXPECT_EQ(out.str(), "0: 24x20 8-bit\n1: 24x20 8-bit\n2: 24x20 8-bit\n");
    IconCollection written(builtInIconFileFormats());
    ASSERT_TRUE(written.open(target));
    for (std::int32_t i = 0; i < 3; ++i) {
        const auto expected = ImageConverter().convertImage(*collection.get(i), 24, 20, 8, ConversionType::None);
        ASSERT_TRUE(expected);
        EXPECT_TRUE(test::sameImage(*written.get(i), *expected)) << i;
    }
}

TEST_F(CliProgramTest, ConvertKeepsEachImagesModeAndPaletteUnlessAsked)
{
    const fs::path target = dir / "kept.ico";
    ASSERT_EQ(run({"convert", utf8(icon), utf8(target), "--palette", "keep", "--size", "8x8"}), 0) << err.str();
    IconCollection written(builtInIconFileFormats());
    ASSERT_TRUE(written.open(target));
    ASSERT_EQ(written.count(), 3);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(written.get(i)->width(), 8);
        EXPECT_EQ(written.get(i)->bitCount(), collection.get(i)->bitCount());
        EXPECT_TRUE(std::ranges::equal(written.get(i)->paletteData(), collection.get(i)->paletteData())) << i;
    }
    // Only a mode: each image keeps its size.
    ASSERT_EQ(run({"convert", utf8(icon), utf8(target), "--mode", "mono"}), 0) << err.str();
    EXPECT_EQ(run({"info", utf8(target)}), 0);
    EXPECT_EQ(out.str(), "0: 32x32 1-bit\n1: 16x16 1-bit\n2: 256x256 1-bit\n");
}

TEST_F(CliProgramTest, ConvertWithAnIndexWritesOnlyThatImage)
{
    const fs::path target = dir / "one.ico";
    ASSERT_EQ(run({"convert", utf8(icon), utf8(target), "--index", "2", "--palette", "grey", "--size", "16x16"}), 0)
        << err.str();
    IconCollection written(builtInIconFileFormats());
    ASSERT_TRUE(written.open(target));
    ASSERT_EQ(written.count(), 1);
    const IconImage& grey = *written.get(0);
    ASSERT_EQ(grey.bitCount(), 8);
    for (std::int32_t i = 0; i < 256; ++i)
        EXPECT_EQ(grey.getPaletteColor(i),
                  makeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i)));

    // An index alone copies that image unchanged.
    ASSERT_EQ(run({"convert", utf8(icon), utf8(target), "--index", "1"}), 0) << err.str();
    ASSERT_TRUE(written.open(target));
    ASSERT_EQ(written.count(), 1);
    EXPECT_TRUE(test::sameImage(*written.get(0), *collection.get(1)));
}

TEST_F(CliProgramTest, ConvertRefusesBadOptionsAndIndexesWithoutWriting)
{
    const fs::path target = dir / "never.ico";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--size", "2000x16"}, {"--mode", "grey"}, {"--palette", "websafe", "--mode", "full"}}) {
        std::vector<std::string> line{"convert", utf8(icon), utf8(target)};
        line.insert(line.end(), args.begin(), args.end());
        EXPECT_EQ(run(line), 1) << args[0];
        EXPECT_NE(err.str().find("tessaly-cli: "), std::string::npos);
        EXPECT_NE(err.str().find("Try 'tessaly-cli --help'."), std::string::npos);
    }
    EXPECT_EQ(run({"convert", utf8(icon), utf8(target), "--index", "3", "--mode", "16"}), 1);
    EXPECT_EQ(err.str(), "tessaly-cli: no image 3 in " + utf8(icon) + " (its images are numbered 0 to 2)\n");
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(CliProgramTest, RefusesWhatIsNoCommandAndPointsToTheHelp)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"info"}}) {
        EXPECT_EQ(run(args), 1);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find("Try 'tessaly-cli --help'."), std::string::npos);
    }
}

TEST_F(CliProgramTest, ConvertStoresImagesAsThePngPolicySays)
{
    // ImageMagick's icon: 16, 32 and 48 as bitmaps, 256 as PNG.
    const fs::path source = fs::path(TESSALY_TEST_DATA_DIR) / "ico" / "imagemagick_32bit.ico";
    const fs::path target = dir / "policy.ico";
    const auto original = test::fileContents(source);
    ASSERT_EQ(pngEntries(original), (std::vector<bool>{false, false, false, true}));

    ASSERT_EQ(run({"convert", utf8(source), utf8(target)}), 0) << err.str();
    const auto kept = test::fileContents(target);
    EXPECT_EQ(pngEntries(kept), (std::vector<bool>{false, false, false, true}));
    EXPECT_LE(kept.size(), original.size() * 103 / 100);

    const std::pair<const char*, std::vector<bool>> policies[] = {{"never", {false, false, false, false}},
                                                                  {"large", {false, false, false, true}},
                                                                  {"all", {true, true, true, true}}};
    IconCollection read(builtInIconFileFormats());
    ASSERT_TRUE(read.open(source));
    for (const auto& [policy, expected] : policies) {
        ASSERT_EQ(run({"convert", utf8(source), utf8(target), "--png", policy}), 0) << err.str();
        EXPECT_EQ(pngEntries(test::fileContents(target)), expected) << policy;
        IconCollection written(builtInIconFileFormats());
        ASSERT_TRUE(written.open(target));
        ASSERT_EQ(written.count(), 4);
        for (std::int32_t i = 0; i < 4; ++i)
            EXPECT_EQ(test::rgbaOf(*written.get(i)), test::rgbaOf(*read.get(i))) << policy << ' ' << i;
    }

    // A converted image is a new bitmap: keep has no PNG to keep.
    ASSERT_EQ(run({"convert", utf8(source), utf8(target), "--size", "256x256"}), 0) << err.str();
    EXPECT_EQ(pngEntries(test::fileContents(target)), (std::vector<bool>{false, false, false, false}));
    ASSERT_EQ(run({"convert", utf8(source), utf8(target), "--size", "256x256", "--png", "large"}), 0) << err.str();
    EXPECT_EQ(pngEntries(test::fileContents(target)), (std::vector<bool>{true, true, true, true}));
}

// A 300 x 200 picture: opaque red left of x = 140, transparent green right of
// it. No icon size divides the edge evenly, so every size has a pixel that
// is partly red and partly the transparent green.
class MakeTest : public CliProgramTest {
protected:
    MakeTest()
    {
        std::vector<std::uint8_t> rgba;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 300; ++x) {
                const bool red = x < 140;
                rgba.insert(rgba.end(),
                            {static_cast<std::uint8_t>(red ? 255 : 0), static_cast<std::uint8_t>(red ? 0 : 255), 0,
                             static_cast<std::uint8_t>(red ? 255 : 0)});
            }
        }
        png = PngEncoder::encodeRgba(300, 200, rgba);
        EXPECT_TRUE(writeFileReplacing(picture, png));
    }

    fs::path picture = dir / "half.png";
    std::vector<std::uint8_t> png;
};

TEST_F(MakeTest, MakesEverySizeFittedAndCentredWithTheLargeOneAsPng)
{
    const fs::path target = dir / "made.ico";
    ASSERT_EQ(run({"make", utf8(picture), utf8(target)}), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(pngEntries(test::fileContents(target)),
              (std::vector<bool>{false, false, false, false, false, false, true}));
    IconCollection made(builtInIconFileFormats());
    ASSERT_TRUE(made.open(target));
    const std::int32_t sides[] = {16, 24, 32, 48, 64, 128, 256};
    ASSERT_EQ(made.count(), 7);
    for (std::int32_t i = 0; i < 7; ++i) {
        const IconImage& image = *made.get(i);
        const std::int32_t side = sides[i];
        SCOPED_TRACE(side);
        ASSERT_EQ(image.width(), side);
        ASSERT_EQ(image.height(), side);
        ASSERT_EQ(image.bitCount(), 32);
        // 200 / 300 of the side, rounded, centred; the red edge at 140 / 300.
        const std::int32_t fitted = (2 * side * 200 + 300) / 600;
        const std::int32_t top = (side - fitted) / 2;
        const std::int32_t edge = side * 140 / 300;
        for (std::int32_t y = 0; y < side; ++y) {
            for (std::int32_t x = 0; x < side; ++x) {
                const ColorValue color = image.getPixel(y, x);
                const bool inside = y >= top && y < top + fitted && x <= edge;
                EXPECT_EQ(image.getMask(y, x), alphaOf(color) == 0) << x << ',' << y;
                if (!inside) {
                    ASSERT_EQ(alphaOf(color), 0) << x << ',' << y;
                    continue;
                }
                // The transparent green adds nothing to the colour of the edge.
                ASSERT_EQ(color & 0x00FFFFFFu, makeColor(255, 0, 0)) << x << ',' << y;
                if (x < edge)
                    ASSERT_EQ(alphaOf(color), 255) << x << ',' << y;
                else
                    ASSERT_TRUE(alphaOf(color) > 0 && alphaOf(color) < 255) << x << ',' << y;
            }
        }
    }

    // The plain area average, which the converter uses, tints the same edge
    // pixel with the green it cannot see: that is what weighting by alpha avoids.
    IconImage source;
    ASSERT_TRUE(PngReader().decodeToIconImage(png, source));
    const auto plain = ImageConverter().resampleToAlpha(source, 48, 32);
    ASSERT_TRUE(plain);
    EXPECT_GT(greenOf(plain->getPixel(10, 48 * 140 / 300)), 0);
}

TEST_F(MakeTest, StoresTheSizesAskedForByThePngPolicyAndReadsBitmapPictures)
{
    const fs::path target = dir / "made.ico";
    ASSERT_EQ(run({"make", utf8(picture), utf8(target), "--sizes", "48,20", "--png", "all"}), 0) << err.str();
    EXPECT_EQ(pngEntries(test::fileContents(target)), (std::vector<bool>{true, true}));
    EXPECT_EQ(run({"info", utf8(target)}), 0);
    EXPECT_EQ(out.str(), "0: 48x48 32-bit\n1: 20x20 32-bit\n");
    ASSERT_EQ(run({"make", utf8(picture), utf8(target), "--png", "never"}), 0) << err.str();
    EXPECT_EQ(pngEntries(test::fileContents(target)), std::vector<bool>(7, false));

    // A 13 x 7 bitmap picture is opaque all over: 16 x 9 of it, rows 3 to 11.
    const fs::path bmp = fs::path(TESSALY_TEST_DATA_DIR) / "import" / "full24.bmp";
    ASSERT_EQ(run({"make", utf8(bmp), utf8(target), "--sizes", "16"}), 0) << err.str();
    IconCollection made(builtInIconFileFormats());
    ASSERT_TRUE(made.open(target));
    ASSERT_EQ(made.count(), 1);
    const auto rgba = test::rgbaOf(*made.get(0));
    for (std::size_t at = 3; at < rgba.size(); at += 4) {
        const std::size_t row = at / 4 / 16;
        ASSERT_EQ(rgba[at], row >= 3 && row < 12 ? 255 : 0) << at / 4;
    }
}

TEST_F(MakeTest, RefusesWhatItCannotMakeWithAMessageAndWritesNothing)
{
    const fs::path target = dir / "target.ico";
    ASSERT_TRUE(writeFileReplacing(target, std::vector<std::uint8_t>{1, 2, 3}));
    const fs::path jpeg = fs::path(TESSALY_TEST_DATA_DIR) / "import" / "plasma.jpg";
    const fs::path damaged = fs::path(TESSALY_TEST_DATA_DIR) / "malformed" / "png_bad_zlib.png";
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"make", utf8(picture), utf8(target), "--sizes", "300"},
         "tessaly-cli: invalid --sizes '300': give sides from 1 to 256, separated by commas\n"
         "Try 'tessaly-cli --help'.\n"},
        {{"make", utf8(dir / "missing.png"), utf8(target)},
         "tessaly-cli: cannot read " + utf8(dir / "missing.png") + "\n"},
        {{"make", utf8(damaged), utf8(target)}, "tessaly-cli: cannot read " + utf8(damaged) + "\n"},
        {{"make", utf8(icon), utf8(target)},
         "tessaly-cli: cannot read " + utf8(icon) + " (make takes .png, .bmp, .jpg and .jpeg pictures)\n"},
        {{"make", utf8(jpeg), utf8(target)},
         "tessaly-cli: cannot read " + utf8(jpeg) +
             " (JPEG pictures are read through the Windows picture loader: use tessaly-cli.exe)\n"},
        {{"make", utf8(picture), utf8(dir / "made.png")},
         "tessaly-cli: cannot write " + utf8(dir / "made.png") + " (make writes .ico files only)\n"},
        {{"make", utf8(picture), utf8(dir / "no" / "such" / "folder.ico")},
         "tessaly-cli: cannot write " + utf8(dir / "no" / "such" / "folder.ico") + "\n"},
    };
    for (const auto& [args, message] : refused) {
        EXPECT_EQ(run(args), 1) << message;
        EXPECT_EQ(err.str(), message);
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(test::fileContents(target), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(fs::exists(dir / "made.png"));
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST_F(CliProgramTest, HandlesFileNamesInAnyScript)
{
    const fs::path japanese = dir / u8"日本語のアイコン.ico";
    EXPECT_EQ(run({"convert", utf8(icon), utf8(japanese)}), 0) << err.str();
    ASSERT_TRUE(fs::exists(japanese));
    EXPECT_EQ(run({"info", utf8(japanese)}), 0);
    EXPECT_EQ(out.str(), "0: 32x32 4-bit\n1: 16x16 1-bit\n2: 256x256 32-bit\n");
}

} // namespace
} // namespace tessaly
