// Other programs as peers: ImageMagick, icoutils and Pillow make icons that
// must read with the right sizes, bit counts and pixels, and read the icons
// we write with the same pixels we hold. A missing peer fails the test with
// the package to install; nothing is skipped silently.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_program.h"
#include "formats/built_in_icon_file_formats.h"
#include "formats/ico_reader.h"
#include "formats/ico_writer.h"
#include "image/icon_collection.h"
#include "support/icon_samples.h"
#include "support/shell_text.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::quoted;
using test::readText;

using test::kIcotool;
using test::kImageMagick;
using test::kPython;

class IcoPeerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [program, package] :
             {std::pair{kImageMagick, "imagemagick"}, std::pair{kIcotool, "icoutils"}, std::pair{kPython, "python3"}}) {
            ASSERT_TRUE(fs::exists(program)) << program << " is missing: install the Debian package " << package;
        }
        ASSERT_EQ(run(std::string(kPython) + " -c 'import PIL'"), 0)
            << "Pillow is missing: install the Debian package python3-pil";
    }

    // Runs a shell command with its output kept in the work folder; the
    // command's error output is added to a failure message.
    int run(const std::string& command)
    {
        const int status =
            std::system((command + " >" + quoted(dir / "out.txt") + " 2>" + quoted(dir / "err.txt")).c_str());
        lastError = readText(dir / "err.txt");
        lastOutput = readText(dir / "out.txt");
        return status;
    }
    void mustRun(const std::string& command) { ASSERT_EQ(run(command), 0) << command << "\n" << lastError; }

    void makePicture(const std::string& name, const std::string& imageMagickArguments)
    {
        mustRun(std::string(kImageMagick) + " " + imageMagickArguments + " " + quoted(dir / name));
    }

    void python(const std::string& script)
    {
        std::ofstream(dir / "script.py") << "import os\nos.chdir(" << quoted(dir.path()) << ")\n" << script;
        mustRun(std::string(kPython) + " " + quoted(dir / "script.py"));
    }

    // ImageMagick's reading of one image of a file, as RGBA samples.
    std::vector<std::uint8_t> imageMagickPixels(const fs::path& file, int index = -1)
    {
        const std::string source = index < 0 ? file.string() : file.string() + "[" + std::to_string(index) + "]";
        const fs::path out = dir / "peer.rgba";
        fs::remove(out);
        run(std::string(kImageMagick) + " '" + source + "' -depth 8 RGBA:" + quoted(out));
        return test::fileContents(out);
    }

    // icotool's extraction of every image, in file order.
    std::vector<fs::path> icotoolImages(const fs::path& file, const std::string& folder)
    {
        const fs::path out = dir / folder;
        fs::create_directory(out);
        mustRun(std::string(kIcotool) + " -x -o " + quoted(out) + " " + quoted(file));
        std::vector<fs::path> pngs;
        for (const auto& entry : fs::directory_iterator(out))
            pngs.push_back(entry.path());
        std::sort(pngs.begin(), pngs.end(), [](const fs::path& a, const fs::path& b) {
            auto indexOf = [](const fs::path& p) {
                const std::string stem = p.stem().string();
                return std::stoi(stem.substr(stem.find('_') + 1));
            };
            return indexOf(a) < indexOf(b);
        });
        return pngs;
    }

    struct Read {
        bool ok = false;
        IconImageList images;
    };
    Read readIco(const fs::path& file)
    {
        Read result;
        IcoReader reader;
        result.ok = reader.readFile(file, result.images);
        return result;
    }

    // Every image of the file against ImageMagick's reading of the same entry.
    void expectPixelsAsImageMagickReadsThem(const fs::path& file, const Read& read)
    {
        for (std::size_t i = 0; i < read.images.size(); ++i) {
            const auto expected = imageMagickPixels(file, static_cast<int>(i));
            EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*read.images[i]), expected, read.images[i]->width()))
                << file.filename() << " image " << i;
        }
    }

    std::vector<std::tuple<int, int, int>> shapes(const Read& read)
    {
        std::vector<std::tuple<int, int, int>> result;
        for (const auto& image : read.images)
            result.emplace_back(image->width(), image->height(), image->bitCount());
        return result;
    }

    test::TempDir dir;
    std::string lastOutput;
    std::string lastError;
};

using Shapes = std::vector<std::tuple<int, int, int>>;

TEST_F(IcoPeerTest, ImageMagickMultiSizeIconsReadWithTheirPixels)
{
    makePicture("soft.png", "-size 256x256 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)'");
    mustRun(std::string(kImageMagick) + " " + quoted(dir / "soft.png") +
            " -define icon:auto-resize=16,24,32,48,64,256 " + quoted(dir / "multi.ico"));
    const Read read = readIco(dir / "multi.ico");
    ASSERT_TRUE(read.ok);
    // The 256 x 256 image is PNG-compressed.
    EXPECT_EQ(shapes(read),
              (Shapes{{16, 16, 32}, {24, 24, 32}, {32, 32, 32}, {48, 48, 32}, {64, 64, 32}, {256, 256, 32}}));
    expectPixelsAsImageMagickReadsThem(dir / "multi.ico", read);
}

TEST_F(IcoPeerTest, ImageMagickPaletteIconsReadWithTheirPixels)
{
    makePicture("few16.png", "-size 16x16 xc:none +antialias -fill red -draw 'circle 8,8 8,2' -fill blue -draw "
                             "'rectangle 2,2 5,5'");
    makePicture("many48.png", "-size 48x48 gradient:yellow-purple -colors 100 +dither \\( +clone -alpha extract -fill "
                              "black -draw 'rectangle 0,0 9,20' \\) -alpha off -compose copyopacity -composite");
    mustRun(std::string(kImageMagick) + " " + quoted(dir / "few16.png") + " " + quoted(dir / "many48.png") +
            " -type PaletteAlpha " + quoted(dir / "palette.ico"));
    const Read read = readIco(dir / "palette.ico");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(shapes(read), (Shapes{{16, 16, 4}, {48, 48, 8}}));
    expectPixelsAsImageMagickReadsThem(dir / "palette.ico", read);
}

TEST_F(IcoPeerTest, IcotoolIconsOfEveryBitCountReadWithTheirPixels)
{
    makePicture("mono.png", "-size 16x16 xc:none +antialias -fill black -draw 'circle 8,8 8,2'");
    makePicture("few.png", "-size 24x24 xc:none +antialias -fill red -draw 'circle 12,12 12,2' -fill blue -draw "
                           "'rectangle 2,2 7,7'");
    makePicture("many.png", "-size 32x32 gradient:yellow-purple -colors 100 +dither \\( +clone -alpha extract -fill "
                            "black -draw 'rectangle 0,0 9,9' \\) -alpha off -compose copyopacity -composite");
    makePicture("full.png", "-seed 3 -size 40x40 plasma:fractal -depth 8");
    makePicture("soft.png", "-size 48x48 radial-gradient:'rgba(0,128,255,1)'-'rgba(255,0,0,0)'");
    std::string command = std::string(kIcotool) + " -c -o " + quoted(dir / "mixed.ico");
    for (const char* name : {"mono.png", "few.png", "many.png", "full.png", "soft.png"})
        command += " " + quoted(dir / name);
    mustRun(command);
    const Read read = readIco(dir / "mixed.ico");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(shapes(read), (Shapes{{16, 16, 1}, {24, 24, 4}, {32, 32, 8}, {40, 40, 24}, {48, 48, 32}}));
    expectPixelsAsImageMagickReadsThem(dir / "mixed.ico", read);
}

TEST_F(IcoPeerTest, PillowPngIconsReadWithThePixelsPillowAndImageMagickRead)
{
    // Pillow compresses every entry as PNG; each kind of picture it is given
    // is stored as the PNG kind that suits it.
    makePicture("soft.png", "-size 64x64 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)'");
    makePicture("photo.png", "-seed 9 -size 48x48 plasma:fractal -depth 8");
    python("from PIL import Image\n"
           "def save(img, name, sizes):\n"
           "    img.save(name + '.ico', sizes=sizes)\n"
           "    for i, size in enumerate(sorted(sizes)):\n"
           "        icon = Image.open(name + '.ico')\n"
           "        icon.size = size\n"
           "        open(name + '.' + str(i) + '.rgba', 'wb').write(icon.convert('RGBA').tobytes())\n"
           "save(Image.open('soft.png').convert('RGBA'), 'rgba', [(16, 16), (32, 32), (48, 48)])\n"
           "save(Image.open('photo.png').convert('RGB'), 'rgb', [(48, 48)])\n"
           "save(Image.open('photo.png').convert('P', palette=Image.Palette.ADAPTIVE, colors=16), 'p', [(48, 48)])\n"
           "save(Image.open('photo.png').convert('L'), 'l', [(24, 24)])\n");
    const std::vector<std::pair<std::string, Shapes>> cases = {{"rgba", {{16, 16, 32}, {32, 32, 32}, {48, 48, 32}}},
                                                               {"rgb", {{48, 48, 32}}},
                                                               {"p", {{48, 48, 32}}},
                                                               {"l", {{24, 24, 32}}}};
    for (const auto& [name, expectedShapes] : cases) {
        SCOPED_TRACE(name);
        const fs::path file = dir / (name + ".ico");
        const Read read = readIco(file);
        ASSERT_TRUE(read.ok);
        ASSERT_EQ(shapes(read), expectedShapes);
        for (std::size_t i = 0; i < read.images.size(); ++i) {
            const auto pillow = test::fileContents(dir / (name + "." + std::to_string(i) + ".rgba"));
            EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*read.images[i]), pillow, read.images[i]->width())) << i;
        }
        expectPixelsAsImageMagickReadsThem(file, read);
    }
}

TEST_F(IcoPeerTest, PillowBitmapIconsReadWithThePixelsPillowWasGiven)
{
    // Pillow writes 32-bit images without mask rows, and the mask rows of
    // smaller bit counts unpadded; its own reader and ImageMagick's disagree
    // about those masks, so the pictures Pillow was given are the reference.
    makePicture("soft.png", "-size 32x32 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)'");
    makePicture("five.png", "-size 20x20 xc:red -fill blue -draw 'rectangle 0,0 7,7' -fill lime -draw 'rectangle "
                            "8,8 15,15' -fill white -draw 'point 12,3'");
    python("from PIL import Image\n"
           "def save(img, name):\n"
           "    img.save(name + '.ico', sizes=[img.size], bitmap_format='bmp')\n"
           "    open(name + '.rgba', 'wb').write(img.convert('RGBA').tobytes())\n"
           "save(Image.open('soft.png').convert('RGBA'), 'rgba')\n"
           "save(Image.open('five.png').convert('RGB'), 'rgb')\n"
           "save(Image.open('five.png').convert('P', palette=Image.Palette.ADAPTIVE, colors=4), 'p')\n"
           "save(Image.open('five.png').convert('L'), 'l')\n"
           "save(Image.open('five.png').convert('1'), 'one')\n");
    const std::vector<std::pair<std::string, std::tuple<int, int, int>>> cases = {
        {"rgba", {32, 32, 32}}, {"rgb", {20, 20, 24}}, {"p", {20, 20, 8}}, {"l", {20, 20, 8}}, {"one", {20, 20, 1}}};
    for (const auto& [name, shape] : cases) {
        SCOPED_TRACE(name);
        const Read read = readIco(dir / (name + ".ico"));
        ASSERT_TRUE(read.ok);
        ASSERT_EQ(shapes(read), Shapes{shape});
        const auto expected = test::fileContents(dir / (name + ".rgba"));
        EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*read.images[0]), expected, std::get<0>(shape)));
    }
}

class OurIconsTest : public IcoPeerTest {
protected:
    void SetUp() override
    {
        IcoPeerTest::SetUp();
        if (HasFatalFailure())
            return;
        images.push_back(test::patternedImage(16, 16, 1, 1));
        images.push_back(test::patternedImage(24, 24, 4, 2));
        images.push_back(test::patternedImage(32, 32, 8, 3));
        images.push_back(test::patternedImage(36, 21, 24, 4));
        images.push_back(test::patternedImage(37, 21, 24, 7)); // rows padded by 1 byte
        images.push_back(test::patternedImage(48, 48, 32, 5));
        images.push_back(test::patternedImage(256, 256, 32, 6));
        // Real 32-bit icons hide exactly the pixels without alpha.
        for (IconImage& image : images) {
            if (image.bitCount() != 32)
                continue;
            for (std::int32_t y = 0; y < image.height(); ++y) {
                for (std::int32_t x = 0; x < image.width(); ++x)
                    image.setMask(y, x, alphaOf(image.getPixel(y, x)) == 0);
            }
        }
        std::vector<const IconImage*> list;
        for (const IconImage& image : images)
            list.push_back(&image);
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(IcoWriter().encode(list, bytes));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<IconImage> images;
    fs::path file = dir / "ours.ico";
};

TEST_F(OurIconsTest, AreListedByIcotoolWithoutComplaint)
{
    mustRun(std::string(kIcotool) + " -l " + quoted(file));
    EXPECT_EQ(lastOutput, "--icon --index=1 --width=16 --height=16 --bit-depth=1 --palette-size=2\n"
                          "--icon --index=2 --width=24 --height=24 --bit-depth=4 --palette-size=16\n"
                          "--icon --index=3 --width=32 --height=32 --bit-depth=8 --palette-size=256\n"
                          "--icon --index=4 --width=36 --height=21 --bit-depth=24 --palette-size=0\n"
                          "--icon --index=5 --width=37 --height=21 --bit-depth=24 --palette-size=0\n"
                          "--icon --index=6 --width=48 --height=48 --bit-depth=32 --palette-size=0\n"
                          "--icon --index=7 --width=256 --height=256 --bit-depth=32 --palette-size=0\n");
    EXPECT_EQ(lastError, "");
}

TEST_F(OurIconsTest, AreDecodedByImageMagickWithOurPixels)
{
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto expected = imageMagickPixels(file, static_cast<int>(i));
        EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(images[i]), expected, images[i].width())) << "image " << i;
    }
}

TEST_F(OurIconsTest, AreExtractedByIcotoolWithOurPixels)
{
    const std::vector<fs::path> pngs = icotoolImages(file, "extracted");
    ASSERT_EQ(pngs.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // icotool 0.32 extracts 24-bit rows that need padding shifted, also
        // from the files it makes itself; ImageMagick reads this one right.
        if (images[i].bitCount() == 24 && images[i].width() % 4 != 0)
            continue;
        const auto expected = imageMagickPixels(pngs[i]);
        EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(images[i]), expected, images[i].width()))
            << pngs[i].filename();
    }
}

// The icons tessaly-cli makes and converts, with PNG entries.
class CliIconsTest : public IcoPeerTest {
protected:
    int cli(std::vector<std::string> args)
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = CliProgram(builtInIconFileFormats()).run(args, out, err);
        EXPECT_EQ(err.str(), "");
        return status;
    }

    // Pillow's reading of each size of the icon, as NAME.SIDE.pillow.
    void pillowImages(const fs::path& file, const std::vector<int>& sides)
    {
        std::string script = "from PIL import Image\n";
        for (const int side : sides)
            script += "icon = Image.open(" + quoted(file) + ")\nicon.size = (" + std::to_string(side) + ", " +
                      std::to_string(side) + ")\nopen('" + std::to_string(side) +
                      ".pillow', 'wb').write(icon.convert('RGBA').tobytes())\n";
        python(script);
    }
};

TEST_F(CliIconsTest, MadeIconsAreListedAndReadByEveryPeerWithOurPixels)
{
    // A soft shape with every alpha, on a canvas that is not square.
    makePicture("soft.png", "-size 320x240 xc:none -fill 'rgba(30,160,220,0.9)' -draw 'roundrectangle 20,20 "
                            "299,219 50,50' -fill 'rgba(250,200,0,1)' -draw 'circle 160,120 160,60' -blur 0x3");
    const std::vector<int> sides = {16, 24, 32, 48, 64, 128, 256};
    for (const char* policy : {"large", "all"}) {
        SCOPED_TRACE(policy);
        const fs::path icon = dir / (std::string(policy) + ".ico");
        ASSERT_EQ(cli({"make", (dir / "soft.png").string(), icon.string(), "--png", policy}), 0);
        const Read read = readIco(icon);
        ASSERT_TRUE(read.ok);
        ASSERT_EQ(read.images.size(), sides.size());

        mustRun(std::string(kIcotool) + " -l " + quoted(icon));
        std::string listing;
        for (std::size_t i = 0; i < sides.size(); ++i)
            listing += "--icon --index=" + std::to_string(i + 1) + " --width=" + std::to_string(sides[i]) +
                       " --height=" + std::to_string(sides[i]) + " --bit-depth=32 --palette-size=0\n";
        EXPECT_EQ(lastOutput, listing);
        EXPECT_EQ(lastError, "");

        const std::vector<fs::path> extracted = icotoolImages(icon, policy);
        ASSERT_EQ(extracted.size(), sides.size());
        pillowImages(icon, sides);
        for (std::size_t i = 0; i < sides.size(); ++i) {
            SCOPED_TRACE(sides[i]);
            const auto ours = test::rgbaOf(*read.images[i]);
            EXPECT_TRUE(test::sameVisiblePixels(ours, imageMagickPixels(icon, static_cast<int>(i)), sides[i]));
            EXPECT_TRUE(test::sameVisiblePixels(ours, imageMagickPixels(extracted[i]), sides[i]));
            EXPECT_TRUE(test::sameVisiblePixels(ours, test::fileContents(dir / (std::to_string(sides[i]) + ".pillow")),
                                                sides[i]));
        }
    }
}

TEST_F(CliIconsTest, AnImageMagickIconWithAPngEntryKeepsItsSizeThroughConvertAndOpenAndSave)
{
    // ImageMagick stores a picture with alpha as RGBA, an opaque one as RGB
    // and a 16-bit one with 16-bit samples; all come back the same size.
    makePicture("soft.png", "-size 256x256 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)' -depth 8");
    makePicture("opaque.png", "-seed 4 -size 256x256 plasma:fractal -depth 8");
    makePicture("deep.png", "-size 256x256 radial-gradient:'rgba(255,128,0,1)'-'rgba(0,0,255,0)' -depth 16");
    for (const std::string name : {"soft", "opaque", "deep"}) {
        SCOPED_TRACE(name);
        const fs::path original = dir / (name + ".ico");
        mustRun(std::string(kImageMagick) + " " + quoted(dir / (name + ".png")) +
                " -define icon:auto-resize=16,32,48,256 " + quoted(original));
        const std::size_t before = fs::file_size(original);

        const fs::path converted = dir / (name + ".converted.ico");
        ASSERT_EQ(cli({"convert", original.string(), converted.string()}), 0);
        // The editor's way: open into a collection, save it.
        IconCollection collection(builtInIconFileFormats());
        ASSERT_TRUE(collection.open(original));
        const fs::path saved = dir / (name + ".saved.ico");
        ASSERT_TRUE(collection.save(saved));

        const Read read = readIco(original);
        for (const fs::path& file : {converted, saved}) {
            SCOPED_TRACE(file.filename());
            EXPECT_LE(fs::file_size(file), before * 103 / 100);
            const Read again = readIco(file);
            ASSERT_TRUE(again.ok);
            ASSERT_EQ(again.images.size(), read.images.size());
            for (std::size_t i = 0; i < read.images.size(); ++i)
                EXPECT_TRUE(test::sameImage(*again.images[i], *read.images[i])) << i;
            expectPixelsAsImageMagickReadsThem(file, again);
        }
    }
}

} // namespace
} // namespace tessaly
