// Import sources against other programs: the icon resources of Wine's own
// libraries and programs as icoutils' wrestool extracts them, .bmp files as
// ImageMagick writes and reads them, and our PNG files as Pillow decodes them.
// A missing peer fails the test with the package to install.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "formats/bmp_reader.h"
#include "formats/ico_reader.h"
#include "formats/module_icon_reader.h"
#include "formats/png_encoder.h"
#include "formats/png_reader.h"
#include "image/file_bytes.h"
#include "support/icon_samples.h"
#include "support/png_samples.h"
#include "support/shell_text.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::quoted;
using test::readText;

using test::kImageMagick;
using test::kPython;
using test::kWrestool;
const fs::path kWineModules = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";

std::string utf8(const ResourceId& id)
{
    if (id.isNumber)
        return std::to_string(id.number);
    std::string text;
    for (const char16_t c : id.name)
        text += static_cast<char>(c); // the names in Wine's files are ASCII
    return text;
}

// The number of images an .ico file's directory lists.
std::size_t directoryCount(const std::vector<std::uint8_t>& ico)
{
    return ico.size() >= 6 ? static_cast<std::size_t>(ico[4] | ico[5] << 8) : 0;
}

class ImportPeerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [program, package] : {std::pair{kImageMagick, "imagemagick"}, std::pair{kWrestool, "icoutils"},
                                               std::pair{kPython, "python3-pil"}})
            ASSERT_TRUE(fs::exists(program)) << program << " is missing: install the Debian package " << package;
        ASSERT_TRUE(fs::exists(kWineModules / "shell32.dll")) << "Wine's libraries are missing: install wine64";
    }

    std::string run(const std::string& command)
    {
        const fs::path out = dir / "out.txt";
        const int status = std::system((command + " >" + quoted(out) + " 2>" + quoted(dir / "err.txt")).c_str());
        EXPECT_EQ(status, 0) << command << "\n" << readText(dir / "err.txt");
        return readText(out);
    }

    std::vector<std::uint8_t> imageMagickRgba(const std::string& source, const std::string& options = "")
    {
        const fs::path out = dir / "peer.rgba";
        fs::remove(out);
        run(std::string(kImageMagick) + " '" + source + "' " + options + " -depth 8 RGBA:" + quoted(out));
        return test::fileContents(out);
    }

    // wrestool's groups of a module, each as (name, language), in its listing order.
    std::vector<std::pair<std::string, std::string>> wrestoolGroups(const fs::path& module)
    {
        const std::string listing = run(std::string(kWrestool) + " -l -t 14 " + quoted(module));
        const std::regex line(R"(--name='?([^' ]+)'? --language=(\d+))");
        std::vector<std::pair<std::string, std::string>> groups;
        for (std::sregex_iterator it(listing.begin(), listing.end(), line), end; it != end; ++it)
            groups.emplace_back((*it)[1], (*it)[2]);
        return groups;
    }

    // Every group's images as icoutils extracts and our .ico reader reads them,
    // in wrestool's order; pixel checks against ImageMagick for the first groups.
    void expectModuleMatchesWrestool(const std::string& name, std::size_t groupsCheckedByPixels)
    {
        SCOPED_TRACE(name);
        const fs::path module = kWineModules / name;
        const auto bytes = readFileBytes(module);
        ASSERT_TRUE(bytes);
        const auto directory = PeResourceDirectory::parse(*bytes);
        ASSERT_TRUE(directory);
        std::vector<std::string> ours;
        for (const ResourceId& id : directory->namesOf(PeResourceDirectory::kIconGroupType))
            ours.push_back(utf8(id));
        const auto groups = wrestoolGroups(module);
        std::vector<std::string> theirs;
        for (const auto& group : groups)
            theirs.push_back(group.first);
        ASSERT_EQ(ours, theirs);

        const fs::path out = dir / "extracted";
        fs::create_directories(out);
        run(std::string(kWrestool) + " -x -t 14 -o " + quoted(out) + " " + quoted(module));
        IconImageList expected;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const fs::path ico = out / (name + "_14_" + groups[g].first + "_" + groups[g].second + ".ico");
            IcoReader reader;
            IconImageList images;
            EXPECT_TRUE(reader.readFile(ico, images)) << ico;
            if (g < groupsCheckedByPixels)
                expectPixelsAsImageMagickReads(ico, images);
            for (auto& image : images)
                expected.push_back(std::move(image));
        }

        ModuleIconReader reader;
        IconImageList images;
        ASSERT_TRUE(reader.readFile(module, images));
        ASSERT_EQ(images.size(), expected.size());
        for (std::size_t i = 0; i < images.size(); ++i)
            EXPECT_TRUE(test::sameImage(*images[i], *expected[i])) << "image " << i;
        // The PNG-compressed 256-pixel images are decoded like the rest.
        EXPECT_EQ(reader.skippedEntries(), 0);
    }

    void expectPixelsAsImageMagickReads(const fs::path& ico, const IconImageList& images)
    {
        // PNG-compressed frames (the 256-pixel images) included.
        ASSERT_EQ(images.size(), directoryCount(test::fileContents(ico))) << ico.filename();
        for (std::size_t frame = 0; frame < images.size(); ++frame) {
            const auto expected = imageMagickRgba(ico.string() + "[" + std::to_string(frame) + "]");
            EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*images[frame]), expected, images[frame]->width()))
                << ico.filename() << " frame " << frame;
        }
    }

    test::TempDir dir;
};

TEST_F(ImportPeerTest, WineLibrariesGiveTheIconsWrestoolExtracts)
{
    expectModuleMatchesWrestool("user32.dll", 7);
    expectModuleMatchesWrestool("comctl32.dll", 2);
    // Hundreds of groups, named ones among them.
    expectModuleMatchesWrestool("shell32.dll", 3);
}

TEST_F(ImportPeerTest, WineProgramsGiveTheIconsWrestoolExtracts)
{
    expectModuleMatchesWrestool("notepad.exe", 1);
    expectModuleMatchesWrestool("winecfg.exe", 1);
}

TEST_F(ImportPeerTest, ImageMagickBitmapsReadWithTheirBitCountsAndPixels)
{
    const std::string picture = "-seed 7 -size 37x23 plasma:fractal -depth 8 -compress none";
    const std::vector<std::pair<std::string, int>> cases = {
        {"BMP3:" + (dir / "full.bmp").string(), 24},
        {"-colors 200 -type Palette BMP3:" + (dir / "palette.bmp").string(), 8},
        {"-colors 12 -type Palette BMP3:" + (dir / "sixteen.bmp").string(), 4},
        {"-type Bilevel BMP3:" + (dir / "mono.bmp").string(), 1},
        // With alpha ImageMagick writes a 32-bit bitmap with a long header and bit masks.
        {"-alpha set -channel A -evaluate set 50% +channel BMP:" + (dir / "alpha.bmp").string(), 32},
    };
    for (const auto& [arguments, bitCount] : cases) {
        run(std::string(kImageMagick) + " " + picture + " " + arguments);
        const fs::path file = arguments.substr(arguments.find(':') + 1);
        BmpReader reader;
        IconImageList images;
        ASSERT_TRUE(reader.readFile(file, images)) << file << " " << static_cast<int>(reader.dibProblem());
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0]->width(), 37);
        EXPECT_EQ(images[0]->height(), 23);
        EXPECT_EQ(images[0]->bitCount(), bitCount) << file;
        // Imported bitmaps are opaque, whatever alpha the file held.
        const auto expected = imageMagickRgba(file.string(), "-alpha off -alpha opaque");
        EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*images[0]), expected, 37)) << file;
    }
}

TEST_F(ImportPeerTest, RunLengthCompressedBitmapsAreRefused)
{
    // A bitmap section cannot hold compressed rows, so the platform refuses them too.
    run(std::string(kImageMagick) +
        " -size 40x20 gradient:red-blue -colors 50 -type Palette -compress RLE BMP3:" + quoted(dir / "rle.bmp"));
    BmpReader reader;
    IconImageList images;
    EXPECT_FALSE(reader.readFile(dir / "rle.bmp", images));
    EXPECT_EQ(reader.dibProblem(), DibProblem::UnsupportedCompression);
    EXPECT_TRUE(images.empty());
}

TEST_F(ImportPeerTest, PillowDecodesOurPngFilesToThePixelsWeEncoded)
{
    std::vector<std::uint8_t> rgba(300 * 70 * 4);
    for (std::size_t i = 0; i < rgba.size(); ++i)
        rgba[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    const std::vector<std::uint8_t> png = PngEncoder::encodeRgba(300, 70, rgba);
    std::ofstream(dir / "ours.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    run(std::string(kPython) + " -c \"from PIL import Image; im = Image.open('" + (dir / "ours.png").string() +
        "'); im.load(); assert im.mode == 'RGBA'; open('" + (dir / "back.rgba").string() +
        "', 'wb').write(im.tobytes())\"");
    EXPECT_EQ(test::fileContents(dir / "back.rgba"), rgba);
}

// Each sample of two decodings within one step: readers round 16-bit samples
// to 8 bits in different ways (we take the step below, ImageMagick the
// nearest, Pillow the high byte). Below 16 bits they agree exactly.
::testing::AssertionResult withinOneStep(const std::vector<std::uint8_t>& actual,
                                         const std::vector<std::uint8_t>& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " bytes vs " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (std::abs(actual[i] - expected[i]) > 1)
            return ::testing::AssertionFailure()
                   << "byte " << i << ": " << int(actual[i]) << " vs " << int(expected[i]);
    }
    return ::testing::AssertionSuccess();
}

TEST_F(ImportPeerTest, PillowAndImageMagickDecodeOurPngsOfEveryKindAsOurReaderDoes)
{
    // Pillow gives 16-bit grey as numbers of its own mode, which its RGBA
    // conversion clips: those are scaled here, with its transparent value.
    std::string script = "from PIL import Image\n"
                         "def rgba(name):\n"
                         "    im = Image.open(name + '.png')\n"
                         "    im.load()\n"
                         "    if im.mode.startswith('I'):\n"
                         "        key = im.info.get('transparency')\n"
                         "        out = bytearray()\n"
                         "        for v in im.getdata():\n"
                         "            g = (v * 255 + 32767) // 65535\n"
                         "            out += bytes((g, g, g, 0 if v == key else 255))\n"
                         "        open(name + '.pillow', 'wb').write(out)\n"
                         "    else:\n"
                         "        open(name + '.pillow', 'wb').write(im.convert('RGBA').tobytes())\n";
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> ours;
    for (const test::PngKind kind : test::kEveryPngKind) {
        const test::SamplePicture sample(kind, 37, 19, 4);
        const std::vector<std::uint8_t> png = PngEncoder().encode(sample.picture());
        ASSERT_FALSE(png.empty()) << kind.name();
        ASSERT_TRUE(writeFileReplacing(dir / (kind.name() + ".png"), png));
        IconImage image;
        ASSERT_TRUE(PngReader().decodeToIconImage(png, image)) << kind.name();
        ours.emplace_back(kind.name(), test::rgbaOf(image));
        script += "rgba('" + (dir / kind.name()).string() + "')\n";
    }
    std::ofstream(dir / "decode.py") << script;
    run(std::string(kPython) + " " + quoted(dir / "decode.py"));
    for (const auto& [name, rgba] : ours) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(withinOneStep(imageMagickRgba((dir / (name + ".png")).string()), rgba));
        // Pillow drops the transparent colour of 16-bit truecolour files: it
        // shows them opaque.
        std::vector<std::uint8_t> pillowSees = rgba;
        if (name == "type2_depth16") {
            for (std::size_t at = 3; at < pillowSees.size(); at += 4)
                pillowSees[at] = 255;
        }
        EXPECT_TRUE(withinOneStep(test::fileContents(dir / (name + ".pillow")), pillowSees));
        if (name.find("depth16") == std::string::npos) {
            EXPECT_EQ(imageMagickRgba((dir / (name + ".png")).string()), rgba);
        }
    }
}

} // namespace
} // namespace tessaly
