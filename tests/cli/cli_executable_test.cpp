// Starts the real tessaly-cli, as a user or a script would.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/icon_samples.h"
#include "support/shell_text.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::kIcotool;
using test::kImageMagick;
using test::readText;

class CliExecutableTest : public ::testing::Test {
protected:
    // The exit status of the command; its output and error output are kept.
    int run(const std::string& arguments)
    {
        const std::string command = std::string("'") + TESSALY_CLI + "' " + arguments + " >'" + (dir / "out").string() +
                                    "' 2>'" + (dir / "err").string() + "'";
        const int status = std::system(command.c_str());
        out = readText(dir / "out");
        err = readText(dir / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string sample(const char* name) { return std::string("'") + TESSALY_TEST_DATA_DIR + "/" + name + "'"; }

    test::TempDir dir;
    std::string out;
    std::string err;
};

TEST_F(CliExecutableTest, PrintsHelpAndExits0)
{
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(out.find("tessaly-cli export FILE INDEX OUT.pam"), std::string::npos);
}

TEST_F(CliExecutableTest, InfoListsTheImagesOfARealFile)
{
    EXPECT_EQ(run("info " + sample("ico/icotool_mixed.ico")), 0);
    EXPECT_EQ(out, "0: 16x16 1-bit\n1: 16x16 4-bit\n2: 32x32 8-bit\n3: 32x32 24-bit\n4: 64x64 32-bit\n");
    EXPECT_EQ(err, "");
}

TEST_F(CliExecutableTest, ExitsWith1AndOneLineForAnUnreadableFile)
{
    const std::string path = std::string(TESSALY_TEST_DATA_DIR) + "/malformed/ico_65535_entries.ico";
    EXPECT_EQ(run("info '" + path + "'"), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "tessaly-cli: cannot read " + path + "\n");
}

TEST_F(CliExecutableTest, ExportsAPamThatImageMagickReadsAsItReadsTheIcon)
{
    ASSERT_TRUE(fs::exists(kImageMagick)) << "ImageMagick is missing: install the Debian package imagemagick";
    const fs::path pam = dir / "image.pam";
    ASSERT_EQ(run("export " + sample("ico/imagemagick_palette.ico") + " 1 '" + pam.string() + "'"), 0) << err;
    const fs::path fromPam = dir / "pam.rgba";
    const fs::path fromIcon = dir / "icon.rgba";
    ASSERT_EQ(
        std::system(
            (std::string(kImageMagick) + " '" + pam.string() + "' -depth 8 'RGBA:" + fromPam.string() + "'").c_str()),
        0);
    ASSERT_EQ(std::system((std::string(kImageMagick) + " " + sample("ico/imagemagick_palette.ico[1]") +
                           " -depth 8 'RGBA:" + fromIcon.string() + "'")
                              .c_str()),
              0);
    EXPECT_TRUE(test::sameVisiblePixels(test::fileContents(fromPam), test::fileContents(fromIcon), 32));
}

// The lines icotool prints for every image of a file.
std::string icotoolList(const fs::path& file, const fs::path& listing)
{
    const std::string command = std::string(kIcotool) + " -l '" + file.string() + "' >'" + listing.string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << readText(listing);
    return readText(listing);
}

TEST_F(CliExecutableTest, ConvertedFilesReadBackInOtherProgramsAsAsked)
{
    ASSERT_TRUE(fs::exists(kIcotool)) << "icoutils is missing: install the Debian package icoutils";
    const fs::path converted = dir / "converted.ico";
    ASSERT_EQ(
        run("convert " + sample("ico/icotool_mixed.ico") + " '" + converted.string() + "' --size 48x24 --mode 16"), 0)
        << err;
    std::string expected;
    for (int i = 1; i <= 5; ++i)
        expected += "--icon --index=" + std::to_string(i) + " --width=48 --height=24 --bit-depth=4 --palette-size=16\n";
    EXPECT_EQ(icotoolList(converted, dir / "list"), expected);

    ASSERT_EQ(run("convert " + sample("ico/imagemagick_32bit.ico") + " '" + converted.string() +
                  "' --index 0 --palette websafe"),
              0)
        << err;
    EXPECT_EQ(icotoolList(converted, dir / "list").find("--index=2"), std::string::npos);
    // ImageMagick decodes the written palette image: every visible colour
    // must lie on the web-safe cube (each channel a multiple of 51).
    const fs::path rgba = dir / "converted.rgba";
    ASSERT_EQ(
        std::system((std::string(kImageMagick) + " '" + converted.string() + "' -depth 8 'RGBA:" + rgba.string() + "'")
                        .c_str()),
        0);
    const auto pixels = test::fileContents(rgba);
    ASSERT_FALSE(pixels.empty());
    int visible = 0;
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        if (pixels[i + 3] == 0)
            continue;
        ++visible;
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_EQ(pixels[i + channel] % 51, 0) << "byte " << i + channel;
    }
    EXPECT_GT(visible, 0);
}

TEST_F(CliExecutableTest, ExitsWith1AndOneLineForABadConvertOption)
{
    EXPECT_EQ(run("convert " + sample("ico/icotool_mixed.ico") + " '" + (dir / "x.ico").string() + "' --mode 8"), 1);
    EXPECT_EQ(err, "tessaly-cli: invalid --mode '8': give mono, 16, 256, full or alpha\nTry 'tessaly-cli --help'.\n");
    EXPECT_FALSE(fs::exists(dir / "x.ico"));
}

} // namespace
} // namespace tessaly
