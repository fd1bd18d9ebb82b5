// Starts the real tessaly-cli, as a user or a script would.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/icon_samples.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    ASSERT_TRUE(fs::exists("/usr/bin/convert")) << "ImageMagick is missing: install the Debian package imagemagick";
    const fs::path pam = dir / "image.pam";
    ASSERT_EQ(run("export " + sample("ico/imagemagick_palette.ico") + " 1 '" + pam.string() + "'"), 0) << err;
    const fs::path fromPam = dir / "pam.rgba";
    const fs::path fromIcon = dir / "icon.rgba";
    ASSERT_EQ(std::system(("/usr/bin/convert '" + pam.string() + "' -depth 8 'RGBA:" + fromPam.string() + "'").c_str()),
              0);
    ASSERT_EQ(std::system(("/usr/bin/convert " + sample("ico/imagemagick_palette.ico[1]") +
                           " -depth 8 'RGBA:" + fromIcon.string() + "'")
                              .c_str()),
              0);
    EXPECT_TRUE(test::sameVisiblePixels(test::fileContents(fromPam), test::fileContents(fromIcon), 32));
}

} // namespace
} // namespace tessaly
