#include "cli/cli_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "convert/image_converter.h"
#include "formats/built_in_icon_file_formats.h"
#include "formats/ico_reader.h"
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
    for (const char* part : {"info FILE", "INDEX: WIDTHxHEIGHT BITS-bit", "export FILE INDEX OUT.pam", "RGB_ALPHA",
                             "convert IN OUT.ico", "--size WxH", "--mode MODE", "mono, 16, 256, full", "--palette KIND",
                             "websafe or grey", "--index N", "--help"})
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
