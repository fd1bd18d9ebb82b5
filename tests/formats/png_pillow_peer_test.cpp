// Pillow and zlib as peers of the PNG reader on large, noisy pictures of few
// colours with rare repeats: the data that keeps the inflate decoder in its
// fast loop of paired literals. Pillow writes each file with one of zlib's
// levels and strategies and decodes it again; our import and our .ico entry
// decoder must give its pixels, and our inflate zlib's bytes.

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "formats/built_in_icon_file_formats.h"
#include "formats/inflate_decoder.h"
#include "support/ico_file_builder.h"
#include "support/icon_samples.h"
#include "support/shell_text.h"
#include "support/sparse_repeat_source.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct PictureCase {
    bool palette;
    int width;
    int height;
    unsigned colours;
    int level;
    int strategy;
};

// Each job: the raw picture (a 768-byte palette and indices, or RGB) in, a
// PNG file written with the given zlib level and strategy and Pillow's
// decoding of that file as RGBA out.
constexpr const char* kPillowScript = R"(import sys
from PIL import Image
jobs = sys.argv[1:]
for at in range(0, len(jobs), 8):
    kind, width, height, level, strategy, raw, png, rgba = jobs[at:at + 8]
    size = (int(width), int(height))
    data = open(raw, 'rb').read()
    if kind == 'P':
        picture = Image.frombytes('P', size, data[768:])
        picture.putpalette(data[:768])
    else:
        picture = Image.frombytes('RGB', size, data)
    picture.save(png, compress_level=int(level), compress_type=int(strategy))
    back = Image.open(png)
    back.load()
    open(rgba, 'wb').write(back.convert('RGBA').tobytes())
)";

// The picture's bytes as the script reads them: a few colours drawn unevenly
// with rare repeats of earlier runs of pixels.
Bytes rawPicture(const PictureCase& c, std::mt19937_64& random)
{
    test::SparseRepeatShape shape;
    shape.size = static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height);
    shape.symbols = c.colours;
    shape.repeatsPer4096 = 24 + static_cast<unsigned>(random() % 25);
    const Bytes indices = test::sparseRepeatBytes(shape, random);
    Bytes colours(768);
    for (auto& b : colours)
        b = static_cast<std::uint8_t>(random());
    if (c.palette) {
        colours.insert(colours.end(), indices.begin(), indices.end());
        return colours;
    }
    Bytes rgb;
    rgb.reserve(indices.size() * 3);
    for (std::uint8_t index : indices)
        rgb.insert(rgb.end(), colours.begin() + 3 * index, colours.begin() + 3 * index + 3);
    return rgb;
}

Bytes joinedImageData(const Bytes& file)
{
    Bytes joined;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = static_cast<std::size_t>(file[at]) << 24 |
                                   static_cast<std::size_t>(file[at + 1]) << 16 |
                                   static_cast<std::size_t>(file[at + 2]) << 8 | file[at + 3];
        if (length > file.size() - at - 12)
            break;
        const auto body = file.begin() + static_cast<std::ptrdiff_t>(at + 8);
        if (std::equal(body - 4, body, "IDAT"))
            joined.insert(joined.end(), body, body + static_cast<std::ptrdiff_t>(length));
        at += length + 12;
    }
    return joined;
}

// An .ico file holding the PNG file as its one entry.
Bytes icoOfPng(const Bytes& png, const PictureCase& c)
{
    test::IcoPart part;
    part.entry.width = static_cast<std::uint8_t>(c.width < 256 ? c.width : 0);
    part.entry.height = static_cast<std::uint8_t>(c.height < 256 ? c.height : 0);
    part.entry.bitCount = 32;
    part.block = png;
    return test::assembleIco({part});
}

void writeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The files named.png and named.rgba (Pillow's pixels) of the case.
void expectReadAsPeersReadIt(const fs::path& dir, const std::string& name, const PictureCase& c)
{
    SCOPED_TRACE("picture " + name + ": " + std::to_string(c.width) + "x" + std::to_string(c.height) +
                 (c.palette ? " palette" : " RGB") + " level " + std::to_string(c.level) + " strategy " +
                 std::to_string(c.strategy));
    const fs::path png = dir / (name + ".png");
    const Bytes file = test::fileContents(png);
    const Bytes pillow = test::fileContents(dir / (name + ".rgba"));
    ASSERT_EQ(pillow.size(), 4u * static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height));

    const Bytes imageData = joinedImageData(file);
    const std::size_t rowBytes = static_cast<std::size_t>(c.width) * (c.palette ? 1 : 3) + 1;
    Bytes byZlib(rowBytes * static_cast<std::size_t>(c.height));
    uLongf length = static_cast<uLongf>(byZlib.size());
    ASSERT_EQ(uncompress(byZlib.data(), &length, imageData.data(), static_cast<uLong>(imageData.size())), Z_OK);
    ASSERT_EQ(length, byZlib.size());
    Bytes ours(byZlib.size());
    EXPECT_TRUE(InflateDecoder().inflateZlib(imageData, ours) && ours == byZlib);

    IconImageList imported;
    ASSERT_TRUE(builtInIconFileFormats().read(IconFileKind::Png, png, imported));
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ(imported[0]->bitCount(), c.palette ? 8 : 24);
    EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*imported[0]), pillow, c.width));

    const fs::path ico = dir / (name + ".ico");
    writeFile(ico, icoOfPng(file, c));
    IconImageList entries;
    ASSERT_TRUE(builtInIconFileFormats().read(IconFileKind::Ico, ico, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(test::sameVisiblePixels(test::rgbaOf(*entries[0]), pillow, c.width));
}

TEST(PngPillowPeer, LargeNoisyPicturesOfFewColoursReadAsPillowAndZlibReadThem)
{
    ASSERT_TRUE(fs::exists(test::kPython)) << "install the Debian packages python3 and python3-pil";
    std::vector<PictureCase> cases = {
        {true, 256, 256, 16, 1, Z_FILTERED},      {true, 1024, 700, 48, 9, Z_DEFAULT_STRATEGY},
        {true, 700, 1024, 32, 4, Z_HUFFMAN_ONLY}, {true, 333, 517, 64, 6, Z_RLE},
        {true, 1024, 256, 80, 3, Z_FIXED},        {false, 256, 256, 16, 6, Z_DEFAULT_STRATEGY},
        {false, 512, 400, 48, 9, Z_FILTERED},     {false, 1024, 600, 80, 6, Z_DEFAULT_STRATEGY},
        {false, 600, 300, 32, 2, Z_HUFFMAN_ONLY}, {false, 300, 1024, 24, 7, Z_RLE},
    };
    // Like the pictures that showed the fault: 512 x 400 palette pictures
    // at zlib's default level.
    for (unsigned colours = 32; colours <= 56; colours += 3)
        cases.push_back({true, 512, 400, colours, 6, Z_DEFAULT_STRATEGY});
    test::TempDir dir;
    std::mt19937_64 random(400);
    std::string command = std::string(test::kPython) + " " + test::quoted(dir / "make.py");
    std::ofstream(dir / "make.py") << kPillowScript;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const PictureCase& c = cases[i];
        const std::string name = std::to_string(i);
        writeFile(dir / (name + ".raw"), rawPicture(c, random));
        command += std::string(c.palette ? " P " : " RGB ") + std::to_string(c.width) + " " + std::to_string(c.height) +
                   " " + std::to_string(c.level) + " " + std::to_string(c.strategy) + " " +
                   test::quoted(dir / (name + ".raw")) + " " + test::quoted(dir / (name + ".png")) + " " +
                   test::quoted(dir / (name + ".rgba"));
    }
    ASSERT_EQ(std::system((command + " 2>" + test::quoted(dir / "err.txt")).c_str()), 0)
        << test::readText(dir / "err.txt");

    for (std::size_t i = 0; i < cases.size(); ++i)
        expectReadAsPeersReadIt(dir.path(), std::to_string(i), cases[i]);
}

} // namespace
} // namespace tessaly
